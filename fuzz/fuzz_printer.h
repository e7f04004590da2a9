// Printer data drawn from fuzzer input: a few of the plug-in's value names (and some others) with
// arbitrary bytes, a driver name or none, and whether writes and listings succeed.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>

#include "settings/paper_store.h"
#include "settings/stored_settings.h"
#include "tests/support/memory_printer_store.h"

namespace adjustui::fuzz {

// Copies what the fuzzer gave, which may be nothing at all.
inline void Fill(void* dest, const std::vector<std::uint8_t>& bytes) {
    if (!bytes.empty())
        std::memcpy(dest, bytes.data(), bytes.size());
}

inline std::shared_ptr<testing::MemoryPrinter> FuzzedPrinter(FuzzedDataProvider& in) {
    auto printer = std::make_shared<testing::MemoryPrinter>();
    std::vector<std::u16string> names = {value::kCustomPaperCount, value::kCustomPapers,
                                         value::kStdPaperCount, value::kStdPapers,
                                         u"UNKNOWN VALUE"};
    for (const StoredSetting& s : kStoredSettings)
        names.push_back(s.name);
    const int values = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < values && in.remaining_bytes() > 0; ++i) {
        const std::u16string& name =
            names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
        std::vector<std::byte> data;
        if (in.ConsumeBool()) {
            // A count or a number, the sizes readers expect and the ones they do not.
            const std::int32_t v = in.ConsumeIntegral<std::int32_t>();
            const std::size_t size = in.ConsumeIntegralInRange<std::size_t>(0, 8);
            data.resize(size);
            if (size > 0)
                std::memcpy(data.data(), &v, std::min(size, sizeof v));
        } else if (in.ConsumeBool()) {
            // Whole records, a torn one, or a huge array.
            const std::size_t records = in.ConsumeIntegralInRange<std::size_t>(0, 6);
            const std::size_t extra = in.ConsumeIntegralInRange<std::size_t>(0, 139);
            data.resize(records * sizeof(PaperRecord) + extra);
            Fill(data.data(), in.ConsumeBytes<std::uint8_t>(data.size()));
            if (in.ConsumeBool())
                data.resize((kMaxPaperRecords + 2) * sizeof(PaperRecord));
        } else {
            const auto bytes =
                in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 1100));
            data.resize(bytes.size());
            Fill(data.data(), bytes);
        }
        printer->Put(name, kRegBinary, data.data(), data.size());
    }
    printer->writeAccess = in.ConsumeBool();
    printer->listable = in.ConsumeBool();
    if (in.ConsumeBool()) {
        printer->driverName.reset();
    } else {
        const char16_t* models[] = {u"KESTRA VC9",  u"kesTRA VC9", u"MANTO G36",    u"manto g36",
                                    u"MANTO 63N-2", u"",           u"NO SUCH MODEL"};
        printer->driverName = models[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
    }
    return printer;
}

// Stops the run with a finding when an invariant does not hold.
inline void Require(bool holds) {
    if (!holds)
        __builtin_trap();
}

}  // namespace adjustui::fuzz
