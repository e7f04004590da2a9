// The core driver's requests to size, default, convert and merge the private devmode.
#pragma once

#include <cstdint>

#include "common/debug_sink.h"
#include "common/results.h"
#include "settings/oem_devmode.h"
#include "settings/printer_store.h"

namespace adjustui {

inline constexpr std::uint32_t kOemDmSize = 1;
inline constexpr std::uint32_t kOemDmDefault = 2;
inline constexpr std::uint32_t kOemDmConvert = 3;
inline constexpr std::uint32_t kOemDmMerge = 4;

// The parts of the core driver's parameter block that the handler uses.
struct DevModeRequest {
    PrinterStore& printer;    // NoPrinterStore when the request carries no printer handle
    const OemDevmode* input;  // pOEMDMIn: only as many bytes as its dwSize states are read
    OemDevmode* output;       // pOEMDMOut
    std::uint32_t* bufSize;   // &cbBufSize
};

// `request` null stands for a missing parameter block.
Outcome HandleOemDevMode(std::uint32_t mode, const DevModeRequest* request, DebugSink& debug);

}  // namespace adjustui
