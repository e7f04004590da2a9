#include "settings/printer_snapshot.h"

#include "capabilities/device_capabilities.h"
#include "settings/devmode_handler.h"
#include "settings/paper_store.h"
#include "settings/settings_store.h"
#include "settings/store_changes.h"
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

TEST_F(SnapshotTest, OnlyValuesThatDifferAreWrittenThroughOneSecondHandle) {
    PutDword(value::kXOffset, 150);
    PutFlag(value::kOffsetSend, 1);
    auto dword = [](std::uint32_t v) {
        std::vector<std::byte> data(4);
        std::memcpy(data.data(), &v, 4);
        return data;
    };
    std::vector<ValueToWrite> values = {
        {value::kXOffset, kRegDword, dword(150)},
        {value::kOffsetSend, kRegBinary, {std::byte{1}}},
        {value::kYOffset, kRegDword, dword(20)},
    };
    printer->gets = printer->sets = 0;
    WriteOutcome outcome = StoreChangedValues(store, values);
    EXPECT_TRUE(outcome.stored);
    EXPECT_EQ(outcome.written, 1u);
    EXPECT_EQ(printer->sets, 1);
    EXPECT_EQ(printer->opens, 1);
    EXPECT_EQ(printer->lists, 1);
    EXPECT_EQ(printer->gets, 0);

    // Nothing changed: one listing, no handle, no write.
    printer->opens = printer->sets = 0;
    outcome = StoreChangedValues(store, values);
    EXPECT_EQ(outcome.written, 0u);
    EXPECT_EQ(printer->opens, 0);
    EXPECT_EQ(printer->sets, 0);

    // A value of the same bytes but another size is written; without rights nothing is.
    printer->Put(value::kYOffset, kRegDword, std::uint16_t{20});
    printer->writeAccess = false;
    outcome = StoreChangedValues(store, values);
    EXPECT_FALSE(outcome.stored);
    printer->writeAccess = true;
    printer->failWrites.insert(value::kYOffset);
    EXPECT_FALSE(StoreChangedValues(store, values).stored);
}

TEST_F(SnapshotTest, APictureSharedByManyAnswersFollowsTheirWritesThroughASecondHandle) {
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, {Paper(u"Own", 257, 500, 300)});
    PrinterSnapshot picture(store);
    std::vector<PaperNumber> numbers = {9, 11, 0};
    std::vector<PaperPoint> sizes = {{2100, 2970}, {1480, 2100}, {}};
    std::uint32_t result = 0;
    AnswerDeviceCapabilities({picture, kDcPapers, numbers.data(), {}, nullptr, 2}, result);
    AnswerDeviceCapabilities({picture, kDcPaperSize, sizes.data(), {}, nullptr, 2}, result);
    EXPECT_EQ(numbers, (std::vector<PaperNumber>{9, 11, 257}));
    EXPECT_EQ(printer->opens, 2);  // each list changed what was stored

    // Later readers of the picture see what those answers stored, without reading it again.
    const std::vector<PaperRecord> standard = ReadStandardPapers(picture);
    ASSERT_EQ(standard.size(), 2u);
    EXPECT_EQ((std::vector<std::int32_t>{standard[1].id, standard[1].width, standard[1].length}),
              (std::vector<std::int32_t>{11, 1480, 2100}));
    EXPECT_EQ(printer->lists, 1);
    EXPECT_EQ(printer->gets, 0);
}

}  // namespace
}  // namespace adjustui::testing
