// The host's command line.

#include <gtest/gtest.h>

#include "apps/tarsel-host/HostOptions.h"

using namespace tarsel_host;

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
