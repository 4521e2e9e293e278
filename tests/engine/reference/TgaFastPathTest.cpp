// TGA files read directly, from their bytes and straight from the file, against
// the same files read through the image library, byte for byte; files cut
// short fail with the library's error.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/PictureFile.h"
#include "engine/TgaFile.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/support/AllocationGuards.h"
#include "tests/support/TempDir.h"

namespace {

enum class Pixels { Gray, Bgr, Bgra };

struct TgaKind {
    Pixels pixels;
    bool rle;
    bool topFirst;
};

// BGRA, file row order.
using FilePicture = differential::Picture;

int BytesPerPixel(Pixels pixels) {
    return pixels == Pixels::Gray ? 1 : pixels == Pixels::Bgr ? 3 : 4;
}

// Runs of equal pixels and stretches of random ones, so that an encoded file
// holds both kinds of packet, some of them running on into the next row.
FilePicture MakeFilePicture(std::mt19937& rng, int32_t width, int32_t height, bool zeroAlpha) {
    FilePicture picture{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4)};
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(1, 300);
    size_t i = 0;
    while (i < picture.bytes.size()) {
        const bool run = byte(rng) % 2 == 0;
        const size_t n = std::min(size_t(length(rng)), (picture.bytes.size() - i) / 4);
        uint8_t px[4];
        for (uint8_t& c : px) c = uint8_t(byte(rng));
        for (size_t k = 0; k < n; ++k, i += 4) {
            if (!run) {
                for (uint8_t& c : px) c = uint8_t(byte(rng));
            }
            for (int c = 0; c < 4; ++c) picture.bytes[i + size_t(c)] = px[c];
            if (zeroAlpha) picture.bytes[i + 3] = 0;
        }
    }
    return picture;
}

std::vector<uint8_t> FilePixel(const uint8_t* bgra, Pixels pixels) {
    switch (pixels) {
        case Pixels::Gray: return {bgra[0]};
        case Pixels::Bgr: return {bgra[0], bgra[1], bgra[2]};
        default: return {bgra[0], bgra[1], bgra[2], bgra[3]};
    }
}

// The pixels' stream in packets of up to 128 pixels, across rows.
void AppendRle(std::string& out, const FilePicture& picture, Pixels pixels) {
    std::vector<std::vector<uint8_t>> stream;
    for (size_t i = 0; i < picture.bytes.size(); i += 4)
        stream.push_back(FilePixel(&picture.bytes[i], pixels));
    size_t i = 0;
    while (i < stream.size()) {
        size_t same = 1;
        while (i + same < stream.size() && same < 128 && stream[i + same] == stream[i]) ++same;
        if (same >= 2) {
            out += char(0x80 | (same - 1));
            out.append(stream[i].begin(), stream[i].end());
            i += same;
            continue;
        }
        size_t raw = 1;
        while (i + raw < stream.size() && raw < 128 &&
               !(i + raw + 1 < stream.size() && stream[i + raw] == stream[i + raw + 1])) {
            ++raw;
        }
        out += char(raw - 1);
        for (size_t k = 0; k < raw; ++k) out.append(stream[i + k].begin(), stream[i + k].end());
        i += raw;
    }
}

std::string EncodeTga(const FilePicture& picture, const TgaKind& kind, const std::string& id) {
    const bool gray = kind.pixels == Pixels::Gray;
    const uint8_t type = uint8_t((gray ? 3 : 2) + (kind.rle ? 8 : 0));
    const int bits = BytesPerPixel(kind.pixels) * 8;
    const uint8_t descriptor =
        uint8_t((kind.pixels == Pixels::Bgra ? 8 : 0) | (kind.topFirst ? 0x20 : 0));
    // Identification length, no colour map, type, no colour map spec, origin 0,
    // width, height, bits, descriptor.
    std::string out(18, '\0');
    out[0] = char(id.size()), out[2] = char(type);
    out[12] = char(picture.width & 0xFF), out[13] = char(picture.width >> 8);
    out[14] = char(picture.height & 0xFF), out[15] = char(picture.height >> 8);
    out[16] = char(bits), out[17] = char(descriptor);
    out += id;
    if (kind.rle) {
        AppendRle(out, picture, kind.pixels);
    } else {
        for (size_t i = 0; i < picture.bytes.size(); i += 4) {
            const std::vector<uint8_t> px = FilePixel(&picture.bytes[i], kind.pixels);
            out.append(px.begin(), px.end());
        }
    }
    return out;
}

std::string KindName(const TgaKind& kind) {
    const char* pixels[] = {"gray", "BGR", "BGRA"};
    return std::string(pixels[int(kind.pixels)]) + (kind.rle ? " RLE" : "") +
           (kind.topFirst ? " top first" : " bottom first");
}

// A pass that shows whether it was done to every byte once: done twice, it
// undoes itself.
void Flip(uint8_t* pixels, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) pixels[i] ^= uint8_t(0x5A + i % 4);
}

// Every route gives the same outcome: the same pixels, or the same error.
// Files of rows read piece by piece are finished piece by piece.
void ExpectSameAsLibrary(const std::string& bytes, const std::string& what) {
    engine::Result<engine::Raster> library = engine::DecodePictureWithLibrary(bytes, "TGA");
    EXPECT_TRUE(differential::SameResult(library, engine::DecodePicture(bytes, "TGA"))) << what;
    TempDir dir;
    const std::string path = dir.File("picture.tga");
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_TRUE(differential::SameResult(library, engine::ReadPictureFile(path))) << what;
    if (library) Flip(library.Value().Data(), library.Value().ByteSize());
    EXPECT_TRUE(differential::SameResult(library, engine::ReadPictureFile(path, Flip))) << what;
}

std::vector<TgaKind> AllKinds() {
    std::vector<TgaKind> kinds;
    for (Pixels pixels : {Pixels::Gray, Pixels::Bgr, Pixels::Bgra}) {
        for (bool rle : {false, true}) {
            for (bool topFirst : {false, true}) kinds.push_back({pixels, rle, topFirst});
        }
    }
    return kinds;
}

TEST(TgaFastPath, ReadsEveryKindItTakesAsTheLibraryDoes) {
    std::mt19937 rng(4711);
    // Files of many rows are read in pieces, the last one short: of rows
    // 1000 pixels wide, and of rows one pixel wide, each its own part of a read.
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1},   {7, 5},   {33, 17},    {300, 2},
                                                 {2, 300}, {129, 3}, {1000, 150}, {1, 1500}};
    for (const TgaKind& kind : AllKinds()) {
        for (const auto& [width, height] : sizes) {
            for (bool zeroAlpha : {false, true}) {
                const FilePicture picture = MakeFilePicture(rng, width, height, zeroAlpha);
                const std::string what = KindName(kind) + " " + std::to_string(width) + "x" +
                                         std::to_string(height) + (zeroAlpha ? " alpha 0" : "");
                const std::string bytes = EncodeTga(picture, kind, zeroAlpha ? "id field" : "");
                EXPECT_TRUE(engine::DecodeTgaDirectly(bytes).has_value()) << what;
                ExpectSameAsLibrary(bytes, what);
                // A footer or anything else after the pixels is not read.
                ExpectSameAsLibrary(bytes + std::string(26, 'x'), what + " with a footer");
            }
        }
    }
}

TEST(TgaFastPath, AFileCutShortFailsWithTheLibrarysError) {
    std::mt19937 rng(815);
    for (const TgaKind& kind : AllKinds()) {
        const FilePicture picture = MakeFilePicture(rng, 23, 11, false);
        const std::string bytes = EncodeTga(picture, kind, "");
        for (size_t length :
             {size_t(0), size_t(10), size_t(18), size_t(19), bytes.size() / 2, bytes.size() - 1}) {
            const std::string cut = bytes.substr(0, length);
            const std::string what = KindName(kind) + " cut to " + std::to_string(length);
            EXPECT_FALSE(engine::DecodeTgaDirectly(cut).has_value()) << what;
            EXPECT_FALSE(engine::DecodePicture(cut, "TGA")) << what;
            ExpectSameAsLibrary(cut, what);
        }
    }
}

TEST(TgaFastPath, AFileReadStraightRunsOutOfMemoryOrIsLeftToTheWholeReadWhenItShrinks) {
    std::mt19937 rng(31);
    TempDir dir;
    const std::string path = dir.File("gray.tga");
    const std::string bytes =
        EncodeTga(MakeFilePicture(rng, 200, 300, false), {Pixels::Gray, false, true}, "");
    std::ofstream(path, std::ios::binary) << bytes;
    // The raster, then a worker's row buffer.
    for (size_t failing : {1, 2}) {
        FailingAllocation failure(failing);
        EXPECT_EQ(engine::ReadPictureFile(path).Error(), engine::kOutOfMemory) << failing;
    }
    // Cut after it was opened: the rows come short of the length it had then.
    const files::OpenedFile file = files::OpenForReading(path, bytes.size());
    ASSERT_TRUE(file);
    std::filesystem::resize_file(path, bytes.size() / 2);
    EXPECT_FALSE(engine::ReadPlainTgaFile(file, bytes, nullptr).has_value());
}

TEST(TgaFastPath, LeavesOtherKindsToTheLibrary) {
    std::mt19937 rng(99);
    const FilePicture picture = MakeFilePicture(rng, 9, 4, false);
    std::string rightToLeft = EncodeTga(picture, {Pixels::Bgr, false, false}, "");
    rightToLeft[17] = char(rightToLeft[17] | 0x10);
    std::string noAlphaBits = EncodeTga(picture, {Pixels::Bgra, false, false}, "");
    noAlphaBits[17] = 0;
    std::string sixteenBits = EncodeTga(picture, {Pixels::Gray, false, false}, "");
    sixteenBits[2] = 2;
    sixteenBits[16] = 16;
    sixteenBits += sixteenBits.substr(18);
    for (const std::string* bytes : {&rightToLeft, &noAlphaBits, &sixteenBits}) {
        EXPECT_FALSE(engine::DecodeTgaDirectly(*bytes).has_value());
        ExpectSameAsLibrary(*bytes, "another kind");
    }
}

}  // namespace
