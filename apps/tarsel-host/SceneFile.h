#pragma once
// The host's scene file: the frame size and each 2D object's name, position
// and picture, bottom object first. A UTF-8 JSON document:
//
//   { "format": "tarsel-scene", "version": 1,
//     "frame": { "width": 1920, "height": 1080 },
//     "objects": [ { "name": "sample", "x": 100, "y": 80,
//                    "width": 160, "height": 120, "pixels": "..." } ] }
//
// x and y place the picture's top-left corner in the frame, y counted down
// from the frame's top. "pixels" is base64 of a zlib stream (preceded by its
// unpacked length as 4 bytes, most significant first) of the picture's
// width x height x 4 bytes: B, G, R, A, straight alpha, rows packed, bottom
// row first. A reader refuses a newer version.

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

#include "apps/tintora/PictureFiles.h"

namespace tarsel_host {

struct SceneFileObject {
    std::string name;
    int x = 0;
    int y = 0;
    Picture picture;
};

struct SceneFileContents {
    int frameWidth = 1920;
    int frameHeight = 1080;
    std::vector<SceneFileObject> objects;
};

constexpr int kSceneFileVersion = 1;
// Frames and positions beyond this are refused as corrupt.
constexpr int kMaxFrameSide = 16384;

QByteArray EncodeScene(const SceneFileContents& scene);
// On failure nothing, with the reason in error.
std::optional<SceneFileContents> DecodeScene(const QByteArray& bytes, std::string& error);

// Writes the scene in one step; returns a message, or "" on success.
std::string WriteSceneFile(const std::string& path, const SceneFileContents& scene);
// On failure nothing, with a message for the operator in error.
std::optional<SceneFileContents> ReadSceneFile(const std::string& path, std::string& error);

}  // namespace tarsel_host
