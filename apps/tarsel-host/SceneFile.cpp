#include "apps/tarsel-host/SceneFile.h"

#include "engine/PictureFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include "platform/files/AtomicFile.h"
#include "platform/files/WholeFile.h"

namespace tarsel_host {

namespace {

constexpr char kFormat[] = "tarsel-scene";

bool ReadInt(const QJsonObject& object, const char* key, int lowest, int highest, int& value) {
    const QJsonValue field = object.value(key);
    if (!field.isDouble()) return false;
    const double number = field.toDouble();
    if (number != double(int64_t(number)) || number < lowest || number > highest) return false;
    value = int(number);
    return true;
}

// The picture's bytes, checked against its size before anything is unpacked.
bool ReadPixels(const QJsonObject& object, Picture& picture, std::string& error) {
    const int maxSide = int(engine::CurrentPictureLimits().maxSide);
    if (!ReadInt(object, "width", 1, maxSide, picture.width) ||
        !ReadInt(object, "height", 1, maxSide, picture.height) ||
        !engine::PictureSizeAllowed(picture.width, picture.height)) {
        error = "a picture's size is missing or out of range";
        return false;
    }
    const QByteArray packed = QByteArray::fromBase64(object.value("pixels").toString().toLatin1());
    const qsizetype expected = qsizetype(picture.width) * picture.height * 4;
    if (packed.size() < 4 || qFromBigEndian<quint32>(packed.constData()) != quint32(expected)) {
        error = "a picture's pixels do not match its size";
        return false;
    }
    const QByteArray bytes = qUncompress(packed);
    if (bytes.size() != expected) {
        error = "a picture's pixels are damaged";
        return false;
    }
    picture.bgra.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace

QByteArray EncodeScene(const SceneFileContents& scene) {
    QJsonArray objects;
    for (const SceneFileObject& each : scene.objects) {
        const QByteArray bytes(reinterpret_cast<const char*>(each.picture.bgra.data()),
                               qsizetype(each.picture.bgra.size()));
        objects.append(QJsonObject{
            {"name", QString::fromStdString(each.name)},
            {"x", each.x},
            {"y", each.y},
            {"width", each.picture.width},
            {"height", each.picture.height},
            {"pixels", QString::fromLatin1(qCompress(bytes).toBase64())},
        });
    }
    const QJsonObject root{
        {"format", kFormat},
        {"version", kSceneFileVersion},
        {"frame", QJsonObject{{"width", scene.frameWidth}, {"height", scene.frameHeight}}},
        {"objects", objects},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<SceneFileContents> DecodeScene(const QByteArray& bytes, std::string& error) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    const QJsonObject root = document.object();
    if (parse.error != QJsonParseError::NoError || root.value("format").toString() != kFormat) {
        error = "it is not a scene file";
        return std::nullopt;
    }
    int version = 0;
    if (!ReadInt(root, "version", 1, INT32_MAX, version)) {
        error = "it has no valid version";
        return std::nullopt;
    }
    if (version > kSceneFileVersion) {
        error = "it was written by a newer version (" + std::to_string(version) + ")";
        return std::nullopt;
    }
    SceneFileContents scene;
    const QJsonObject frame = root.value("frame").toObject();
    if (!ReadInt(frame, "width", 1, kMaxFrameSide, scene.frameWidth) ||
        !ReadInt(frame, "height", 1, kMaxFrameSide, scene.frameHeight)) {
        error = "its frame size is missing or out of range";
        return std::nullopt;
    }
    if (!root.value("objects").isArray()) {
        error = "it has no list of objects";
        return std::nullopt;
    }
    for (const QJsonValue& value : root.value("objects").toArray()) {
        const QJsonObject object = value.toObject();
        SceneFileObject each;
        each.name = object.value("name").toString().toStdString();
        if (each.name.empty() || !ReadInt(object, "x", -kMaxFrameSide, kMaxFrameSide, each.x) ||
            !ReadInt(object, "y", -kMaxFrameSide, kMaxFrameSide, each.y)) {
            error = "an object has no name or position";
            return std::nullopt;
        }
        if (!ReadPixels(object, each.picture, error)) return std::nullopt;
        scene.objects.push_back(std::move(each));
    }
    return scene;
}

std::string WriteSceneFile(const std::string& path, const SceneFileContents& scene) {
    const QByteArray bytes = EncodeScene(scene);
    const std::error_code written =
        files::ReplaceFile(path, std::string_view(bytes.constData(), size_t(bytes.size())));
    return written ? files::WriteErrorText(path, written) : std::string();
}

std::optional<SceneFileContents> ReadSceneFile(const std::string& path, std::string& error) {
    // A scene holds at most a few full-frame pictures; anything far larger is no scene.
    constexpr uint64_t kMaxSceneBytes = uint64_t(1) << 31;
    const files::WholeFile file = files::ReadWholeFile(path, kMaxSceneBytes);
    if (file.problem == files::ReadProblem::Missing) {
        error = "Cannot open the scene " + path + ": there is no such file.";
        return std::nullopt;
    }
    if (!file) {
        error = "Cannot open the scene " + path + ": it cannot be read.";
        return std::nullopt;
    }
    std::string reason;
    auto scene = DecodeScene(QByteArray(file.bytes.data(), qsizetype(file.bytes.size())), reason);
    if (!scene) error = "Cannot open the scene " + path + ": " + reason + ".";
    return scene;
}

}  // namespace tarsel_host
