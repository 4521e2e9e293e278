#pragma once
// Parsing of "tintora apply EFFECT [OPTIONS] INPUT OUTPUT" and the other
// commands. Effects and their options come from the control's effect table.

#include <optional>
#include <string>
#include <vector>

#include "apps/tintora/Bench.h"
#include "apps/tintora/PictureFiles.h"
#include "control/EffectTable.h"
#include "platform/automation/Types.h"

struct ApplyCommand {
    const effects::EffectEntry* effect = nullptr;
    // Every option the effect reads: the value given, or its default; of two
    // alternatives only the one given.
    std::vector<effects::OptionSetting> settings;
    std::string input;
    std::string output;
    std::optional<RawSize> inputSize;
};

struct ParsedCommandLine {
    enum class Action { Apply, Sample, Bench, Help, Error } action = Action::Error;
    ApplyCommand apply;
    BenchCommand bench;
    std::string samplePath;
    std::string error;  // for Action::Error
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

// "RRGGBB" in hex, red first, as a COLORREF (red in the low byte).
std::optional<COLORREF> ParseColor(const std::string& text);
