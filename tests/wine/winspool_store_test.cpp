// The spooler store answers as the in-memory store of the native tests does.
#include "platform/win32/winspool_store.h"

#include <latch>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/text.h"
#include "settings/paper_store.h"
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

// Users of a shared printer add papers at the same moment, each through a handle of their own.
// Without a lock in the spooler a paper can still be lost when two writers never see each other's
// list; what always holds: none is stored twice, no two share a code, the count names every stored
// record, and a paper reported as not stored is not there.
TEST(WinspoolStore, PapersAddedAtTheSameMomentAreNeverStoredTwiceNorHiddenByTheCount) {
    auto printer = FreshPrinter(Model::KestraVc9);
    constexpr int kAdders = 6;
    std::latch start(kAdders);
    std::vector<PaperListChange> results(kAdders);
    std::vector<std::thread> adders;
    for (int i = 0; i < kAdders; ++i) {
        adders.emplace_back([&, i] {
            win32::WinspoolStore own(printer.get());
            auto handle = own.OpenForWrite();
            PaperRecord paper{};
            const std::u16string name = u"Adder " + std::u16string(1, char16_t(u'A' + i));
            std::copy(name.begin(), name.end(), paper.name);
            paper.width = 500 + i;
            paper.length = 600;
            start.arrive_and_wait();
            results[i] = AppendCustomPaper(*handle, paper);
        });
    }
    for (std::thread& adder : adders)
        adder.join();

    win32::WinspoolStore store(printer.get());
    const std::vector<PaperRecord> stored = ReadCustomPapers(store);
    std::map<std::u16string, int> names;
    std::set<std::uint16_t> codes;
    for (const PaperRecord& r : stored) {
        ++names[std::u16string(FieldText(r.name))];
        codes.insert(r.id);
    }
    for (int i = 0; i < kAdders; ++i) {
        const int held = names[u"Adder " + std::u16string(1, char16_t(u'A' + i))];
        EXPECT_LE(held, 1) << i;
        if (!results[i].stored) {
            EXPECT_EQ(held, 0) << i;
        }
    }
    EXPECT_FALSE(stored.empty());
    EXPECT_EQ(codes.size(), stored.size());
    std::uint32_t arrayBytes = 0;
    store.GetData(value::kCustomPapers, {}, arrayBytes);
    EXPECT_EQ(arrayBytes, stored.size() * sizeof(PaperRecord)) << "the count hides no record";
}

}  // namespace
}  // namespace adjustui::wine
