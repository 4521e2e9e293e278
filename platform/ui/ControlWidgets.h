#pragma once
// The widgets behind the platform's controls, where a plain Qt widget does not
// already behave like the control.

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/ui/WinUser.h"

// A check box; only the automatic kind changes its state when clicked.
class CheckBoxWidget : public QCheckBox {
public:
    CheckBoxWidget(bool automatic, QWidget* parent) : QCheckBox(parent), m_automatic(automatic) {}

protected:
    void nextCheckState() override;

private:
    bool m_automatic;
};

// A radio button of a group that the dialog forms from the template: clicking
// an automatic one turns it on and the others of its group off; code may turn
// every one of them off.
class RadioWidget : public QRadioButton {
public:
    RadioWidget(bool automatic, QWidget* parent);
    void SetGroup(std::vector<QPointer<RadioWidget>> group) { m_group = std::move(group); }

protected:
    void nextCheckState() override;

private:
    bool m_automatic;
    std::vector<QPointer<RadioWidget>> m_group;
};

// A drop-down list; with sorting, strings go in in order without regard to case.
class ComboWidget : public QComboBox {
public:
    ComboWidget(bool sorted, QWidget* parent) : QComboBox(parent), m_sorted(sorted) {}
    // Index of the new string.
    int AddString(const QString& text);

private:
    bool m_sorted;
};

// An up-down control: two arrows that step a position within a range and, with
// UDS_SETBUDDYINT, show it in the buddy window. Before each step it asks its
// dialog through onDeltaPos, which may change the step or refuse it.
class UpDownWidget : public QWidget {
public:
    UpDownWidget(DWORD style, QWidget* parent);

    void SetBuddy(QWidget* buddy);
    QWidget* Buddy() const { return m_buddy; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // Clamps to the range; with UDS_SETBUDDYINT the buddy shows it.
    void SetPos(int pos);
    // With UDS_SETBUDDYINT the buddy's number, when it holds one.
    int Pos() const;
    // What a click on an arrow does; the upper arrow moves toward the upper end.
    void Step(bool up);

    QToolButton* UpArrow() const { return m_up; }
    QToolButton* DownArrow() const { return m_down; }

    // Returns true to refuse the step.
    std::function<bool(NMUPDOWN&)> onDeltaPos;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int Clamp(int value) const;

    DWORD m_style;
    QPointer<QWidget> m_buddy;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    QToolButton* m_up;
    QToolButton* m_down;
};
