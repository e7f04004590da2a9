// The device-capability answers and the paper store over arbitrary counts, arrays, records, driver
// names, core answers and capability codes; every list buffer is exactly as large as the count
// query told the application.
#include <cstring>
#include <memory>
#include <vector>

#include "capabilities/device_capabilities.h"
#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "settings/printer_snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace adjustui;
    using namespace adjustui::fuzz;
    FuzzedDataProvider in(data, size);
    const std::uint16_t codes[] = {
        kDcPapers, kDcPaperNames, kDcPaperSize, kDcMinExtent, kDcMaxExtent, kDcMediaReady,
        6,         0xFFFF};
    const std::uint16_t capability = codes[in.ConsumeIntegralInRange<std::size_t>(0, 7)];
    const std::uint32_t old = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 40)
                                               : in.ConsumeIntegral<std::uint32_t>();
    std::int16_t paperSize = in.ConsumeIntegral<std::int16_t>();
    char16_t formName[32];
    for (char16_t& c : formName)
        c = in.ConsumeIntegral<char16_t>();
    OemDevmode oem{};
    oem.wSelectedPaperSize = in.ConsumeIntegral<std::uint16_t>();
    auto printer = FuzzedPrinter(in);
    testing::MemoryPrinterStore store(printer);

    std::size_t entryBytes = 0;
    switch (capability) {
        case kDcPapers:
            entryBytes = sizeof(PaperNumber);
            break;
        case kDcPaperNames:
        case kDcMediaReady:
            entryBytes = sizeof(PaperName);
            break;
        case kDcPaperSize:
            entryBytes = sizeof(PaperPoint);
            break;
        default:
            break;
    }
    std::uint32_t promised = 0;
    {
        PrinterSnapshot picture(store);
        const CapabilityRequest count{picture, capability, nullptr, {&paperSize, formName},
                                      &oem,    old};
        AnswerDeviceCapabilities(count, promised);
    }
    if (entryBytes == 0 || promised > 10000)
        return 0;
    // The application allocates what it was promised; the core driver filled its part.
    const std::size_t entries = capability == kDcMediaReady ? 1 : promised;
    auto output = std::make_unique<std::byte[]>(std::max<std::size_t>(entries * entryBytes, 1));
    const std::size_t coreEntries = std::min<std::size_t>(old, entries);
    Fill(output.get(), in.ConsumeBytes<std::uint8_t>(coreEntries * entryBytes));
    PrinterSnapshot picture(store);
    const CapabilityRequest list{picture,
                                 capability,
                                 output.get(),
                                 {&paperSize, formName},
                                 in.ConsumeBool() ? &oem : nullptr,
                                 old};
    std::uint32_t given = 0;
    AnswerDeviceCapabilities(list, given);
    if (capability != kDcMediaReady)
        Require(given == promised);
    if (capability == kDcPaperNames && old <= kMaxPaperRecords) {
        const auto* names = reinterpret_cast<const PaperName*>(output.get());
        for (std::size_t i = old; i < given; ++i)
            Require(BoundedLength(names[i].units, kPaperNameUnits) < kPaperNameUnits);
    }
    return 0;
}
