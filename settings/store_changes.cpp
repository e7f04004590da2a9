#include "settings/store_changes.h"

#include <algorithm>
#include <memory>

#include "settings/printer_snapshot.h"

namespace adjustui {
namespace {

bool StoredAlready(PrinterStore& picture, const ValueToWrite& v) {
    std::vector<std::byte> stored(v.data.size());
    std::uint32_t needed = 0;
    return picture.GetData(v.name, stored, needed) == kErrorSuccess && needed == v.data.size() &&
           std::equal(stored.begin(), stored.end(), v.data.begin());
}

}  // namespace

WriteOutcome StoreChangedValues(PrinterStore& printer, std::span<const ValueToWrite> values) {
    PrinterSnapshot picture(printer);
    std::unique_ptr<PrinterStore> writer;
    WriteOutcome outcome{true, 0};
    for (const ValueToWrite& v : values) {
        if (StoredAlready(picture, v))
            continue;
        if (!writer && !(writer = printer.OpenForWrite()))
            return {false, 0};
        ++outcome.written;
        if (writer->SetData(v.name, v.type, v.data) != kErrorSuccess)
            outcome.stored = false;
    }
    return outcome;
}

}  // namespace adjustui
