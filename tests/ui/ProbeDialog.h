#pragma once
// A dialog with one control of every kind, its members bound by field exchange
// and every notification counted.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/DataExchange.h"

namespace probe {

enum : int {
    kSigned = 100,    // -5 .. 5
    kUnsigned = 101,  // 0 .. 10
    kText = 102,
    kCheck = 103,
    kBuddySpin = 104,  // buddy 101, sets its number
    kOwnSpin = 105,    // buddy 100, the dialog moves it
    kList = 106,
    kRadioA = 107,
    kRadioB = 108,
    kRadioC = 109,
    kRadioX = 110,
    kRadioY = 111,
    kPush = 112,
    kSlider = 113,
    kGroup = 114,
    kLabel = 115,
    kHidden = 116,
    kDisabled = 117,
};

inline DialogTemplate ProbeTemplate() {
    using namespace rc;
    DialogTemplate t;
    t.id = 999;
    t.caption = "Probe";
    t.cx = 200;
    t.cy = 160;
    t.items = {
        EditText(kSigned, 10, 10, 40, 14, ES_AUTOHSCROLL),
        EditText(kUnsigned, 10, 30, 40, 14, ES_AUTOHSCROLL),
        UpDown(kBuddySpin, 50, 30, 11, 14, UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS),
        EditText(kText, 10, 50, 80, 14, ES_AUTOHSCROLL),
        EditText(kSigned + 100, 10, 70, 40, 14),  // a second signed edit, 200
        UpDown(kOwnSpin, 50, 70, 11, 14, UDS_AUTOBUDDY | UDS_ARROWKEYS),
        AutoCheckBox("Check", kCheck, 100, 10, 50, 10),
        ComboBox(kList, 100, 25, 80, 60, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
                 {"pear", "", "Apple", "banana"}),
        AutoRadioButton("A", kRadioA, 100, 45, 30, 10, WS_GROUP),
        AutoRadioButton("B", kRadioB, 100, 57, 30, 10),
        AutoRadioButton("C", kRadioC, 100, 69, 30, 10),
        AutoRadioButton("X", kRadioX, 140, 45, 30, 10, WS_GROUP),
        AutoRadioButton("Y", kRadioY, 140, 57, 30, 10),
        PushButton("Push", kPush, 10, 100, 50, 14),
        Trackbar(kSlider, 70, 100, 60, 15, TBS_NOTICKS | WS_TABSTOP),
        GroupBox("Group", kGroup, 95, 38, 90, 45),
        LText("Label", kLabel, 10, 90, 40, 8),
        PushButton("Hidden", kHidden, 140, 120, 50, 14),
        PushButton("Off", kDisabled, 140, 100, 50, 14, WS_DISABLED),
        DefPushButton("OK", IDOK, 10, 140, 50, 14),
        PushButton("Cancel", IDCANCEL, 70, 140, 50, 14),
    };
    // A hidden item: a template item without WS_VISIBLE.
    t.items[17].style &= ~WS_VISIBLE;
    return t;
}

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(CWnd* parent = nullptr) : CDialog(ProbeTemplate(), parent) {
        for (UINT id : {UINT(kPush), UINT(kCheck), UINT(kRadioA), UINT(kDisabled)}) {
            MapCommand(id, BN_CLICKED, [this, id] { commands.push_back({id, BN_CLICKED}); });
        }
        for (UINT id : {UINT(kSigned), UINT(kUnsigned), UINT(kText)}) {
            MapCommand(id, EN_CHANGE, [this, id] { commands.push_back({id, EN_CHANGE}); });
        }
        MapCommand(kList, CBN_SELCHANGE, [this] { commands.push_back({kList, CBN_SELCHANGE}); });
        MapNotify(kOwnSpin, UDN_DELTAPOS, [this](NMHDR* header, LRESULT* result) {
            auto* change = reinterpret_cast<NMUPDOWN*>(header);
            deltas.push_back(change->iDelta);
            SetDlgItemInt(kSigned + 100, GetDlgItemInt(kSigned + 100) + change->iDelta);
            *result = 0;
        });
        MapHScroll([this](UINT, int pos, CWnd* slider) {
            scrolls.push_back({slider ? slider->GetDlgCtrlID() : 0, pos});
        });
    }

    void MapClose() {
        MapMessage(WM_CLOSE, [this] {
            closeRequests++;
            OnClose();
        });
    }

    int m_nSigned = 1;
    UINT m_nUnsigned = 2;
    std::string m_strText = "start";
    BOOL m_bCheck = FALSE;
    CComboBox m_list;

    std::vector<std::pair<UINT, UINT>> commands;
    std::vector<int> deltas;
    std::vector<std::pair<int, int>> scrolls;
    int okCalls = 0;
    int cancelCalls = 0;
    int closeRequests = 0;
    int initCalls = 0;
    bool endInInit = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kSigned, m_nSigned);
        DDV_MinMaxInt(pDX, m_nSigned, -5, 5);
        DDX_Text(pDX, kUnsigned, m_nUnsigned);
        DDV_MinMaxUInt(pDX, m_nUnsigned, 0, 10);
        DDX_Control(pDX, kList, m_list);
        DDX_Text(pDX, kText, m_strText);
        DDX_Check(pDX, kCheck, m_bCheck);
    }
    BOOL OnInitDialog() override {
        ++initCalls;
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
