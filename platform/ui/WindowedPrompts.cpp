#include "platform/ui/WindowedPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include "platform/ui/OwnerWindow.h"
#include "platform/ui/WinUser.h"

namespace {

QWidget* WidgetOf(HWND window) { return reinterpret_cast<QWidget*>(window); }

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ToColorRef(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

}  // namespace

namespace {

// Wildcard patterns only ("*.sel", "*.png;*.tga"): no blanks, no brackets.
bool IsPatternList(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || (!trimmed.contains('*') && !trimmed.contains('?'))) return false;
    for (const QChar c : trimmed) {
        if (c.isSpace() || c == '(' || c == ')') return false;
    }
    return true;
}

}  // namespace

// Label and pattern pairs; a label that is itself a pattern list with no
// pattern after it ("*.sel | All Files (*.*)|*.*||") is a filter of its own,
// and the reading goes on with the next part as a label, so that the files it
// names can be seen and picked.
std::string QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size();) {
        QString label = parts[i].trimmed();
        QString patterns;
        if (i + 1 < parts.size() && IsPatternList(parts[i + 1])) {
            patterns = parts[i + 1].trimmed();
            i += 2;
        } else if (IsPatternList(label)) {
            patterns = label;
            i += 1;
        } else {
            break;
        }
        patterns.replace(';', ' ');
        if (label.isEmpty()) break;
        // Qt reads the patterns from the last parentheses of a filter.
        if (label.endsWith(')')) {
            const qsizetype open = label.lastIndexOf('(');
            if (open > 0) label = label.left(open).trimmed();
        }
        filters << label + " (" + patterns + ")";
    }
    return filters.join(";;").toStdString();
}

WindowedPrompts::WindowedPrompts() = default;

int WindowedPrompts::MessageBox(const std::string& text, UINT type) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(owner ? owner : DefaultDialogOwner());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(QString::fromStdString(text));
    box.setIcon((type & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                                                  : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

int WindowedPrompts::FileDialog(const FileDialogRequest& request, std::string& pathName) {
    QFileDialog dialog(WidgetOf(request.owner));
    dialog.setAcceptMode(request.openFileDialog ? QFileDialog::AcceptOpen
                                                : QFileDialog::AcceptSave);
    dialog.setFileMode(request.openFileDialog && (request.flags & OFN_FILEMUSTEXIST)
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    QString extension = QString::fromStdString(request.defaultExt);
    if (extension.startsWith('.')) extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    if (!(request.flags & OFN_OVERWRITEPROMPT)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString filters = QString::fromStdString(QtNameFilters(request.filter));
    if (!filters.isEmpty()) dialog.setNameFilters(filters.split(";;"));
    // An initial name with wildcards ("*.sel") picks what is listed, as the
    // filters do; it is not a name to save under.
    const QString fileName = QString::fromStdString(request.fileName);
    if (!fileName.isEmpty() && !fileName.contains('*') && !fileName.contains('?')) {
        dialog.selectFile(fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return IDCANCEL;
    pathName = dialog.selectedFiles().front().toStdString();
    return IDOK;
}

BOOL WindowedPrompts::ChooseColor(CHOOSECOLOR& choice) {
    if (choice.lpCustColors) {
        for (int i = 0; i < kCustomColorCount; ++i) {
            QColorDialog::setCustomColor(i, ToQColor(choice.lpCustColors[i]));
        }
    }
    QColorDialog dialog(WidgetOf(choice.hwndOwner));
    dialog.setCurrentColor(ToQColor((choice.Flags & CC_RGBINIT) ? choice.rgbResult : 0));
    if (dialog.exec() != QDialog::Accepted) return FALSE;
    choice.rgbResult = ToColorRef(dialog.selectedColor());
    if (choice.lpCustColors) {
        for (int i = 0; i < kCustomColorCount; ++i) {
            choice.lpCustColors[i] = ToColorRef(QColorDialog::customColor(i));
        }
    }
    return TRUE;
}

void WindowedPrompts::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void WindowedPrompts::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

BOOL WindowedPrompts::GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
    QWidget* widget = WidgetOf(window);
    if (!widget || !placement) return FALSE;
    placement->showCmd = widget->isMinimized() ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    const QRect normal =
        widget->normalGeometry().isValid() ? widget->normalGeometry() : widget->geometry();
    placement->rcNormalPosition = {normal.left(), normal.top(), normal.right() + 1,
                                   normal.bottom() + 1};
    return TRUE;
}

BOOL WindowedPrompts::SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
    QWidget* widget = WidgetOf(window);
    if (!widget || !placement) return FALSE;
    switch (placement->showCmd) {
        case SW_HIDE: widget->hide(); break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED: widget->showMinimized(); break;
        case SW_RESTORE:
        case SW_SHOWNORMAL: widget->showNormal(); break;
        default: widget->show();
    }
    return TRUE;
}
