#include "platform/ui/DataExchange.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "platform/prompts/FieldMessages.h"
#include "platform/prompts/Prompts.h"
#include "platform/ui/CDialog.h"

namespace {

// Digits with an optional sign and blanks around them; nothing else.
bool ParseWhole(const std::string& text, long long& value) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    size_t digits = begin;
    if (digits < end && (text[digits] == '-' || text[digits] == '+')) ++digits;
    if (digits == end) return false;
    for (size_t i = digits; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    if (end - digits > 12) return false;
    value = std::strtoll(text.substr(begin, end - begin).c_str(), nullptr, 10);
    return true;
}

}  // namespace

bool ParseSignedText(const std::string& text, int& value) {
    long long whole = 0;
    if (!ParseWhole(text, whole)) return false;
    if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max()) {
        return false;
    }
    value = int(whole);
    return true;
}

bool ParseUnsignedText(const std::string& text, UINT& value) {
    long long whole = 0;
    if (!ParseWhole(text, whole)) return false;
    if (whole < 0 || whole > std::numeric_limits<UINT>::max()) return false;
    value = UINT(whole);
    return true;
}

CDataExchange::CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate, bool quiet)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bQuiet(quiet) {}

void CDataExchange::PrepareCtrl(int nIDC) {
    m_idLastControl = nIDC;
    m_bEditLastControl = false;
}

void CDataExchange::PrepareEditCtrl(int nIDC) {
    m_idLastControl = nIDC;
    m_bEditLastControl = true;
}

void CDataExchange::Fail(const std::string& message) {
    if (!m_bQuiet) {
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        if (m_bSaveAndValidate) m_pDlgWnd->GotoDlgCtrl(m_pDlgWnd->GetDlgItem(m_idLastControl));
    }
    throw CUserException{};
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    pDX->PrepareEditCtrl(nIDC);
    CWnd* edit = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!edit) return;
    if (pDX->m_bSaveAndValidate) {
        if (!ParseSignedText(edit->GetWindowText(), value)) pDX->Fail(kEnterIntegerMessage);
    } else {
        const std::string text = std::to_string(value);
        // Writing only a changed text spares the control a change notification.
        if (edit->GetWindowText() != text) edit->SetWindowText(text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    pDX->PrepareEditCtrl(nIDC);
    CWnd* edit = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!edit) return;
    if (pDX->m_bSaveAndValidate) {
        if (!ParseUnsignedText(edit->GetWindowText(), value)) {
            pDX->Fail(kEnterPositiveIntegerMessage);
        }
    } else {
        const std::string text = std::to_string(value);
        if (edit->GetWindowText() != text) edit->SetWindowText(text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    pDX->PrepareEditCtrl(nIDC);
    CWnd* edit = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!edit) return;
    if (pDX->m_bSaveAndValidate) {
        value = edit->GetWindowText();
    } else if (edit->GetWindowText() != value) {
        edit->SetWindowText(value);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, BOOL& value) {
    pDX->PrepareCtrl(nIDC);
    auto* button = pDX->m_pDlgWnd->GetDlgItemAs<CButton>(nIDC);
    if (!button) return;
    if (pDX->m_bSaveAndValidate) {
        value = button->GetCheck() == int(BST_CHECKED) ? TRUE : FALSE;
    } else {
        button->SetCheck(value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.GetWidget()) return;
    CWnd* item = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (item) rControl.Attach(item->GetWidget(), nIDC, pDX->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate) return;
    if (value < minVal || value > maxVal) pDX->Fail(IntegerRangeMessage(minVal, maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (!pDX->m_bSaveAndValidate) return;
    if (value < minVal || value > maxVal) pDX->Fail(IntegerRangeMessage(minVal, maxVal));
}
