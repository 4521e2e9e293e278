// The scene file: what is written reads back the same, and every damaged file
// is refused with its reason (a missing one where the window opens it).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <tuple>

#include "apps/tarsel-host/SceneFile.h"
#include "tests/support/RandomPictures.h"
#include "tests/support/TempDir.h"

using namespace tarsel_host;

namespace {

// Two objects of random pictures, one partly left of the frame, one at its corner.
SceneFileContents TwoObjects() {
    std::mt19937 rng(1);
    SceneFileContents scene{720, 576, {}};
    scene.objects.push_back({"back", -12, 30, {5, 3, RandomPicture(rng, 5, 3)}});
    scene.objects.push_back({"front title", 700, 560, {2, 7, RandomPicture(rng, 2, 7)}});
    return scene;
}

bool Same(const SceneFileContents& a, const SceneFileContents& b) {
    const auto fields = [](const auto& o) {
        return std::tie(o.name, o.x, o.y, o.picture.width, o.picture.height, o.picture.bgra);
    };
    return a.frameWidth == b.frameWidth && a.frameHeight == b.frameHeight &&
           std::equal(a.objects.begin(), a.objects.end(), b.objects.begin(), b.objects.end(),
                      [&](const auto& x, const auto& y) { return fields(x) == fields(y); });
}

QByteArray Edited(const std::function<void(QJsonObject&)>& edit) {
    QJsonObject root = QJsonDocument::fromJson(EncodeScene(TwoObjects())).object();
    edit(root);
    return QJsonDocument(root).toJson();
}

// The scene with its first object edited.
QByteArray EditedObject(const std::function<void(QJsonObject&)>& edit) {
    return Edited([&](QJsonObject& root) {
        QJsonArray objects = root["objects"].toArray();
        QJsonObject first = objects[0].toObject();
        edit(first);
        objects[0] = first;
        root["objects"] = objects;
    });
}

}  // namespace

TEST(SceneFile, WhatIsWrittenReadsBackTheSame) {
    TempDir dir;
    const std::string path = dir.File("scene.tscene");
    ASSERT_EQ(WriteSceneFile(path, TwoObjects()), "");
    std::string error;
    const auto read = ReadSceneFile(path, error);
    ASSERT_TRUE(read) << error;
    EXPECT_TRUE(Same(*read, TwoObjects()));
    // An empty scene too.
    ASSERT_EQ(WriteSceneFile(path, SceneFileContents{}), "");
    const auto empty = ReadSceneFile(path, error);
    ASSERT_TRUE(empty);
    EXPECT_EQ((std::tuple{empty->objects.size(), empty->frameWidth}), (std::tuple{0u, 1920}));
}

TEST(SceneFile, DamagedFilesAreRefusedWithTheirReason) {
    const QByteArray packed = qCompress(QByteArray(5 * 3 * 4, 'x'));
    // clang-format off
    const struct { const char* name; QByteArray bytes; std::string reason; } cases[] = {
        {"not JSON", "PNG\x89 garbage", "it is not a scene file"},
        {"another format", Edited([](QJsonObject& r) { r["format"] = "tarsel-picture"; }),
         "it is not a scene file"},
        {"no version", Edited([](QJsonObject& r) { r.remove("version"); }),
         "it has no valid version"},
        {"newer version", Edited([](QJsonObject& r) { r["version"] = 2; }),
         "it was written by a newer version (2)"},
        {"absurd frame", Edited([](QJsonObject& r) {
             r["frame"] = QJsonObject{{"width", 1e9}, {"height", 9}};
         }),
         "its frame size is missing or out of range"},
        {"no objects", Edited([](QJsonObject& r) { r["objects"] = 3; }),
         "it has no list of objects"},
        {"nameless object", EditedObject([](QJsonObject& o) { o["name"] = ""; }),
         "an object has no name or position"},
        {"fractional position", EditedObject([](QJsonObject& o) { o["x"] = 1.5; }),
         "an object has no name or position"},
        {"absurd picture size", EditedObject([](QJsonObject& o) { o["width"] = 100000; }),
         "a picture's size is missing or out of range"},
        {"pixels of another size", EditedObject([](QJsonObject& o) { o["height"] = 4; }),
         "a picture's pixels do not match its size"},
        {"damaged pixels", EditedObject([&](QJsonObject& o) {
             QByteArray broken = packed;
             broken[broken.size() / 2] = char(broken[broken.size() / 2] ^ 0x55);
             broken.chop(3);
             o["pixels"] = QString::fromLatin1(broken.toBase64());
         }), "a picture's pixels are damaged"}};
    // clang-format on
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(DecodeScene(c.bytes, error)) << c.name;
        EXPECT_EQ(error, c.reason) << c.name;
    }
}
