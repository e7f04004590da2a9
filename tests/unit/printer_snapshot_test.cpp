#include "settings/printer_snapshot.h"

#include "settings/devmode_handler.h"
#include "settings/settings_store.h"
#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

using SnapshotTest = PrinterTest;

TEST_F(SnapshotTest, ARequestReadsThePrinterOnceAndAnswersAsTheReadsWould) {
    PutDword(value::kXOffset, 150);
    PutDword(value::kCutter, 7);
    printer->Put(value::kStdPaperCount, kRegBinary, std::int32_t{3});
    printer->Put(value::kPassThroughFont, kRegExpandSz, u"Mono", 8);
    PutFlag(value::kCutterSend, 1);
    printer->Put(value::kConfig, kRegDword, std::uint16_t{2});  // shorter than its field

    std::uint32_t bufSize = kOemDevmodeSize;
    auto defaulted = [&](PrinterStore& p) {
        OemDevmode b = PatternBlock(0x42);
        const DevModeRequest rq{p, nullptr, &b, &bufSize};
        EXPECT_EQ(HandleOemDevMode(kOemDmDefault, &rq, debug).result, kS_OK);
        return b;
    };
    const OemDevmode direct = defaulted(store);
    const int directReads = printer->gets;
    EXPECT_GT(directReads, 15);

    printer->gets = 0;
    PrinterSnapshot picture(store);
    const OemDevmode pictured = defaulted(picture);
    EXPECT_EQ(std::memcmp(&direct, &pictured, sizeof direct), 0);
    EXPECT_EQ(printer->gets, 0);
    EXPECT_EQ(printer->lists, 1);
    EXPECT_EQ(picture.DriverName(), picture.DriverName());
    EXPECT_EQ(printer->driverNameReads, 1);

    // A request that reads nothing lists nothing; a printer that cannot be listed is read value by
    // value with the same answers.
    PrinterSnapshot unused(store);
    const DevModeRequest size{unused, nullptr, nullptr, &bufSize};
    HandleOemDevMode(kOemDmSize, &size, debug);
    EXPECT_EQ(printer->lists, 1);
    printer->listable = false;
    PrinterSnapshot fallback(store);
    const OemDevmode read = defaulted(fallback);
    EXPECT_EQ(std::memcmp(&direct, &read, sizeof direct), 0);
    EXPECT_EQ(printer->gets, directReads);
}

}  // namespace
}  // namespace adjustui::testing
