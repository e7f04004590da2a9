#include "capabilities/device_capabilities.h"

#include <algorithm>
#include <cstdint>

#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

class CapabilitiesTest : public PrinterTest {
  protected:
    void SetUp() override {
        PutRecords(value::kCustomPaperCount, value::kCustomPapers,
                   {Paper(u"Ticket", 257, 800, 1500), Paper(u"Label", 258, 1000, 500)});
    }
    HResult Ask(std::uint16_t capability, void* output, std::uint32_t old, std::uint32_t& result,
                PrinterStore* p = nullptr) {
        CapabilityRequest rq{p ? *p : store, capability, output, {&paperSize, formName}, &oem, old};
        return AnswerDeviceCapabilities(rq, result);
    }
    std::int16_t paperSize = 9;
    char16_t formName[32] = u"A4";
    OemDevmode oem = PatternBlock(0);
};

TEST_F(CapabilitiesTest, CountQueriesAddTheCustomPapers) {
    for (std::uint16_t c : {kDcPapers, kDcPaperNames, kDcPaperSize}) {
        std::uint32_t result = 0;
        EXPECT_EQ(Ask(c, nullptr, 10, result), kS_OK);
        EXPECT_EQ(result, 12u);
    }
    EXPECT_EQ(printer->sets, 0);
}

TEST_F(CapabilitiesTest, PaperNumbersEndWithTheCustomIds) {
    std::uint16_t papers[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(kDcPapers, papers, 10, result), kS_OK);
    EXPECT_EQ(result, 12u);
    EXPECT_EQ(papers[10], 257);
    EXPECT_EQ(papers[11], 258);
    EXPECT_EQ(StoredCount(value::kStdPaperCount), 10);
    EXPECT_EQ(StoredRecords(value::kStdPapers)[9].id, 10);
}

TEST_F(CapabilitiesTest, NamesAndSizesEndWithTheCustomPapers) {
    char16_t names[3][64] = {u"Letter"};
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(kDcPaperNames, names, 1, result), kS_OK);
    EXPECT_EQ(result, 3u);
    EXPECT_EQ(std::u16string(names[1]), u"Ticket");
    EXPECT_EQ(std::u16string(names[2]), u"Label");

    PaperPoint sizes[3] = {{2159, 2794}};
    EXPECT_EQ(Ask(kDcPaperSize, sizes, 1, result), kS_OK);
    EXPECT_EQ(sizes[1].x, 800);
    EXPECT_EQ(sizes[1].y, 1500);
    EXPECT_EQ(sizes[2].x, 1000);
    EXPECT_EQ(StoredRecords(value::kStdPapers)[0].width, 2159);
}

TEST_F(CapabilitiesTest, StoredCustomNameWithoutTerminatorIsBoundedInTheAnswer) {
    PaperRecord r = Paper(u"", 257, 1, 1);
    std::fill(std::begin(r.name), std::end(r.name), u'X');
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, {r});
    char16_t names[2][64];
    std::fill(&names[0][0], &names[0][0] + 128, u'#');
    std::uint32_t result = 0;
    Ask(kDcPaperNames, names, 1, result);
    EXPECT_EQ(BoundedLength(names[1], 64), 63u);
}

TEST_F(CapabilitiesTest, CoreDriverErrorPassesThroughUntouched) {
    std::uint16_t papers[4] = {7, 7, 7, 7};
    for (void* output : {static_cast<void*>(papers), static_cast<void*>(nullptr)}) {
        std::uint32_t result = 0;
        EXPECT_EQ(Ask(kDcPapers, output, 0xFFFFFFFF, result), kS_OK);
        EXPECT_EQ(result, 0xFFFFFFFFu);
    }
    EXPECT_EQ(papers[0], 7);
    EXPECT_EQ(printer->sets, 0);
    EXPECT_EQ(printer->Find(value::kStdPaperCount), nullptr);
}

TEST_F(CapabilitiesTest, NoCustomPapersLeavesTheCoreAnswer) {
    printer->values.clear();
    std::uint16_t papers[2] = {1, 9};
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(kDcPapers, papers, 2, result), kS_OK);
    EXPECT_EQ(result, 2u);
    EXPECT_EQ(papers[1], 9);
    EXPECT_EQ(StoredCount(value::kStdPaperCount), 2);
}

TEST_F(CapabilitiesTest, WithoutPrinterTheAnswerIsTheCoreDrivers) {
    std::uint16_t papers[2] = {1, 9};
    std::uint32_t result = 0;
    NoPrinterStore none;
    CapabilityRequest rq{none, kDcPapers, papers, {&paperSize, formName}, &oem, 2};
    EXPECT_EQ(AnswerDeviceCapabilities(rq, result), kS_OK);
    EXPECT_EQ(result, 2u);
    rq.output = nullptr;
    AnswerDeviceCapabilities(rq, result);
    EXPECT_EQ(result, 2u);
    EXPECT_EQ(printer->gets, 0);
}

TEST_F(CapabilitiesTest, ExtentsFollowTheModel) {
    std::uint32_t result = 5;
    EXPECT_EQ(Ask(kDcMinExtent, nullptr, 0, result), kS_OK);
    EXPECT_EQ(result, 0x00FE002Au);
    EXPECT_EQ(Ask(kDcMaxExtent, nullptr, 0, result), kS_OK);
    EXPECT_EQ(result, 0x4F6008EEu);

    printer->driverName = u"ACME LP-100";
    result = 5;
    EXPECT_EQ(Ask(kDcMinExtent, nullptr, 0, result), kE_NOTIMPL);
    EXPECT_EQ(result, 5u);
    printer->driverName = u"manto g36";
    EXPECT_EQ(Ask(kDcMinExtent, nullptr, 0, result), kS_OK);
    EXPECT_EQ(result, 0x007F01FCu);
    result = 5;
    EXPECT_EQ(Ask(kDcMaxExtent, nullptr, 0, result), kE_NOTIMPL);
    EXPECT_EQ(result, 5u);
    printer->driverName.reset();
    EXPECT_EQ(Ask(kDcMinExtent, nullptr, 0, result), kE_NOTIMPL);
    EXPECT_EQ(printer->driverNameReads, 6);
}

TEST_F(CapabilitiesTest, MediaReadyNamesTheCurrentPaper) {
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(kDcMediaReady, nullptr, 0, result), kS_MediaReadyCount);
    EXPECT_EQ(result, 1u);

    char16_t out[64] = {};
    EXPECT_EQ(Ask(kDcMediaReady, out, 1, result), kS_OK);
    EXPECT_EQ(std::u16string(out), u"A4");
    EXPECT_EQ(paperSize, 9);

    oem.wSelectedPaperSize = 258;
    EXPECT_EQ(Ask(kDcMediaReady, out, 1, result), kS_OK);
    EXPECT_EQ(std::u16string(out), u"Label");
    EXPECT_EQ(paperSize, 258) << "the public paper follows the plug-in's selection";
    EXPECT_EQ(result, 1u);

    oem.wSelectedPaperSize = 256;
    Ask(kDcMediaReady, out, 1, result);
    EXPECT_EQ(std::u16string(out), u"A4") << "256 is a standard paper";
}

TEST_F(CapabilitiesTest, MediaReadyForAPaperNoLongerStoredLeavesTheBuffer) {
    oem.wSelectedPaperSize = 300;
    char16_t out[64] = u"core";
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(kDcMediaReady, out, 1, result), kS_OK);
    EXPECT_EQ(std::u16string(out), u"core");
    EXPECT_EQ(paperSize, 300);
}

TEST_F(CapabilitiesTest, MediaReadyBoundsAnUnterminatedFormName) {
    std::fill(std::begin(formName), std::end(formName), u'F');
    char16_t out[64];
    std::fill(std::begin(out), std::end(out), u'#');
    std::uint32_t result = 0;
    Ask(kDcMediaReady, out, 1, result);
    EXPECT_EQ(BoundedLength(out, 64), 32u);
}

TEST_F(CapabilitiesTest, MediaReadyWithoutDevmodesTouchesNothing) {
    char16_t out[64] = u"core";
    std::uint32_t result = 0;
    CapabilityRequest rq{store, kDcMediaReady, out, {nullptr, nullptr}, &oem, 1};
    EXPECT_EQ(AnswerDeviceCapabilities(rq, result), kS_OK);
    EXPECT_EQ(result, 1u);
    CapabilityRequest withoutPrivate{store, kDcMediaReady, out, {&paperSize, formName}, nullptr, 1};
    EXPECT_EQ(AnswerDeviceCapabilities(withoutPrivate, result), kS_OK);
    EXPECT_EQ(std::u16string(out), u"core");
    EXPECT_EQ(paperSize, 9);
}

TEST_F(CapabilitiesTest, OtherQueriesPassTheCoreAnswer) {
    std::uint32_t result = 0;
    EXPECT_EQ(Ask(6 /* DC_BINS */, nullptr, 3, result), kS_OK);
    EXPECT_EQ(result, 3u);
}

TEST_F(CapabilitiesTest, TheCountQueryPromisesExactlyThePapersTheListGives) {
    std::vector<PaperRecord> records(kMaxPaperRecords + 2, Paper(u"P", 257, 1, 1));
    struct Shape {
        std::int32_t count;
        std::size_t arrayBytes;  // SIZE_MAX: no array value
    };
    const Shape shapes[] = {
        {3, records.size() * sizeof(PaperRecord)},  // too large to read whole
        {3, 2 * sizeof(PaperRecord) + 70},          // a torn record
        {1000000, 3 * sizeof(PaperRecord)},
        {2, 3 * sizeof(PaperRecord)},
        {-1, 3 * sizeof(PaperRecord)},
        {2, SIZE_MAX},
    };
    for (const Shape& shape : shapes) {
        printer->values.clear();
        printer->Put(value::kCustomPaperCount, kRegBinary, shape.count);
        if (shape.arrayBytes != SIZE_MAX)
            printer->Put(value::kCustomPapers, kRegBinary, records.data(), shape.arrayBytes);
        std::uint32_t promised = 0;
        ASSERT_EQ(Ask(kDcPapers, nullptr, 2, promised), kS_OK);
        std::vector<std::uint16_t> papers(promised, 0xEEEE);
        papers[0] = 1;
        papers[1] = 9;
        std::uint32_t given = 0;
        ASSERT_EQ(Ask(kDcPapers, papers.data(), 2, given), kS_OK);
        EXPECT_EQ(given, promised) << shape.count << " " << shape.arrayBytes;
        EXPECT_EQ(std::count(papers.begin(), papers.end(), 0xEEEE), 0) << "no entry left empty";
    }
}

}  // namespace
}  // namespace adjustui::testing
