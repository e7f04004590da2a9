#include "settings/paper_store.h"

#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

using PaperStoreTest = PrinterTest;

TEST_F(PaperStoreTest, CountsAreTrustedOnlyAsFarAsTheArrayHoldsWholeRecords) {
    std::vector<PaperRecord> three = {Paper(u"A", 257, 1, 1), Paper(u"B", 258, 2, 2),
                                      Paper(u"C", 259, 3, 3)};
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, three);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{1000000});
    EXPECT_EQ(ReadCustomPapers(&store).size(), 3u);
    EXPECT_EQ(CustomPaperCount(&store), 3u);

    // Half a record at the end is not a record.
    printer->Put(value::kCustomPapers, kRegBinary, three.data(), 2 * sizeof(PaperRecord) + 70);
    EXPECT_EQ(ReadCustomPapers(&store).size(), 2u);
    EXPECT_EQ(CustomPaperCount(&store), 2u);

    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{-3});
    EXPECT_TRUE(ReadCustomPapers(&store).empty());
    EXPECT_EQ(CustomPaperCount(&store), 0u);

    printer->values.erase(value::kCustomPapers);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{2});
    EXPECT_TRUE(ReadCustomPapers(&store).empty());
    EXPECT_EQ(CustomPaperCount(&store), 0u);
}

TEST_F(PaperStoreTest, ArrayLongerThanItsCountGivesTheCountedRecords) {
    std::vector<PaperRecord> three = {Paper(u"A", 257, 1, 1), Paper(u"B", 258, 2, 2),
                                      Paper(u"C", 259, 3, 3)};
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, three);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{2});
    const auto read = ReadCustomPapers(&store);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].id, 258);
}

TEST_F(PaperStoreTest, MissingCountOrPrinterIsAnEmptyList) {
    EXPECT_TRUE(ReadStandardPapers(&store).empty());
    EXPECT_TRUE(ReadCustomPapers(nullptr).empty());
    EXPECT_EQ(printer->gets, 1) << "no array read without a count";
}

TEST_F(PaperStoreTest, MergeBuildsTheListOneFieldAtATime) {
    const std::uint16_t ids[] = {1, 9, 70};
    MergeStandardPapers(&store, PaperField::Id, ids, 3);
    ASSERT_EQ(StoredCount(value::kStdPaperCount), 3);
    auto stored = StoredRecords(value::kStdPapers);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].id, 70);
    EXPECT_EQ(stored[2].width, 0) << "not yet set: zero";
    EXPECT_EQ(printer->values[value::kStdPaperCount].type, kRegBinary);

    char16_t names[3][64] = {u"Letter", u"A4", u"Label"};
    MergeStandardPapers(&store, PaperField::Name, names, 3);
    const PaperPoint sizes[] = {{2159, 2794}, {2100, 2970}, {1000, 500}};
    MergeStandardPapers(&store, PaperField::Size, sizes, 3);
    stored = StoredRecords(value::kStdPapers);
    EXPECT_EQ(std::u16string(stored[1].name), u"A4");
    EXPECT_EQ(stored[1].id, 9);
    EXPECT_EQ(stored[1].width, 2100);
    EXPECT_EQ(stored[1].length, 2970);
}

TEST_F(PaperStoreTest, MergeCutsTheListToTheCoreDriversCount) {
    PutRecords(value::kStdPaperCount, value::kStdPapers,
               {Paper(u"A", 1, 1, 1), Paper(u"B", 2, 2, 2), Paper(u"C", 3, 3, 3)});
    const std::uint16_t ids[] = {5, 6};
    MergeStandardPapers(&store, PaperField::Id, ids, 2);
    const auto stored = StoredRecords(value::kStdPapers);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(StoredCount(value::kStdPaperCount), 2);
    EXPECT_EQ(std::u16string(stored[1].name), u"B");
    EXPECT_EQ(stored[1].id, 6);
}

TEST_F(PaperStoreTest, MergeWritesNothingWhenTheListIsUnchanged) {
    const std::uint16_t ids[] = {1, 9};
    MergeStandardPapers(&store, PaperField::Id, ids, 2);
    EXPECT_EQ(printer->sets, 2);
    printer->sets = printer->opens = 0;
    MergeStandardPapers(&store, PaperField::Id, ids, 2);
    EXPECT_EQ(printer->opens, 0) << "no second handle for an unchanged list";
    EXPECT_EQ(printer->sets, 0);

    const std::uint16_t changed[] = {1, 10};
    MergeStandardPapers(&store, PaperField::Id, changed, 2);
    EXPECT_EQ(printer->sets, 1) << "the count is already stored with the same bytes";
}

TEST_F(PaperStoreTest, MergeRepairsAnArrayThatDisagreesWithItsCount) {
    const std::uint16_t ids[] = {1, 9};
    MergeStandardPapers(&store, PaperField::Id, ids, 2);
    auto stored = StoredRecords(value::kStdPapers);
    stored.push_back(Paper(u"stray", 3, 0, 0));
    printer->Put(value::kStdPapers, kRegBinary, stored.data(), stored.size() * sizeof(PaperRecord));
    MergeStandardPapers(&store, PaperField::Id, ids, 2);
    EXPECT_EQ(StoredRecords(value::kStdPapers).size(), 2u);
}

TEST_F(PaperStoreTest, MergeWithoutWriteAccessOrPrinterStoresNothing) {
    printer->writeAccess = false;
    const std::uint16_t ids[] = {1};
    MergeStandardPapers(&store, PaperField::Id, ids, 1);
    EXPECT_EQ(printer->Find(value::kStdPaperCount), nullptr);
    MergeStandardPapers(nullptr, PaperField::Id, ids, 1);
    MergeStandardPapers(&store, PaperField::Id, nullptr, kMaxPaperRecords + 1);
    EXPECT_EQ(printer->sets, 0);
}

TEST_F(PaperStoreTest, MakeCustomPaperConvertsUnitsAndTruncates) {
    PaperRecord r = MakeCustomPaper(u"Ticket", u"2", u"3", u"Inch", 0);
    EXPECT_EQ(r.width, 508);
    EXPECT_EQ(r.length, 762);
    EXPECT_EQ(r.id, 257);
    EXPECT_EQ(std::u16string(r.name), u"Ticket");
    EXPECT_EQ(MakeCustomPaper(u"x", u"50.55", u"1", u"mm", 0).width, 505);
    EXPECT_EQ(MakeCustomPaper(u"x", u"0.17", u"1", u"Inch", 0).width, 43);
    EXPECT_EQ(MakeCustomPaper(u"x", u"1", u"1", u"Inches", 0).width, 254);
    EXPECT_EQ(MakeCustomPaper(u"x", u"1", u"1", u"inch", 0).width, 10) << "case-sensitive unit";
    EXPECT_EQ(MakeCustomPaper(u"x", u"1", u"1", u"mm", 4).id, 261);
}

TEST_F(PaperStoreTest, MakeCustomPaperScansLikeAFormattedRead) {
    EXPECT_EQ(MakeCustomPaper(u"x", u"  12.5mm", u"abc", u"mm", 0).width, 125);
    EXPECT_EQ(MakeCustomPaper(u"x", u"  12.5mm", u"abc", u"mm", 0).length, 254) << "25.4 mm";
    EXPECT_EQ(MakeCustomPaper(u"x", u"+3", u"-2.79", u"mm", 0).width, 30);
    EXPECT_EQ(MakeCustomPaper(u"x", u"+3", u"-2.79", u"mm", 0).length, -27);
    EXPECT_EQ(MakeCustomPaper(u"x", u"50,5", u"1e1", u"mm", 0).width, 500) << "stops at the comma";
    EXPECT_EQ(MakeCustomPaper(u"x", u"50,5", u"1e1", u"mm", 0).length, 100);
    EXPECT_EQ(MakeCustomPaper(u"x", u"", u"1e300", u"Inch", 0).width, 6451);
    EXPECT_EQ(MakeCustomPaper(u"x", u"", u"1e300", u"Inch", 0).length, 6451)
        << "a size no field can hold keeps the fallback";
}

TEST_F(PaperStoreTest, MakeCustomPaperBoundsTheName) {
    const std::u16string longName(80, u'N');
    const PaperRecord r = MakeCustomPaper(longName, u"1", u"1", u"mm", 0);
    EXPECT_EQ(BoundedLength(r.name, kPaperNameUnits), 63u);
    EXPECT_EQ(r.name[63], u'\0');
}

TEST_F(PaperStoreTest, AppendGivesIdsByPosition) {
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t count = ReadPaperCount(&store, value::kCustomPaperCount);
        EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"P", u"1", u"1", u"mm", count)),
                  count + 1);
    }
    const auto stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(printer->Find(value::kCustomPapers)->size(), 420u);
    EXPECT_EQ(stored[0].id, 257);
    EXPECT_EQ(stored[2].id, 259);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 3);
    EXPECT_EQ(printer->values[value::kCustomPaperCount].type, kRegBinary);
}

TEST_F(PaperStoreTest, AppendFirstPaperWritesOneRecordThenTheCount) {
    printer->sets = 0;
    EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"First", u"1", u"2", u"mm", 0)), 1u);
    EXPECT_EQ(printer->sets, 2);
    EXPECT_EQ(printer->Find(value::kCustomPapers)->size(), 140u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 1);
}

TEST_F(PaperStoreTest, FailedArrayWriteLeavesTheCountAlone) {
    printer->failWrites.insert(value::kCustomPapers);
    EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"P", u"1", u"1", u"mm", 0)), 0u);
    EXPECT_EQ(printer->Find(value::kCustomPaperCount), nullptr)
        << "a count without its record would report a paper that is not there";

    printer->failWrites.clear();
    AppendCustomPaper(&store, MakeCustomPaper(u"P", u"1", u"1", u"mm", 0));
    printer->failWrites.insert(value::kCustomPapers);
    EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"Q", u"1", u"1", u"mm", 1)), 1u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 1);
}

TEST_F(PaperStoreTest, AppendWithoutWriteAccessStoresNothing) {
    AppendCustomPaper(&store, MakeCustomPaper(u"P", u"1", u"1", u"mm", 0));
    printer->writeAccess = false;
    printer->sets = 0;
    EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"Q", u"1", u"1", u"mm", 1)), 1u);
    EXPECT_EQ(printer->sets, 0);
}

TEST_F(PaperStoreTest, AppendAfterACountThatOverstatesTheArrayKeepsIdsByPosition) {
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, {Paper(u"A", 257, 1, 1)});
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{5});
    EXPECT_EQ(AppendCustomPaper(&store, MakeCustomPaper(u"B", u"1", u"1", u"mm", 5)), 2u);
    const auto stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].id, 258);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 2);
}

}  // namespace
}  // namespace adjustui::testing
