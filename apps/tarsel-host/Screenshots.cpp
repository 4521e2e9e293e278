#include "apps/tarsel-host/Screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace tarsel_host {

namespace {

constexpr int kCaptionHeight = 22;

int OwnerDepth(const QWidget* window) {
    int depth = 0;
    for (const QWidget* w = window->parentWidget(); w; w = w->parentWidget()) ++depth;
    return depth;
}

}  // namespace

QImage GrabWithDialogs(QWidget* mainWindow) {
    QImage picture = mainWindow->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    std::vector<QWidget*> dialogs;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != mainWindow && qobject_cast<QDialog*>(window) && window->isVisible() &&
            !window->isMinimized()) {
            dialogs.push_back(window);
        }
    }
    std::stable_sort(dialogs.begin(), dialogs.end(),
                     [](QWidget* a, QWidget* b) { return OwnerDepth(a) < OwnerDepth(b); });
    QPainter painter(&picture);
    for (QWidget* dialog : dialogs) {
        const QPoint at = dialog->geometry().topLeft() - mainWindow->geometry().topLeft();
        // A plain caption where the window system would draw the dialog's frame.
        const QRect caption(at.x() - 1, at.y() - kCaptionHeight, dialog->width() + 2,
                            kCaptionHeight);
        painter.fillRect(caption, QColor(52, 64, 84));
        painter.setPen(Qt::white);
        painter.drawText(caption.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         dialog->windowTitle());
        painter.drawPixmap(at, dialog->grab());
        painter.setPen(QColor(52, 64, 84));
        painter.drawRect(QRect(at, dialog->size()).adjusted(-1, -1, 0, 0));
    }
    return picture;
}

QImage GrabScreen(QWidget* mainWindow) {
    QScreen* screen = mainWindow->screen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

}  // namespace tarsel_host
