#pragma once
// The widgets that stand for a dialog template's items, one builder per item
// kind: each makes the widget in the dialog's window, wires its notifications
// to the dialog as the platform's messages, and makes the wrapper that the
// dialog hands out by id.

#include <QRect>
#include <memory>

#include "platform/ui/CWnd.h"
#include "platform/ui/DialogTemplate.h"

class CDialog;
class QWidget;

struct ItemContext {
    CDialog& dialog;
    QWidget* window;
    // The item built just before, a spin's buddy.
    QWidget* previous;
    // Whether the item is the dialog's default button.
    bool isDefault;
};

struct BuiltItem {
    QWidget* widget = nullptr;
    std::unique_ptr<CWnd> wrapper;
};

// Builds the item by its kind; rect (the item's rectangle in pixels) may be
// fitted to the widget.
BuiltItem BuildDialogItem(const ItemContext& context, const DialogItem& item, QRect& rect);

BuiltItem BuildButton(const ItemContext& context, const DialogItem& item);
BuiltItem BuildEdit(const ItemContext& context, const DialogItem& item);
BuiltItem BuildStatic(const ItemContext& context, const DialogItem& item, QRect& rect);
BuiltItem BuildComboBox(const ItemContext& context, const DialogItem& item, QRect& rect);
BuiltItem BuildUpDown(const ItemContext& context, const DialogItem& item);
BuiltItem BuildTrackbar(const ItemContext& context, const DialogItem& item);
BuiltItem BuildCustom(const ItemContext& context, const DialogItem& item);
