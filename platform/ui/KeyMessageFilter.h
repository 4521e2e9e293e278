#pragma once
// Shows a dialog every key message for one of its windows before the message
// is dispatched, as the platform's message loop does, and drops the ones the
// dialog takes.

#include <QObject>

class CDialog;
class QWidget;

class KeyMessageFilter : public QObject {
public:
    // Lives as long as the dialog's window, its parent.
    KeyMessageFilter(CDialog& dialog, QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDialog& m_dialog;
    QWidget* m_window;
};
