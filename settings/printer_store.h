// The printer as the portable code sees it: the named, typed values of one printer and the few
// queries that go with a printer handle. Results are the spooler's own codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/results.h"

namespace adjustui {

// Printer-data value types.
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// One value of the printer's data as a listing gives it; the type is not kept: no reader looks at
// it.
struct ListedValue {
    std::u16string name;
    std::vector<std::byte> data;
};

class PrinterStore {
  public:
    virtual ~PrinterStore() = default;

    // Reads value `name` into `dest`. Returns 0, 2 for a missing value, or 234 when `dest` is
    // smaller than the value; on failure `dest` is untouched. A value shorter than `dest` fills
    // only its own bytes. `needed` receives the value's size on 0 and 234. The stored type is not
    // reported: no reader looks at it.
    virtual std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                                  std::uint32_t& needed) = 0;

    // Writes value `name` with `type`; returns 0 or the spooler's error.
    virtual std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                                  std::span<const std::byte> data) = 0;

    // A second handle to the same printer with full access, or null (for lack of rights, say).
    virtual std::unique_ptr<PrinterStore> OpenForWrite() = 0;

    // The installed driver's name, or nothing when it cannot be read.
    virtual std::optional<std::u16string> DriverName() = 0;

    // Every value of the printer's data, as GetData would read each one, in one round trip (two
    // when the first answer needs more room); nothing when they cannot be listed.
    virtual std::optional<std::vector<ListedValue>> ListValues() = 0;
};

// A request without a printer handle: every call answers as the spooler does for a null handle.
class NoPrinterStore final : public PrinterStore {
  public:
    std::uint32_t GetData(const char16_t*, std::span<std::byte>, std::uint32_t&) override {
        return kErrorInvalidHandle;
    }
    std::uint32_t SetData(const char16_t*, std::uint32_t, std::span<const std::byte>) override {
        return kErrorInvalidHandle;
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override { return nullptr; }
    std::optional<std::u16string> DriverName() override { return std::nullopt; }
    std::optional<std::vector<ListedValue>> ListValues() override { return std::nullopt; }
};

// Reads a value when its size does not matter.
inline std::uint32_t ReadValue(PrinterStore& printer, const char16_t* name,
                               std::span<std::byte> dest) {
    std::uint32_t needed = 0;
    return printer.GetData(name, dest, needed);
}

}  // namespace adjustui
