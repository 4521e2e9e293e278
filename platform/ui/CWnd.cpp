#include "platform/ui/CWnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/prompts/Prompts.h"

void CWnd::Attach(QWidget* widget, int id, CDialog* owner) {
    m_widget = widget;
    m_nID = id;
    m_pOwner = owner;
}

void CWnd::Detach() {
    m_widget = nullptr;
    m_pOwner = nullptr;
}

HWND CWnd::GetSafeHwnd() const { return reinterpret_cast<HWND>(static_cast<QWidget*>(m_widget)); }

void CWnd::SetWindowText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
        edit->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
        button->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
        label->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(m_widget)) {
        group->setTitle(value);
    } else if (m_widget && m_widget->isWindow()) {
        m_widget->setWindowTitle(value);
    }
}

std::string CWnd::GetWindowText() const {
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) return edit->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
        return button->text().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(m_widget)) return label->text().toStdString();
    if (auto* group = qobject_cast<QGroupBox*>(m_widget)) return group->title().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(m_widget)) {
        return combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
    }
    if (m_widget && m_widget->isWindow()) return m_widget->windowTitle().toStdString();
    return {};
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_widget) return FALSE;
    const BOOL wasDisabled = !m_widget->isEnabled();
    m_widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_widget && m_widget->isEnabled(); }

BOOL CWnd::ShowWindow(int cmd) {
    if (!m_widget) return FALSE;
    const BOOL wasVisible = !m_widget->isHidden();
    m_widget->setVisible(cmd != int(SW_HIDE));
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_widget && !m_widget->isHidden(); }

void CWnd::Invalidate(BOOL) {
    if (m_widget) m_widget->update();
}

void CWnd::SetFocus() {
    if (m_widget) m_widget->setFocus(Qt::OtherFocusReason);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const {
    if (!m_widget || !placement) return FALSE;
    return CurrentPrompts().GetWindowPlacement(GetSafeHwnd(), placement);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) {
    if (!m_widget || !placement) return FALSE;
    return CurrentPrompts().SetWindowPlacement(GetSafeHwnd(), placement);
}
