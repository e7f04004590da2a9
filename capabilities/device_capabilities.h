// The plug-in's part of the answers to device-capability queries.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/results.h"
#include "settings/oem_devmode.h"
#include "settings/printer_store.h"

namespace adjustui {

inline constexpr std::uint16_t kDcPapers = 2;
inline constexpr std::uint16_t kDcPaperSize = 3;
inline constexpr std::uint16_t kDcMinExtent = 4;
inline constexpr std::uint16_t kDcMaxExtent = 5;
inline constexpr std::uint16_t kDcPaperNames = 16;
inline constexpr std::uint16_t kDcMediaReady = 29;

// The two fields of the public devmode that the media-ready answer reads and writes.
struct PublicPaper {
    std::int16_t* dmPaperSize;   // null when there is no public devmode
    const char16_t* dmFormName;  // 32 units
};

struct CapabilityRequest {
    PrinterStore& printer;  // NoPrinterStore without a printer handle
    std::uint16_t capability;
    void* output;  // may be null
    PublicPaper publicDevmode;
    const OemDevmode* oemDevmode;  // may be null
    std::uint32_t old;             // the core driver's answer
};

// The plug-in's answer to DC_MINEXTENT or DC_MAXEXTENT for a printer of that driver: the packed
// extent of the model table, or nothing where the core driver's own answer stands.
std::optional<std::uint32_t> ModelExtentAnswer(std::u16string_view driverName,
                                               std::uint16_t capability);

// (Not named DeviceCapabilities: the platform headers make that name a macro.)
// Returns the result code; `result` receives the answer (left alone where the code says so).
HResult AnswerDeviceCapabilities(const CapabilityRequest& request, std::uint32_t& result);

}  // namespace adjustui
