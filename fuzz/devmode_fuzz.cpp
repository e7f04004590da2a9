// The devmode requests over arbitrary modes, blocks of arbitrary stated sizes placed in heap
// blocks of exactly those sizes, buffer sizes, and printer data.
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "settings/devmode_handler.h"
#include "settings/printer_snapshot.h"

namespace adjustui::fuzz {
namespace {

class NoDebug : public DebugSink {
  public:
    void Line(const char*) override {}
};

// Every stored setting of a block a request made is unset or one the plug-in accepts somewhere.
void CheckMadeBlock(const OemDevmode& b) {
    Require(b.dwSize == kOemDevmodeSize && b.dwSignature == kOemSignature &&
            b.dwVersion == kOemVersion);
    Require(BoundedLength(b.szPassThroughFont, kPassThroughFontUnits) < kPassThroughFontUnits);
    for (const StoredSetting& s : kStoredSettings) {
        // Counts are the page's bookkeeping, taken over from a document as they are; every
        // reader bounds them.
        if (!IsNumber(s.kind) || s.kind == SettingKind::Count || s.field == kNoField)
            continue;
        const std::int64_t v = SettingNumber(s, b);
        if (static_cast<std::uint32_t>(v) == kUnsetValue)
            continue;
        const bool loaded = s.load && s.load->low <= v && v <= s.load->high;
        const bool corrected = s.correction && s.correction->low <= v &&
                               (s.correctionUpToLastPaper || v <= s.correction->high);
        if (!(loaded || corrected || (s.reset && v == *s.reset))) {
            std::fprintf(stderr, "field at %zu holds %lld\n", s.field, static_cast<long long>(v));
            Require(false);
        }
    }
}

}  // namespace
}  // namespace adjustui::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace adjustui;
    using namespace adjustui::fuzz;
    FuzzedDataProvider in(data, size);
    const std::uint32_t mode = in.ConsumeIntegralInRange<std::uint32_t>(0, 5);
    const std::uint32_t inSize = in.ConsumeIntegralInRange<std::uint32_t>(4, 1300);
    std::uint32_t bufSize =
        in.ConsumeBool() ? kOemDevmodeSize : in.ConsumeIntegralInRange<std::uint32_t>(0, 2000);
    const bool inPlace = in.ConsumeBool();
    const bool withInput = in.ConsumeBool();

    // The document's block: its stated size is the heap block's size.
    auto input = std::make_unique<std::byte[]>(inSize);
    Fill(input.get(), in.ConsumeBytes<std::uint8_t>(inSize));
    std::memcpy(input.get(), &inSize, sizeof inSize);
    if (in.ConsumeBool() && inSize >= 8)
        std::memcpy(input.get() + 4, &kOemSignature, 4);

    const std::size_t outBytes = std::max<std::size_t>(bufSize, 1);
    auto output = std::make_unique<std::byte[]>(outBytes);
    Fill(output.get(), in.ConsumeBytes<std::uint8_t>(outBytes));

    auto printer = FuzzedPrinter(in);
    testing::MemoryPrinterStore store(printer);
    PrinterSnapshot picture(store);
    PrinterStore& p = in.ConsumeBool() ? static_cast<PrinterStore&>(picture) : store;

    auto* out = reinterpret_cast<OemDevmode*>(output.get());
    const OemDevmode* inBlock = reinterpret_cast<const OemDevmode*>(input.get());
    if (inPlace && bufSize >= kOemDevmodeSize)
        inBlock = out;
    const DevModeRequest request{p, withInput ? inBlock : nullptr, out, &bufSize};
    NoDebug debug;
    const Outcome outcome = HandleOemDevMode(mode, &request, debug);
    const bool wrote =
        outcome.result == kS_OK && mode >= kOemDmDefault && (mode == kOemDmDefault || withInput);
    if (wrote)
        CheckMadeBlock(*out);
    return 0;
}
