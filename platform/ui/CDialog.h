#pragma once
// A dialog built from its template on Qt widgets. Controls are addressed by id;
// handlers are bound to (control id, notification) as in a message map; the
// commands IDOK and IDCANCEL fall back to OnOK and OnCancel; the close box
// sends WM_CLOSE, whose default handling issues IDCANCEL; Escape issues
// IDCANCEL, Enter the default button's command.

#include <QImage>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/prompts/Prompts.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Keyboard.h"

class CDataExchange;
class Invocation;
struct DISPPARAMS;
class DialogWindow;
class QDialog;

class CDialog : public CWnd {
public:
    CDialog(const DialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the window, runs OnInitDialog and the modal loop; returns the value
    // given to EndDialog, or -1 when the dialog could not run.
    virtual INT_PTR DoModal();
    // Builds the window and runs OnInitDialog without a modal loop.
    BOOL Create();
    void DestroyWindow();
    void EndDialog(int nResult);
    bool HasEnded() const { return m_bEnded; }
    int ModalResult() const { return m_nModalResult; }

    // Field exchange: from the controls into the members (TRUE) or back. Stops
    // at the first value that fails, with the framework's message and the focus
    // on that control; FALSE then.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Reads the controls into the members without any message or focus change,
    // stopping at the first value that fails.
    BOOL UpdateDataQuietly();
    // Whether a field exchange is running.
    bool IsExchanging() const { return m_nExchangeDepth > 0; }

    CWnd* GetDlgItem(int nID) const;
    template <class Control>
    Control* GetDlgItemAs(int nID) const {
        return dynamic_cast<Control*>(GetDlgItem(nID));
    }
    CWnd* FindItemByWidget(const QWidget* widget) const;
    // The text read as a whole number; 0 with *lpTrans FALSE when it is not one.
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    std::string GetDlgItemText(int nID) const;
    void SetDlgItemText(int nID, const std::string& text);
    void CheckDlgButton(int nID, UINT nCheck);
    UINT IsDlgButtonChecked(int nID) const;
    // Turns nIDCheck on and every other button from nIDFirst to nIDLast off.
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck);
    // Moves the focus to a control; an edit gets all its text selected.
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // The id of the control that has (or will have, once the window is active)
    // the focus; 0 when none.
    int GetFocusedId() const;

    // Messages, as the platform would deliver them.
    void SendCommand(UINT nID, UINT nCode = BN_CLICKED);
    LRESULT SendNotify(NMHDR& header);
    void SendClose();
    // WM_HSCROLL from a slider.
    // An embedded control the template names could not be created: the dialog will not run.
    void NoteMissingControl(const std::string& className) { m_missingControl = className; }
    void SendHScroll(UINT nCode, int nPos, CWnd* pScrollBar);

    const DialogTemplate& Template() const { return m_template; }
    DialogBaseUnits BaseUnits() const { return m_baseUnits; }
    QDialog* Window() const;
    // The client area as the dialog's own painting leaves it.
    QImage* PaintSurface() override { return &m_surface; }
    CWnd* GetParent() const { return m_pParentWnd; }

    // Message map: the handler bound last to a message is the one called.
    void MapCommand(UINT nID, UINT nCode, std::function<void()> handler);
    void MapNotify(UINT nID, UINT nCode, std::function<void(NMHDR*, LRESULT*)> handler);
    // WM_CLOSE and WM_PAINT.
    void MapMessage(UINT message, std::function<void()> handler);
    // WM_HSCROLL from a slider: scroll code, position, the slider.
    void MapHScroll(std::function<void(UINT, int, CWnd*)> handler);
    // Event sink map: an event of the embedded control nID, its arguments in
    // declaration order; the handler bound last is called.
    void MapEvent(UINT nID, DISPID dispid, std::function<void(Invocation&)> handler);
    void SendEvent(UINT nID, DISPID dispid, DISPPARAMS& params);

    // Every key message for the dialog's windows comes here before it is
    // dispatched; TRUE drops it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // The default handling of WM_CLOSE: the cancel command.
    void OnClose();

private:
    friend class DialogWindow;
    friend class CDataExchange;

    struct MapEntry {
        UINT message;
        UINT nID;
        UINT nCode;
        std::function<void()> command;
        std::function<void(NMHDR*, LRESULT*)> notify;
    };

    BOOL Exchange(BOOL bSaveAndValidate, bool quiet);
    void BuildWindow();
    void BuildItem(const DialogItem& item, QWidget*& previous, QWidget*& lastTabStop);
    void SendMessage(UINT message);
    void Paint();
    void SendEnter();
    int DefaultCommandId() const;
    const MapEntry* FindEntry(UINT message, UINT nID, UINT nCode) const;

    DialogTemplate m_template;
    CWnd* m_pParentWnd;
    DialogWindow* m_window = nullptr;
    DialogBaseUnits m_baseUnits;
    QImage m_surface;
    std::map<int, std::unique_ptr<CWnd>> m_items;
    std::vector<std::unique_ptr<CWnd>> m_unnamedItems;
    std::vector<MapEntry> m_map;
    std::function<void(UINT, int, CWnd*)> m_hscroll;
    struct EventEntry {
        UINT nID;
        DISPID dispid;
        std::function<void(Invocation&)> handler;
    };
    std::vector<EventEntry> m_eventMap;
    // A control the template names could not be made: the dialog cannot run.
    std::string m_missingControl;
    int m_nModalResult = -1;
    bool m_bEnded = false;
    int m_nExchangeDepth = 0;
};
