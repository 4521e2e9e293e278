#pragma once
// Works a dialog's controls by id the way the operator would: typing into an
// edit, clicking buttons and spin arrows, picking list entries, pressing keys
// and the close box. Each step goes through the widget, so the dialog sees the
// same notifications as from a person.

#include <QColor>
#include <string>
#include <vector>

#include "platform/ui/CDialog.h"

namespace ui_test {

// Replaces the edit's text by typing it character by character.
void Type(CDialog& dialog, int id, const std::string& text);
// Clicks a button, check box or radio button (nothing happens when disabled).
void Click(CDialog& dialog, int id);
// Clicks the upper or lower arrow of a spin.
void ClickSpin(CDialog& dialog, int id, bool up, int times = 1);
// Picks an entry of a drop-down list.
void Pick(CDialog& dialog, int id, int index);
// Presses a key in the dialog (Qt::Key_Escape, Qt::Key_Return ...).
void PressKey(CDialog& dialog, int key);
// Presses a key in one control.
void PressKeyIn(CDialog& dialog, int id, int key);
// Clicks the window's close box.
void ClickCloseBox(CDialog& dialog);

std::string Text(const CDialog& dialog, int id);
bool Enabled(const CDialog& dialog, int id);
bool Checked(const CDialog& dialog, int id);
int Selection(const CDialog& dialog, int id);
// The entries of a drop-down list, in their order.
std::vector<std::string> Entries(const CDialog& dialog, int id);
// A pixel of what the dialog itself painted on its client area.
QColor Painted(CDialog& dialog, int x, int y);
// Delivers a paint request now.
void Repaint(CDialog& dialog);

}  // namespace ui_test
