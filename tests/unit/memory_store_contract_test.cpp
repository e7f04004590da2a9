#include "tests/contract/printer_store_contract.h"
#include "tests/support/memory_printer_store.h"

namespace adjustui::testing {

INSTANTIATE_TEST_SUITE_P(MemoryPrinter, PrinterStoreContract, ::testing::Values([] {
                             return std::unique_ptr<PrinterStore>(
                                 std::make_unique<MemoryPrinterStore>(
                                     std::make_shared<MemoryPrinter>()));
                         }),
                         [](const auto&) { return std::string("Memory"); });

}  // namespace adjustui::testing
