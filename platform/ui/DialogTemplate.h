#pragma once
// A dialog template as data: caption, size and item rectangles in dialog units,
// font, and for each item its class, id, text and style. The builders below
// add the styles that the platform's resource compiler adds to the statements
// of the same names, so a template reads like its resource script.

#include <string>
#include <vector>

#include "platform/ui/WinUser.h"

enum class ItemClass { Button, Edit, Static, ComboBox, UpDown, Trackbar, Custom };

struct DialogItem {
    ItemClass itemClass = ItemClass::Static;
    int id = -1;  // -1: no id (labels, unnamed group boxes)
    std::string text;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    // Strings a list is filled with when the dialog is created.
    std::vector<std::string> initStrings;
    // For ItemClass::Custom: the registered class that makes the widget.
    std::string className;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int cx = 0;
    int cy = 0;
    std::string fontFace = "MS Sans Serif";
    int fontPoints = 8;
    DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    std::vector<DialogItem> items;
};

namespace rc {

constexpr int kNoId = -1;

DialogItem PushButton(const std::string& text, int id, int x, int y, int cx, int cy,
                      DWORD style = 0);
DialogItem DefPushButton(const std::string& text, int id, int x, int y, int cx, int cy,
                         DWORD style = 0);
DialogItem EditText(int id, int x, int y, int cx, int cy, DWORD style = 0);
DialogItem LText(const std::string& text, int id, int x, int y, int cx, int cy, DWORD style = 0);
DialogItem GroupBox(const std::string& text, int id, int x, int y, int cx, int cy, DWORD style = 0);
DialogItem AutoCheckBox(const std::string& text, int id, int x, int y, int cx, int cy,
                        DWORD style = 0);
DialogItem AutoRadioButton(const std::string& text, int id, int x, int y, int cx, int cy,
                           DWORD style = 0);
DialogItem ComboBox(int id, int x, int y, int cx, int cy, DWORD style,
                    std::vector<std::string> initStrings = {});
DialogItem UpDown(int id, int x, int y, int cx, int cy, DWORD style);
DialogItem Trackbar(int id, int x, int y, int cx, int cy, DWORD style);
DialogItem Custom(const std::string& className, int id, int x, int y, int cx, int cy,
                  DWORD style = 0);

}  // namespace rc
