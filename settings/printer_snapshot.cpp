#include "settings/printer_snapshot.h"

#include <algorithm>
#include <new>
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

void PrinterSnapshot::Follow(const char16_t* name, std::span<const std::byte> data) noexcept {
    if (!values_)
        return;
    // A picture that cannot follow a write that was made, for want of memory, is dropped rather
    // than left behind it: the next read takes a new one.
    try {
        values_->insert_or_assign(std::u16string(name), std::vector(data.begin(), data.end()));
    } catch (const std::bad_alloc&) {
        Refresh();
    }
}

std::uint32_t PrinterSnapshot::SetData(const char16_t* name, std::uint32_t type,
                                       std::span<const std::byte> data) {
    const std::uint32_t result = printer_.SetData(name, type, data);
    if (result == kErrorSuccess)
        Follow(name, data);
    return result;
}

class PrinterSnapshot::Writer final : public PrinterStore {
  public:
    Writer(std::unique_ptr<PrinterStore> writer, PrinterSnapshot& picture)
        : writer_(std::move(writer)), picture_(picture) {}
    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override {
        return writer_->GetData(name, dest, needed);
    }
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override {
        const std::uint32_t result = writer_->SetData(name, type, data);
        if (result == kErrorSuccess)
            picture_.Follow(name, data);
        return result;
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override { return picture_.OpenForWrite(); }
    std::optional<std::u16string> DriverName() override { return writer_->DriverName(); }
    std::optional<std::vector<ListedValue>> ListValues() override { return writer_->ListValues(); }

  private:
    std::unique_ptr<PrinterStore> writer_;
    PrinterSnapshot& picture_;
};

std::unique_ptr<PrinterStore> PrinterSnapshot::OpenForWrite() {
    auto writer = printer_.OpenForWrite();
    if (!writer)
        return nullptr;
    return std::make_unique<Writer>(std::move(writer), *this);
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
