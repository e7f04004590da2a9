// The spooler store answers as the in-memory store of the native tests does.
#include "platform/win32/winspool_store.h"
#include "tests/contract/printer_store_contract.h"
#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

std::unique_ptr<PrinterStore> FreshSpoolerStore() {
    auto printer = FreshPrinter(Model::KestraVc9);
    // The store gets a handle of its own, so the fixture's may close.
    return win32::WinspoolStore(printer.get()).OpenForWrite();
}

using adjustui::testing::PrinterStoreContract;
INSTANTIATE_TEST_SUITE_P(Spooler, PrinterStoreContract,
                         ::testing::Values(adjustui::testing::StoreMaker(FreshSpoolerStore)),
                         [](const auto&) { return std::string("Winspool"); });

TEST(WinspoolStore, DriverNameKeepsTheCaseThePrinterWasAddedWith) {
    for (Model model : {Model::KestraVc9, Model::KestraVc9Lower}) {
        auto printer = FreshPrinter(model);
        win32::WinspoolStore store(printer.get());
        auto name = store.DriverName();
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(*name, reinterpret_cast<const char16_t*>(DriverNameOf(model)));
    }
}

TEST(WinspoolStore, NullHandleReadsNothing) {
    win32::WinspoolStore store(nullptr);
    std::uint32_t needed = 0;
    unsigned char byte = 0;
    EXPECT_EQ(store.GetData(u"X_OFFSET", {reinterpret_cast<std::byte*>(&byte), 1}, needed), 6u);
    EXPECT_FALSE(store.DriverName().has_value());
    EXPECT_EQ(store.OpenForWrite(), nullptr);
}

}  // namespace
}  // namespace adjustui::wine
