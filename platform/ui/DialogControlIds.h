#pragma once
// Each control of a dialog built from a template carries its control id on its
// widget, so that code holding only the dialog's window (a host driving a
// plug-in's dialog by script) finds a control by id as the dialog itself does.

class QWidget;

void SetDialogControlId(QWidget* control, int id);
// The control's id, or -1 (the id of unnamed controls) for any other widget.
int DialogControlId(const QWidget* control);
// The control of the dialog window with this id, or null.
QWidget* FindDialogControl(const QWidget* dialog, int id);
