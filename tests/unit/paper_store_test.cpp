#include "settings/paper_store.h"

#include <functional>
#include <utility>

#include "settings/printer_snapshot.h"
#include "tests/support/turns.h"
#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

using PaperStoreTest = PrinterTest;

// Append gives the id; the one the record carries does not matter.
PaperRecord Custom(std::u16string_view name, std::int32_t width, std::int32_t length) {
    return Paper(name, 999, width, length);
}

TEST_F(PaperStoreTest, CountsAreTrustedOnlyAsFarAsTheArrayHoldsWholeRecords) {
    std::vector<PaperRecord> three = {Paper(u"A", 257, 1, 1), Paper(u"B", 258, 2, 2),
                                      Paper(u"C", 259, 3, 3)};
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, three);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{1000000});
    EXPECT_EQ(ReadCustomPapers(store).size(), 3u);
    EXPECT_EQ(CustomPaperCount(store), 3u);

    // Half a record at the end is not a record.
    printer->Put(value::kCustomPapers, kRegBinary, three.data(), 2 * sizeof(PaperRecord) + 70);
    EXPECT_EQ(ReadCustomPapers(store).size(), 2u);
    EXPECT_EQ(CustomPaperCount(store), 2u);

    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{-3});
    EXPECT_TRUE(ReadCustomPapers(store).empty());
    EXPECT_EQ(CustomPaperCount(store), 0u);

    printer->values.erase(value::kCustomPapers);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{2});
    EXPECT_TRUE(ReadCustomPapers(store).empty());
    EXPECT_EQ(CustomPaperCount(store), 0u);
}

TEST_F(PaperStoreTest, ArrayLongerThanItsCountGivesTheCountedRecords) {
    std::vector<PaperRecord> three = {Paper(u"A", 257, 1, 1), Paper(u"B", 258, 2, 2),
                                      Paper(u"C", 259, 3, 3)};
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, three);
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{2});
    const auto read = ReadCustomPapers(store);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].id, 258);
}

TEST_F(PaperStoreTest, MissingCountOrPrinterIsAnEmptyList) {
    NoPrinterStore none;
    EXPECT_TRUE(ReadStandardPapers(store).empty());
    EXPECT_TRUE(ReadCustomPapers(none).empty());
    EXPECT_EQ(printer->gets, 1) << "no array read without a count";
}

TEST_F(PaperStoreTest, MergeBuildsTheListOneFieldAtATime) {
    const std::uint16_t ids[] = {1, 9, 70};
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    ASSERT_EQ(StoredCount(value::kStdPaperCount), 3);
    auto stored = StoredRecords(value::kStdPapers);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].id, 70);
    EXPECT_EQ(stored[2].width, 0) << "not yet set: zero";
    EXPECT_EQ(printer->values[value::kStdPaperCount].type, kRegBinary);

    const PaperName names[3] = {{u"Letter"}, {u"A4"}, {u"Label"}};
    MergeStandardPapers(store, std::span<const PaperName>(names));
    const PaperPoint sizes[] = {{2159, 2794}, {2100, 2970}, {1000, 500}};
    MergeStandardPapers(store, std::span<const PaperPoint>(sizes));
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
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    const auto stored = StoredRecords(value::kStdPapers);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(StoredCount(value::kStdPaperCount), 2);
    EXPECT_EQ(std::u16string(stored[1].name), u"B");
    EXPECT_EQ(stored[1].id, 6);
}

TEST_F(PaperStoreTest, MergeWritesNothingWhenTheListIsUnchanged) {
    const std::uint16_t ids[] = {1, 9};
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    EXPECT_EQ(printer->sets, 2);
    printer->sets = printer->opens = 0;
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    EXPECT_EQ(printer->opens, 0) << "no second handle for an unchanged list";
    EXPECT_EQ(printer->sets, 0);

    const std::uint16_t changed[] = {1, 10};
    MergeStandardPapers(store, std::span<const PaperNumber>(changed));
    EXPECT_EQ(printer->sets, 1) << "the count is already stored with the same bytes";
}

TEST_F(PaperStoreTest, MergeRepairsAnArrayThatDisagreesWithItsCount) {
    const std::uint16_t ids[] = {1, 9};
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    auto stored = StoredRecords(value::kStdPapers);
    stored.push_back(Paper(u"stray", 3, 0, 0));
    printer->Put(value::kStdPapers, kRegBinary, stored.data(), stored.size() * sizeof(PaperRecord));
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    EXPECT_EQ(StoredRecords(value::kStdPapers).size(), 2u);
}

TEST_F(PaperStoreTest, MergeWithoutWriteAccessOrPrinterStoresNothing) {
    printer->writeAccess = false;
    const std::uint16_t ids[] = {1};
    MergeStandardPapers(store, std::span<const PaperNumber>(ids));
    EXPECT_EQ(printer->Find(value::kStdPaperCount), nullptr);
    NoPrinterStore none;
    MergeStandardPapers(none, std::span<const PaperNumber>(ids));
    printer->writeAccess = true;
    const std::vector<PaperNumber> tooMany(kMaxPaperRecords + 1, 1);
    MergeStandardPapers(store, std::span<const PaperNumber>(tooMany));
    EXPECT_EQ(printer->sets, 0);
}

// The three lists an application gets end with the custom papers; the core driver's come first.
TEST(CoreDriverPapers, AreTheAnswersWithoutTheCustomPapersOnlyWhenTheListsAgree) {
    const PaperRecord custom[] = {Paper(u"Label", 257, 500, 300)};
    const PaperNumber numbers[] = {9, 11, 257};
    const PaperName names[] = {{u"A4"}, {u"A5"}, {u"Label"}};
    const PaperPoint sizes[] = {{2100, 2970}, {1480, 2100}, {500, 300}};
    const auto papers = CoreDriverPapers(numbers, names, sizes, custom);
    ASSERT_TRUE(papers);
    ASSERT_EQ(papers->size(), 2u);
    EXPECT_EQ(std::u16string(papers->at(1).name), u"A5");
    EXPECT_EQ(papers->at(1).id, 11);
    EXPECT_EQ(papers->at(1).length, 2100);
    EXPECT_FALSE(CoreDriverPapers(numbers, std::span(names).first(2), sizes, custom));
    const PaperRecord other[] = {Paper(u"Other", 258, 500, 300)};
    EXPECT_FALSE(CoreDriverPapers(numbers, names, sizes, other)) << "not the custom papers' tail";
}

TEST_F(PaperStoreTest, AppendGivesIdsByPosition) {
    for (const char16_t* name : {u"P", u"Q", u"R"}) {
        const std::uint32_t count = CustomPaperCount(store);
        EXPECT_EQ(AppendCustomPaper(store, Custom(name, 1, 1)).count, count + 1);
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
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"First", 1, 2)).count, 1u);
    EXPECT_EQ(printer->sets, 2);
    EXPECT_EQ(printer->Find(value::kCustomPapers)->size(), 140u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 1);
}

TEST_F(PaperStoreTest, FailedArrayWriteLeavesTheCountAlone) {
    printer->failWrites.insert(value::kCustomPapers);
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"P", 1, 1)).count, 0u);
    EXPECT_EQ(printer->Find(value::kCustomPaperCount), nullptr)
        << "a count without its record would report a paper that is not there";

    printer->failWrites.clear();
    AppendCustomPaper(store, Custom(u"P", 1, 1)).count;
    printer->failWrites.insert(value::kCustomPapers);
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"Q", 1, 1)).count, 1u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 1);
}

TEST_F(PaperStoreTest, AppendWithoutWriteAccessStoresNothing) {
    AppendCustomPaper(store, Custom(u"P", 1, 1)).count;
    printer->writeAccess = false;
    printer->sets = 0;
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"Q", 1, 1)).count, 1u);
    EXPECT_EQ(printer->sets, 0);
}

TEST_F(PaperStoreTest, AppendAfterACountThatOverstatesTheArrayKeepsIdsByPosition) {
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, {Paper(u"A", 257, 1, 1)});
    printer->Put(value::kCustomPaperCount, kRegBinary, std::int32_t{5});
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"B", 1, 1)).count, 2u);
    const auto stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].id, 258);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 2);
}

TEST_F(PaperStoreTest, AppendKeepsEveryStoredRecordWhateverTheCountSays) {
    const std::vector<PaperRecord> three = {Paper(u"A", 257, 1, 1), Paper(u"B", 258, 2, 2),
                                            Paper(u"C", 259, 3, 3)};
    const std::vector<std::vector<std::byte>> counts = {
        {std::byte{3}, std::byte{0}},  // two bytes
        std::vector<std::byte>(8),     // eight bytes: unreadable with room for four
        {std::byte{1}, std::byte{0}, std::byte{0}, std::byte{0}},  // fewer than stored
        {},                                                        // missing
    };
    for (const auto& count : counts) {
        printer->values.clear();
        PutRecords(value::kCustomPaperCount, value::kCustomPapers, three);
        if (count.empty())
            printer->values.erase(value::kCustomPaperCount);
        else
            printer->Put(value::kCustomPaperCount, kRegBinary, count.data(), count.size());
        const PaperListChange r = AppendCustomPaper(store, Custom(u"D", 4, 4));
        EXPECT_TRUE(r.stored);
        EXPECT_EQ(r.count, 4u);
        const auto stored = StoredRecords(value::kCustomPapers);
        ASSERT_EQ(stored.size(), 4u) << count.size();
        EXPECT_EQ(std::u16string(stored[2].name), u"C");
        EXPECT_EQ(stored[3].id, 260);
        EXPECT_EQ(StoredCount(value::kCustomPaperCount), 4);
    }

    // A list beyond what the plug-in accepts is left as it is, and the caller hears of it.
    const std::vector<PaperRecord> full(kMaxPaperRecords, Paper(u"X", 257, 1, 1));
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, full);
    printer->sets = 0;
    EXPECT_FALSE(AppendCustomPaper(store, Custom(u"E", 1, 1)).stored);
    EXPECT_EQ(printer->sets, 0);
    EXPECT_EQ(StoredRecords(value::kCustomPapers).size(), kMaxPaperRecords);
}

TEST_F(PaperStoreTest, RemovedPapersLeaveTheirCodesAndNoCodeIsGivenTwice) {
    for (const char16_t* name : {u"A", u"B", u"C"})
        AppendCustomPaper(store, Custom(name, 1, 1));
    const PaperListChange removed = RemoveCustomPaper(store, u"B");
    EXPECT_TRUE(removed.stored);
    EXPECT_EQ(removed.count, 2u);
    EXPECT_EQ(removed.code, 258) << "the page removes the entry of that code";
    EXPECT_FALSE(RemoveCustomPaper(store, u"B").stored) << "no such paper";
    const PaperListChange added = AppendCustomPaper(store, Custom(u"D", 1, 1));
    EXPECT_EQ(added.code, 260) << "one above the highest stored";
    const auto stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].id, 257);
    EXPECT_EQ(stored[1].id, 259);
    EXPECT_EQ(stored[2].id, 260);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 3);
    EXPECT_EQ(ReadCustomPapers(store).size(), 3u);

    // The highest code taken: the lowest free one.
    std::vector<PaperRecord> high = {Paper(u"X", 257, 1, 1), Paper(u"Y", 0xFFFF, 1, 1)};
    EXPECT_EQ(NextCustomPaperCode(high), 258);
    // Nor a code of the core driver's standard papers, which may begin at 257 too.
    EXPECT_EQ(NextCustomPaperCode(high, std::vector{Paper(u"Std", 258, 1, 1)}), 259);
    PutRecords(value::kStdPaperCount, value::kStdPapers, {Paper(u"Label", 261, 1, 1)});
    EXPECT_EQ(AppendCustomPaper(store, Custom(u"E", 1, 1)).code, 262);
    printer->writeAccess = false;
    EXPECT_FALSE(RemoveCustomPaper(store, u"A").stored);
    EXPECT_EQ(StoredRecords(value::kCustomPapers).size(), 4u);
}

void NoWait() {
    ADD_FAILURE() << "waited with nobody else writing";
}

TEST_F(PaperStoreTest, AddAndDeleteReportExactlyWhatTheStoreThenHolds) {
    // A stored list shorter than one record holds none.
    for (std::size_t torn : {1u, 139u}) {
        printer->values.clear();
        const std::vector<std::byte> bytes(torn, std::byte{7});
        printer->Put(value::kCustomPapers, kRegBinary, bytes.data(), bytes.size());
        EXPECT_FALSE(RemoveCustomPaper(store, u"A", NoWait).stored);
        EXPECT_EQ(AppendCustomPaper(store, Custom(u"A", 1, 1), NoWait).code, 257);
        EXPECT_EQ(StoredRecords(value::kCustomPapers).size(), 1u);
    }

    // Without a writer beside it, through the page's picture of the printer: one read, the array,
    // the count, one read back, and no wait.
    PrinterSnapshot picture(store);
    ReadStandardPapers(picture);
    printer->gets = printer->sets = 0;
    const PaperListChange added = AppendCustomPaper(picture, Custom(u"B", 2, 2), NoWait);
    EXPECT_TRUE(added.stored);
    EXPECT_EQ(added.code, 258);
    EXPECT_EQ(printer->gets + printer->sets, 4);

    // The name is judged against the list as stored, which another user may have changed: a paper
    // of that name is not stored twice, and the caller learns its code.
    auto stored = StoredRecords(value::kCustomPapers);
    stored.push_back(Paper(u"C", 300, 3, 3));
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, stored);
    printer->sets = 0;
    const PaperListChange twice = AppendCustomPaper(store, Custom(u"C", 3, 3), NoWait);
    EXPECT_FALSE(twice.stored);
    EXPECT_TRUE(twice.nameTaken);
    EXPECT_EQ(twice.code, 300);
    EXPECT_EQ(printer->sets, 0);

    // Copies byte for byte: Delete removes the one, however many there are.
    PutRecords(value::kCustomPaperCount, value::kCustomPapers,
               std::vector<PaperRecord>(9, Paper(u"Twin", 260, 5, 5)));
    const PaperListChange removed = RemoveCustomPaper(store, u"Twin", NoWait);
    EXPECT_TRUE(removed.stored);
    EXPECT_EQ(removed.code, 260);
    EXPECT_EQ(StoredRecords(value::kCustomPapers).size(), 8u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 8);

    // A count that cannot be written: the call fails and the list is as it was.
    const auto before = printer->values;
    printer->failWrites.insert(value::kCustomPaperCount);
    EXPECT_FALSE(AppendCustomPaper(store, Custom(u"D", 4, 4), NoWait).stored);
    EXPECT_FALSE(RemoveCustomPaper(store, u"Twin", NoWait).stored);
    ASSERT_EQ(printer->values.size(), before.size());
    for (const auto& [name, v] : before)
        EXPECT_EQ(printer->values.at(name).data, v.data);
}

// Two users of the printer, taking turns at the store's calls in the order `script` gives: true
// hands the turn to the other user.
struct TwoUsers {
    explicit TwoUsers(std::shared_ptr<MemoryPrinter> printer, std::vector<bool> script)
        : turns([this, script = std::move(script)] {
              return step < script.size() && script[step++];
          }),
          first(std::make_unique<MemoryPrinterStore>(printer), turns, 0),
          second(std::make_unique<MemoryPrinterStore>(printer), turns, 1) {}
    std::size_t step = 0;
    Turns turns;
    TurnStore first;
    TurnStore second;
};

// Called once a writer has seen another writer's list replace its own.
int settled = 0;
void Settle() {
    ++settled;
}

TEST_F(PaperStoreTest, TwoWritersAtOnceKeepEachOthersChanges) {
    const std::vector<PaperRecord> start = {Paper(u"A", 257, 1, 1), Paper(u"X", 258, 2, 2)};
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, start);

    // Both read the same list and write their paper under the same code: the one whose list was
    // replaced sees it on reading back and adds its paper again, under a code of its own.
    PaperListChange b, c;
    TwoUsers adders(printer, {false, false, true, false, false, false, false, true});
    adders.turns.Run([&] { b = AppendCustomPaper(adders.first, Custom(u"B", 3, 3), Settle); },
                     [&] { c = AppendCustomPaper(adders.second, Custom(u"C", 4, 4), Settle); });
    EXPECT_EQ(std::exchange(settled, 0), 1) << "the second saw the first's list";
    EXPECT_TRUE(b.stored && c.stored);
    EXPECT_NE(b.code, c.code);
    auto stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 4) << "no count hides a stored record";

    // A Delete that lands while an Add checks its write: the Add does not bring the paper back.
    PutRecords(value::kCustomPaperCount, value::kCustomPapers, start);
    PaperListChange d, x;
    TwoUsers meeting(printer, {false, false, false, false, false, true});
    meeting.turns.Run([&] { d = AppendCustomPaper(meeting.first, Custom(u"D", 5, 5), Settle); },
                      [&] { x = RemoveCustomPaper(meeting.second, u"X", Settle); });
    EXPECT_EQ(std::exchange(settled, 0), 1) << "the adder saw the deleter's list";
    EXPECT_TRUE(d.stored && x.stored);
    stored = StoredRecords(value::kCustomPapers);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(FieldText(stored[1].name), u"D");
    EXPECT_EQ(StoredCount(value::kCustomPaperCount), 2);
}

}  // namespace
}  // namespace adjustui::testing
