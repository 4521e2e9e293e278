#pragma once
// A tools dialog on a stand-in host picture, its data folder and the registry
// in temporary folders, the operator's dialogs scripted.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <tuple>
#include <vector>

#include "dialogs/PresetRecord.h"
#include "dialogs/TintoraDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/OwnRegistry.h"
#include "tests/support/Programs.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace dialog_test {

// A picture with distinct opaque pixels, bottom row first.
inline std::vector<uint8_t> TestPicture(int32_t width, int32_t height) {
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < bytes.size(); i += 4) {
        const size_t p = i / 4;
        bytes[i] = uint8_t(p * 37 + 11), bytes[i + 1] = uint8_t(p * 91 + 23);
        bytes[i + 2] = uint8_t(p * 53 + 5), bytes[i + 3] = 255;
    }
    return bytes;
}

inline uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
           uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

// Word w of a slot's 20-word record in a presets file, after the format word.
inline uint32_t SlotWord(const std::vector<uint8_t>& bytes, int slot, int w) {
    return WordAt(bytes, 4 + 80 * size_t(slot) + 4 * size_t(w));
}

// A presets file: format word, then the five records.
inline std::vector<uint8_t> PresetsBytes(uint32_t format,
                                         const PresetRecord (&records)[kPresetSlots]) {
    std::vector<uint8_t> bytes;
    auto put = [&](uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(word >> shift));
    };
    put(format);
    for (const PresetRecord& slot : records) {
        for (uint32_t word : slot.Words()) put(word);
    }
    return bytes;
}

class ToolsDialogTest : public ::testing::Test {
protected:
    static constexpr int32_t kWidth = 8;
    static constexpr int32_t kHeight = 6;

    ToolsDialogTest() : host(kWidth, kHeight, TestPicture(kWidth, kHeight)) {
        host.Target(control);
        control.SnapshotImage(SLOT_ORIGINAL);
        // A value no command of the dialog writes, to see whether one ran.
        control.m_nEffectCode = 99;
    }

    // A tools dialog on the data folder, initialised and ready for the operator.
    std::unique_ptr<TintoraDlg> Open() {
        auto dialog = std::make_unique<TintoraDlg>(&control);
        dialog->m_strDataFolder = data.Path().string();
        EXPECT_TRUE(dialog->Create());
        return dialog;
    }

    const std::vector<uint8_t>& HostPixels() const { return host.element->Image()->Pixels(); }
    std::vector<uint8_t> Original() const { return TestPicture(kWidth, kHeight); }
    std::string PresetsPath() const { return data.File("TintoraPresets"); }
    bool PresetsWritten() const { return std::filesystem::exists(PresetsPath()); }

    TempDir data;
    OwnRegistry registry;
    ScriptedPrompts prompts;
    HostFixture host;
    CRastelCtrl control;
};

}  // namespace dialog_test
