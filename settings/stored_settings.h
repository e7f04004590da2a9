// The printer's stored job settings: every value the plug-in keeps in printer data for its
// private devmode, with the rules that reading, correcting, resetting and saving apply to it.
// Each rule is written here once; the devmode requests and the page walk this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "settings/oem_devmode.h"
#include "settings/printer_store.h"

namespace adjustui {

// Value names, spelled exactly as stored.
namespace value {
inline constexpr char16_t kXOffset[] = u"X_OFFSET";
inline constexpr char16_t kYOffset[] = u"Y_OFFSET";
inline constexpr char16_t kSlipCorrection[] = u"SLIP_CORRECTION";
inline constexpr char16_t kCutter[] = u"CUTTER";
inline constexpr char16_t kPrintSpeed[] = u"PRINT_SPEED";
inline constexpr char16_t kPrintDensity[] = u"PRINT_DENSITY";
inline constexpr char16_t kCopies[] = u"NUMBER OF COPIES";
inline constexpr char16_t kPaperSizes[] = u"PAPER SIZES";
inline constexpr char16_t kConfig[] = u"CONFIG";
inline constexpr char16_t kSlipCorrectionSend[] = u"SLIP_CORRECTION_SEND";
inline constexpr char16_t kOffsetSend[] = u"OFFSET_SEND";
inline constexpr char16_t kCutterSend[] = u"CUTTER_SEND";
inline constexpr char16_t kPrintSpeedSend[] = u"PRINT_SPEED_SEND";
inline constexpr char16_t kPrintDensitySend[] = u"PRINT_DENSITY_SEND";
inline constexpr char16_t kRotateSend[] = u"ROTATE_SEND";
inline constexpr char16_t kConfigSend[] = u"CONFIG SEND";
inline constexpr char16_t kPassThroughSend[] = u"PASSTHROUGH_SEND";
inline constexpr char16_t kPaperFormatSend[] = u"PAPER FORMAT & SIZE SEND";
inline constexpr char16_t kPassThroughFont[] = u"SelectedPathThroughFont";
inline constexpr char16_t kSelectedPaperSize[] = u"SelectedPaperSize";
inline constexpr char16_t kDevmodePaperSize[] = u"DEVMODE_DM_PAPERSIZE";
inline constexpr char16_t kDevmodePaperWidth[] = u"DEVMODE_DM_PAPERWIDTH";
inline constexpr char16_t kDevmodePaperLength[] = u"DEVMODE_DM_PAPERLENGTH";
inline constexpr char16_t kStdPaperCount[] = u"01_Counts_Of_Standard_PAPER";
}  // namespace value

enum class SettingKind : std::uint8_t {
    Signed,    // 32-bit signed number, stored as a 4-byte REG_DWORD
    Unsigned,  // 32-bit unsigned number, stored as a 4-byte REG_DWORD
    Flag,      // one byte, any non-zero byte counting as set, stored as 1-byte REG_BINARY
    Word,      // 16-bit number, stored as a 2-byte REG_DWORD
    Text,      // UTF-16 text without its terminator, stored as REG_EXPAND_SZ
    Count,     // 32-bit signed count, stored as a 4-byte REG_BINARY
};

// A closed range of a number taken as its kind says (signed or unsigned 32-bit), with the step
// its values must keep from zero.
struct Interval {
    std::int64_t low;
    std::int64_t high;
    std::uint32_t step = 1;
    constexpr bool Holds(std::int64_t v) const { return low <= v && v <= high && v % step == 0; }
};

inline constexpr std::size_t kNoField = std::numeric_limits<std::size_t>::max();
inline constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

struct StoredSetting {
    const char16_t* name;
    std::size_t field;  // offset in OemDevmode, or kNoField for values of the public devmode
    SettingKind kind;
    // What a new or converted devmode holds before the value is read; none leaves the field.
    std::optional<std::uint32_t> preset = std::nullopt;
    // Read into a new devmode.
    bool loaded = true;
    // Reading the defaults, for a new devmode and for a converted or merged one alike: a value
    // outside becomes `loadRejected`; a flag or text that cannot be read becomes 0 or empty, a
    // number keeps its preset.
    std::optional<Interval> load = std::nullopt;
    std::uint32_t loadRejected = kUnsetValue;
    // Read again for a converted or merged devmode.
    bool reloaded = true;
    // A document's applied block: a value outside becomes `corrected`; unset stays unset.
    std::optional<Interval> correction = std::nullopt;
    std::uint32_t corrected = 0;
    bool correctionUpToLastPaper = false;  // the range ends at the block's own last paper index
    // A foreign block's value; none leaves the field as it is.
    std::optional<std::uint32_t> reset = std::nullopt;
    // Written by "Save as default".
    bool saved = true;
    // Cleared at the start of every devmode request (flags of the job).
    bool clearedFirst = false;
};

constexpr bool IsNumber(SettingKind kind) {
    return kind == SettingKind::Signed || kind == SettingKind::Unsigned ||
           kind == SettingKind::Count;
}

// Order matters: the defaults are read in table order.
inline constexpr StoredSetting kStoredSettings[] = {
    {.name = value::kStdPaperCount,
     .field = offsetof(OemDevmode, lStdPaperCount),
     .kind = SettingKind::Count,
     .preset = kUnsetValue,
     .load = Interval{0, kInt32Max},
     .reset = 0,
     .saved = false},
    {.name = value::kXOffset,
     .field = offsetof(OemDevmode, lXOffset),
     .kind = SettingKind::Signed,
     .preset = kUnsetValue,
     .load = Interval{-300, 300},
     .correction = Interval{-300, 300},
     .reset = 0},
    {.name = value::kYOffset,
     .field = offsetof(OemDevmode, lYOffset),
     .kind = SettingKind::Signed,
     .preset = kUnsetValue,
     .load = Interval{-300, 300},
     .correction = Interval{-300, 300},
     .reset = 0},
    {.name = value::kSlipCorrection,
     .field = offsetof(OemDevmode, lSlipCorrection),
     .kind = SettingKind::Signed,
     .preset = kUnsetValue,
     .load = Interval{-100, 100},
     .correction = Interval{-100, 100},
     .reset = 0},
    {.name = value::kCutter,
     .field = offsetof(OemDevmode, dwCutter),
     .kind = SettingKind::Unsigned,
     .preset = kUnsetValue,
     .load = Interval{0, 2},
     .correction = Interval{0, 2},
     .reset = 0},
    {.name = value::kPrintSpeed,
     .field = offsetof(OemDevmode, dwPrintSpeed),
     .kind = SettingKind::Unsigned,
     .preset = kUnsetValue,
     // Any speed a signed number allows: the model's list decides what the page offers.
     .load = Interval{0, kInt32Max},
     .correction = Interval{0, 12},
     .reset = 0},
    {.name = value::kPrintDensity,
     .field = offsetof(OemDevmode, dwPrintDensity),
     .kind = SettingKind::Unsigned,
     .preset = kUnsetValue,
     .load = Interval{10, 120, 5},
     .correction = Interval{10, 120, 5},
     .corrected = 100,
     .reset = 100},
    {.name = value::kCopies,
     .field = offsetof(OemDevmode, dwCopies),
     .kind = SettingKind::Unsigned,
     .preset = 1,
     .load = Interval{1, 9999},
     .loadRejected = 1,
     .correction = Interval{1, 9999},
     .corrected = 1,
     .reset = 1},
    {.name = value::kPaperSizes,
     .field = offsetof(OemDevmode, lPaperSizeIndex),
     .kind = SettingKind::Unsigned,
     .preset = kUnsetValue,
     .load = Interval{0, 8},
     .correction = Interval{0, 0},
     .correctionUpToLastPaper = true,
     .reset = 0},
    {.name = value::kConfig,
     .field = offsetof(OemDevmode, dwConfigNumber),
     .kind = SettingKind::Unsigned,
     .preset = kUnsetValue,
     .load = Interval{0, 9},
     .correction = Interval{0, 9},
     .reset = 0},
    {.name = value::kSlipCorrectionSend,
     .field = offsetof(OemDevmode, bSlipCorrectionSend),
     .kind = SettingKind::Flag,
     .preset = 0,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kOffsetSend,
     .field = offsetof(OemDevmode, bOffsetSend),
     .kind = SettingKind::Flag,
     .preset = 0,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kCutterSend,
     .field = offsetof(OemDevmode, bCutterSend),
     .kind = SettingKind::Flag,
     .preset = 0,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kPrintSpeedSend,
     .field = offsetof(OemDevmode, bPrintSpeedSend),
     .kind = SettingKind::Flag,
     .preset = 0,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kPrintDensitySend,
     .field = offsetof(OemDevmode, bPrintDensitySend),
     .kind = SettingKind::Flag,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kRotateSend,
     .field = offsetof(OemDevmode, bRotate180),
     .kind = SettingKind::Flag,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kConfigSend,
     .field = offsetof(OemDevmode, bConfigSend),
     .kind = SettingKind::Flag,
     .reset = 0,
     .clearedFirst = true},
    // Set by whoever installs the printer; the page never changes it.
    {.name = value::kPaperFormatSend,
     .field = offsetof(OemDevmode, bPaperFormatSend),
     .kind = SettingKind::Flag,
     .saved = false},
    {.name = value::kPassThroughSend,
     .field = offsetof(OemDevmode, bPassThroughSend),
     .kind = SettingKind::Flag,
     .reset = 0,
     .clearedFirst = true},
    {.name = value::kPassThroughFont,
     .field = offsetof(OemDevmode, szPassThroughFont),
     .kind = SettingKind::Text,
     .reloaded = false,
     .reset = 0},
    // Read and written by the page only.
    {.name = value::kSelectedPaperSize,
     .field = offsetof(OemDevmode, wSelectedPaperSize),
     .kind = SettingKind::Word,
     .loaded = false,
     .reloaded = false},
    {.name = value::kDevmodePaperSize,
     .field = kNoField,
     .kind = SettingKind::Word,
     .loaded = false,
     .reloaded = false},
    {.name = value::kDevmodePaperWidth,
     .field = kNoField,
     .kind = SettingKind::Word,
     .loaded = false,
     .reloaded = false},
    {.name = value::kDevmodePaperLength,
     .field = kNoField,
     .kind = SettingKind::Word,
     .loaded = false,
     .reloaded = false},
};

// The stored setting of a value name; a name without a row does not compile where a constant is
// asked for.
constexpr const StoredSetting& SettingRow(const char16_t* name) {
    for (const StoredSetting& row : kStoredSettings) {
        if (std::u16string_view(row.name) == std::u16string_view(name))
            return row;
    }
    throw std::invalid_argument("no stored setting of that name");
}

// A 32-bit field taken as the row's kind says.
std::int64_t SettingNumber(const StoredSetting& setting, const OemDevmode& block);
void SetSettingNumber(const StoredSetting& setting, OemDevmode& block, std::uint32_t v);

// The printer-data type and the bytes a row is stored with.
std::uint32_t StoredType(SettingKind kind);

}  // namespace adjustui
