#pragma once
// The matte dialog: a matte image file laid over the picture at an offset,
// tried from the picture as it was when the dialog opened, kept with OK and
// taken back with Cancel.

#include <string>

#include "control/CRastelCtrl.h"
#include "dialogs/Resource.h"
#include "platform/ui/CDialog.h"

class CMatteFile : public CDialog {
public:
    enum { IDD = IDD_MATTE_FILE };

    explicit CMatteFile(CWnd* pParent = nullptr);
    ~CMatteFile() override;

    CRastelCtrl* m_pCtrl = nullptr;
    std::string m_strFile;
    BOOL m_bInverse = FALSE;
    UINT m_nXOffset = 0;
    UINT m_nYOffset = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnBrowse();
    void OnCreate();
};
