#include "platform/ui/DialogControlIds.h"

#include <QVariant>
#include <QWidget>

namespace {

constexpr char kIdProperty[] = "dialogControlId";

}  // namespace

void SetDialogControlId(QWidget* control, int id) {
    if (control) control->setProperty(kIdProperty, id);
}

int DialogControlId(const QWidget* control) {
    const QVariant value = control ? control->property(kIdProperty) : QVariant();
    return value.isValid() ? value.toInt() : -1;
}

QWidget* FindDialogControl(const QWidget* dialog, int id) {
    if (!dialog || id < 0) return nullptr;
    // Only the control the dialog's own lookup answers with carries an id, so
    // at most one child matches.
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (DialogControlId(child) == id) return child;
    }
    return nullptr;
}
