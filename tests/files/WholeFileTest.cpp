#include "platform/files/WholeFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "tests/support/TempDir.h"

namespace {

// Runs the parts last first, as threads might finish them.
class BackwardsBuffer : public files::FileBuffer {
public:
    uint8_t* Grow(size_t bytes, size_t) override {
        m_bytes.resize(bytes);
        return reinterpret_cast<uint8_t*>(m_bytes.data());
    }
    void ReadParts(int count, const std::function<void(int)>& read) override {
        for (int part = count - 1; part >= 0; --part) read(part);
        ++m_runs;
    }
    std::string m_bytes;
    int m_runs = 0;
};

TEST(WholeFile, LargeFilesReadInPartsGiveEveryByteInOrder) {
    TempDir dir;
    std::mt19937 rng(17);
    for (const size_t length : {size_t(1) << 20, (size_t(3) << 20) + 7, size_t(1000)}) {
        std::string bytes(length, '\0');
        for (char& byte : bytes) byte = char(rng());
        const std::string path = dir.File("file" + std::to_string(length));
        std::ofstream(path, std::ios::binary) << bytes;

        BackwardsBuffer buffer;
        const files::FileRead read =
            files::ReadWholeFileInto(files::OpenForReading(path, length), length, buffer);
        ASSERT_TRUE(read) << length;
        EXPECT_EQ(buffer.m_bytes.substr(0, read.size), bytes) << length;
        EXPECT_EQ(buffer.m_runs, length >= (size_t(1) << 20) ? 1 : 0) << length;
        EXPECT_EQ(files::ReadWholeFile(path, length).bytes, bytes) << length;
        EXPECT_EQ(files::ReadWholeFile(path, length - 1).problem, files::ReadProblem::TooLarge);
    }
}

}  // namespace
