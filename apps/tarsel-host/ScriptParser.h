#pragma once
// The host's script language: one command a line, words separated by blanks,
// "double quotes" around a word with blanks (\" and \\ inside), # to the end
// of the line a comment. Each command waits until it can run: host commands
// until no dialog is open, dialog commands until a dialog is open, message
// until a message box is open; the others run at once.

#include <string>
#include <vector>

namespace tarsel_host {

enum class ScriptContext { Host, Dialog, MessageBox, Any };

struct ScriptCommand {
    int line = 0;
    std::string name;
    std::vector<std::string> args;
    ScriptContext context = ScriptContext::Any;

    int Int(size_t i) const { return std::stoi(args[i]); }
    bool Has(size_t i) const { return i < args.size(); }
};

struct ParsedScript {
    std::vector<ScriptCommand> commands;
    // Set when a line cannot be read; nothing runs then.
    std::string error;
    int errorLine = 0;
};

ParsedScript ParseScript(const std::string& text);
// Splits a line into words; false with the reason when a quote is not closed.
bool SplitScriptLine(const std::string& line, std::vector<std::string>& words, std::string& error);

}  // namespace tarsel_host
