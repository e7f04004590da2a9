// One picture of a printer's values for one request: read in a single listing, so a request makes
// one round trip to the spooler where it reads many values, and sees one consistent state of them,
// never half of one save and half of another.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/text.h"
#include "settings/printer_store.h"

namespace adjustui {

class PrinterSnapshot final : public PrinterStore {
  public:
    // The printer's values are listed at the first read; when they cannot be listed, every read
    // goes to the printer.
    explicit PrinterSnapshot(PrinterStore& printer) : printer_(printer) {}

    // Answers as the spooler would have answered when the picture was taken.
    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override;
    // Written to the printer; the picture follows.
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override;
    // A second handle whose writes the picture follows, so it stays true for every reader that
    // shares it. Its reads go to the printer: a writer checks what is stored now.
    std::unique_ptr<PrinterStore> OpenForWrite() override;
    // Read once, when first asked.
    std::optional<std::u16string> DriverName() override;
    std::optional<std::vector<ListedValue>> ListValues() override;

    // The next read takes a new picture: after writes through another handle.
    void Refresh() {
        taken_ = false;
        values_.reset();
    }

  private:
    class Writer;
    void TakePicture();
    void Follow(const char16_t* name, std::span<const std::byte> data) noexcept;

    PrinterStore& printer_;
    bool taken_ = false;
    std::optional<std::map<std::u16string, std::vector<std::byte>, ValueNameLess>> values_;
    std::optional<std::optional<std::u16string>> driverName_;
};

}  // namespace adjustui
