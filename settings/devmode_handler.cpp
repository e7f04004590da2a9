#include "settings/devmode_handler.h"

#include <algorithm>
#include <cstring>

#include "common/text.h"
#include "settings/settings_store.h"

namespace adjustui {
namespace {

// Every successful request leaves a block that the next one recognises, with a terminated name.
void Finish(OemDevmode& block) {
    block.dwSize = kOemDevmodeSize;
    block.dwSignature = kOemSignature;
    block.dwVersion = kOemVersion;
    block.szPassThroughFont[kPassThroughFontUnits - 1] = u'\0';
}

// The fields every request starts from; the paper selection and copies are the job's own.
void ClearJobFields(OemDevmode& block) {
    block.dwReserved1 = 0;
    block.dwReserved2 = 0;
    block.wSelectedPaperSize = 0;
    std::memset(block.reserved24, 0, sizeof block.reserved24);
    std::memset(block.reserved120, 0, sizeof block.reserved120);
    ClearJobFlags(block);
}

void Default(PrinterStore& printer, OemDevmode& out, DebugSink& debug) {
    ClearJobFields(out);
    out.bSettingsValid = 0;
    out.bReserved152 = 0;
    PresetSettings(out);
    out.lLastPaperIndex = out.lCustomPaperCount = kUnsetSigned;
    out.dwReserved3 = kUnsetValue;
    LoadDefaultSettings(printer, out, debug);
}

// The fields of the block that are no stored setting; the paper counters are the page's.
void ResetPageFields(OemDevmode& out) {
    out.lLastPaperIndex = out.lCustomPaperCount = 0;
    out.dwReserved3 = 0;
}

// Multi-byte fields that a short block can end inside of.
struct Extent {
    std::size_t offset;
    std::size_t size;
};
#define ADJUSTUI_FIELD(f)                              \
    Extent {                                           \
        offsetof(OemDevmode, f), sizeof(OemDevmode::f) \
    }
constexpr Extent kScalarFields[] = {
    ADJUSTUI_FIELD(dwSize),
    ADJUSTUI_FIELD(dwSignature),
    ADJUSTUI_FIELD(dwVersion),
    ADJUSTUI_FIELD(dwReserved1),
    ADJUSTUI_FIELD(dwReserved2),
    ADJUSTUI_FIELD(wSelectedPaperSize),
    ADJUSTUI_FIELD(lXOffset),
    ADJUSTUI_FIELD(lYOffset),
    ADJUSTUI_FIELD(lSlipCorrection),
    ADJUSTUI_FIELD(dwCutter),
    ADJUSTUI_FIELD(dwPrintSpeed),
    ADJUSTUI_FIELD(dwPrintDensity),
    ADJUSTUI_FIELD(dwCopies),
    ADJUSTUI_FIELD(dwConfigNumber),
    ADJUSTUI_FIELD(lPaperSizeIndex),
    ADJUSTUI_FIELD(lLastPaperIndex),
    ADJUSTUI_FIELD(dwReserved3),
    ADJUSTUI_FIELD(lStdPaperCount),
    ADJUSTUI_FIELD(lCustomPaperCount),
};
#undef ADJUSTUI_FIELD

constexpr std::size_t kFontOffset = offsetof(OemDevmode, szPassThroughFont);
constexpr std::size_t kFontEnd = kFontOffset + sizeof(OemDevmode::szPassThroughFont);

// How much of a block of `size` bytes can be taken over: whole fields only, and the name only
// when it ends within the block.
std::size_t WholeFieldsWithin(const OemDevmode& in, std::size_t size) {
    if (size > kFontOffset && size < kFontEnd) {
        const std::size_t units = (size - kFontOffset) / sizeof(char16_t);
        const bool terminated = BoundedLength(in.szPassThroughFont, units) < units;
        return terminated ? kFontOffset + units * sizeof(char16_t) : kFontOffset;
    }
    for (const Extent& f : kScalarFields) {
        if (size > f.offset && size < f.offset + f.size)
            return f.offset;
    }
    return size;
}

// Common to convert and merge: a foreign block is replaced, the plug-in's own is reloaded and,
// once applied on the page, taken over as far as its size reaches.
void TakeIn(PrinterStore& printer, const OemDevmode& input, OemDevmode& out) {
    // Only the bytes the input states are read; it may be older and shorter, or the output itself.
    OemDevmode in{};
    std::uint32_t size;
    std::memcpy(&size, &input, sizeof size);
    size = std::clamp<std::uint32_t>(size, sizeof size, kOemDevmodeSize);
    std::memcpy(&in, &input, size);

    ClearJobFields(out);
    out.dwCopies = 1;
    out.lCustomPaperCount = 0;
    if (size < offsetof(OemDevmode, dwVersion) || in.dwSignature != kOemSignature) {
        ResetSettings(out);
        ResetPageFields(out);
        return;
    }
    ReloadStoredSettings(printer, out);
    // A block too short for the flag was never applied on the page.
    if (size > offsetof(OemDevmode, bSettingsValid) && in.bSettingsValid != 0) {
        const std::size_t taken = WholeFieldsWithin(in, size);
        std::memcpy(&out, &in, taken);
        CorrectAppliedSettings(out, taken);
    }
}

}  // namespace

Outcome HandleOemDevMode(std::uint32_t mode, const DevModeRequest* request, DebugSink& debug) {
    if (request == nullptr || mode < kOemDmSize || mode > kOemDmMerge) {
        return {kE_FAIL, kErrorInvalidParameter};
    }
    if (mode == kOemDmSize) {
        if (request->bufSize != nullptr)
            *request->bufSize = kOemDevmodeSize;
        return {};
    }
    OemDevmode* out = request->output;
    if (out == nullptr)
        return {};
    // The caller states how much room the output has; never write past it.
    if (request->bufSize == nullptr || *request->bufSize < kOemDevmodeSize) {
        return {kE_FAIL, kErrorInsufficientBuffer};
    }
    if (mode != kOemDmDefault && request->input == nullptr)
        return {};
    // Made aside and written whole at the end: a request that fails on the way (the printer's
    // values cannot be read for want of memory, say) leaves the output untouched. The input may be
    // the output itself: it is read before the output is written.
    OemDevmode made;
    std::memcpy(&made, out, sizeof made);
    if (mode == kOemDmDefault) {
        Default(request->printer, made, debug);
    } else {
        TakeIn(request->printer, *request->input, made);
        if (mode == kOemDmMerge) {
            if (made.dwReserved1 > 100)
                made.dwReserved1 = 0;
            if (made.dwReserved2 > 100)
                made.dwReserved2 = 0;
        }
    }
    Finish(made);
    std::memcpy(out, &made, sizeof made);
    return {};
}

}  // namespace adjustui
