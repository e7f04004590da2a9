#include "models/model_tables.h"

#include <gtest/gtest.h>

namespace adjustui {
namespace {

TEST(ModelCapabilities, ExactNamesOnly) {
    const ModelCapabilities all{true, true, true, true};
    EXPECT_EQ(ModelCapabilitiesOf(u"KESTRA VC9"), all);
    EXPECT_EQ(ModelCapabilitiesOf(u"kesTRA VC9"), all);
    EXPECT_EQ(ModelCapabilitiesOf(u"kestra vc9"), ModelCapabilities{});
    EXPECT_EQ(ModelCapabilitiesOf(u"KESTRA VC9 "), ModelCapabilities{});
    EXPECT_EQ(ModelCapabilitiesOf(u"KESTRA VC"), ModelCapabilities{});
    EXPECT_EQ(ModelCapabilitiesOf(u""), ModelCapabilities{});
    EXPECT_TRUE(ModelHasSlipCorrection(u"KESTRA VC9"));
    EXPECT_FALSE(ModelHasSlipCorrection(u"KESTRA V9-2"));
}

TEST(ModelCapabilities, BlankMakesADifferentModel) {
    EXPECT_EQ(ModelCapabilitiesOf(u"MANTO 47NR"), (ModelCapabilities{true, false, true, false}));
    EXPECT_EQ(ModelCapabilitiesOf(u"MANTO 47 NR"), (ModelCapabilities{false, true, false, false}));
    EXPECT_EQ(ModelCapabilitiesOf(u"MANTO 52B5-3"), (ModelCapabilities{false, false, true, false}));
    EXPECT_EQ(ModelCapabilitiesOf(u"MANTO 170N"), (ModelCapabilities{true, false, false, false}));
    EXPECT_EQ(ModelCapabilitiesOf(u"RQ-V9"), (ModelCapabilities{true, false, true, false}));
}

TEST(PrintSpeeds, ListsFollowTheModel) {
    using V = std::vector<std::uint32_t>;
    EXPECT_EQ(PrintSpeedsFor(u"KESTRA V3"), (V{2, 3, 4, 5, 6})) << "the low list ignores case";
    EXPECT_EQ(PrintSpeedsFor(u"kesTRA VC9"), (V{2, 3, 4, 5, 6}));
    EXPECT_EQ(PrintSpeedsFor(u"MANTO 47 NR"), (V{4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(PrintSpeedsFor(u"manto v9"), (V{4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(PrintSpeedsFor(u"MANTO V3-2"), (V{4, 5, 6}));
    EXPECT_EQ(PrintSpeedsFor(u"kesTRA V4"), (V{4, 5, 6}));
    EXPECT_EQ(PrintSpeedsFor(u"kesTRA VM9"), (V{4, 5, 6}));
}

TEST(PrintSpeeds, SelectionIsTheListsPrefixSearch) {
    const auto low = PrintSpeedsFor(u"KESTRA V3");
    const auto high = PrintSpeedsFor(u"MANTO V3");
    EXPECT_EQ(PrintSpeedSelection(low, 9), 0u) << "9 is not offered: the first entry";
    EXPECT_EQ(PrintSpeedSelection(low, 5), 3u);
    EXPECT_EQ(PrintSpeedSelection(high, 1), 6u) << "\"10\" begins with \"1\"";
    EXPECT_EQ(PrintSpeedSelection(high, 12), 8u);
    EXPECT_EQ(PrintSpeedSelection(high, 0xB669FD2Eu), 0u) << "unset formats as a negative number";
    EXPECT_EQ(PrintSpeedSelection({}, 4), 0u);
}

TEST(PaperExtents, PackedValuesOfEveryRow) {
    struct Row {
        const char16_t* name;
        std::uint32_t minimum, maximum;
    };
    const Row rows[] = {
        {u"KESTRA 31NR", 0x002A044C, 0x1DC40960},
        {u"MANTO 36NR", 0x002A044C, 0x1DC40960},
        {u"KESTRA 44", 0x04CD0302, 0x0DE4086F},
        {u"KESTRA V3", 0x002A002A, 0x4F60049C},
        {u"KESTRA V3-2", 0x002A002A, 0x4F60049C},
        {u"KESTRA V7", 0x002A002A, 0x4F6006F4},
        {u"KESTRA V7-2", 0x002A002A, 0x4F6006F4},
        {u"KESTRA V9", 0x002A002A, 0x4F6008E8},
        {u"KESTRA V9-2", 0x002A002A, 0x4F6008E8},
        {u"KESTRA VC9", 0x00FE002A, 0x4F6008EE},
        {u"MANTO 37N-2", 0x02FA02FA, 0x17D00FE0},
        {u"MANTO G39", 0x02FA02FA, 0x17D00FE0},
        {u"MANTO 44", 0x04F60302, 0x0DE4086F},
        {u"MANTO 47 NR", 0x002A0320, 0x4F600834},
        {u"MANTO 47 NR-2", 0x002A0320, 0x4F600834},
        {u"MANTO 47 NR-2G", 0x05F40320, 0x0BE80834},
        {u"MANTO 47-2", 0x05C8041A, 0x0B9A0834},
        {u"MANTO 52B5-2", 0x05C8041A, 0x10680B9A},
        {u"MANTO 52B5-3", 0x05C8041A, 0x10680B9A},
        {u"MANTO 57N", 0x02FA05F4, 0x17D010DE},
        {u"MANTO 57N WXL", 0x02FA02FA, 0x271011DC},
        {u"MANTO G63-2", 0x06F20673, 0x17D011DC},
        {u"MANTO G68", 0x06F20673, 0x17D011DC},
        {u"MANTO 63N-2", 0x06F20673, 0x17D0115D},
        {u"MANTO 89N", 0x06F205F4, 0x17D010DE},
        {u"MANTO 89N JOBSTART", 0x06F205F4, 0x17D010DE},
        {u"MANTO 89N JOBMIDDLE", 0x06F205F4, 0x17D010DE},
        {u"MANTO 89N JOBEND", 0x06F205F4, 0x17D010DE},
        {u"MANTO 89B5", 0x05F400FE, 0x11DC0BE8},
        {u"MANTO 170N", 0x06F206F2, 0x13D81125},
        {u"MANTO V3", 0x002A002A, 0x4F60042A},
        {u"MANTO V4", 0x002A002A, 0x4F6004FF},
        {u"MANTO V7", 0x002A002A, 0x4F600640},
        {u"MANTO V9", 0x002A002A, 0x4F600854},
        {u"MANTO V12", 0x002A051E, 0x4F600A6B},
        {u"CINDRA 27-3", 0x002A002A, 0x4F60049C},
        {u"CINDRA 27-7", 0x002A002A, 0x4F6006F4},
        {u"CINDRA 27-9", 0x002A002A, 0x4F6008E8},
        {u"MANTO G26", 0x007F01FC, 0x20BE086F},
        {u"MANTO G36", 0x007F01FC, 0x20BE0EE2},
        {u"MANTO G82", 0x007F01FC, 0x13D811DC},
        {u"MANTO G94", 0x007F01FC, 0x13D811DC},
        {u"MANTO G97", 0x007F01FC, 0x13D811DC},
        {u"MANTO G125", 0x007F01FC, 0x13D811DC},
        {u"MANTO G150", 0x007F01FC, 0x13D811DC},
        {u"MANTO G170", 0x06F205F4, 0x13D811DC},
    };
    for (const Row& r : rows) {
        const PaperExtents e = ModelPaperExtents(r.name);
        EXPECT_EQ(e.minimum, r.minimum) << std::u16string_view(r.name).size();
        EXPECT_EQ(e.maximum, r.maximum) << std::u16string_view(r.name).size();
    }
}

TEST(PaperExtents, CaseRulesAndNamesWithoutExtents) {
    EXPECT_EQ(ModelPaperExtents(u"kestra vc9").minimum, 0x00FE002Au);
    EXPECT_EQ(ModelPaperExtents(u"Manto G36").minimum, 0x007F01FCu);
    EXPECT_FALSE(ModelPaperExtents(u"Manto G36").maximum.has_value());
    for (const char16_t* name :
         {u"KESTRA V4", u"KESTRA V9-3", u"KESTRA VM3", u"KESTRA VM9", u"RQ-V9", u"MANTO V3-2",
          u"MANTO 47NR", u"MANTO 47NR-2", u"MANTO 47NR-2G", u"manto 47nr", u"ACME LP-100", u""}) {
        const PaperExtents e = ModelPaperExtents(name);
        EXPECT_FALSE(e.minimum.has_value());
        EXPECT_FALSE(e.maximum.has_value());
    }
}

}  // namespace
}  // namespace adjustui
