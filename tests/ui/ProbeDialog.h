#pragma once
// A dialog with a control of each kind the framework tests work, its numbers
// bound by field exchange and its notifications recorded.

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/DataExchange.h"

namespace probe {

enum : int {
    kSigned = 100,    // -5 .. 5
    kUnsigned = 101,  // 0 .. 10
    kList = 106,
    kRadio = 107,
    kPush = 112,
    kLabel = 115,
    kHidden = 116,
    kDisabled = 117
};

inline DialogTemplate ProbeTemplate() {
    using namespace rc;
    DialogTemplate t;
    t.id = 999, t.caption = "Probe", t.cx = 200, t.cy = 160;
    t.items = {
        EditText(kSigned, 10, 10, 40, 14, ES_AUTOHSCROLL),
        EditText(kUnsigned, 10, 30, 40, 14, ES_AUTOHSCROLL),
        ComboBox(kList, 100, 25, 80, 60, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
                 {"pear", "", "Apple"}),
        AutoRadioButton("A", kRadio, 100, 45, 30, 10, WS_GROUP),
        PushButton("Push", kPush, 10, 100, 50, 14),
        LText("Label", kLabel, 10, 90, 40, 8),
        PushButton("Hidden", kHidden, 140, 120, 50, 14),
        PushButton("Off", kDisabled, 140, 100, 50, 14, WS_DISABLED),
        DefPushButton("OK", IDOK, 10, 140, 50, 14),
        PushButton("Cancel", IDCANCEL, 70, 140, 50, 14)};
    t.items[6].style &= ~WS_VISIBLE;  // a template item without WS_VISIBLE
    return t;
}

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(CWnd* parent = nullptr) : CDialog(ProbeTemplate(), parent) {
        for (UINT id : {UINT(kPush), UINT(kDisabled)}) {
            MapCommand(id, BN_CLICKED, [this, id] { commands.push_back({id, BN_CLICKED}); });
        }
        MapMessage(WM_CLOSE, [this] {
            closeRequests++;
            OnClose();
        });
    }

    int m_nSigned = 1;
    UINT m_nUnsigned = 2;

    std::vector<std::pair<UINT, UINT>> commands;
    int okCalls = 0;
    int cancelCalls = 0;
    int closeRequests = 0;
    bool endInInit = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kSigned, m_nSigned);
        DDV_MinMaxInt(pDX, m_nSigned, -5, 5);
        DDX_Text(pDX, kUnsigned, m_nUnsigned);
        DDV_MinMaxUInt(pDX, m_nUnsigned, 0, 10);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (endInInit) EndDialog(77);
        return TRUE;
    }
    void OnOK() override {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCalls;
        CDialog::OnCancel();
    }
};

}  // namespace probe
