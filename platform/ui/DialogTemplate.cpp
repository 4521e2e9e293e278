#include "platform/ui/DialogTemplate.h"

#include <utility>

namespace rc {

namespace {

DialogItem Item(ItemClass itemClass, const std::string& text, int id, int x, int y, int cx, int cy,
                DWORD style) {
    DialogItem item;
    item.itemClass = itemClass;
    item.text = text;
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.style = WS_CHILD | WS_VISIBLE | style;
    return item;
}

}  // namespace

DialogItem PushButton(const std::string& text, int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::Button, text, id, x, y, cx, cy, BS_PUSHBUTTON | WS_TABSTOP | style);
}

DialogItem DefPushButton(const std::string& text, int id, int x, int y, int cx, int cy,
                         DWORD style) {
    return Item(ItemClass::Button, text, id, x, y, cx, cy, BS_DEFPUSHBUTTON | WS_TABSTOP | style);
}

DialogItem EditText(int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::Edit, "", id, x, y, cx, cy, ES_LEFT | WS_BORDER | WS_TABSTOP | style);
}

DialogItem LText(const std::string& text, int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::Static, text, id, x, y, cx, cy, SS_LEFT | WS_GROUP | style);
}

DialogItem GroupBox(const std::string& text, int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::Button, text, id, x, y, cx, cy, BS_GROUPBOX | style);
}

DialogItem AutoCheckBox(const std::string& text, int id, int x, int y, int cx, int cy,
                        DWORD style) {
    return Item(ItemClass::Button, text, id, x, y, cx, cy, BS_AUTOCHECKBOX | WS_TABSTOP | style);
}

DialogItem AutoRadioButton(const std::string& text, int id, int x, int y, int cx, int cy,
                           DWORD style) {
    return Item(ItemClass::Button, text, id, x, y, cx, cy, BS_AUTORADIOBUTTON | style);
}

DialogItem ComboBox(int id, int x, int y, int cx, int cy, DWORD style,
                    std::vector<std::string> initStrings) {
    DialogItem item = Item(ItemClass::ComboBox, "", id, x, y, cx, cy, style);
    item.initStrings = std::move(initStrings);
    return item;
}

DialogItem UpDown(int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::UpDown, "", id, x, y, cx, cy, style);
}

DialogItem Trackbar(int id, int x, int y, int cx, int cy, DWORD style) {
    return Item(ItemClass::Trackbar, "", id, x, y, cx, cy, style);
}

DialogItem Custom(const std::string& className, int id, int x, int y, int cx, int cy, DWORD style) {
    DialogItem item = Item(ItemClass::Custom, "", id, x, y, cx, cy, style);
    item.className = className;
    return item;
}

}  // namespace rc
