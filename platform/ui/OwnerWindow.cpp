#include "platform/ui/OwnerWindow.h"

#include <QApplication>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

// A dynamic property of the application object, the one thing two copies of
// this file in one process share.
constexpr char kOwnerProperty[] = "tintoraOwnerWindow";

}  // namespace

void SetApplicationOwnerWindow(QWidget* window) {
    if (!qApp) return;
    qApp->setProperty(kOwnerProperty, QVariant::fromValue<QObject*>(window));
    if (window) {
        QObject::connect(window, &QObject::destroyed, qApp, [window] {
            if (ApplicationOwnerWindow() == window) qApp->setProperty(kOwnerProperty, QVariant());
        });
    }
}

QWidget* ApplicationOwnerWindow() {
    if (!qApp) return nullptr;
    return qobject_cast<QWidget*>(qApp->property(kOwnerProperty).value<QObject*>());
}

QWidget* DefaultDialogOwner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return ApplicationOwnerWindow();
}
