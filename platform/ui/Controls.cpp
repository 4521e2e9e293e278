#include "platform/ui/Controls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>

#include "platform/ui/CDialog.h"
#include "platform/ui/ControlWidgets.h"

void CEdit::SetSel(int start, int end) {
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
        const int last = end < 0 ? int(edit->text().size()) : end;
        edit->setSelection(start, last - start);
    }
}

int CButton::GetCheck() const {
    auto* button = qobject_cast<QAbstractButton*>(m_widget);
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
        button->setChecked(check == int(BST_CHECKED));
    }
}

int CComboBox::GetCount() const {
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    return combo ? combo->count() : 0;
}

int CComboBox::GetCurSel() const {
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    return combo && combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    if (!combo) return CB_ERR;
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
}

int CComboBox::AddString(const std::string& text) {
    auto* combo = dynamic_cast<ComboWidget*>(m_widget.data());
    return combo ? combo->AddString(QString::fromStdString(text)) : CB_ERR;
}

std::string CComboBox::GetLBText(int index) const {
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    return combo ? combo->itemText(index).toStdString() : std::string();
}

void CComboBox::ResetContent() {
    if (auto* combo = qobject_cast<QComboBox*>(m_widget)) combo->clear();
}

namespace {

UpDownWidget* UpDownOf(QWidget* widget) { return dynamic_cast<UpDownWidget*>(widget); }

}  // namespace

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    if (auto* spin = UpDownOf(m_widget)) spin->SetRange(lower, upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    lower = upper = 0;
    if (auto* spin = UpDownOf(m_widget)) {
        lower = spin->Lower();
        upper = spin->Upper();
    }
}

int CSpinButtonCtrl::SetPos(int pos) {
    auto* spin = UpDownOf(m_widget);
    if (!spin) return 0;
    const int previous = spin->Pos();
    spin->SetPos(pos);
    return previous;
}

int CSpinButtonCtrl::GetPos() const {
    auto* spin = UpDownOf(m_widget);
    return spin ? spin->Pos() : 0;
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    auto* spin = UpDownOf(m_widget);
    if (!spin || !spin->Buddy() || !m_pOwner) return nullptr;
    return m_pOwner->FindItemByWidget(spin->Buddy());
}

namespace {

QSlider* SliderOf(QWidget* widget) { return qobject_cast<QSlider*>(widget); }

constexpr const char* kSelectionStart = "selectionStart";
constexpr const char* kSelectionEnd = "selectionEnd";

}  // namespace

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL) {
    if (auto* slider = SliderOf(m_widget)) {
        const QSignalBlocker quiet(slider);
        slider->setRange(minimum, maximum);
    }
}

int CSliderCtrl::GetRangeMin() const {
    auto* slider = SliderOf(m_widget);
    return slider ? slider->minimum() : 0;
}

int CSliderCtrl::GetRangeMax() const {
    auto* slider = SliderOf(m_widget);
    return slider ? slider->maximum() : 0;
}

void CSliderCtrl::SetPos(int pos) {
    // Setting the position is not a scroll: no notification.
    if (auto* slider = SliderOf(m_widget)) {
        const QSignalBlocker quiet(slider);
        slider->setValue(pos);
    }
}

int CSliderCtrl::GetPos() const {
    auto* slider = SliderOf(m_widget);
    return slider ? slider->value() : 0;
}

void CSliderCtrl::SetSelection(int start, int end) {
    if (m_widget) {
        m_widget->setProperty(kSelectionStart, start);
        m_widget->setProperty(kSelectionEnd, end);
    }
}

void CSliderCtrl::GetSelection(int& start, int& end) const {
    start = m_widget ? m_widget->property(kSelectionStart).toInt() : 0;
    end = m_widget ? m_widget->property(kSelectionEnd).toInt() : 0;
}
