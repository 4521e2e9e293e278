#include "platform/ui/ControlWidgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

void CheckBoxWidget::nextCheckState() {
    if (m_automatic) QCheckBox::nextCheckState();
}

RadioWidget::RadioWidget(bool automatic, QWidget* parent)
    : QRadioButton(parent), m_automatic(automatic) {
    setAutoExclusive(false);
}

void RadioWidget::nextCheckState() {
    if (!m_automatic) return;
    setChecked(true);
    for (const auto& other : m_group) {
        if (other && other != this) other->setChecked(false);
    }
}

int ComboWidget::AddString(const QString& text) {
    int index = count();
    if (m_sorted) {
        index = 0;
        while (index < count() && itemText(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
    }
    insertItem(index, text);
    // Inserting into an empty list would select the entry; a list starts with none.
    if (count() == 1) setCurrentIndex(-1);
    return index;
}

UpDownWidget::UpDownWidget(DWORD style, QWidget* parent)
    : QWidget(parent), m_style(style), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setArrowType(arrow == m_up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

void UpDownWidget::SetBuddy(QWidget* buddy) {
    if (m_buddy) m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy && (m_style & UDS_ARROWKEYS)) m_buddy->installEventFilter(this);
}

void UpDownWidget::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

int UpDownWidget::Clamp(int value) const {
    return std::clamp(value, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

void UpDownWidget::SetPos(int pos) {
    m_pos = Clamp(pos);
    if ((m_style & UDS_SETBUDDYINT) && m_buddy) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_buddy)) edit->setText(QString::number(m_pos));
    }
}

int UpDownWidget::Pos() const {
    if ((m_style & UDS_SETBUDDYINT) && m_buddy) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_buddy)) {
            bool ok = false;
            const int value = edit->text().trimmed().toInt(&ok);
            if (ok) return value;
        }
    }
    return m_pos;
}

void UpDownWidget::Step(bool up) {
    if (!isEnabled()) return;
    const int current = Clamp(Pos());
    const int towardUpper = m_upper >= m_lower ? 1 : -1;
    NMUPDOWN change;
    change.hdr.code = UDN_DELTAPOS;
    change.iPos = current;
    change.iDelta = up ? towardUpper : -towardUpper;
    if (onDeltaPos && onDeltaPos(change)) return;
    SetPos(current + change.iDelta);
}

bool UpDownWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
