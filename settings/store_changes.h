// Writing a set of values to the printer with as few round trips as it takes: the stored values
// are read in one listing, and only those whose bytes differ are written, through a second handle
// with full access that is opened only when something must be written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "settings/printer_store.h"

namespace adjustui {

struct ValueToWrite {
    const char16_t* name;
    std::uint32_t type;
    std::vector<std::byte> data;
};

struct WriteOutcome {
    bool stored;            // every value holds the bytes asked for
    std::uint32_t written;  // values that had to be written
};

WriteOutcome StoreChangedValues(PrinterStore& printer, std::span<const ValueToWrite> values);

}  // namespace adjustui
