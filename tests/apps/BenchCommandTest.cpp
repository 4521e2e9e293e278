// "tintora bench": its command line, its generated pictures and its table.

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <set>
#include <sstream>

#include "apps/tintora/Bench.h"
#include "apps/tintora/BenchPicture.h"
#include "apps/tintora/CommandLine.h"
#include "control/EffectTable.h"

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(const std::string& line) {
    std::istringstream in(line);
    return ParseCommandLine(std::vector<std::string>(std::istream_iterator<std::string>(in), {}));
}

TEST(BenchCommand, TakesSizesRunsAndEffects) {
    const ParsedCommandLine defaults = Parse("bench");
    ASSERT_EQ(defaults.action, Action::Bench);
    ASSERT_EQ(defaults.bench.sizes.size(), 2u);
    EXPECT_EQ(defaults.bench.sizes[0].width, 1920);
    EXPECT_EQ(std::tuple(defaults.bench.sizes[1].height, defaults.bench.runs), std::tuple(2160, 7));
    EXPECT_TRUE(defaults.bench.effects.empty());

    const ParsedCommandLine given = Parse("bench --size 64x48 --runs 2 border --size 8x9 crop");
    ASSERT_EQ(given.action, Action::Bench);
    ASSERT_EQ(given.bench.sizes.size(), 2u);
    EXPECT_EQ(given.bench.sizes[1].width, 8);
    EXPECT_EQ((std::tuple{given.bench.sizes[1].height, given.bench.runs}), (std::tuple{9, 2}));
    EXPECT_EQ(given.bench.effects, (std::vector<std::string>{"border", "crop"}));

    // clang-format off
    const std::pair<const char*, const char*> bad[] = {
        {"bench --size 3by2", "--size: write the size as WxH, e.g. 1920x1080"},
        {"bench --size", "--size needs a value"}, {"bench --runs 0", "--runs: a number 1..1000"},
        {"bench --runs many", "--runs: a number 1..1000"},
        {"bench blurry", "unknown effect 'blurry'"}};
    // clang-format on
    for (const auto& [line, message] : bad) {
        const ParsedCommandLine parsed = Parse(line);
        EXPECT_EQ(parsed.action, Action::Error) << line;
        EXPECT_EQ(parsed.error, message) << line;
    }
}

TEST(BenchPicture, HasTransparentOpaqueAndPartlyTransparentAreas) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{97, 41}}) {
        const Picture picture = MakeBenchPicture(w, h);
        ASSERT_EQ(picture.bgra.size(), size_t(w) * size_t(h) * 4);
        size_t transparent = 0, opaque = 0, partial = 0;
        for (size_t i = 3; i < picture.bgra.size(); i += 4) {
            const uint8_t a = picture.bgra[i];
            (a == 0 ? transparent : a == 255 ? opaque : partial) += 1;
        }
        const size_t pixels = size_t(w) * size_t(h);
        EXPECT_GT(transparent, pixels / 4) << w;
        EXPECT_GT(opaque, pixels / 10) << w;
        EXPECT_GT(partial, pixels / 100) << w;
    }
    // The selection is white inside, black outside; the matte ramps both ways.
    const Picture mask = MakeBenchSelection(64, 48);
    std::set<uint8_t> values(mask.bgra.begin(), mask.bgra.end());
    EXPECT_EQ(values, (std::set<uint8_t>{0, 255}));
    const Picture matte = MakeBenchMatte(64, 48);
    EXPECT_EQ((std::tuple{matte.bgra[0], matte.bgra[(64 * 47 + 63) * 4]}), (std::tuple{0, 255}));
}

TEST(BenchCommand, PrintsARowForEveryEffectAndSetting) {
    BenchCommand command;
    command.sizes = {{40, 30, "tiny"}};
    command.runs = 1;
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(RunBench(command, out), 0);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += char(c);
    std::fclose(out);
    EXPECT_NE(text.find("tiny picture (40x30); one picture copy"), std::string::npos) << text;
    for (const effects::EffectEntry& effect : effects::Effects()) {
        EXPECT_NE(text.find("\n" + std::string(effect.name) + " "), std::string::npos)
            << effect.name;
    }
    EXPECT_NE(text.find("border        size 100 blur 100 transp 30"), std::string::npos) << text;
    EXPECT_NE(text.find("crop          softness 10"), std::string::npos) << text;
    EXPECT_EQ(text.find("failed"), std::string::npos) << text;
}

}  // namespace
