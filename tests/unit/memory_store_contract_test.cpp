#include "settings/printer_snapshot.h"
#include "tests/contract/printer_store_contract.h"
#include "tests/support/memory_printer_store.h"

namespace adjustui::testing {

INSTANTIATE_TEST_SUITE_P(MemoryPrinter, PrinterStoreContract, ::testing::Values([] {
                             return std::unique_ptr<PrinterStore>(
                                 std::make_unique<MemoryPrinterStore>(
                                     std::make_shared<MemoryPrinter>()));
                         }),
                         [](const auto&) { return std::string("Memory"); });

// The picture a request reads must answer as the printer below it would.
class OwningSnapshot final : public PrinterStore {
  public:
    OwningSnapshot() : printer_(std::make_shared<MemoryPrinter>()), picture_(printer_) {}
    std::uint32_t GetData(const char16_t* n, std::span<std::byte> d, std::uint32_t& s) override {
        return picture_.GetData(n, d, s);
    }
    std::uint32_t SetData(const char16_t* n, std::uint32_t t,
                          std::span<const std::byte> d) override {
        return picture_.SetData(n, t, d);
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override { return picture_.OpenForWrite(); }
    std::optional<std::u16string> DriverName() override { return picture_.DriverName(); }
    std::optional<std::vector<ListedValue>> ListValues() override { return picture_.ListValues(); }

  private:
    MemoryPrinterStore printer_;
    PrinterSnapshot picture_;
};

INSTANTIATE_TEST_SUITE_P(Snapshot, PrinterStoreContract, ::testing::Values([] {
                             return std::unique_ptr<PrinterStore>(
                                 std::make_unique<OwningSnapshot>());
                         }),
                         [](const auto&) { return std::string("Snapshot"); });

}  // namespace adjustui::testing
