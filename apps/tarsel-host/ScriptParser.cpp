#include "apps/tarsel-host/ScriptParser.h"

#include <charconv>
#include <sstream>

namespace tarsel_host {

namespace {

// Argument kinds: s a word, i a whole number, c a word of the listed choices;
// those after ? may be left out.
struct CommandSpec {
    const char* name;
    const char* kinds;
    ScriptContext context;
    const char* usage;
    const char* choices = "";
};

const CommandSpec kCommands[] = {
    {"add", "sii?s", ScriptContext::Host, "add FILE X Y [NAME]"},
    {"select", "s", ScriptContext::Host, "select NAME|none"},
    {"move", "sii", ScriptContext::Host, "move NAME X Y"},
    {"menu", "s", ScriptContext::Host, "menu PATH"},
    {"editor", "s?s", ScriptContext::Host, "editor NAME [PLUGIN]"},
    {"open", "s", ScriptContext::Host, "open SCENE"},
    {"save-scene", "s", ScriptContext::Host, "save-scene SCENE"},
    {"zoom", "c", ScriptContext::Host, "zoom fit|1:1", "fit|1:1"},
    {"guides", "c", ScriptContext::Host, "guides on|off", "on|off"},
    {"dialog", "s", ScriptContext::Dialog, "dialog TITLE"},
    {"set", "is", ScriptContext::Dialog, "set ID TEXT"},
    {"click", "i", ScriptContext::Dialog, "click ID"},
    {"pick", "is", ScriptContext::Dialog, "pick ID ENTRY"},
    {"slide", "ii", ScriptContext::Dialog, "slide ID VALUE"},
    {"press", "iii?c", ScriptContext::Dialog, "press ID X Y [left|right|middle]",
     "left|right|middle"},
    {"release", "iii?c", ScriptContext::Dialog, "release ID X Y [left|right|middle]",
     "left|right|middle"},
    {"drag", "iiiii?c", ScriptContext::Dialog, "drag ID X1 Y1 X2 Y2 [left|right|middle]",
     "left|right|middle"},
    {"close", "", ScriptContext::Dialog, "close"},
    {"message", "s?s", ScriptContext::MessageBox, "message TEXT [BUTTON]"},
    {"save", "ss", ScriptContext::Any, "save NAME FILE"},
    {"export", "s", ScriptContext::Any, "export FILE"},
    {"screenshot", "cs", ScriptContext::Any, "screenshot main|dialog|all|screen FILE",
     "main|dialog|all|screen"},
    {"wait", "i", ScriptContext::Any, "wait MILLISECONDS"},
    {"timeout", "i", ScriptContext::Any, "timeout SECONDS"},
};

bool IsWholeNumber(const std::string& word) {
    int value = 0;
    const char* end = word.data() + word.size();
    const auto [next, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && next == end;
}

bool IsChoice(const std::string& word, const std::string& choices) {
    std::stringstream list(choices);
    for (std::string choice; std::getline(list, choice, '|');) {
        if (word == choice) return true;
    }
    return false;
}

// Checks the words against the command's kinds; "" or the reason.
std::string CheckArguments(const CommandSpec& spec, const std::vector<std::string>& args) {
    const std::string kinds = spec.kinds;
    size_t required = kinds.find('?');
    if (required == std::string::npos) required = kinds.size();
    const size_t allowed = kinds.size() - (required < kinds.size() ? 1 : 0);
    if (args.size() < required || args.size() > allowed) {
        return std::string("usage: ") + spec.usage;
    }
    size_t k = 0;
    for (size_t i = 0; i < args.size(); ++i, ++k) {
        if (kinds[k] == '?') ++k;
        if (kinds[k] == 'i' && !IsWholeNumber(args[i])) {
            return "\"" + args[i] + "\" is not a whole number (usage: " + spec.usage + ")";
        }
        if (kinds[k] == 'c' && !IsChoice(args[i], spec.choices)) {
            return "\"" + args[i] + "\" is not one of " + spec.choices;
        }
    }
    return {};
}

}  // namespace

bool SplitScriptLine(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string word;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    error = "a quote is not closed";
                    return false;
                }
                if (line[i] == '"') break;
                if (line[i] == '\\' && i + 1 < line.size() &&
                    (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    ++i;
                }
                word += line[i];
            }
            ++i;
            words.push_back(std::move(word));
        } else {
            const size_t end = line.find_first_of(" \t\r", i);
            words.push_back(line.substr(i, end == std::string::npos ? end : end - i));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return true;
}

ParsedScript ParseScript(const std::string& text) {
    ParsedScript script;
    std::stringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::vector<std::string> words;
        std::string error;
        if (!SplitScriptLine(line, words, error)) {
            script.error = error;
            script.errorLine = number;
            return script;
        }
        if (words.empty()) continue;
        const CommandSpec* spec = nullptr;
        for (const CommandSpec& each : kCommands) {
            if (words[0] == each.name) spec = &each;
        }
        if (!spec) {
            script.error = "unknown command \"" + words[0] + "\"";
            script.errorLine = number;
            return script;
        }
        ScriptCommand command{number, words[0], {words.begin() + 1, words.end()}, spec->context};
        if (std::string reason = CheckArguments(*spec, command.args); !reason.empty()) {
            script.error = reason;
            script.errorLine = number;
            return script;
        }
        script.commands.push_back(std::move(command));
    }
    return script;
}

}  // namespace tarsel_host
