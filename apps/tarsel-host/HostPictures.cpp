#include "apps/tarsel-host/HostPictures.h"

#include <QBuffer>
#include <QFileInfo>

#include "platform/files/AtomicFile.h"

namespace tarsel_host {

namespace {

std::string Extension(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
}

}  // namespace

bool IsReadablePicture(const std::string& path) {
    const std::string ext = Extension(path);
    for (const char* known : {"png", "tga", "jpg", "jpeg", "bmp", "tif", "tiff"}) {
        if (ext == known) return true;
    }
    return false;
}

bool IsWritablePicture(const std::string& path) {
    const std::string ext = Extension(path);
    return ext == "png" || ext == "tga";
}

std::optional<Picture> ReadPictureFile(const std::string& path, std::string& error) {
    if (!IsReadablePicture(path)) {
        error = path + " is not a picture file (PNG, TGA, JPEG, BMP or TIFF)";
        return std::nullopt;
    }
    engine::Result<Picture> read = ReadPicture(path, std::nullopt);
    if (!read) {
        error = read.Error();
        return std::nullopt;
    }
    return std::move(read).Value();
}

std::string WritePictureFile(const std::string& path, const Picture& picture) {
    if (!IsWritablePicture(path)) return "pictures are saved as PNG or TGA, not as " + path;
    if (picture.width <= 0 || picture.height <= 0) return "the picture is empty";
    const engine::Result<> written = WritePicture(path, picture);
    return written ? std::string() : written.Error();
}

std::string WriteImagePng(const QImage& image, const std::string& path) {
    if (image.isNull()) return "there is no picture to write to " + path;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return "cannot encode the picture for " + path;
    const std::error_code written =
        files::ReplaceFile(path, std::string_view(bytes.constData(), size_t(bytes.size())));
    return written ? files::WriteErrorText(path, written) : std::string();
}

}  // namespace tarsel_host
