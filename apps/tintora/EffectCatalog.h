#pragma once
// The effects the command line offers, with the tools dialog's option names,
// ranges, defaults and messages, and how each fills the effect parameter record.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control/CRastelCtrl.h"

enum class OptionKind { Integer, Color, Flag, File };

struct OptionSpec {
    std::string name;  // with its dashes, e.g. "--size"
    OptionKind kind = OptionKind::Integer;
    int64_t min = 0;
    int64_t max = 0;
    int64_t defaultValue = 0;
    // Shown when an integer lies outside min..max; empty gives the dialog's
    // standard range message.
    std::string rangeMessage;
    bool required = false;
    std::string help;
};

// Parsed option values; every option of the effect has one (its default when not given).
class OptionValues {
public:
    int64_t Integer(const std::string& name) const { return m_integers.at(name); }
    COLORREF Color(const std::string& name) const { return COLORREF(m_integers.at(name)); }
    bool Flag(const std::string& name) const { return m_integers.at(name) != 0; }
    const std::string& Text(const std::string& name) const { return m_texts.at(name); }

    void SetInteger(const std::string& name, int64_t value) { m_integers[name] = value; }
    void SetText(const std::string& name, std::string value) { m_texts[name] = std::move(value); }

private:
    std::map<std::string, int64_t> m_integers;
    std::map<std::string, std::string> m_texts;
};

struct EffectSpec {
    std::string name;
    std::string summary;
    std::vector<OptionSpec> options;
    // A rule across options (beyond each one's range): a message, or "" when fine.
    std::function<std::string(const OptionValues&)> validate;
    // Writes the parameter record and the effect code.
    std::function<void(CRastelCtrl&, const OptionValues&)> configure;
};

const std::vector<EffectSpec>& EffectCatalog();
const EffectSpec* FindEffect(const std::string& name);
