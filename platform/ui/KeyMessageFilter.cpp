#include "platform/ui/KeyMessageFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/ui/CDialog.h"
#include "platform/ui/HandlerBoundary.h"
#include "platform/ui/Keyboard.h"

KeyMessageFilter::KeyMessageFilter(CDialog& dialog, QWidget* window)
    : QObject(window), m_dialog(dialog), m_window(window) {
    QApplication::instance()->installEventFilter(this);
}

bool KeyMessageFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window) return false;
    MSG message;
    message.hwnd = reinterpret_cast<HWND>(widget);
    message.message = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
    message.wParam = UINT_PTR(VirtualKeyFromQt(static_cast<QKeyEvent*>(event)->key()));
    BOOL dropped = FALSE;
    RunHandler([&] { dropped = m_dialog.PreTranslateMessage(&message); });
    return dropped != FALSE;
}
