// The printer's defaults for the job settings, read into the private devmode, and the rules a
// devmode request applies to the settings a block carries.
#pragma once

#include <cstddef>

#include "common/debug_sink.h"
#include "settings/oem_devmode.h"
#include "settings/printer_store.h"
#include "settings/stored_settings.h"

namespace adjustui {

// Every stored number to its preset (unset, copies 1).
void PresetSettings(OemDevmode& block);

// The send flags of the job to 0; the paper format flag is the printer's and stays.
void ClearJobFlags(OemDevmode& block);

// Fills the settings of a block whose numbers are preset, for a new devmode.
void LoadDefaultSettings(PrinterStore& printer, OemDevmode& block, DebugSink& debug);

// Presets and fills the settings of the output block of a convert or merge request.
void ReloadStoredSettings(PrinterStore& printer, OemDevmode& block);

// A document's applied block: corrects the numbers within its first `taken` bytes to values the
// page could have made.
void CorrectAppliedSettings(OemDevmode& block, std::size_t taken);

// A foreign block: every setting to its reset value.
void ResetSettings(OemDevmode& block);

}  // namespace adjustui
