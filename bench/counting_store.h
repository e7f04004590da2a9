// A printer store that counts the round trips its requests make to the spooler, over another
// store; the second handles it opens are counted too.
#pragma once

#include <memory>

#include "settings/printer_store.h"

namespace adjustui::bench {

struct RoundTrips {
    int reads = 0;
    int listings = 0;
    int writes = 0;
    int opens = 0;       // second handles with full access
    int driverInfo = 0;  // GetPrinterDriverW calls
    // A second handle costs the spooler's GetPrinterW twice and OpenPrinterW.
    int Total() const { return reads + listings + writes + 3 * opens + driverInfo; }
};

class CountingStore final : public PrinterStore {
  public:
    // `driverInfoPerName`: the GetPrinterDriverW calls one driver name costs the store below.
    CountingStore(PrinterStore& inner, RoundTrips& trips, int driverInfoPerName)
        : inner_(inner), trips_(trips), driverInfoPerName_(driverInfoPerName) {}

    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override {
        ++trips_.reads;
        return inner_.GetData(name, dest, needed);
    }
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override {
        ++trips_.writes;
        return inner_.SetData(name, type, data);
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override;
    std::optional<std::u16string> DriverName() override {
        trips_.driverInfo += driverInfoPerName_;
        return inner_.DriverName();
    }
    std::optional<std::vector<ListedValue>> ListValues() override {
        ++trips_.listings;
        return inner_.ListValues();
    }

  private:
    PrinterStore& inner_;
    RoundTrips& trips_;
    int driverInfoPerName_;
};

// A counted second handle that owns the handle below it.
class OwningCountingStore final : public PrinterStore {
  public:
    OwningCountingStore(std::unique_ptr<PrinterStore> inner, RoundTrips& trips, int perName)
        : owned_(std::move(inner)), counting_(*owned_, trips, perName) {}
    std::uint32_t GetData(const char16_t* n, std::span<std::byte> d,
                          std::uint32_t& needed) override {
        return counting_.GetData(n, d, needed);
    }
    std::uint32_t SetData(const char16_t* n, std::uint32_t t,
                          std::span<const std::byte> d) override {
        return counting_.SetData(n, t, d);
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override { return counting_.OpenForWrite(); }
    std::optional<std::u16string> DriverName() override { return counting_.DriverName(); }
    std::optional<std::vector<ListedValue>> ListValues() override { return counting_.ListValues(); }

  private:
    std::unique_ptr<PrinterStore> owned_;
    CountingStore counting_;
};

inline std::unique_ptr<PrinterStore> CountingStore::OpenForWrite() {
    ++trips_.opens;
    auto writer = inner_.OpenForWrite();
    if (!writer)
        return nullptr;
    return std::make_unique<OwningCountingStore>(std::move(writer), trips_, driverInfoPerName_);
}

}  // namespace adjustui::bench
