// The host's inputs: its command line, and its script language (words and
// quotes, each command's arguments, and the line that cannot be read).

#include <gtest/gtest.h>

#include "apps/tarsel-host/HostOptions.h"
#include "apps/tarsel-host/ScriptParser.h"

using namespace tarsel_host;

TEST(ScriptParser, LinesBecomeCommandsInTheirContexts) {
    const ParsedScript script = ParseScript(
        "# a comment\n"
        "\n"
        "add \"my pictures/a b.png\" -10 20   # placed left of the frame\n"
        "menu Tools|Tintora\n"
        "set 207 \"say \\\"hi\\\" \\\\ there\"\n"
        "drag 300 1 2 30 40 right\n"
        "message \"Out of Memory\"\n"
        "screenshot all out.png\r\n");
    ASSERT_EQ(script.error, "");
    // clang-format off
    const struct { int line; const char* name; std::vector<std::string> args; ScriptContext context; }
    expected[] = {
        {3, "add", {"my pictures/a b.png", "-10", "20"}, ScriptContext::Host},
        {4, "menu", {"Tools|Tintora"}, ScriptContext::Host},
        {5, "set", {"207", "say \"hi\" \\ there"}, ScriptContext::Dialog},
        {6, "drag", {"300", "1", "2", "30", "40", "right"}, ScriptContext::Dialog},
        {7, "message", {"Out of Memory"}, ScriptContext::MessageBox},
        {8, "screenshot", {"all", "out.png"}, ScriptContext::Any}
    };
    // clang-format on
    ASSERT_EQ(script.commands.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ScriptCommand& c = script.commands[i];
        EXPECT_EQ(std::tuple(c.line, c.name), std::tuple(expected[i].line, expected[i].name));
        EXPECT_EQ(c.args, expected[i].args) << c.name;
        EXPECT_EQ(c.context, expected[i].context) << c.name;
    }
}

TEST(ScriptParser, TheFirstLineThatCannotBeReadStopsEverything) {
    // clang-format off
    const struct { const char* name; const char* text; int line; std::string error; } cases[] = {
        {"unknown command", "zoom fit\nclik 1\nclick x\n", 2, "unknown command \"clik\""},
        {"too few", "add a.png 1\n", 1, "usage: add FILE X Y [NAME]"},
        {"too many", "click 1 2\n", 1, "usage: click ID"},
        {"not a number", "slide 12 half\n", 1,
         "\"half\" is not a whole number (usage: slide ID VALUE)"},
        {"number too large", "wait 99999999999\n", 1,
         "\"99999999999\" is not a whole number (usage: wait MILLISECONDS)"},
        {"not a choice", "screenshot window a.png\n", 1,
         "\"window\" is not one of main|dialog|all|screen"},
        {"optional choice", "press 300 1 1 left\npress 300 1 1 thumb\n", 2,
         "\"thumb\" is not one of left|right|middle"},
        {"open quote", "\nset 207 \"abc\n", 2, "a quote is not closed"}
    };
    // clang-format on
    for (const auto& c : cases) {
        const ParsedScript script = ParseScript(c.text);
        EXPECT_EQ(script.error, c.error) << c.name;
        EXPECT_EQ(script.errorLine, c.line) << c.name;
    }
}

TEST(HostOptions, EachFormAndEachMistake) {
    using Words = std::vector<std::string>;
    // clang-format off
    const struct {
        const char* name; Words args; Words plugins; std::string script, scene; Words pictures;
        std::string error;
    } cases[] = {
        {"nothing", {}, {}, "", "", {}, ""},
        {"plug-ins, script and pictures",
         {"--plugin", "A.B.1", "a.png", "--script", "s.tscript", "--plugin", "C.D.1", "b.tga"},
         {"A.B.1", "C.D.1"}, "s.tscript", "", {"a.png", "b.tga"}, ""},
        {"a scene", {"show.tscene"}, {}, "", "show.tscene", {}, ""},
        {"no value", {"--plugin"}, {}, "", "", {}, "--plugin needs a value"},
        {"empty value", {"--script", ""}, {}, "", "", {}, "--script needs a value"},
        {"two scripts", {"--script", "a", "--script", "b"}, {}, "a", "", {},
         "only one --script may be given"},
        {"unknown option", {"--zoom"}, {}, "", "", {}, "unknown option --zoom"},
        {"scene and picture", {"a.png", "s.tscene"}, {}, "", "", {"a.png"},
         "a scene is opened alone, without other files"}
    };
    // clang-format on
    for (const auto& c : cases) {
        const HostOptions options = ParseHostOptions(c.args);
        EXPECT_EQ(options.error, c.error) << c.name;
        if (!c.error.empty()) continue;
        EXPECT_EQ(options.plugins, c.plugins) << c.name;
        EXPECT_EQ(options.script, c.script) << c.name;
        EXPECT_EQ(options.scene, c.scene) << c.name;
        EXPECT_EQ(options.pictures, c.pictures) << c.name;
    }
    EXPECT_TRUE(ParseHostOptions({"--help"}).help);
}
