// The printer's defaults for the job settings, kept as named printer-data values.
#pragma once

#include "common/debug_sink.h"
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
}  // namespace value

// Fills the settings of a block that the default request has preset. `printer` may be null (no
// printer handle): every value then reads as missing.
void LoadDefaultSettings(PrinterStore* printer, OemDevmode& block, DebugSink& debug);

// Presets and fills the settings of the output block of a convert or merge request.
void ReloadStoredSettings(PrinterStore* printer, OemDevmode& block);

}  // namespace adjustui
