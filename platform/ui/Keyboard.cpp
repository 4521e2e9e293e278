#include "platform/ui/Keyboard.h"

#include <QGuiApplication>

SHORT GetKeyState(int virtualKey) {
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    bool down = false;
    switch (virtualKey) {
        case VK_SHIFT: down = held & Qt::ShiftModifier; break;
        case VK_CONTROL: down = held & Qt::ControlModifier; break;
        case VK_MENU: down = held & Qt::AltModifier; break;
        default: break;
    }
    return down ? SHORT(0x8000) : SHORT(0);
}

int VirtualKeyFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // Qt numbers them as their upper-case characters, as the platform does
    }
    switch (qtKey) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Delete: return VK_DELETE;
        default: return 0;
    }
}
