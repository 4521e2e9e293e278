#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "platform/ui/ControlWidgets.h"

namespace ui_test {

namespace {

QWidget* WidgetOf(const CDialog& dialog, int id) {
    CWnd* item = dialog.GetDlgItem(id);
    if (!item || !item->GetWidget()) {
        ADD_FAILURE() << "dialog " << dialog.Template().id << " has no control " << id;
        return nullptr;
    }
    return item->GetWidget();
}

}  // namespace

void Type(CDialog& dialog, int id, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(dialog, id));
    ASSERT_TRUE(edit) << "control " << id << " is not an edit";
    ASSERT_TRUE(edit->isEnabled()) << "edit " << id << " is disabled";
    edit->selectAll();
    if (text.empty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
}

void Click(CDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(dialog, id));
    ASSERT_TRUE(button) << "control " << id << " is not a button";
    button->click();
}

void ClickSpin(CDialog& dialog, int id, bool up, int times) {
    auto* spin = dynamic_cast<UpDownWidget*>(WidgetOf(dialog, id));
    ASSERT_TRUE(spin) << "control " << id << " is not a spin";
    for (int i = 0; i < times; ++i) (up ? spin->UpArrow() : spin->DownArrow())->click();
}

void Pick(CDialog& dialog, int id, int index) {
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(dialog, id));
    ASSERT_TRUE(combo) << "control " << id << " is not a list";
    ASSERT_TRUE(combo->isEnabled());
    ASSERT_LT(index, combo->count());
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void PressKey(CDialog& dialog, int key) {
    QWidget* target = dialog.Window()->focusWidget();
    QTest::keyClick(target ? target : dialog.Window(), Qt::Key(key));
}

void PressKeyIn(CDialog& dialog, int id, int key) {
    if (QWidget* widget = WidgetOf(dialog, id)) QTest::keyClick(widget, Qt::Key(key));
}

void ClickCloseBox(CDialog& dialog) { dialog.Window()->close(); }

std::string Text(const CDialog& dialog, int id) {
    CWnd* item = dialog.GetDlgItem(id);
    return item ? item->GetWindowText() : std::string();
}

bool Enabled(const CDialog& dialog, int id) {
    QWidget* widget = WidgetOf(dialog, id);
    return widget && widget->isEnabled();
}

bool Checked(const CDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(WidgetOf(dialog, id));
    return button && button->isChecked();
}

int Selection(const CDialog& dialog, int id) {
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(dialog, id));
    return combo ? combo->currentIndex() : -2;
}

std::vector<std::string> Entries(const CDialog& dialog, int id) {
    std::vector<std::string> entries;
    if (auto* combo = qobject_cast<QComboBox*>(WidgetOf(dialog, id))) {
        for (int i = 0; i < combo->count(); ++i)
            entries.push_back(combo->itemText(i).toStdString());
    }
    return entries;
}

QColor Painted(CDialog& dialog, int x, int y) { return dialog.PaintSurface()->pixelColor(x, y); }

void Repaint(CDialog& dialog) {
    if (!dialog.Window()->isVisible()) dialog.Window()->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.Window()));
    dialog.Window()->repaint();
}

}  // namespace ui_test
