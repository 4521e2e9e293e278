#include "platform/ui/DialogItemBuilders.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "platform/ui/CDialog.h"
#include "platform/ui/COleControlSite.h"
#include "platform/ui/ControlWidgets.h"
#include "platform/ui/CustomControls.h"

namespace {

// A click on the button is its BN_CLICKED command.
void SendClicks(const ItemContext& context, QAbstractButton* button, int id) {
    CDialog& dialog = context.dialog;
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [&dialog, id] { dialog.SendCommand(UINT(id), BN_CLICKED); });
}

}  // namespace

BuiltItem BuildDialogItem(const ItemContext& context, const DialogItem& item, QRect& rect) {
    switch (item.itemClass) {
        case ItemClass::Button: return BuildButton(context, item);
        case ItemClass::Edit: return BuildEdit(context, item);
        case ItemClass::Static: return BuildStatic(context, item, rect);
        case ItemClass::ComboBox: return BuildComboBox(context, item, rect);
        case ItemClass::UpDown: return BuildUpDown(context, item);
        case ItemClass::Trackbar: return BuildTrackbar(context, item);
        case ItemClass::Custom: return BuildCustom(context, item);
    }
    return BuildCustom(context, item);
}

BuiltItem BuildButton(const ItemContext& context, const DialogItem& item) {
    const QString text = QString::fromStdString(item.text);
    const DWORD kind = item.style & BS_TYPEMASK;
    QWidget* widget = nullptr;
    if (kind == BS_GROUPBOX) {
        auto* box = new QGroupBox(text, context.window);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = box;
    } else if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX) {
        auto* check = new CheckBoxWidget(kind == BS_AUTOCHECKBOX, context.window);
        check->setText(text);
        SendClicks(context, check, item.id);
        widget = check;
    } else if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
        auto* radio = new RadioWidget(kind == BS_AUTORADIOBUTTON, context.window);
        radio->setText(text);
        SendClicks(context, radio, item.id);
        widget = radio;
    } else {
        auto* button = new QPushButton(text, context.window);
        button->setAutoDefault(false);
        if (kind == BS_DEFPUSHBUTTON && context.isDefault) button->setDefault(true);
        SendClicks(context, button, item.id);
        widget = button;
    }
    return {widget, std::make_unique<CButton>()};
}

BuiltItem BuildEdit(const ItemContext& context, const DialogItem& item) {
    auto* edit = new QLineEdit(context.window);
    edit->setFrame(item.style & WS_BORDER);
    edit->setReadOnly(item.style & ES_READONLY);
    CDialog& dialog = context.dialog;
    const int id = item.id;
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [&dialog, id] { dialog.SendCommand(UINT(id), EN_CHANGE); });
    return {edit, std::make_unique<CEdit>()};
}

BuiltItem BuildStatic(const ItemContext& context, const DialogItem& item, QRect& rect) {
    const QString text = QString::fromStdString(item.text);
    auto* label = new QLabel(text, context.window);
    const DWORD align = item.style & 0x3;
    label->setAlignment(Qt::AlignTop | (align == SS_CENTER  ? Qt::AlignHCenter
                                        : align == SS_RIGHT ? Qt::AlignRight
                                                            : Qt::AlignLeft));
    // A one-line label whose text is wider in the stand-in font than in the
    // font the layout was drawn for runs on to the right instead of being cut.
    const QFontMetrics metrics(context.window->font());
    if (rect.height() < 2 * metrics.height()) {
        rect.setWidth(std::max(rect.width(), metrics.horizontalAdvance(text) + 1));
    } else {
        label->setWordWrap(true);
    }
    return {label, std::make_unique<CStatic>()};
}

BuiltItem BuildComboBox(const ItemContext& context, const DialogItem& item, QRect& rect) {
    auto* combo = new ComboWidget(item.style & CBS_SORT, context.window);
    for (const std::string& entry : item.initStrings) {
        combo->AddString(QString::fromStdString(entry));
    }
    CDialog& dialog = context.dialog;
    const int id = item.id;
    QObject::connect(combo, &QComboBox::activated, combo,
                     [&dialog, id] { dialog.SendCommand(UINT(id), CBN_SELCHANGE); });
    // The template's height includes the dropped-down list.
    const int closed = std::min(combo->sizeHint().height(), rect.height());
    const int row = std::max(1, combo->fontMetrics().height() + 2);
    combo->setMaxVisibleItems(std::max(1, (rect.height() - closed) / row));
    rect.setHeight(closed);
    return {combo, std::make_unique<CComboBox>()};
}

BuiltItem BuildUpDown(const ItemContext& context, const DialogItem& item) {
    auto* spin = new UpDownWidget(item.style, context.window);
    if ((item.style & UDS_AUTOBUDDY) && context.previous) spin->SetBuddy(context.previous);
    CDialog& dialog = context.dialog;
    const int id = item.id;
    spin->onDeltaPos = [&dialog, id, spin](NMUPDOWN& change) {
        change.hdr.hwndFrom = reinterpret_cast<HWND>(static_cast<QWidget*>(spin));
        change.hdr.idFrom = UINT_PTR(id);
        return dialog.SendNotify(change.hdr) != 0;
    };
    return {spin, std::make_unique<CSpinButtonCtrl>()};
}

BuiltItem BuildTrackbar(const ItemContext& context, const DialogItem& item) {
    auto* slider = new QSlider(Qt::Horizontal, context.window);
    slider->setTickPosition((item.style & TBS_NOTICKS) ? QSlider::NoTicks : QSlider::TicksBelow);
    CDialog& dialog = context.dialog;
    const int id = item.id;
    QObject::connect(slider, &QSlider::valueChanged, slider, [&dialog, id](int value) {
        dialog.SendHScroll(TB_THUMBTRACK, value, dialog.GetDlgItem(id));
    });
    return {slider, std::make_unique<CSliderCtrl>()};
}

BuiltItem BuildCustom(const ItemContext& context, const DialogItem& item) {
    if (COleControlSite::IsClassId(item.className)) {
        if (auto site = COleControlSite::CreateControl(item.className, context.dialog, item.id)) {
            QWidget* window = site->ControlWindow();
            return {window, std::move(site)};
        }
        context.dialog.NoteMissingControl(item.className);
    }
    QWidget* widget = CreateCustomControl(item.className, context.window);
    if (!widget) {
        auto* frame = new QFrame(context.window);
        frame->setFrameShape(QFrame::StyledPanel);
        widget = frame;
    }
    return {widget, std::make_unique<CWnd>()};
}
