#include "tests/support/memory_printer_store.h"

#include <algorithm>

namespace adjustui::testing {

void MemoryPrinter::Put(const std::u16string& name, std::uint32_t type, const void* data,
                        std::size_t size) {
    const auto* p = static_cast<const std::byte*>(data);
    values[name] = {type, std::vector<std::byte>(p, p + size)};
}

const std::vector<std::byte>* MemoryPrinter::Find(const std::u16string& name) const {
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second.data;
}

std::uint32_t MemoryPrinterStore::GetData(const char16_t* name, std::span<std::byte> dest,
                                          std::uint32_t& needed) {
    ++printer_->gets;
    auto it = printer_->values.find(name);
    if (it == printer_->values.end())
        return 2;
    const auto& data = it->second.data;
    needed = static_cast<std::uint32_t>(data.size());
    if (data.size() > dest.size())
        return 234;
    std::copy(data.begin(), data.end(), dest.begin());
    return 0;
}

std::uint32_t MemoryPrinterStore::SetData(const char16_t* name, std::uint32_t type,
                                          std::span<const std::byte> data) {
    ++printer_->sets;
    if (printer_->failWrites.count(name) != 0)
        return 5;  // access denied
    printer_->values[name] = {type, std::vector<std::byte>(data.begin(), data.end())};
    return 0;
}

std::unique_ptr<PrinterStore> MemoryPrinterStore::OpenForWrite() {
    ++printer_->opens;
    if (!printer_->writeAccess)
        return nullptr;
    return std::make_unique<MemoryPrinterStore>(printer_);
}

std::optional<std::u16string> MemoryPrinterStore::DriverName() {
    ++printer_->driverNameReads;
    return printer_->driverName;
}

std::optional<std::vector<ListedValue>> MemoryPrinterStore::ListValues() {
    ++printer_->lists;
    if (!printer_->listable)
        return std::nullopt;
    std::vector<ListedValue> listed;
    for (const auto& [name, value] : printer_->values)
        listed.push_back({name, value.data});
    return listed;
}

}  // namespace adjustui::testing
