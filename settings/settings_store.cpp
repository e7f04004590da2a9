#include "settings/settings_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "settings/paper_store.h"

namespace adjustui {
namespace {

enum class Rule : std::uint8_t {
    Offset,       // -300..300
    Slip,         // -100..100
    Cutter,       // 0..2
    SpeedAny,     // 0 and above (signed)
    SpeedListed,  // 0..4
    Density,      // 10..120, multiple of 5
    Copies,       // 1..9999
    PaperIndex,   // 0..8
    Config,       // 0..9
};

constexpr bool Accepts(Rule rule, std::uint32_t v) {
    switch (rule) {
        case Rule::Offset:
            return v + 300u <= 600u;
        case Rule::Slip:
            return v + 100u <= 200u;
        case Rule::Cutter:
            return v <= 2u;
        case Rule::SpeedAny:
            return static_cast<std::int32_t>(v) >= 0;
        case Rule::SpeedListed:
            return v <= 4u;
        case Rule::Density:
            return v - 10u <= 110u && v % 5u == 0;
        case Rule::Copies:
            return v - 1u <= 9998u;
        case Rule::PaperIndex:
            return v <= 8u;
        case Rule::Config:
            return v <= 9u;
    }
    return false;
}

struct NumberValue {
    const char16_t* name;
    std::size_t offset;
    Rule loadRule;
    Rule reloadRule;
    std::uint32_t loadRejected;  // what a new devmode gets for a stored value out of range
    bool unsetOnFailure;         // otherwise a failed read keeps the preset
};

constexpr NumberValue kNumbers[] = {
    {value::kXOffset, offsetof(OemDevmode, lXOffset), Rule::Offset, Rule::Offset, kUnsetValue,
     false},
    {value::kYOffset, offsetof(OemDevmode, lYOffset), Rule::Offset, Rule::Offset, kUnsetValue,
     false},
    {value::kSlipCorrection, offsetof(OemDevmode, lSlipCorrection), Rule::Slip, Rule::Slip,
     kUnsetValue, false},
    {value::kCutter, offsetof(OemDevmode, dwCutter), Rule::Cutter, Rule::Cutter, kUnsetValue,
     false},
    {value::kPrintSpeed, offsetof(OemDevmode, dwPrintSpeed), Rule::SpeedAny, Rule::SpeedListed,
     kUnsetValue, false},
    {value::kPrintDensity, offsetof(OemDevmode, dwPrintDensity), Rule::Density, Rule::Density,
     kUnsetValue, false},
    {value::kCopies, offsetof(OemDevmode, dwCopies), Rule::Copies, Rule::Copies, 1, false},
    {value::kPaperSizes, offsetof(OemDevmode, lPaperSizeIndex), Rule::PaperIndex, Rule::PaperIndex,
     kUnsetValue, true},
    {value::kConfig, offsetof(OemDevmode, dwConfigNumber), Rule::Config, Rule::Config, kUnsetValue,
     false},
};

struct FlagValue {
    const char16_t* name;
    std::size_t offset;
};

constexpr FlagValue kFlags[] = {
    {value::kSlipCorrectionSend, offsetof(OemDevmode, bSlipCorrectionSend)},
    {value::kOffsetSend, offsetof(OemDevmode, bOffsetSend)},
    {value::kCutterSend, offsetof(OemDevmode, bCutterSend)},
    {value::kPrintSpeedSend, offsetof(OemDevmode, bPrintSpeedSend)},
    {value::kPrintDensitySend, offsetof(OemDevmode, bPrintDensitySend)},
    {value::kRotateSend, offsetof(OemDevmode, bRotate180)},
    {value::kConfigSend, offsetof(OemDevmode, bConfigSend)},
    {value::kPaperFormatSend, offsetof(OemDevmode, bPaperFormatSend)},
    {value::kPassThroughSend, offsetof(OemDevmode, bPassThroughSend)},
};

std::span<std::byte> FieldBytes(OemDevmode& block, std::size_t offset, std::size_t size) {
    return {reinterpret_cast<std::byte*>(&block) + offset, size};
}

std::uint32_t Get32(const OemDevmode& block, std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, reinterpret_cast<const std::byte*>(&block) + offset, sizeof v);
    return v;
}

void Set32(OemDevmode& block, std::size_t offset, std::uint32_t v) {
    std::memcpy(reinterpret_cast<std::byte*>(&block) + offset, &v, sizeof v);
}

// Reads a 32-bit value straight into its field, so a failed read leaves the preset and a shorter
// value fills only its own bytes.
std::uint32_t ReadField32(PrinterStore* printer, const char16_t* name, OemDevmode& block,
                          std::size_t offset) {
    return ReadValue(printer, name, FieldBytes(block, offset, sizeof(std::uint32_t)));
}

void ReadNumbers(PrinterStore* printer, OemDevmode& block, bool reload) {
    for (const NumberValue& n : kNumbers) {
        if (ReadField32(printer, n.name, block, n.offset) != kErrorSuccess) {
            if (n.unsetOnFailure)
                Set32(block, n.offset, kUnsetValue);
            continue;
        }
        const std::uint32_t v = Get32(block, n.offset);
        if (!Accepts(reload ? n.reloadRule : n.loadRule, v)) {
            Set32(block, n.offset, reload ? kUnsetValue : n.loadRejected);
        }
    }
}

// The spooler stores a text with its terminator when one follows it, so the page's longest name
// (511 units) arrives as 1024 bytes: read with the whole field as room, keep at most 511 units.
void ReadPassThroughFont(PrinterStore* printer, OemDevmode& block) {
    std::uint32_t needed = 0;
    auto dest =
        FieldBytes(block, offsetof(OemDevmode, szPassThroughFont), sizeof block.szPassThroughFont);
    if (ReadValue(printer, value::kPassThroughFont, dest, needed) != kErrorSuccess) {
        block.bPassThroughSend = 0;
        block.szPassThroughFont[0] = u'\0';
        return;
    }
    const std::size_t units =
        std::min<std::size_t>(needed / sizeof(char16_t), kPassThroughFontUnits - 1);
    block.szPassThroughFont[units] = u'\0';
}

}  // namespace

void LoadDefaultSettings(PrinterStore* printer, OemDevmode& block, DebugSink& debug) {
    const std::uint32_t err =
        ReadField32(printer, value::kStdPaperCount, block, offsetof(OemDevmode, lStdPaperCount));
    if (err != kErrorSuccess || block.lStdPaperCount < 0) {
        char line[256];
        std::snprintf(line, sizeof line, "dwErr (counts of Papers) = %d\r\n",
                      static_cast<int>(err));
        debug.Line(line);
        block.lStdPaperCount = kUnsetSigned;
    }
    ReadNumbers(printer, block, false);
    for (const FlagValue& f : kFlags) {
        if (ReadValue(printer, f.name, FieldBytes(block, f.offset, 1)) != kErrorSuccess) {
            *FieldBytes(block, f.offset, 1).data() = std::byte{0};
        }
    }
    ReadPassThroughFont(printer, block);
}

void ReloadStoredSettings(PrinterStore* printer, OemDevmode& block) {
    for (std::int32_t* field :
         {&block.lXOffset, &block.lYOffset, &block.lSlipCorrection, &block.lPaperSizeIndex,
          &block.lLastPaperIndex, &block.lStdPaperCount}) {
        *field = kUnsetSigned;
    }
    for (std::uint32_t* field : {&block.dwCutter, &block.dwPrintSpeed, &block.dwPrintDensity,
                                 &block.dwConfigNumber, &block.dwReserved3}) {
        *field = kUnsetValue;
    }
    block.lCustomPaperCount = 0;
    block.bSlipCorrectionSend = block.bOffsetSend = block.bCutterSend = block.bPrintSpeedSend = 0;

    if (ReadField32(printer, value::kStdPaperCount, block, offsetof(OemDevmode, lStdPaperCount)) ==
            kErrorSuccess &&
        block.lStdPaperCount < 0) {
        block.lStdPaperCount = kUnsetSigned;
    }
    ReadNumbers(printer, block, true);
    for (const FlagValue& f : kFlags)
        ReadValue(printer, f.name, FieldBytes(block, f.offset, 1));
}

}  // namespace adjustui
