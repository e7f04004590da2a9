#include "settings/printer_snapshot.h"

#include <algorithm>
#include <string_view>

namespace adjustui {

void PrinterSnapshot::TakePicture() {
    if (taken_)
        return;
    taken_ = true;
    if (auto listed = printer_.ListValues()) {
        values_.emplace();
        for (ListedValue& v : *listed)
            values_->insert_or_assign(std::move(v.name), std::move(v.data));
    }
}

std::uint32_t PrinterSnapshot::GetData(const char16_t* name, std::span<std::byte> dest,
                                       std::uint32_t& needed) {
    TakePicture();
    if (!values_)
        return printer_.GetData(name, dest, needed);
    const auto it = values_->find(std::u16string_view(name));
    if (it == values_->end())
        return kErrorFileNotFound;
    const std::vector<std::byte>& data = it->second;
    needed = static_cast<std::uint32_t>(data.size());
    if (data.size() > dest.size())
        return kErrorMoreData;
    std::copy(data.begin(), data.end(), dest.begin());
    return kErrorSuccess;
}

std::uint32_t PrinterSnapshot::SetData(const char16_t* name, std::uint32_t type,
                                       std::span<const std::byte> data) {
    const std::uint32_t result = printer_.SetData(name, type, data);
    if (result == kErrorSuccess && values_)
        values_->insert_or_assign(std::u16string(name), std::vector(data.begin(), data.end()));
    return result;
}

std::unique_ptr<PrinterStore> PrinterSnapshot::OpenForWrite() {
    return printer_.OpenForWrite();
}

std::optional<std::u16string> PrinterSnapshot::DriverName() {
    if (!driverName_)
        driverName_ = printer_.DriverName();
    return *driverName_;
}

std::optional<std::vector<ListedValue>> PrinterSnapshot::ListValues() {
    TakePicture();
    if (!values_)
        return printer_.ListValues();
    std::vector<ListedValue> listed;
    for (const auto& [name, data] : *values_)
        listed.push_back({name, data});
    return listed;
}

}  // namespace adjustui
