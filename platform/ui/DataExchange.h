#pragma once
// Field exchange between a dialog's members and its controls, with the
// framework's range checks. A failure shows the framework's message, puts the
// focus on the control and ends the exchange; in a quiet exchange it only ends it.

#include <string>

#include "platform/ui/WinUser.h"

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate, bool quiet = false);

    // Notes the control the next checks refer to.
    void PrepareCtrl(int nIDC);
    void PrepareEditCtrl(int nIDC);
    // Shows the message (unless quiet) and ends the exchange.
    [[noreturn]] void Fail(const std::string& message);

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

private:
    bool m_bQuiet;
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

// Thrown by Fail and caught where the exchange started.
struct CUserException {};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Check(CDataExchange* pDX, int nIDC, BOOL& value);
// Binds a member to the control the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);

// A whole number as the framework reads it from an edit: optional blanks
// around an optional sign and decimal digits, within 32 bits.
bool ParseSignedText(const std::string& text, int& value);
bool ParseUnsignedText(const std::string& text, UINT& value);
