// dialog-gallery DIR: renders every dialog of the plug-in in its initial state,
// off screen, to DIR/<template id>-<class>.png, framed with its caption, and
// the pictures both controls draw to DIR/control-<class>.png. The crop dialog
// is rendered a second time, on the sample picture with a polygon drawn, to
// DIR/218-CCropImageNew-polygon.png.

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apps/tintora/SamplePicture.h"
#include "control/CRastelCtrl.h"
#include "control/module/CAboutBox.h"
#include "control/module/CRastelCtrlPropPage.h"
#include "control/module/CRastelEditor.h"
#include "control/module/CRastelEditorPropPage.h"
#include "control/module/ModuleResources.h"
#include "control/module/PropertyPageWindows.h"
#include "crop/CCropImageNew.h"
#include "dialogs/CMatteFile.h"
#include "dialogs/CSavePreset.h"
#include "dialogs/TintoraDlg.h"
#include "engine/ImageLibrary.h"
#include "platform/automation/ComPtr.h"
#include "platform/files/AtomicFile.h"
#include "platform/imageview/ImageEnXClass.h"
#include "platform/imageview/ImageViewWidget.h"
#include "platform/olectl/ui/CImageDC.h"
#include "platform/prompts/Prompts.h"
#include "platform/tarsel/TarselElement.h"
#include "platform/ui/ModalDriver.h"

namespace {

std::unique_ptr<CDialog> PageWindow(COlePropertyPage* page);

struct GalleryEntry {
    const char* className;
    std::function<std::unique_ptr<CDialog>(CRastelCtrl&)> make;
    // For a second picture of a dialog: what the operator does before it is taken.
    const char* variant = nullptr;
    std::function<void(CDialog&)> work = nullptr;
};

// The crop dialog with the sample picture loaded from a data folder of its own.
std::unique_ptr<CDialog> CropOnSample(CRastelCtrl& control, const QTemporaryDir& data) {
    auto dialog = std::make_unique<CCropImageNew>();
    dialog->m_pCtrl = &control;
    dialog->m_strDataFolder = data.path().toStdString();
    return dialog;
}

// Clicks the corners of a star-like outline on the picture and closes it
// with a double click, as the operator draws a polygon.
void DrawPolygon(CDialog& dialog) {
    if (auto* polygon =
            qobject_cast<QAbstractButton*>(dialog.GetDlgItem(IDC_CROP_POLYGON)->GetWidget())) {
        polygon->click();
    }
    auto* view =
        dynamic_cast<imageview::ImageViewWidget*>(dialog.GetDlgItem(IDC_CROP_VIEW)->GetWidget());
    if (!view) return;
    const QPointF corners[] = {{80, 8},   {100, 50}, {150, 60}, {100, 74},
                               {80, 112}, {58, 74},  {10, 60},  {60, 50}};
    auto send = [&](QEvent::Type type, QPointF at) {
        const QPointF point = view->ToViewport(at);
        QMouseEvent event(type, point, view->viewport()->mapToGlobal(point), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &event);
    };
    for (const QPointF& corner : corners) {
        send(QEvent::MouseButtonPress, corner);
        send(QEvent::MouseButtonRelease, corner);
    }
    send(QEvent::MouseButtonDblClick, corners[7]);
    send(QEvent::MouseButtonRelease, corners[7]);
    // The status of a polygon shows where its box starts.
    QMouseEvent move(QEvent::MouseMove, view->ToViewport({120, 100}),
                     view->viewport()->mapToGlobal(view->ToViewport({120, 100})), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
}

std::vector<GalleryEntry> Entries(const QTemporaryDir& cropData) {
    return {
        {"TintoraDlg",
         [](CRastelCtrl& control) {
             auto dialog = std::make_unique<TintoraDlg>(&control);
             // The initial state: no presets of an earlier run.
             dialog->m_strDataFolder.clear();
             return std::unique_ptr<CDialog>(std::move(dialog));
         }},
        {"CMatteFile",
         [](CRastelCtrl& control) {
             auto dialog = std::make_unique<CMatteFile>();
             dialog->m_pCtrl = &control;
             return std::unique_ptr<CDialog>(std::move(dialog));
         }},
        {"CSavePreset", [](CRastelCtrl&) { return std::unique_ptr<CDialog>(new CSavePreset); }},
        {"CCropImageNew", [](CRastelCtrl&) { return std::unique_ptr<CDialog>(new CCropImageNew); }},
        {"CCropImageNew",
         [&cropData](CRastelCtrl& control) { return CropOnSample(control, cropData); }, "polygon",
         &DrawPolygon},
        {"CAboutBox", [](CRastelCtrl&) { return std::unique_ptr<CDialog>(new CAboutBox); }},
        {"CRastelCtrlPropPage", [](CRastelCtrl&) { return PageWindow(new CRastelCtrlPropPage); }},
        {"CRastelEditorPropPage",
         [](CRastelCtrl&) { return PageWindow(new CRastelEditorPropPage); }},
    };
}

// A property page's window, shown on its own; the page object is not needed after.
std::unique_ptr<CDialog> PageWindow(COlePropertyPage* created) {
    const auto page = ComPtr<COlePropertyPage>::Adopt(created);
    return CreatePropertyPageWindow(*page.Get());
}

// Writes the picture as a PNG file, replacing it in one step.
bool SavePng(const QImage& image, const QString& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") &&
           !files::ReplaceFile(file.toStdString(),
                               std::string_view(bytes.constData(), size_t(bytes.size())));
}

// What a control draws at its default size of 100 x 50 pixels, on a grey container.
bool WriteControlPicture(const QString& folder, const char* className, COleControl& control) {
    QImage image(104, 54, QImage::Format_ARGB32);
    image.fill(QColor(212, 208, 200));
    {
        CImageDC dc(image);
        control.DrawContent(&dc, RECT{2, 2, 102, 52});
    }
    const QString file = QDir(folder).filePath(QString("control-%1.png").arg(className));
    const bool ok = SavePng(image, file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", file.toLocal8Bit().constData());
    return ok;
}

// The client area inside a plain window frame with the caption and close box.
QImage Framed(QDialog& window) {
    const QImage client = window.grab().toImage();
    constexpr int kBorder = 3;
    constexpr int kCaption = 22;
    QImage framed(client.width() + 2 * kBorder, client.height() + kCaption + 2 * kBorder,
                  QImage::Format_ARGB32);
    framed.fill(QColor(212, 208, 200));
    QPainter painter(&framed);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
    const QRect caption(kBorder, kBorder, client.width(), kCaption - 2);
    QLinearGradient gradient(caption.topLeft(), caption.topRight());
    gradient.setColorAt(0, QColor(10, 36, 106));
    gradient.setColorAt(1, QColor(166, 202, 240));
    painter.fillRect(caption, gradient);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(caption.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     window.windowTitle());
    const QRect close(caption.right() - 17, caption.top() + 2, 16, 14);
    painter.fillRect(close, QColor(212, 208, 200));
    painter.setPen(Qt::black);
    painter.drawRect(close.adjusted(0, 0, -1, -1));
    painter.drawLine(close.left() + 4, close.top() + 3, close.right() - 4, close.bottom() - 3);
    painter.drawLine(close.left() + 4, close.bottom() - 3, close.right() - 4, close.top() + 3);
    painter.drawImage(kBorder, kBorder + kCaption, client);
    return framed;
}

// Renders each dialog as it stands when its modal run would begin, then ends it.
class GalleryDriver : public ModalDriver {
public:
    GalleryDriver(QString folder, const GalleryEntry& entry)
        : m_folder(std::move(folder)), m_entry(entry) {}

    void RunModal(CDialog& dialog) override {
        if (m_entry.work) m_entry.work(dialog);
        QString name = QString("%1-%2").arg(dialog.Template().id).arg(m_entry.className);
        if (m_entry.variant) name += QString("-") + m_entry.variant;
        const QString file = QDir(m_folder).filePath(name + ".png");
        ok = SavePng(Framed(*dialog.Window()), file);
        std::printf("%s %s\n", ok ? "wrote" : "could not write", file.toLocal8Bit().constData());
        dialog.EndDialog(IDCANCEL);
    }

    bool ok = false;

private:
    QString m_folder;
    const GalleryEntry& m_entry;
};

// Nothing is asked while rendering; anything a dialog would say goes to stderr.
class QuietPrompts : public Prompts {
public:
    int MessageBox(const std::string& text, UINT) override {
        std::fprintf(stderr, "dialog-gallery: %s\n", text.c_str());
        return IDOK;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog-gallery DIR\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    engine::SetUpImageLibrary();
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "dialog-gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    QuietPrompts prompts;
    ScopedPrompts scope(&prompts);
    // The pages' captions come from the module's string table.
    AfxSetResources(&VOKSLetRastelResources());
    CRastelCtrl control;
    // The crop dialog's view, as the module offers it.
    imageview::ImageEnXClassRegistration imageView;
    // The crop dialog's picture: the sample on a stand-in host element.
    const Picture sample = MakeSamplePicture();
    const auto image = ComPtr<tarsel::TarselImage>::Adopt(
        tarsel::TarselImage::Create(sample.width, sample.height, sample.bgra));
    const auto element =
        ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(image.Get()));
    control.m_target.Attach(ComPtr<tarsel::TarselElement>(element).Detach());
    QTemporaryDir cropData;
    bool allWritten = cropData.isValid();
    for (const GalleryEntry& entry : Entries(cropData)) {
        GalleryDriver driver(folder, entry);
        ScopedModalDriver scope(&driver);
        entry.make(control)->DoModal();
        allWritten = allWritten && driver.ok;
    }
    const auto editor = ComPtr<CRastelEditor>::Adopt(new CRastelEditor());
    allWritten = WriteControlPicture(folder, "CRastelCtrl", control) && allWritten;
    allWritten = WriteControlPicture(folder, "CRastelEditor", *editor.Get()) && allWritten;
    control.m_target.ReleaseDispatch();
    return allWritten ? 0 : 1;
}
