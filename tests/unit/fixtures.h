// Shared set-up of the unit tests: one in-memory printer and helpers to fill and read it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/debug_sink.h"
#include "common/text.h"
#include "settings/oem_devmode.h"
#include "settings/paper_store.h"
#include "tests/support/memory_printer_store.h"

namespace adjustui::testing {

class CapturingSink : public DebugSink {
  public:
    void Line(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class PrinterTest : public ::testing::Test {
  protected:
    void PutDword(const std::u16string& name, std::uint32_t v) { printer->Put(name, kRegDword, v); }
    void PutFlag(const std::u16string& name, std::uint8_t v) { printer->Put(name, kRegBinary, v); }
    void PutRecords(const char16_t* countName, const char16_t* arrayName,
                    const std::vector<PaperRecord>& records) {
        printer->Put(countName, kRegBinary, static_cast<std::int32_t>(records.size()));
        printer->Put(arrayName, kRegBinary, records.data(), records.size() * sizeof(PaperRecord));
    }
    std::vector<PaperRecord> StoredRecords(const char16_t* arrayName) const {
        const auto* data = printer->Find(arrayName);
        std::vector<PaperRecord> out;
        if (data == nullptr)
            return out;
        out.resize(data->size() / sizeof(PaperRecord));
        std::memcpy(out.data(), data->data(), out.size() * sizeof(PaperRecord));
        return out;
    }
    std::int32_t StoredCount(const char16_t* countName) const {
        const auto* data = printer->Find(countName);
        std::int32_t v = -1;
        if (data != nullptr && data->size() == sizeof v)
            std::memcpy(&v, data->data(), sizeof v);
        return v;
    }

    std::shared_ptr<MemoryPrinter> printer = std::make_shared<MemoryPrinter>();
    MemoryPrinterStore store{printer};
    CapturingSink debug;
};

inline PaperRecord Paper(std::u16string_view name, std::uint16_t id, std::int32_t width,
                         std::int32_t length) {
    PaperRecord r{};
    for (std::size_t i = 0; i < name.size() && i < kPaperNameUnits; ++i)
        r.name[i] = name[i];
    r.id = id;
    r.width = width;
    r.length = length;
    return r;
}

// A block filled with a byte pattern, so tests see which bytes an operation touched.
inline OemDevmode PatternBlock(std::uint8_t fill) {
    OemDevmode b;
    std::memset(&b, fill, sizeof b);
    return b;
}

}  // namespace adjustui::testing
