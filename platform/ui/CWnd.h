#pragma once
// A window: the dialog itself or one of its controls. Several CWnd objects may
// stand for the same widget (a dialog's own map and a member bound by field
// exchange); all state lives in the widget, and a CWnd whose widget is gone
// answers like a destroyed window.

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/ui/WinUser.h"

class CDialog;
class QImage;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Binds this object to a widget of a dialog.
    void Attach(QWidget* widget, int id, CDialog* owner);
    void Detach();

    QWidget* GetWidget() const { return m_widget; }
    // The widget as the platform's opaque window handle.
    HWND GetSafeHwnd() const;
    int GetDlgCtrlID() const { return m_nID; }
    // The dialog the window belongs to (the dialog itself for a dialog).
    CDialog* GetOwnerDialog() const { return m_pOwner; }

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // Returns TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // SW_HIDE or SW_SHOW; returns TRUE when the window was visible before.
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    // Asks for a repaint; for a dialog the background is painted anew.
    void Invalidate(BOOL erase = TRUE);
    void SetFocus();
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);

    // What drawing contexts of this window paint on; null when the window
    // paints itself.
    virtual QImage* PaintSurface() { return nullptr; }

protected:
    QPointer<QWidget> m_widget;
    int m_nID = 0;
    CDialog* m_pOwner = nullptr;
};
