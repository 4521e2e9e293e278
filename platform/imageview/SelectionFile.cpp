#include "platform/imageview/SelectionFile.h"

#include <array>
#include <cstring>

#include "platform/files/AtomicFile.h"
#include "platform/files/WholeFile.h"

namespace imageview {

namespace {

constexpr char kSignature[4] = {'T', 'S', 'E', 'L'};
constexpr size_t kHeaderBytes = 20;
constexpr size_t kRunBytes = 12;
constexpr size_t kCheckBytes = 4;
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 128ULL * 1024 * 1024;
// The longest file the limits allow: one run for every other pixel.
constexpr uint64_t kMaxFileBytes = kHeaderBytes + kRunBytes * (kMaxPixels / 2) + kCheckBytes;

uint32_t Crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t WordAt(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void PutWord(std::string& bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char(uint8_t(word >> shift)));
}

SelectionRead Refuse(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

SelectionRead ReadSelectionFile(const std::string& path) {
    const std::string file = "The selection file " + path;
    const files::WholeFile read = files::ReadWholeFile(path, kMaxFileBytes);
    switch (read.problem) {
        case files::ReadProblem::None: break;
        case files::ReadProblem::Missing: return Refuse(file + " does not exist.");
        case files::ReadProblem::NotAFile: return Refuse(file + " is not a file.");
        case files::ReadProblem::TooLarge: return Refuse(file + " is damaged.");
        case files::ReadProblem::Unreadable: return Refuse(file + " cannot be read.");
    }
    return SelectionFromBytes(read.bytes, file);
}

SelectionRead SelectionFromBytes(std::string_view text, const std::string& file) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const uint64_t size = text.size();
    if (size >= 4 && std::memcmp(bytes, kSignature, 4) != 0) {
        return Refuse(file + " is not a selection file.");
    }
    if (size < kHeaderBytes) return Refuse(file + " is cut short.");
    const uint32_t version = WordAt(bytes + 4);
    if (version != kSelectionFileVersion) {
        return Refuse(file + " has format version " + std::to_string(version) +
                      ", which this view cannot read.");
    }
    const uint32_t width = WordAt(bytes + 8);
    const uint32_t height = WordAt(bytes + 12);
    const uint32_t runs = WordAt(bytes + 16);
    if (width > kMaxSide || height > kMaxSide || uint64_t(width) * height > kMaxPixels) {
        return Refuse(file + " is for a picture of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels, more than a picture can have.");
    }
    // At most one run for every other pixel of a row.
    const uint64_t maxRuns = uint64_t(height) * ((uint64_t(width) + 1) / 2);
    if (runs > maxRuns) return Refuse(file + " is damaged.");
    const uint64_t expected = kHeaderBytes + kRunBytes * uint64_t(runs) + kCheckBytes;
    if (size < expected) return Refuse(file + " is cut short.");
    if (size > expected) return Refuse(file + " is damaged.");
    const size_t checked = size_t(expected) - kCheckBytes;
    if (Crc32(bytes, checked) != WordAt(bytes + checked)) return Refuse(file + " is damaged.");

    SelectionMask selection{int32_t(width), int32_t(height)};
    uint64_t previousEnd = 0;  // row * width + column after the last run
    for (uint32_t i = 0; i < runs; ++i) {
        const uint8_t* run = bytes + kHeaderBytes + kRunBytes * i;
        const uint32_t row = WordAt(run);
        const uint32_t column = WordAt(run + 4);
        const uint32_t length = WordAt(run + 8);
        const uint64_t start = uint64_t(row) * width + column;
        if (row >= height || length == 0 || uint64_t(column) + length > width ||
            (i > 0 && start < previousEnd)) {
            return Refuse(file + " is damaged.");
        }
        for (uint32_t x = column; x < column + length; ++x) {
            selection.Set(int32_t(x), int32_t(row), true);
        }
        previousEnd = start + length;
    }
    return {std::move(selection), {}};
}

std::string SelectionFileBytes(const SelectionMask& selection) {
    std::string bytes(kSignature, sizeof kSignature);
    PutWord(bytes, kSelectionFileVersion);
    PutWord(bytes, uint32_t(selection.Width()));
    PutWord(bytes, uint32_t(selection.Height()));
    std::string runs;
    uint32_t count = 0;
    for (int32_t y = 0; y < selection.Height(); ++y) {
        for (int32_t x = 0; x < selection.Width();) {
            if (!selection.Contains(x, y)) {
                ++x;
                continue;
            }
            const int32_t first = x;
            while (x < selection.Width() && selection.Contains(x, y)) ++x;
            PutWord(runs, uint32_t(y));
            PutWord(runs, uint32_t(first));
            PutWord(runs, uint32_t(x - first));
            ++count;
        }
    }
    PutWord(bytes, count);
    bytes += runs;
    PutWord(bytes, Crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    return bytes;
}

std::string WriteSelectionFile(const SelectionMask& selection, const std::string& path) {
    const std::error_code error = files::ReplaceFile(path, SelectionFileBytes(selection));
    return error ? files::WriteErrorText(path, error) : std::string();
}

}  // namespace imageview
