#include "apps/tarsel-host/HostWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>

#include "apps/tarsel-host/CanvasView.h"
#include "apps/tarsel-host/HostPictures.h"
#include "apps/tarsel-host/PluginList.h"
#include "apps/tarsel-host/PropertyPanel.h"
#include "platform/ui/OwnerWindow.h"

namespace tarsel_host {

namespace {

const QString kPictureFilter = "Pictures (*.png *.tga *.jpg *.jpeg *.bmp *.tif *.tiff)";
const QString kSceneFilter = "Scenes (*.tscene)";
// Pictures added without a place of their own are stacked this far apart.
constexpr int kCascade = 24;

QString MenuText(const QString& text) { return QString(text).remove('&'); }

std::string BaseName(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
}

}  // namespace

HostWindow::HostWindow()
    : m_plugins(m_scene.Application(), [this](const std::string& text) { ShowMessage(text); }) {
    setWindowTitle("Tarsel");
    m_canvas = new CanvasView(m_scene, this);
    setCentralWidget(m_canvas);

    m_panel = new PropertyPanel(m_plugins, this);
    auto* dock = new QDockWidget("Properties", this);
    dock->setObjectName("properties");
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setWidget(m_panel);
    addDockWidget(Qt::RightDockWidgetArea, dock);

    m_selectionLabel = new QLabel(this);
    m_pointerLabel = new QLabel(this);
    statusBar()->addWidget(m_selectionLabel, 1);
    statusBar()->addPermanentWidget(m_pointerLabel);

    m_scene.onChanged = [this] { SceneChanged(); };
    m_scene.onSelectionChanged = [this] { SelectionChanged(); };
    m_canvas->onPointerMoved = [this](std::optional<QPoint> point) { ShowPointer(point); };
    m_canvas->onFilesDropped = [this](const QStringList& paths, QPoint centre) {
        AddDroppedPictures(paths, centre);
    };
    m_panel->onEdit = [this](const PluginEditor& editor) {
        if (SceneItem* item = m_scene.Selected()) {
            if (std::string error = OpenEditor(*item, editor.pluginName); !error.empty()) {
                ShowMessage(error);
            }
        }
    };

    BuildMenus();
    SelectionChanged();
    ShowPointer(std::nullopt);
    resize(1180, 760);
    // Plug-in dialogs opened without a parent belong to this window.
    SetApplicationOwnerWindow(this);
}

HostWindow::~HostWindow() {
    SetApplicationOwnerWindow(nullptr);
    m_plugins.UnloadAll();
}

void HostWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Add Picture...", QKeySequence("Ctrl+I"), this, &HostWindow::AddPictureDialog);
    file->addAction("&Open Scene...", QKeySequence::Open, this, &HostWindow::OpenSceneDialog);
    file->addAction("&Save Scene...", QKeySequence::Save, this, &HostWindow::SaveSceneDialog);
    file->addSeparator();
    file->addAction("Save &Picture...", this, &HostWindow::SavePictureDialog);
    file->addAction("&Export Frame...", QKeySequence("Ctrl+E"), this,
                    &HostWindow::ExportFrameDialog);
    file->addSeparator();
    file->addAction("&Quit", QKeySequence::Quit, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu("&View");
    auto* zoom = new QActionGroup(this);
    QAction* fit = view->addAction("Zoom to &Fit", QKeySequence("Ctrl+0"), this,
                                   [this] { m_canvas->SetZoom(CanvasView::Zoom::Fit); });
    QAction* actual = view->addAction("&Actual Size (1:1)", QKeySequence("Ctrl+1"), this,
                                      [this] { m_canvas->SetZoom(CanvasView::Zoom::Actual); });
    for (QAction* action : {fit, actual}) {
        action->setCheckable(true);
        zoom->addAction(action);
    }
    fit->setChecked(true);
    view->addSeparator();
    QAction* guides =
        view->addAction("&Safe-Title Guides", this, [this](bool on) { m_canvas->ShowGuides(on); });
    guides->setCheckable(true);
    guides->setChecked(m_canvas->GuidesShown());

    m_toolsMenu = menuBar()->addMenu("&Tools");
    m_helpMenu = menuBar()->addMenu("&Help");
    m_helpMenu->addAction("&About Tarsel...", this, &HostWindow::About);
    AddPluginMenuItems();
}

QMenu* HostWindow::MenuAt(const QStringList& path) {
    QMenu* menu = nullptr;
    for (const QString& name : path) {
        const QList<QAction*> actions = menu ? menu->actions() : menuBar()->actions();
        QMenu* found = nullptr;
        for (QAction* action : actions) {
            if (action->menu() && MenuText(action->text()) == name) found = action->menu();
        }
        if (!found) {
            if (menu) {
                found = menu->addMenu(name);
            } else {
                // New top-level menus go before Help.
                found = new QMenu(name, menuBar());
                menuBar()->insertMenu(m_helpMenu->menuAction(), found);
            }
        }
        menu = found;
    }
    return menu;
}

void HostWindow::AddPluginMenuItems() {
    for (QAction* action : m_toolsMenu->actions()) {
        if (action->property("pluginItem").toBool() || !action->isEnabled()) {
            m_toolsMenu->removeAction(action);
            action->deleteLater();
        }
    }
    for (size_t i = 0; i < m_plugins.MenuItems().size(); ++i) {
        const PluginMenuItem& item = m_plugins.MenuItems()[i];
        QStringList path = QString::fromStdString(item.menuPath).split('|', Qt::SkipEmptyParts);
        if (path.isEmpty()) path << "Tools";
        QAction* action = MenuAt(path)->addAction(QString::fromStdString(item.pluginName));
        action->setProperty("pluginItem", true);
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < m_plugins.MenuItems().size()) m_plugins.Pick(m_plugins.MenuItems()[i]);
        });
    }
    if (m_toolsMenu->actions().isEmpty())
        m_toolsMenu->addAction("(no plug-ins)")->setEnabled(false);
}

void HostWindow::Start(const HostOptions& options) {
    for (const std::string& progId : ReadPluginList()) m_plugins.Load(progId);
    // A plug-in named on the command line joins the list once it has loaded.
    for (const std::string& progId : options.plugins) {
        if (m_plugins.Load(progId) && !AddToPluginList(progId)) {
            ShowMessage("The plug-in " + progId + " could not be added to the plug-in list.");
        }
    }
    AddPluginMenuItems();
    SelectionChanged();

    if (!options.scene.empty()) {
        if (std::string error = OpenScene(options.scene); !error.empty()) ShowMessage(error);
    }
    const QSize frame = m_scene.FrameSize();
    for (size_t i = 0; i < options.pictures.size(); ++i) {
        const QPoint place(frame.width() / 8 + int(i) * kCascade,
                           frame.height() / 8 + int(i) * kCascade);
        if (std::string error = AddPicture(options.pictures[i], place); !error.empty()) {
            ShowMessage(error);
        }
    }
    m_started = true;
}

std::string HostWindow::AddPicture(const std::string& path, QPoint topLeft,
                                   const std::string& name) {
    std::string error;
    auto picture = ReadPictureFile(path, error);
    if (!picture) return "Cannot add the picture: " + error + ".";
    m_scene.Add(name.empty() ? BaseName(path) : name, topLeft, std::move(*picture));
    return {};
}

void HostWindow::AddDroppedPictures(const QStringList& paths, QPoint centre) {
    for (qsizetype i = 0; i < paths.size(); ++i) {
        std::string error;
        const std::string path = paths[i].toStdString();
        auto picture = ReadPictureFile(path, error);
        if (!picture) {
            ShowMessage("Cannot add the picture: " + error + ".");
            continue;
        }
        const QPoint place = centre - QPoint(picture->width / 2, picture->height / 2) +
                             QPoint(int(i) * kCascade, int(i) * kCascade);
        m_scene.Select(&m_scene.Add(BaseName(path), place, std::move(*picture)));
    }
}

std::string HostWindow::SavePicture(const SceneItem& item, const std::string& path) {
    if (std::string error = WritePictureFile(path, item.CurrentPicture()); !error.empty()) {
        return "Cannot save the picture: " + error + ".";
    }
    return {};
}

QImage HostWindow::RenderFrame() const {
    QImage frame(m_scene.FrameSize(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    for (const auto& item : m_scene.Items()) {
        const QImage& image = item->Image();
        if (!image.isNull()) painter.drawImage(item->Position(), image);
    }
    painter.end();
    return frame.convertToFormat(QImage::Format_ARGB32);
}

std::string HostWindow::ExportFrame(const std::string& path) {
    if (QFileInfo(QString::fromStdString(path)).suffix().toLower() != "png") {
        return "Cannot export the frame: it is exported as PNG, not as " + path + ".";
    }
    if (std::string error = WriteImagePng(RenderFrame(), path); !error.empty()) {
        return "Cannot export the frame: " + error + ".";
    }
    return {};
}

std::string HostWindow::OpenScene(const std::string& path) {
    std::string error;
    auto contents = ReadSceneFile(path, error);
    // A scene that cannot be read leaves the open one as it was.
    if (!contents) return error;
    m_scene.Replace(std::move(*contents));
    m_scenePath = path;
    UpdateTitle();
    return {};
}

std::string HostWindow::SaveScene(const std::string& path) {
    if (std::string error = WriteSceneFile(path, m_scene.Contents()); !error.empty()) {
        return "Cannot save the scene: " + error + ".";
    }
    m_scenePath = path;
    UpdateTitle();
    return {};
}

std::string HostWindow::PickMenu(const std::string& path) {
    const QStringList parts = QString::fromStdString(path).split('|');
    QList<QAction*> actions = menuBar()->actions();
    QAction* found = nullptr;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        found = nullptr;
        for (QAction* action : actions) {
            if (!action->isSeparator() && MenuText(action->text()) == parts[i]) found = action;
        }
        if (!found) return "There is no menu item " + path + ".";
        if (i + 1 < parts.size()) {
            if (!found->menu()) return "There is no menu item " + path + ".";
            actions = found->menu()->actions();
        }
    }
    if (!found || found->menu()) return "There is no menu item " + path + ".";
    if (!found->isEnabled()) return "The menu item " + path + " is disabled.";
    found->trigger();
    return {};
}

std::string HostWindow::OpenEditor(SceneItem& item, const std::string& pluginName) {
    const PluginEditor* editor = m_plugins.EditorFor(pluginName, kClass2DObject);
    if (!editor) return "No plug-in property editor of " + pluginName + " is registered.";
    const PluginEditor chosen = *editor;
    m_plugins.Edit(chosen, item.Element());
    return {};
}

void HostWindow::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "Tarsel", QString::fromStdString(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void HostWindow::SceneChanged() {
    m_canvas->SceneChanged();
    m_panel->Refresh(m_scene.Selected());
    ShowSelection();
}

void HostWindow::SelectionChanged() {
    m_panel->Show(m_scene.Selected());
    ShowSelection();
}

void HostWindow::ShowSelection() {
    const SceneItem* item = m_scene.Selected();
    if (item != nullptr) {
        m_selectionLabel->setText(QString("%1: %2 x %3 pixels")
                                      .arg(QString::fromStdString(item->Name()))
                                      .arg(item->Size().width())
                                      .arg(item->Size().height()));
    } else {
        m_selectionLabel->setText(m_scene.Items().empty() ? "Add a picture with File > Add Picture"
                                                          : "No object selected");
    }
}

void HostWindow::ShowPointer(std::optional<QPoint> framePoint) {
    m_pointerLabel->setText(framePoint
                                ? QString("x %1, y %2").arg(framePoint->x()).arg(framePoint->y())
                                : QString("x -, y -"));
}

void HostWindow::UpdateTitle() {
    setWindowTitle(m_scenePath.empty()
                       ? QString("Tarsel")
                       : QString("%1 - Tarsel")
                             .arg(QFileInfo(QString::fromStdString(m_scenePath)).fileName()));
}

void HostWindow::AddPictureDialog() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, "Add Picture", QString(), kPictureFilter);
    const QSize frame = m_scene.FrameSize();
    AddDroppedPictures(paths, QPoint(frame.width() / 2, frame.height() / 2) +
                                  QPoint(int(m_scene.Items().size() % 8) * kCascade,
                                         int(m_scene.Items().size() % 8) * kCascade));
}

void HostWindow::OpenSceneDialog() {
    const QString path = QFileDialog::getOpenFileName(this, "Open Scene", QString(), kSceneFilter);
    if (path.isEmpty()) return;
    if (std::string error = OpenScene(path.toStdString()); !error.empty()) ShowMessage(error);
}

void HostWindow::SaveSceneDialog() {
    QString path = QFileDialog::getSaveFileName(this, "Save Scene",
                                                QString::fromStdString(m_scenePath), kSceneFilter);
    if (path.isEmpty()) return;
    if (!path.endsWith(".tscene")) path += ".tscene";
    if (std::string error = SaveScene(path.toStdString()); !error.empty()) ShowMessage(error);
}

void HostWindow::SavePictureDialog() {
    const SceneItem* item = m_scene.Selected();
    if (!item) {
        ShowMessage("Select the object whose picture is to be saved.");
        return;
    }
    QString path = QFileDialog::getSaveFileName(this, "Save Picture",
                                                QString::fromStdString(item->Name() + ".png"),
                                                "PNG pictures (*.png);;TGA pictures (*.tga)");
    if (path.isEmpty()) return;
    if (std::string error = SavePicture(*item, path.toStdString()); !error.empty()) {
        ShowMessage(error);
    }
}

void HostWindow::ExportFrameDialog() {
    QString path =
        QFileDialog::getSaveFileName(this, "Export Frame", "frame.png", "PNG pictures (*.png)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".png", Qt::CaseInsensitive)) path += ".png";
    if (std::string error = ExportFrame(path.toStdString()); !error.empty()) ShowMessage(error);
}

void HostWindow::About() {
    QString plugins;
    for (const std::string& progId : m_plugins.Loaded()) {
        plugins += "<br>" + QString::fromStdString(progId).toHtmlEscaped();
    }
    if (plugins.isEmpty()) plugins = "<br>none";
    QMessageBox::about(
        this, "About Tarsel",
        QString("<b>Tarsel</b> (stand-in host)<p>A canvas with a scene of 2D objects for "
                "building and trying Tarsel plug-ins, which it loads through the class registry "
                "and drives through automation.</p><p>Frame: %1 x %2<br>Plug-ins loaded:%3</p>"
                "<p>Scripts and the scene file are described in the README.</p>")
            .arg(m_scene.FrameSize().width())
            .arg(m_scene.FrameSize().height())
            .arg(plugins));
}

}  // namespace tarsel_host
