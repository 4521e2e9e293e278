#pragma once
// Picture files of the host. Every read and write of a picture file goes
// through here, to the same reader and writer as the command line.

#include <QImage>
#include <optional>
#include <string>

#include "apps/tintora/PictureFiles.h"

namespace tarsel_host {

// Whether the host adds pictures of this kind: PNG, TGA, JPEG, BMP or TIFF.
bool IsReadablePicture(const std::string& path);
// Whether a picture can be saved under this name: PNG or TGA.
bool IsWritablePicture(const std::string& path);

// Reads an image file upright into a picture (bottom row first); on failure
// nothing, with a message for the operator in error.
std::optional<Picture> ReadPictureFile(const std::string& path, std::string& error);
// Writes the picture as PNG or TGA (by the name's extension), upright, with its
// alpha, replacing the file in one step. Returns a message, or "" on success.
std::string WritePictureFile(const std::string& path, const Picture& picture);

// Writes a Qt image (a screenshot, the exported frame) as PNG in one step.
// Returns a message, or "" on success.
std::string WriteImagePng(const QImage& image, const std::string& path);

}  // namespace tarsel_host
