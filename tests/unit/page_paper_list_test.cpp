#include <string>

#include "page/paper_list.h"
#include "page/shown_values.h"
#include "tests/unit/fixtures.h"

namespace adjustui::page {
namespace {

using adjustui::testing::Paper;

class PagePaperListTest : public adjustui::testing::PrinterTest {
  protected:
    void SetUp() override {
        devmode.lStdPaperCount = 0;
        devmode.lCustomPaperCount = 0;
    }
    void PutStandard(const std::vector<PaperRecord>& records) {
        PutRecords(value::kStdPaperCount, value::kStdPapers, records);
    }
    void PutCustom(const std::vector<PaperRecord>& records) {
        PutRecords(value::kCustomPaperCount, value::kCustomPapers, records);
    }
    void PutSelected(std::uint16_t id) { printer->Put(value::kSelectedPaperSize, kRegDword, id); }
    std::vector<std::u16string> Names(const PaperListView& view) {
        std::vector<std::u16string> names;
        for (const PaperEntry& e : view.entries)
            names.push_back(e.name);
        return names;
    }

    OemDevmode devmode = adjustui::testing::PatternBlock(0);
    PublicPaper publicPaper{9, 2100, 2970};
};

TEST_F(PagePaperListTest, StandardThenCustomPapersWithTheLastMatchSelected) {
    PutStandard({Paper(u"A4", 9, 2100, 2970), Paper(u"Letter", 1, 2159, 2794),
                 Paper(u"Label", 300, 0, 1500)});
    PutCustom({Paper(u"Ticket", 257, 800, 1200), Paper(u"Own Letter", 1, 2150, 0)});

    PaperListView view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(Names(view),
              (std::vector<std::u16string>{u"A4", u"Letter", u"Label", u"Ticket", u"Own Letter"}));
    EXPECT_EQ(view.entries[3].id, 257);
    EXPECT_EQ(view.lastIndex, 4);
    // No "SelectedPaperSize": the public devmode's paper.
    EXPECT_EQ(view.selected, 0u);
    EXPECT_EQ(view.SelectedName(), u"A4");
    EXPECT_EQ(PaperSizeText(view.width), u"210.00");
    EXPECT_EQ(PaperSizeText(view.length), u"297.00");

    // The stored selection comes first; a custom paper sharing a standard id wins, and its
    // missing length is the public devmode's.
    PutSelected(1);
    view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(view.selected, 4u);
    EXPECT_EQ(view.width, 2150);
    EXPECT_EQ(view.length, 2970);

    PutSelected(300);
    view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(view.selected, 2u);
    EXPECT_EQ(view.width, 2100);
    EXPECT_EQ(view.length, 1500);

    // A stored 0 defers to the public devmode; an id in neither list selects no entry and shows
    // the public devmode's size.
    PutSelected(0);
    publicPaper = {257, 2100, 2970};
    EXPECT_EQ(BuildPaperList(store, devmode, publicPaper).selected, 3u);
    PutSelected(77);
    view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(view.source, PaperSource::PrinterDefault);
    EXPECT_FALSE(view.selected);
    EXPECT_EQ(view.width, 2100);
    EXPECT_EQ(view.length, 2970);
    // The selection is 2 bytes; a value of another size is not one.
    printer->Put(value::kSelectedPaperSize, kRegDword, std::uint32_t{300});
    EXPECT_EQ(BuildPaperList(store, devmode, publicPaper).selected, 3u);
    // The job's own paper comes first: one chosen on the page, else the public devmode's paper of
    // a block applied on the page.
    PutSelected(300);
    devmode.wSelectedPaperSize = 1;
    view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(view.selected, 4u);
    EXPECT_EQ(view.source, PaperSource::Job);
    devmode.wSelectedPaperSize = 0;
    devmode.bSettingsValid = 1;
    EXPECT_EQ(BuildPaperList(store, devmode, publicPaper).selected, 3u);
}

TEST_F(PagePaperListTest, OnlyRecordsThePrinterHoldsAreListed) {
    // Counts beyond the arrays: only whole stored records.
    PutStandard({Paper(u"A4", 9, 2100, 2970), Paper(u"A5", 11, 1480, 2100)});
    printer->Put(value::kStdPaperCount, kRegBinary, std::int32_t{40});
    PutCustom({Paper(u"Ticket", 257, 800, 1200)});
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{3});
    PaperListView view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(Names(view), (std::vector<std::u16string>{u"A4", u"A5", u"Ticket"}));
    EXPECT_EQ(view.lastIndex, 2);

    // A name that fills its field keeps 63 units.
    PaperRecord full = Paper(u"", 257, 1000, 1000);
    std::fill(std::begin(full.name), std::end(full.name), u'W');
    PutCustom({full});
    view = BuildPaperList(store, devmode, publicPaper);
    EXPECT_EQ(view.entries.back().name, std::u16string(63, u'W'));

    // Missing counts: the devmode's serve, unset or negative ones are none.
    printer->values.erase(value::kStdPaperCount);
    printer->values.erase(value::kCustomPaperCount);
    devmode.lStdPaperCount = 1;
    devmode.lCustomPaperCount = kUnsetSigned;
    EXPECT_EQ(Names(BuildPaperList(store, devmode, publicPaper)),
              (std::vector<std::u16string>{u"A4"}));
    devmode.lStdPaperCount = kUnsetSigned;
    EXPECT_EQ(BuildPaperList(store, devmode, publicPaper).lastIndex, -1)
        << "the devmode's counts sum to far below zero";

    // No printer data at all: an empty list, the public devmode's paper size.
    devmode.lStdPaperCount = 5;
    NoPrinterStore none;
    view = BuildPaperList(none, devmode, publicPaper);
    EXPECT_TRUE(view.entries.empty());
    EXPECT_EQ(view.SelectedName(), u"");
    EXPECT_EQ(view.lastIndex, -1);
    EXPECT_EQ(view.width, 2100);
    EXPECT_EQ(view.length, 2970);
    EXPECT_EQ(PaperSizeText(5), u"0.50");
    EXPECT_EQ(PaperSizeText(-15), u"-1.50");
}

TEST(PageShownValuesTest, FieldsShowTheDevmodeAndCorrectWhatThePageCannotTake) {
    OemDevmode d = adjustui::testing::PatternBlock(0);
    d.lSlipCorrection = -100;
    d.lXOffset = 300;
    d.lYOffset = 299;
    d.dwPrintDensity = 120;
    d.dwCopies = 10000;
    d.dwCutter = 2;
    d.dwConfigNumber = 9;
    ShownValues shown = ShowDevmodeValues(d);
    EXPECT_EQ(shown.slipCorrection, u"-100");
    EXPECT_EQ(shown.xOffset, u"1.00");
    EXPECT_EQ(shown.yOffset, u"1.00");
    EXPECT_EQ(shown.printDensity, u"120");
    EXPECT_EQ(shown.copies, u"10000") << "too many copies are shown for the check to refuse";
    EXPECT_EQ(shown.cutterEntry, 2u);
    EXPECT_EQ(shown.configEntry, 9u);
    EXPECT_EQ(d.dwCopies, 10000u);

    d.lXOffset = -300;
    d.lYOffset = 150;
    d.dwPrintDensity = 5;
    d.dwCopies = 0;
    d.dwCutter = 3;
    d.dwConfigNumber = 10;
    shown = ShowDevmodeValues(d);
    EXPECT_EQ(shown.xOffset, u"-1.00");
    EXPECT_EQ(shown.yOffset, u"0.50");
    EXPECT_EQ(shown.printDensity, u"100");
    EXPECT_EQ(d.dwPrintDensity, 100u);
    EXPECT_EQ(shown.copies, u"1");
    EXPECT_EQ(d.dwCopies, 1u);
    EXPECT_EQ(shown.cutterEntry, 0u);
    EXPECT_EQ(shown.configEntry, 0u);

    // Unset settings: empty number fields, corrected density and copies, first list entries.
    for (std::uint32_t* field : {&d.dwPrintDensity, &d.dwCopies, &d.dwCutter, &d.dwConfigNumber})
        *field = kUnsetValue;
    d.lSlipCorrection = d.lXOffset = d.lYOffset = kUnsetSigned;
    shown = ShowDevmodeValues(d);
    EXPECT_EQ(shown.slipCorrection, u"");
    EXPECT_EQ(shown.xOffset, u"");
    EXPECT_EQ(shown.yOffset, u"");
    EXPECT_EQ(shown.printDensity, u"100");
    EXPECT_EQ(shown.copies, u"1");
    EXPECT_EQ(d.dwPrintDensity, 100u);
    EXPECT_EQ(d.dwCopies, 1u);
    EXPECT_EQ(shown.cutterEntry, 0u);
    EXPECT_EQ(shown.configEntry, 0u);

    // A density above the range is replaced too; one inside it but off the step is shown.
    d.dwPrintDensity = 125;
    EXPECT_EQ(ShowDevmodeValues(d).printDensity, u"100");
    d.dwPrintDensity = 12;
    EXPECT_EQ(ShowDevmodeValues(d).printDensity, u"12");
    // printf's rounding of the exact value, on both builds.
    EXPECT_EQ(FixedText(0.125, 2), u"0.12");
    EXPECT_EQ(FixedText(-0.001, 2), u"-0.00");
    EXPECT_EQ(FixedText(4.2, 6), u"4.200000");
    EXPECT_EQ(WholeText(-1234567890), u"-1234567890");
}

}  // namespace
}  // namespace adjustui::page
