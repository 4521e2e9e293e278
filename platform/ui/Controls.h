#pragma once
// The controls of a dialog, addressed through the dialog by id.

#include <string>

#include "platform/ui/CWnd.h"

class CEdit : public CWnd {
public:
    // Selects characters start to end (-1: to the end).
    void SetSel(int start, int end);
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

class CStatic : public CWnd {};

class CComboBox : public CWnd {
public:
    int GetCount() const;
    // The selected index, or CB_ERR when nothing is selected.
    int GetCurSel() const;
    // Selects an entry; -1 or an index past the end clears the selection and
    // returns CB_ERR.
    int SetCurSel(int index);
    int AddString(const std::string& text);
    std::string GetLBText(int index) const;
    void ResetContent();
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    int SetPos(int pos);
    int GetPos() const;
    CWnd* GetBuddy() const;
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int pos);
    int GetPos() const;
    void SetSelection(int start, int end);
    void GetSelection(int& start, int& end) const;
};
