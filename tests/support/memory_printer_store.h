// A printer of the native tests: named values in memory with the spooler's result codes, shared by
// every handle opened on it, and a record of the calls that reach it.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/text.h"
#include "settings/printer_store.h"

namespace adjustui::testing {

struct MemoryPrinter {
    struct Value {
        std::uint32_t type;
        std::vector<std::byte> data;
    };
    std::map<std::u16string, Value, ValueNameLess> values;  // names as the spooler matches them
    std::optional<std::u16string> driverName = u"KESTRA VC9";
    bool writeAccess = true;              // OpenForWrite succeeds
    std::set<std::u16string> failWrites;  // SetData of these names fails
    // Calls seen, across all handles.
    int gets = 0;
    int sets = 0;
    int opens = 0;
    int driverNameReads = 0;
    int lists = 0;
    bool listable = true;  // ListValues answers

    void Put(const std::u16string& name, std::uint32_t type, const void* data, std::size_t size);
    template <typename T>
    void Put(const std::u16string& name, std::uint32_t type, const T& v) {
        Put(name, type, &v, sizeof v);
    }
    const std::vector<std::byte>* Find(const std::u16string& name) const;
};

class MemoryPrinterStore : public PrinterStore {
  public:
    explicit MemoryPrinterStore(std::shared_ptr<MemoryPrinter> printer)
        : printer_(std::move(printer)) {}

    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override;
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override;
    std::unique_ptr<PrinterStore> OpenForWrite() override;
    std::optional<std::u16string> DriverName() override;
    std::optional<std::vector<ListedValue>> ListValues() override;

  private:
    std::shared_ptr<MemoryPrinter> printer_;
};

}  // namespace adjustui::testing
