#pragma once
// The effects of the control, one entry each: its code, its label in the More
// Effects list, its command-line name, the options it reads (with range,
// default and the tools dialog's range message, and how a value fills the
// effect parameter record) and its engine call. The pipeline, the tools
// dialog, the matte dialog and the command line with its help all read it: a
// new effect or option is one more entry here.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "control/EffectCodes.h"
#include "engine/MagickEffect.h"
#include "platform/automation/Types.h"

class CRastelCtrl;

namespace effects {

// Selection: a selection file of the crop dialog's view. The command line
// turns it into the mask picture the dialog would make for the input and
// fills the record with that mask file's path.
enum class OptionKind { Integer, Color, Flag, File, Selection };

// A whole number (integers, colours as COLORREF, flags as 0 or 1) or a file name.
using OptionValue = std::variant<int64_t, std::string>;

struct EffectOption {
    const char* name;  // on the command line, e.g. "--size"
    OptionKind kind;
    int64_t min;
    int64_t max;
    int64_t defaultValue;
    // Shown for a value outside min .. max; null: the dialog framework's
    // standard range message.
    const char* rangeMessage;
    const char* help;
    void (*fill)(CRastelCtrl& control, const OptionValue& value);
    // A value must lie in this option's range first (the dialog field it is
    // typed into), then in this one's.
    const EffectOption* within = nullptr;
    bool required = false;
    // Another way to give the same value: exactly one of the two is given, and
    // only that one fills the record.
    const EffectOption* alternative = nullptr;

    bool Accepts(int64_t value) const { return value >= min && value <= max; }
    std::string RangeMessage() const;
    // The message for a value outside this range or the one it lies within; "" when fine.
    std::string Check(int64_t value) const;
};

// Which of the More Effects edits Pct and Dir the tools dialog enables.
enum class MoreEffectsEdits { Pct, None, PctAndDir };

struct EffectEntry {
    uint32_t code = 0;
    const char* name = nullptr;     // on the command line
    const char* label = nullptr;    // in the More Effects list; null when it is not there
    const char* summary = nullptr;  // for the command line's help
    // The options the effect reads.
    std::vector<const EffectOption*> options = {};
    // The engine call, as the pipeline makes it.
    std::function<int(CRastelCtrl& control)> run = {};
    // Record members set to fixed values for this effect, beside its code.
    void (*fillFixed)(CRastelCtrl& control) = nullptr;
    engine::MagickOperation libraryOperation = engine::MagickOperation::None;
    MoreEffectsEdits edits = MoreEffectsEdits::Pct;

    // The option it reads that is `option` or lies within it; null when none.
    const EffectOption* Reads(const EffectOption& option) const;
};

// The options, by the record members they fill.
extern const EffectOption kColor;         // m_crEffect
extern const EffectOption kTransp;        // m_nOpacity, as 100 - transparency
extern const EffectOption kLayerBlur;     // m_nBlur
extern const EffectOption kBorderSize;    // m_nSize
extern const EffectOption kFocusSize;     // m_nSize
extern const EffectOption kShadowX;       // m_nShadowX
extern const EffectOption kShadowY;       // m_nShadowY
extern const EffectOption kMotionX;       // m_nBlurX
extern const EffectOption kMotionY;       // m_nBlurY
extern const EffectOption kPct;           // m_dPct
extern const EffectOption kLightingPct;   // m_dPct, within kPct
extern const EffectOption kDir;           // m_dDir
extern const EffectOption kMatteFile;     // m_strMattePath
extern const EffectOption kMatteX;        // m_nMatteX
extern const EffectOption kMatteY;        // m_nMatteY
extern const EffectOption kInverseMatte;  // m_bInverseMatte
extern const EffectOption kMatteAlpha;    // m_bMatteAlpha
extern const EffectOption kMask;          // m_strMattePath
extern const EffectOption kSelection;     // m_strMattePath, the mask made from the selection
extern const EffectOption kSoftness;      // m_nBlurX and m_nBlurY, as softness + 1

// Every effect, in the order of their codes.
const std::vector<EffectEntry>& Effects();
const EffectEntry* FindEffect(uint32_t code);
const EffectEntry* FindEffectNamed(std::string_view name);
const EffectEntry* FindMoreEffect(std::string_view label);

// The More Effects list's entries as its template holds them (by code, then
// the empty entry); the sorted list shows them in label order.
std::vector<std::string> MoreEffectsListItems();

struct OptionSetting {
    const EffectOption* option;
    OptionValue value;
};

// Writes the effect's code, its fixed members and each setting into the record.
void FillRecord(CRastelCtrl& control, const EffectEntry& effect,
                const std::vector<OptionSetting>& settings);
void FillRecord(CRastelCtrl& control, uint32_t code, const std::vector<OptionSetting>& settings);

}  // namespace effects
