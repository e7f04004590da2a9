#include "settings/devmode_handler.h"

#include <algorithm>
#include <cstring>

#include "settings/settings_store.h"

namespace adjustui {
namespace {

void WriteHeader(OemDevmode& block) {
    block.dwSize = kOemDevmodeSize;
    block.dwSignature = kOemSignature;
    block.dwVersion = kOemVersion;
}

// The fields every request starts from; the paper selection and copies are the job's own.
void ClearJobFields(OemDevmode& block) {
    block.dwReserved1 = 0;
    block.dwReserved2 = 0;
    block.wSelectedPaperSize = 0;
    std::memset(block.reserved24, 0, sizeof block.reserved24);
    std::memset(block.reserved120, 0, sizeof block.reserved120);
    block.bSlipCorrectionSend = block.bOffsetSend = block.bCutterSend = 0;
    block.bPrintSpeedSend = block.bPrintDensitySend = block.bRotate180 = 0;
    block.bConfigSend = block.bPassThroughSend = 0;
}

void Default(PrinterStore* printer, OemDevmode& out, DebugSink& debug) {
    WriteHeader(out);
    ClearJobFields(out);
    out.bSettingsValid = 0;
    out.bReserved152 = 0;
    for (std::int32_t* f :
         {&out.lXOffset, &out.lYOffset, &out.lSlipCorrection, &out.lPaperSizeIndex,
          &out.lLastPaperIndex, &out.lStdPaperCount, &out.lCustomPaperCount}) {
        *f = kUnsetSigned;
    }
    for (std::uint32_t* f : {&out.dwCutter, &out.dwPrintSpeed, &out.dwPrintDensity,
                             &out.dwConfigNumber, &out.dwReserved3}) {
        *f = kUnsetValue;
    }
    out.dwCopies = 1;
    LoadDefaultSettings(printer, out, debug);
}

void Reset(OemDevmode& out) {
    WriteHeader(out);
    out.szPassThroughFont[0] = u'\0';
    out.lXOffset = out.lYOffset = out.lSlipCorrection = 0;
    out.dwCutter = out.dwPrintSpeed = out.dwConfigNumber = out.dwReserved3 = 0;
    out.dwPrintDensity = 100;
    out.lPaperSizeIndex = out.lLastPaperIndex = out.lStdPaperCount = out.lCustomPaperCount = 0;
    out.bSlipCorrectionSend = out.bOffsetSend = out.bCutterSend = out.bPrintSpeedSend = 0;
}

// A block short enough to end before the flag was never applied on the page.
bool WasApplied(const OemDevmode& in) {
    return in.dwSize > offsetof(OemDevmode, bSettingsValid) && in.bSettingsValid != 0;
}

template <typename T>
void BoundField(T& field, T low, T high, T fallback) {
    if (static_cast<std::uint32_t>(field) == kUnsetValue)
        return;
    if (field < low || field > high)
        field = fallback;
}

// An applied block comes from a document: keep its values only where the page could have made them.
void CorrectAppliedBlock(OemDevmode& out) {
    BoundField(out.lXOffset, -300, 300, 0);
    BoundField(out.lYOffset, -300, 300, 0);
    BoundField(out.lSlipCorrection, -100, 100, 0);
    BoundField(out.dwCutter, 0u, 2u, 0u);
    BoundField(out.dwPrintSpeed, 0u, 12u, 0u);
    BoundField(out.dwConfigNumber, 0u, 9u, 0u);
    BoundField(out.dwPrintDensity, 10u, 120u, 100u);
    BoundField(out.dwCopies, 1u, 9999u, 1u);
    if (static_cast<std::uint32_t>(out.lPaperSizeIndex) != kUnsetValue &&
        (out.lPaperSizeIndex < 0 || out.lPaperSizeIndex > out.lLastPaperIndex)) {
        out.lPaperSizeIndex = 0;
    }
}

// Common to convert and merge: a foreign block is replaced, the plug-in's own is reloaded and,
// once applied on the page, taken over as far as its size reaches.
void TakeIn(PrinterStore* printer, OemDevmode in, OemDevmode& out) {
    ClearJobFields(out);
    out.dwCopies = 1;
    out.lCustomPaperCount = 0;
    if (in.dwSignature != kOemSignature) {
        Reset(out);
        return;
    }
    ReloadStoredSettings(printer, out);
    if (WasApplied(in)) {
        // Corrected on the input's own terms, so reloaded values beyond a short block stay.
        CorrectAppliedBlock(in);
        // The output's room was checked against the caller's buffer size; the input's own size
        // bounds what it carries.
        std::memcpy(&out, &in, std::min<std::size_t>(in.dwSize, kOemDevmodeSize));
        out.szPassThroughFont[kPassThroughFontUnits - 1] = u'\0';
    }
    out.dwSize = kOemDevmodeSize;
    out.dwVersion = kOemVersion;
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
    if (mode == kOemDmDefault) {
        Default(request->printer, *out, debug);
        return {};
    }
    if (request->input == nullptr)
        return {};
    // Taken by value, so an input given as its own output survives the presets.
    TakeIn(request->printer, *request->input, *out);
    if (mode == kOemDmMerge) {
        WriteHeader(*out);
        if (out->dwReserved1 > 100)
            out->dwReserved1 = 0;
        if (out->dwReserved2 > 100)
            out->dwReserved2 = 0;
    }
    return {};
}

}  // namespace adjustui
