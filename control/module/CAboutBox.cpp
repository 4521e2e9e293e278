#include "control/module/CAboutBox.h"

#include <QLabel>
#include <QPixmap>

#include "control/module/AboutLabels.h"
#include "control/module/ModuleBitmaps.h"
#include "platform/com/Module.h"
#include "platform/olectl/AfxModule.h"
#include "platform/ui/CustomControls.h"

namespace {

constexpr const char* kPictureClass = "TintoraAboutPicture";

// A picture item sizes itself to its bitmap, whatever its template says.
QWidget* CreatePicture(QWidget* parent) {
    const ModuleBitmap bitmap = LoadModuleBitmap(IDB_ABOUT);
    QImage image(bitmap.bgr.data(), bitmap.width, bitmap.height, bitmap.width * 3,
                 QImage::Format_BGR888);
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(image.copy()));
    label->setFixedSize(bitmap.width, bitmap.height);
    return label;
}

}  // namespace

DialogTemplate AboutBoxTemplate() {
    DialogTemplate t;
    t.id = IDD_ABOUTBOX_RASTEL;
    t.caption = "About Tintora";
    t.cx = 208;
    t.cy = 84;
    t.items = {
        rc::Custom(kPictureClass, rc::kNoId, 10, 10, 67, 66),
        rc::LText("Tintora", IDC_ABOUT_PRODUCT, 92, 25, 93, 8),
        rc::LText("", IDC_ABOUT_COPYRIGHT, 92, 39, 93, 8),
        rc::LText("Made by Pellux", rc::kNoId, 92, 53, 93, 8),
    };
    return t;
}

CAboutBox::CAboutBox(CWnd* pParent) : CDialog(AboutBoxTemplate(), pParent) {
    RegisterCustomControl(kPictureClass, &CreatePicture);
}

BOOL CAboutBox::OnInitDialog() {
    CDialog::OnInitDialog();
    char path[MAX_PATH] = {};
    GetModuleFileName(AfxGetInstanceHandle(), path, MAX_PATH);
    const AboutLabels labels = ReadAboutLabels(path);
    SetDlgItemText(IDC_ABOUT_PRODUCT, labels.product);
    SetDlgItemText(IDC_ABOUT_COPYRIGHT, labels.copyright);
    return TRUE;
}
