#pragma once
// Parsing of "tintora apply EFFECT [OPTIONS] INPUT OUTPUT" and the other commands.

#include <optional>
#include <string>
#include <vector>

#include "apps/tintora/EffectCatalog.h"
#include "apps/tintora/PictureFiles.h"

struct ApplyCommand {
    const EffectSpec* effect = nullptr;
    OptionValues values;
    std::string input;
    std::string output;
    std::optional<RawSize> inputSize;
};

struct ParsedCommandLine {
    enum class Action { Apply, Sample, Help, Error } action = Action::Error;
    ApplyCommand apply;
    std::string samplePath;
    std::string error;  // for Action::Error
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

// "RRGGBB" in hex, red first, as a COLORREF (red in the low byte).
std::optional<COLORREF> ParseColor(const std::string& text);
