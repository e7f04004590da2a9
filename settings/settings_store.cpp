#include "settings/settings_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace adjustui {
namespace {

std::span<std::byte> FieldBytes(OemDevmode& block, std::size_t offset, std::size_t size) {
    return {reinterpret_cast<std::byte*>(&block) + offset, size};
}

std::uint8_t& FlagOf(const StoredSetting& s, OemDevmode& block) {
    return *reinterpret_cast<std::uint8_t*>(FieldBytes(block, s.field, 1).data());
}

bool IsUnset(const StoredSetting& s, const OemDevmode& block) {
    return static_cast<std::uint32_t>(SettingNumber(s, block)) == kUnsetValue;
}

// Reads a 32-bit value straight into its field, so a failed read leaves the preset and a shorter
// value fills only its own bytes.
std::uint32_t ReadNumber(PrinterStore& printer, const StoredSetting& s, OemDevmode& block) {
    return ReadValue(printer, s.name, FieldBytes(block, s.field, sizeof(std::uint32_t)));
}

// The spooler stores a text with its terminator when one follows it, so the page's longest name
// (511 units) arrives as 1024 bytes: read with the whole field as room, keep at most 511 units.
void ReadPassThroughFont(PrinterStore& printer, const StoredSetting& s, OemDevmode& block) {
    std::uint32_t needed = 0;
    if (printer.GetData(s.name, FieldBytes(block, s.field, sizeof block.szPassThroughFont),
                        needed) != kErrorSuccess) {
        block.bPassThroughSend = 0;
        block.szPassThroughFont[0] = u'\0';
        return;
    }
    const std::size_t units =
        std::min<std::size_t>(needed / sizeof(char16_t), kPassThroughFontUnits - 1);
    block.szPassThroughFont[units] = u'\0';
}

void TraceCountFailure(std::uint32_t err, DebugSink& debug) {
    char line[256];
    std::snprintf(line, sizeof line, "dwErr (counts of Papers) = %d\r\n", static_cast<int>(err));
    debug.Line(line);
}

}  // namespace

namespace {

void Preset(const StoredSetting& s, OemDevmode& block) {
    if (!s.preset)
        return;
    if (s.kind == SettingKind::Flag)
        FlagOf(s, block) = static_cast<std::uint8_t>(*s.preset);
    else
        SetSettingNumber(s, block, *s.preset);
}

}  // namespace

void PresetSettings(OemDevmode& block) {
    for (const StoredSetting& s : kStoredSettings)
        Preset(s, block);
}

void ClearJobFlags(OemDevmode& block) {
    for (const StoredSetting& s : kStoredSettings) {
        if (s.clearedFirst)
            FlagOf(s, block) = 0;
    }
}

void LoadDefaultSettings(PrinterStore& printer, OemDevmode& block, DebugSink& debug) {
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.loaded)
            continue;
        switch (s.kind) {
            case SettingKind::Count:
            case SettingKind::Signed:
            case SettingKind::Unsigned: {
                const std::uint32_t err = ReadNumber(printer, s, block);
                const bool rejected =
                    err == kErrorSuccess && !s.load->Holds(SettingNumber(s, block));
                if (rejected)
                    SetSettingNumber(s, block, s.loadRejected);
                if (s.kind == SettingKind::Count && (err != kErrorSuccess || rejected))
                    TraceCountFailure(err, debug);
                break;
            }
            case SettingKind::Flag:
                if (ReadValue(printer, s.name, FieldBytes(block, s.field, 1)) != kErrorSuccess)
                    FlagOf(s, block) = 0;
                break;
            case SettingKind::Text:
                ReadPassThroughFont(printer, s, block);
                break;
            case SettingKind::Word:
                break;
        }
    }
}

void ReloadStoredSettings(PrinterStore& printer, OemDevmode& block) {
    for (const StoredSetting& s : kStoredSettings) {
        if (s.reloaded)
            Preset(s, block);
    }
    block.lLastPaperIndex = kUnsetSigned;
    block.dwReserved3 = kUnsetValue;
    block.lCustomPaperCount = 0;
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.reloaded || s.field == kNoField)
            continue;
        if (s.kind == SettingKind::Flag) {
            ReadValue(printer, s.name, FieldBytes(block, s.field, 1));
        } else if (ReadNumber(printer, s, block) == kErrorSuccess &&
                   !s.load->Holds(SettingNumber(s, block))) {
            SetSettingNumber(s, block, s.loadRejected);
        }
    }
}

void CorrectAppliedSettings(OemDevmode& block, std::size_t taken) {
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.correction || s.field + sizeof(std::uint32_t) > taken || IsUnset(s, block))
            continue;
        Interval allowed = *s.correction;
        if (s.correctionUpToLastPaper)
            allowed.high = block.lLastPaperIndex;
        if (!allowed.Holds(SettingNumber(s, block)))
            SetSettingNumber(s, block, s.corrected);
    }
}

void ResetSettings(OemDevmode& block) {
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.reset)
            continue;
        switch (s.kind) {
            case SettingKind::Flag:
                FlagOf(s, block) = static_cast<std::uint8_t>(*s.reset);
                break;
            case SettingKind::Text:
                block.szPassThroughFont[0] = u'\0';
                break;
            default:
                SetSettingNumber(s, block, *s.reset);
                break;
        }
    }
}

}  // namespace adjustui
