// DeviceCapabilitiesW as an application calls it: the spooler, the stand-in core driver and the
// plug-in together.
#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>

#include "host/capabilities.h"
#include "settings/paper_store.h"
#include "tests/road/road_printer.h"
#include "winsupport/printer_setup.h"

namespace adjustui::road {
namespace {

const std::vector<CustomPaper> kCustom = {{L"Label 50x30", 500, 300},
                                          {L"Ticket 80x200", 800, 2000}};

class PaperListsRoad : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(plain.ready());
        ASSERT_TRUE(custom.ready());
        ASSERT_TRUE(custom.StorePapers(kCustom));
    }
    RoadPrinter plain{L"road papers plain", L"KESTRA VC9"};
    RoadPrinter custom{L"road papers custom", L"KESTRA VC9"};
};

TEST_F(PaperListsRoad, CountsAddTheCustomPapersToTheCoreDriversPapers) {
    const int core = plain.Count(DC_PAPERS);
    ASSERT_GT(core, 0);
    EXPECT_EQ(plain.Count(DC_PAPERNAMES), core);
    EXPECT_EQ(plain.Count(DC_PAPERSIZE), core);
    for (WORD capability : {DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE}) {
        EXPECT_EQ(custom.Count(capability), core + 2) << capability;
    }
}

TEST_F(PaperListsRoad, CustomPapersFollowTheCoreDriversPapersInEveryList) {
    const auto coreIds = plain.Papers();
    const auto coreNames = plain.PaperNames();
    const auto coreSizes = plain.PaperSizes();
    ASSERT_FALSE(coreIds.empty());

    auto ids = coreIds;
    ids.insert(ids.end(), {257, 258});
    EXPECT_EQ(custom.Papers(), ids);

    auto names = coreNames;
    names.insert(names.end(), {L"Label 50x30", L"Ticket 80x200"});
    EXPECT_EQ(custom.PaperNames(), names);

    const auto sizes = custom.PaperSizes();
    ASSERT_EQ(sizes.size(), coreSizes.size() + 2);
    for (std::size_t i = 0; i < coreSizes.size(); ++i) {
        EXPECT_EQ(sizes[i].x, coreSizes[i].x) << i;
        EXPECT_EQ(sizes[i].y, coreSizes[i].y) << i;
    }
    EXPECT_EQ(sizes[coreSizes.size()].x, 500);
    EXPECT_EQ(sizes[coreSizes.size()].y, 300);
    EXPECT_EQ(sizes[coreSizes.size() + 1].x, 800);
    EXPECT_EQ(sizes[coreSizes.size() + 1].y, 2000);
}

// The spooler gives the driver no printer handle here; the list reaches printer data only when
// the stand-in opened the printer by its name.
TEST_F(PaperListsRoad, TheCoreDriversPapersAreStoredForThePage) {
    const auto ids = custom.Papers();
    const auto names = custom.PaperNames();
    const auto sizes = custom.PaperSizes();
    const std::size_t core = ids.size() - kCustom.size();

    auto printer = winsupport::Printer::Open(custom.name());
    ASSERT_TRUE(printer);
    const auto count = printer.Get(L"01_Counts_Of_Standard_PAPER");
    ASSERT_TRUE(count.has_value());
    ASSERT_EQ(count->size(), 4u);
    std::uint32_t stored = 0;
    std::memcpy(&stored, count->data(), 4);
    EXPECT_EQ(stored, core);

    const auto list = printer.Get(L"02_ID_of_Std_Paper");
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), core * sizeof(PaperRecord));
    for (std::size_t i = 0; i < core; ++i) {
        PaperRecord record;
        std::memcpy(&record, list->data() + i * sizeof(PaperRecord), sizeof(record));
        EXPECT_EQ(record.id, ids[i]) << i;
        EXPECT_EQ(std::wstring(record.name, record.name + names[i].size()), names[i]) << i;
        EXPECT_EQ(record.width, sizes[i].x) << i;
        EXPECT_EQ(record.length, sizes[i].y) << i;
    }
}

TEST_F(PaperListsRoad, MediaReadyNamesThePaperTheDevmodeSelects) {
    Devmode devmode = custom.DefaultDevmode();
    ASSERT_FALSE(devmode.empty());
    EXPECT_EQ(custom.MediaReady(&devmode.dm()), devmode.dm().dmFormName);

    // A block applied on the page with the second custom paper chosen.
    devmode.block().bSettingsValid = 1;
    devmode.block().wSelectedPaperSize = 258;
    EXPECT_EQ(custom.MediaReady(&devmode.dm()), L"Ticket 80x200");
}

struct ExtentCase {
    const wchar_t* model;
    DWORD minimum;
    DWORD maximum;
};

class ExtentsRoad : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(ExtentsRoad, FollowTheModelOrTheCoreDriver) {
    const ExtentCase& c = GetParam();
    RoadPrinter printer{std::wstring(L"road extents ") + c.model, c.model};
    ASSERT_TRUE(printer.ready());
    EXPECT_EQ(printer.Answer(DC_MINEXTENT), c.minimum);
    EXPECT_EQ(printer.Answer(DC_MAXEXTENT), c.maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ExtentsRoad,
    ::testing::Values(ExtentCase{L"KESTRA VC9", 0x00FE002A, 0x4F6008EE},
                      ExtentCase{L"MANTO 63N-2", 0x06F20673, 0x17D0115D},
                      // In no extent table: the core driver's own answers stand.
                      ExtentCase{L"KESTRA V4", standin::kMinExtent, standin::kMaxExtent},
                      // The maximum of this row matches only the exact name.
                      ExtentCase{L"manto g36", 0x007F01FC, standin::kMaxExtent}),
    [](const ::testing::TestParamInfo<ExtentCase>& param) {
        std::string name;
        for (const wchar_t* c = param.param.model; *c != L'\0'; ++c) {
            name += std::iswalnum(*c) ? static_cast<char>(*c) : '_';
        }
        return name;
    });

}  // namespace
}  // namespace adjustui::road
