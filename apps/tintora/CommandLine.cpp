#include "apps/tintora/CommandLine.h"

#include <algorithm>
#include <charconv>

#include "platform/prompts/FieldMessages.h"

namespace {

std::optional<int64_t> ParseInteger(const std::string& text) {
    int64_t value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
    return value;
}

std::optional<RawSize> ParseSize(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto w = ParseInteger(text.substr(0, x));
    const auto h = ParseInteger(text.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > INT32_MAX || *h > INT32_MAX) return std::nullopt;
    return RawSize{int32_t(*w), int32_t(*h)};
}

using effects::EffectEntry;
using effects::EffectOption;
using effects::OptionKind;
using effects::OptionSetting;

OptionSetting* FindSetting(std::vector<OptionSetting>& settings, const std::string& name) {
    for (OptionSetting& setting : settings) {
        if (setting.option->name == name) return &setting;
    }
    return nullptr;
}

ParsedCommandLine Fail(std::string message) {
    ParsedCommandLine result;
    result.action = ParsedCommandLine::Action::Error;
    result.error = std::move(message);
    return result;
}

// Stores one option's value; returns an error message or "".
std::string TakeOption(OptionSetting& setting, const std::string& text) {
    const EffectOption& option = *setting.option;
    switch (option.kind) {
        case OptionKind::Integer: {
            const auto value = ParseInteger(text);
            if (!value) return kEnterIntegerMessage;
            if (std::string message = option.Check(*value); !message.empty()) return message;
            setting.value = *value;
            return {};
        }
        case OptionKind::Color: {
            const auto color = ParseColor(text);
            if (!color) {
                return std::string(option.name) +
                       ": write the colour as RRGGBB in hex, e.g. FF8000";
            }
            setting.value = int64_t(*color);
            return {};
        }
        case OptionKind::File:
        case OptionKind::Selection:
            if (text.empty()) return std::string(option.name) + " needs a file name";
            setting.value = text;
            return {};
        case OptionKind::Flag: break;
    }
    return {};
}

std::string OptionUsage(const EffectOption& option) {
    const std::string name = option.name;
    switch (option.kind) {
        case OptionKind::Integer:
            return name + " N  " + option.help + ", " + std::to_string(option.min) + ".." +
                   std::to_string(option.max) + " (default " + std::to_string(option.defaultValue) +
                   ")";
        case OptionKind::Color: return name + " RRGGBB  " + option.help + " (default 000000)";
        case OptionKind::File:
        case OptionKind::Selection: return name + " FILE  " + option.help;
        case OptionKind::Flag: return name + "  " + option.help;
    }
    return name;
}

// "bench [--size WxH]... [--runs N] [EFFECT...]".
ParsedCommandLine ParseBench(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    BenchCommand& bench = result.bench;
    std::vector<BenchSize> sizes;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--size" || arg == "--runs") {
            if (i + 1 >= args.size()) return Fail(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--size") {
                const auto size = ParseSize(value);
                if (!size) return Fail("--size: write the size as WxH, e.g. 1920x1080");
                sizes.push_back({size->width, size->height, "generated"});
            } else {
                const auto runs = ParseInteger(value);
                if (!runs || *runs < 1 || *runs > 1000) return Fail("--runs: a number 1..1000");
                bench.runs = int(*runs);
            }
            continue;
        }
        if (!effects::FindEffectNamed(arg)) return Fail("unknown effect '" + arg + "'");
        bench.effects.push_back(arg);
    }
    if (!sizes.empty()) bench.sizes = sizes;
    result.action = ParsedCommandLine::Action::Bench;
    return result;
}

}  // namespace

std::optional<COLORREF> ParseColor(const std::string& text) {
    if (text.size() != 6) return std::nullopt;
    uint32_t rgb = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + 6, rgb, 16);
    if (ec != std::errc() || ptr != text.data() + 6) return std::nullopt;
    const uint32_t red = rgb >> 16 & 0xFF;
    const uint32_t green = rgb >> 8 & 0xFF;
    const uint32_t blue = rgb & 0xFF;
    return COLORREF(red | green << 8 | blue << 16);
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    if (args.empty()) return Fail("no command given\n\n" + UsageText());
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        result.action = ParsedCommandLine::Action::Help;
        return result;
    }
    if (args[0] == "sample") {
        if (args.size() != 2) return Fail("usage: tintora sample OUTPUT");
        result.action = ParsedCommandLine::Action::Sample;
        result.samplePath = args[1];
        return result;
    }
    if (args[0] == "bench") return ParseBench(args);
    if (args[0] != "apply") return Fail("unknown command '" + args[0] + "'\n\n" + UsageText());
    if (args.size() < 2) return Fail("apply needs an effect\n\n" + UsageText());

    ApplyCommand& apply = result.apply;
    apply.effect = effects::FindEffectNamed(args[1]);
    if (!apply.effect) return Fail("unknown effect '" + args[1] + "'\n\n" + UsageText());
    const EffectEntry& effect = *apply.effect;
    for (const EffectOption* option : effect.options) {
        const bool text = option->kind == OptionKind::File || option->kind == OptionKind::Selection;
        apply.settings.push_back({option, text ? effects::OptionValue(std::string())
                                               : effects::OptionValue(option->defaultValue)});
    }

    std::vector<std::string> positional;
    std::vector<std::string> given;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--input-size") {
            if (i + 1 >= args.size()) return Fail("--input-size needs WxH");
            apply.inputSize = ParseSize(args[++i]);
            if (!apply.inputSize) return Fail("--input-size: write the size as WxH, e.g. 640x480");
            continue;
        }
        OptionSetting* setting = FindSetting(apply.settings, arg);
        if (!setting) return Fail("effect " + std::string(effect.name) + " has no option " + arg);
        given.push_back(arg);
        if (setting->option->kind == OptionKind::Flag) {
            setting->value = int64_t{1};
            continue;
        }
        if (i + 1 >= args.size()) return Fail(arg + " needs a value");
        if (std::string message = TakeOption(*setting, args[++i]); !message.empty()) {
            return Fail(message);
        }
    }
    const auto isGiven = [&given](const EffectOption* option) {
        return option && std::find(given.begin(), given.end(), option->name) != given.end();
    };
    for (const EffectOption* option : effect.options) {
        const EffectOption* other = option->alternative;
        if (option->required && !isGiven(option) && !isGiven(other)) {
            return Fail("effect " + std::string(effect.name) + " needs " + option->name +
                        (other ? std::string(" or ") + other->name : std::string()));
        }
        if (other && isGiven(option) && isGiven(other)) {
            return Fail("effect " + std::string(effect.name) + " takes " + option->name + " or " +
                        other->name + ", not both");
        }
    }
    // Of two alternatives only the one given fills the record.
    std::erase_if(apply.settings, [&isGiven](const OptionSetting& setting) {
        return setting.option->alternative && !isGiven(setting.option);
    });
    if (positional.size() != 2) return Fail("apply needs exactly one INPUT and one OUTPUT file");
    apply.input = positional[0];
    apply.output = positional[1];
    if (IsRawPath(apply.input) && !apply.inputSize) {
        return Fail("a raw input (.bgra) needs --input-size WxH");
    }
    result.action = ParsedCommandLine::Action::Apply;
    return result;
}

std::string UsageText() {
    std::string text =
        "usage: tintora apply EFFECT [OPTIONS] INPUT OUTPUT\n"
        "       tintora sample OUTPUT\n"
        "       tintora bench [--size WxH]... [--runs N] [EFFECT...]\n"
        "       tintora --help\n"
        "\n"
        "INPUT and OUTPUT are image files (PNG, TGA, ...) or raw rasters ending in .bgra\n"
        "(B, G, R, A bytes, bottom row first; a raw INPUT needs --input-size WxH).\n"
        "Colours are written RRGGBB, red first. 'sample' writes the sample picture.\n"
        "'bench' times every effect (or those named) at typical and maximal settings on\n"
        "generated 1080p and 4K pictures (or the sizes given), as the control runs it\n"
        "and as one Apply through the host, and prints the median times.\n"
        "\n"
        "effects:\n";
    for (const EffectEntry& effect : effects::Effects()) {
        text += "  " + std::string(effect.name) + ": " + effect.summary + "\n";
        for (const EffectOption* option : effect.options) {
            text += "      " + OptionUsage(*option) + "\n";
        }
    }
    return text;
}
