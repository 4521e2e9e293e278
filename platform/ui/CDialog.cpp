#include "platform/ui/CDialog.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <optional>

#include "platform/automation/DispatchObject.h"
#include "platform/prompts/Prompts.h"
#include "platform/ui/COleControlSite.h"
#include "platform/ui/ControlWidgets.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DialogControlIds.h"
#include "platform/ui/DialogItemBuilders.h"
#include "platform/ui/HandlerBoundary.h"
#include "platform/ui/KeyMessageFilter.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/OwnerWindow.h"
#include "platform/ui/WindowedPrompts.h"

namespace {

constexpr UINT kWmCommand = 0x0111;
constexpr UINT kWmNotify = 0x004E;

bool IsRadio(const DialogItem& item) {
    const DWORD kind = item.style & BS_TYPEMASK;
    return item.itemClass == ItemClass::Button &&
           (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

}  // namespace

// The dialog's top-level window: turns keys, the close box and painting into
// the dialog's messages.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}
    void Finish(int result) { QDialog::done(result); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Escape: m_owner->SendCommand(IDCANCEL); break;
            case Qt::Key_Return:
            case Qt::Key_Enter: m_owner->SendEnter(); break;
            default: QWidget::keyPressEvent(event);
        }
    }
    void closeEvent(QCloseEvent* event) override {
        // The dialog decides through WM_CLOSE; ending it hides the window.
        event->ignore();
        m_owner->SendClose();
    }
    void paintEvent(QPaintEvent*) override {
        m_owner->Paint();
        QPainter painter(this);
        painter.drawImage(0, 0, m_owner->m_surface);
    }
    void reject() override { m_owner->SendCommand(IDCANCEL); }
    void accept() override { m_owner->SendCommand(IDOK); }

private:
    CDialog* m_owner;
};

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* pParentWnd)
    : m_template(dialogTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() { DestroyWindow(); }

QDialog* CDialog::Window() const { return m_window; }

INT_PTR CDialog::DoModal() {
    // Inside a host that installed nothing, the operator is asked in windows.
    WindowedPrompts windowed;
    std::optional<ScopedPrompts> scope;
    if (!PromptsInstalled()) scope.emplace(&windowed);

    if (!Create()) return -1;
    if (!m_bEnded) {
        m_window->setModal(true);
        if (ModalDriver* driver = CurrentModalDriver()) {
            m_window->show();
            driver->RunModal(*this);
        } else {
            m_window->exec();
        }
    }
    const INT_PTR result = m_bEnded ? m_nModalResult : -1;
    DestroyWindow();
    return result;
}

BOOL CDialog::Create() {
    if (m_window) return FALSE;
    m_bEnded = false;
    m_nModalResult = -1;
    BuildWindow();
    if (!m_missingControl.empty()) {
        DestroyWindow();
        AfxMessageBox("The dialog cannot be shown: its control " + m_missingControl +
                      " cannot be created.");
        m_missingControl.clear();
        return FALSE;
    }
    BOOL focusFirst = TRUE;
    RunHandler([&] { focusFirst = OnInitDialog(); });
    if (focusFirst) {
        for (const DialogItem& item : m_template.items) {
            CWnd* control = GetDlgItem(item.id);
            if (!(item.style & WS_TABSTOP) || !control || control->GetDlgCtrlID() != item.id) {
                continue;
            }
            if (control->IsWindowVisible() && control->IsWindowEnabled()) {
                GotoDlgCtrl(control);
                break;
            }
        }
    }
    return TRUE;
}

void CDialog::DestroyWindow() {
    if (!m_window) return;
    m_items.clear();
    m_unnamedItems.clear();
    DialogWindow* window = m_window;
    m_window = nullptr;
    Detach();
    delete window;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_window) m_window->Finish(nResult);
}

void CDialog::BuildWindow() {
    // Without a parent the dialog belongs to the open modal dialog or to the
    // host's main window, as the platform gives an ownerless dialog an owner.
    QWidget* parentWidget = m_pParentWnd ? m_pParentWnd->GetWidget() : DefaultDialogOwner();
    m_window = new DialogWindow(this, parentWidget);
    Attach(m_window, 0, this);
    new KeyMessageFilter(*this, m_window);

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_template.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    m_window->setWindowFlags(flags);
    m_window->setWindowTitle(QString::fromStdString(m_template.caption));
    const QFont font = TemplateFont(m_template.fontFace, m_template.fontPoints);
    m_window->setFont(font);
    m_baseUnits = BaseUnitsOf(font);
    const QSize client(MulDiv(m_template.cx, m_baseUnits.x, 4),
                       MulDiv(m_template.cy, m_baseUnits.y, 8));
    m_window->setFixedSize(client);
    m_surface = QImage(client, QImage::Format_ARGB32_Premultiplied);
    m_surface.fill(m_window->palette().color(QPalette::Window));

    // Each spin's buddy is the item just before it; the tab order is the
    // template's order.
    QWidget* previous = nullptr;
    QWidget* lastTabStop = nullptr;
    for (const DialogItem& item : m_template.items) BuildItem(item, previous, lastTabStop);

    // Radio buttons in a row form a group; WS_GROUP starts a new one.
    std::vector<QPointer<RadioWidget>> group;
    auto closeGroup = [&] {
        for (const auto& radio : group) radio->SetGroup(group);
        group.clear();
    };
    for (const DialogItem& item : m_template.items) {
        if (!IsRadio(item) || (item.style & WS_GROUP)) closeGroup();
        if (!IsRadio(item)) continue;
        if (auto* radio = dynamic_cast<RadioWidget*>(GetDlgItem(item.id)->GetWidget())) {
            group.push_back(radio);
        }
    }
    closeGroup();

    // Group boxes frame other controls without covering them.
    for (QGroupBox* box : m_window->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        box->lower();
    }
}

void CDialog::BuildItem(const DialogItem& item, QWidget*& previous, QWidget*& lastTabStop) {
    QRect rect = MapDialogRect(m_baseUnits, item.x, item.y, item.cx, item.cy);
    BuiltItem built =
        BuildDialogItem({*this, m_window, previous, DefaultCommandId() == item.id}, item, rect);
    QWidget* widget = built.widget;
    std::unique_ptr<CWnd> wrapper = std::move(built.wrapper);
    const int id = item.id;
    widget->setGeometry(rect);
    widget->setEnabled(!(item.style & WS_DISABLED));
    widget->setHidden(!(item.style & WS_VISIBLE));
    if (item.style & WS_TABSTOP) {
        widget->setFocusPolicy(Qt::StrongFocus);
        if (lastTabStop) QWidget::setTabOrder(lastTabStop, widget);
        lastTabStop = widget;
    } else if (item.itemClass == ItemClass::Static || (item.style & BS_TYPEMASK) == BS_GROUPBOX) {
        widget->setFocusPolicy(Qt::NoFocus);
    } else if (widget->focusPolicy() != Qt::NoFocus) {
        widget->setFocusPolicy(Qt::ClickFocus);
    }
    previous = widget;

    wrapper->Attach(widget, id, this);
    if (id >= 0 && !m_items.count(id)) {
        SetDialogControlId(widget, id);
        m_items.emplace(id, std::move(wrapper));
    } else {
        m_unnamedItems.push_back(std::move(wrapper));
    }
}

CWnd* CDialog::GetDlgItem(int nID) const {
    const auto it = m_items.find(nID);
    return it == m_items.end() ? nullptr : it->second.get();
}

CWnd* CDialog::FindItemByWidget(const QWidget* widget) const {
    for (const auto& [id, item] : m_items) {
        if (item->GetWidget() == widget) return item.get();
    }
    return nullptr;
}

UINT CDialog::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    const std::string text = GetDlgItemText(nID);
    bool ok = false;
    UINT result = 0;
    if (bSigned) {
        int value = 0;
        ok = ParseSignedText(text, value);
        if (ok) result = UINT(value);
    } else {
        ok = ParseUnsignedText(text, result);
        if (!ok) result = 0;
    }
    if (lpTrans) *lpTrans = ok ? TRUE : FALSE;
    return result;
}

void CDialog::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    SetDlgItemText(nID, bSigned ? std::to_string(int(nValue)) : std::to_string(nValue));
}

std::string CDialog::GetDlgItemText(int nID) const {
    CWnd* item = GetDlgItem(nID);
    return item ? item->GetWindowText() : std::string();
}

void CDialog::SetDlgItemText(int nID, const std::string& text) {
    if (CWnd* item = GetDlgItem(nID)) item->SetWindowText(text);
}

void CDialog::CheckDlgButton(int nID, UINT nCheck) {
    if (auto* button = GetDlgItemAs<CButton>(nID)) button->SetCheck(int(nCheck));
}

UINT CDialog::IsDlgButtonChecked(int nID) const {
    auto* button = GetDlgItemAs<CButton>(nID);
    return button ? UINT(button->GetCheck()) : BST_UNCHECKED;
}

void CDialog::CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) {
    for (int id = nIDFirst; id <= nIDLast; ++id) {
        CheckDlgButton(id, id == nIDCheck ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (!pWndCtrl || !pWndCtrl->GetWidget()) return;
    pWndCtrl->SetFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(pWndCtrl->GetWidget())) edit->selectAll();
}

int CDialog::GetFocusedId() const {
    if (!m_window) return 0;
    for (QWidget* widget = m_window->focusWidget(); widget && widget != m_window;
         widget = widget->parentWidget()) {
        if (CWnd* item = FindItemByWidget(widget)) return item->GetDlgCtrlID();
    }
    return 0;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) { return Exchange(bSaveAndValidate, false); }

BOOL CDialog::UpdateDataQuietly() { return Exchange(TRUE, true); }

BOOL CDialog::Exchange(BOOL bSaveAndValidate, bool quiet) {
    if (!m_window) return FALSE;
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(m_nExchangeDepth);
    CDataExchange exchange(this, bSaveAndValidate, quiet);
    try {
        DoDataExchange(&exchange);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnClose() { SendCommand(IDCANCEL); }

void CDialog::MapCommand(UINT nID, UINT nCode, std::function<void()> handler) {
    m_map.push_back({kWmCommand, nID, nCode, std::move(handler), nullptr});
}

void CDialog::MapNotify(UINT nID, UINT nCode, std::function<void(NMHDR*, LRESULT*)> handler) {
    m_map.push_back({kWmNotify, nID, nCode, nullptr, std::move(handler)});
}

void CDialog::MapMessage(UINT message, std::function<void()> handler) {
    m_map.push_back({message, 0, 0, std::move(handler), nullptr});
}

void CDialog::MapHScroll(std::function<void(UINT, int, CWnd*)> handler) {
    m_hscroll = std::move(handler);
}

void CDialog::SendHScroll(UINT nCode, int nPos, CWnd* pScrollBar) {
    if (!m_hscroll) return;
    const auto handler = m_hscroll;
    RunHandler([&] { handler(nCode, nPos, pScrollBar); });
}

void CDialog::MapEvent(UINT nID, DISPID dispid, std::function<void(Invocation&)> handler) {
    m_eventMap.push_back({nID, dispid, std::move(handler)});
}

void CDialog::SendEvent(UINT nID, DISPID dispid, DISPPARAMS& params) {
    for (auto it = m_eventMap.rbegin(); it != m_eventMap.rend(); ++it) {
        if (it->nID != nID || it->dispid != dispid) continue;
        const auto handler = it->handler;
        Invocation event(DISPATCH_METHOD, &params, nullptr);
        RunHandler([&] { handler(event); });
        return;
    }
}

BOOL CDialog::PreTranslateMessage(MSG*) { return FALSE; }

const CDialog::MapEntry* CDialog::FindEntry(UINT message, UINT nID, UINT nCode) const {
    // The latest binding wins, so a derived dialog's handler replaces its base's.
    for (auto it = m_map.rbegin(); it != m_map.rend(); ++it) {
        if (it->message == message && it->nID == nID && it->nCode == nCode) return &*it;
    }
    return nullptr;
}

void CDialog::SendCommand(UINT nID, UINT nCode) {
    if (const MapEntry* entry = FindEntry(kWmCommand, nID, nCode)) {
        const auto handler = entry->command;
        RunHandler(handler);
        return;
    }
    if (nCode != BN_CLICKED) return;
    if (nID == UINT(IDOK)) RunHandler([this] { OnOK(); });
    if (nID == UINT(IDCANCEL)) RunHandler([this] { OnCancel(); });
}

LRESULT CDialog::SendNotify(NMHDR& header) {
    LRESULT result = 0;
    if (const MapEntry* entry = FindEntry(kWmNotify, UINT(header.idFrom), header.code)) {
        const auto handler = entry->notify;
        RunHandler([&] { handler(&header, &result); });
    }
    return result;
}

void CDialog::SendClose() { SendMessage(WM_CLOSE); }

void CDialog::SendMessage(UINT message) {
    if (const MapEntry* entry = FindEntry(message, 0, 0)) {
        const auto handler = entry->command;
        RunHandler(handler);
        return;
    }
    if (message == WM_CLOSE) RunHandler([this] { OnClose(); });
}

void CDialog::Paint() {
    if (!m_window) return;
    m_surface.fill(m_window->palette().color(QPalette::Window));
    if (const MapEntry* entry = FindEntry(WM_PAINT, 0, 0)) {
        const auto handler = entry->command;
        RunHandler(handler);
    }
}

int CDialog::DefaultCommandId() const {
    for (const DialogItem& item : m_template.items) {
        if (item.itemClass == ItemClass::Button && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return item.id;
        }
    }
    return IDOK;
}

void CDialog::SendEnter() {
    if (m_window) {
        if (auto* button = qobject_cast<QPushButton*>(m_window->focusWidget())) {
            if (CWnd* item = FindItemByWidget(button)) {
                SendCommand(UINT(item->GetDlgCtrlID()), BN_CLICKED);
                return;
            }
        }
    }
    SendCommand(UINT(DefaultCommandId()), BN_CLICKED);
}
