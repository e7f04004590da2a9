// Add and Delete of a custom paper over arbitrary stored lists, failing writes and, for two users
// writing at once, every order in which their calls can reach the store. What must hold: a result
// is what the store holds when it is reported, no code is held twice that was not before, and a
// failure leaves nothing of its change behind (alone, the store as it was, byte for byte).
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "settings/paper_store.h"
#include "tests/support/turns.h"

namespace adjustui::fuzz {
namespace {

constexpr const char16_t* kNames[] = {u"A", u"B", u"Twin", u""};

std::vector<PaperRecord> WholeRecords(const testing::MemoryPrinter& printer) {
    const auto* bytes = printer.Find(value::kCustomPapers);
    std::vector<PaperRecord> records(bytes != nullptr ? bytes->size() / sizeof(PaperRecord) : 0);
    if (!records.empty())
        std::memcpy(records.data(), bytes->data(), records.size() * sizeof(PaperRecord));
    return records;
}

// The count value is 4 bytes and names every record the array holds.
void RequireCountOf(const testing::MemoryPrinter& printer, const std::vector<PaperRecord>& list) {
    std::int32_t count = -1;
    const auto* bytes = printer.Find(value::kCustomPaperCount);
    Require(bytes != nullptr && bytes->size() == sizeof count);
    std::memcpy(&count, bytes->data(), sizeof count);
    Require(static_cast<std::size_t>(count) == list.size());
}

bool Same(const PaperRecord& a, const PaperRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A list of a few names, with twins, codes that may repeat, and sizes that may match.
void PutPapers(testing::MemoryPrinter& printer, FuzzedDataProvider& in) {
    std::vector<PaperRecord> list(in.ConsumeIntegralInRange<std::size_t>(0, 12));
    for (PaperRecord& r : list) {
        if (&r != list.data() && in.ConsumeBool()) {
            r = (&r)[-1];
            continue;
        }
        r = PaperRecord{};
        AssignField(r.name, std::u16string_view(kNames[in.ConsumeIntegralInRange(0, 3)]));
        r.id = in.ConsumeIntegralInRange<std::uint16_t>(255, 265);
        r.width = r.length = in.ConsumeIntegralInRange(1, 3);
    }
    printer.Put(value::kCustomPapers, kRegBinary, list.data(), list.size() * sizeof(PaperRecord));
    const std::int32_t count = in.ConsumeIntegralInRange<std::int32_t>(-1, 14);
    printer.Put(value::kCustomPaperCount, kRegBinary, count);
}

struct Request {
    bool add;
    PaperRecord paper{};
    std::u16string name;
};

Request DrawRequest(FuzzedDataProvider& in, int who) {
    Request r{in.ConsumeBool(), {}, {}};
    // Each user adds names of its own, so a paper it failed to add cannot come from the other.
    r.name = kNames[in.ConsumeIntegralInRange(0, 3)];
    if (r.add)
        r.name += who == 0 ? u"0" : u"1";
    AssignField(r.paper.name, r.name);
    r.paper.width = r.paper.length = in.ConsumeIntegralInRange(1, 3);
    return r;
}

PaperListChange Perform(PrinterStore& store, const Request& r) {
    constexpr SettleWrites kNoWait = [] {};
    return r.add ? AppendCustomPaper(store, r.paper, kNoWait)
                 : RemoveCustomPaper(store, r.name, kNoWait);
}

std::size_t Copies(const std::vector<PaperRecord>& list, auto matches) {
    return static_cast<std::size_t>(std::count_if(list.begin(), list.end(), matches));
}

// One user alone: the list afterwards is exactly the list before with the change, or unchanged.
void Alone(testing::MemoryPrinter& printer, testing::MemoryPrinterStore& store, const Request& r) {
    const auto before = printer.values;
    const std::vector<PaperRecord> old = WholeRecords(printer);
    const PaperListChange result = Perform(store, r);
    const std::vector<PaperRecord> now = WholeRecords(printer);
    if (!result.stored) {
        // Values cannot be deleted: a list that was missing may come back empty; half a record
        // behind the last is no record and may go.
        for (const auto& [name, v] : printer.values) {
            const auto* was = before.count(name) != 0 ? &before.at(name).data : nullptr;
            if (name == value::kCustomPapers)
                Require(now.size() == old.size() &&
                        std::equal(old.begin(), old.end(), now.begin(), Same));
            else
                Require(was != nullptr && *was == v.data);
        }
        Require(std::all_of(before.begin(), before.end(),
                            [&](const auto& v) { return printer.values.count(v.first) != 0; }));
        if (result.nameTaken) {
            Require(std::any_of(old.begin(), old.end(), [&](const PaperRecord& p) {
                return p.id == result.code && FieldText(p.name) == r.name;
            }));
        }
        return;
    }
    Require(result.count == now.size());
    RequireCountOf(printer, now);
    if (r.add) {
        Require(now.size() == old.size() + 1 &&
                std::equal(old.begin(), old.end(), now.begin(), Same));
        Require(now.back().id == result.code && FieldText(now.back().name) == r.name);
        Require(Copies(old, [&](const PaperRecord& p) { return p.id == result.code; }) == 0);
        Require(Copies(old, [&](const PaperRecord& p) { return FieldText(p.name) == r.name; }) ==
                0);
    } else {
        const auto first = std::find_if(old.begin(), old.end(), [&](const PaperRecord& p) {
            return FieldText(p.name) == r.name;
        });
        Require(first != old.end() && first->id == result.code);
        std::vector<PaperRecord> expected = old;
        expected.erase(expected.begin() + (first - old.begin()));
        Require(now.size() == expected.size() &&
                std::equal(expected.begin(), expected.end(), now.begin(), Same));
    }
}

// What one of two users may claim when its call returns, with the other paused. A change that
// failed for a refused write is not checked here: the other user may have read the list while it
// held that change, and write it back later; that is the meeting the store cannot tell.
void CheckAtReturn(const testing::MemoryPrinter& printer, const Request& r,
                   const std::vector<PaperRecord>& start, const PaperListChange& result,
                   int writes) {
    const std::vector<PaperRecord> now = WholeRecords(printer);
    const auto named = [&](const PaperRecord& p) { return FieldText(p.name) == r.name; };
    if (result.stored && r.add) {
        Require(Copies(now, [&](const PaperRecord& p) { return p.id == result.code; }) == 1);
        Require(Copies(now, [&](const PaperRecord& p) {
                    return named(p) && p.id == result.code && p.width == r.paper.width;
                }) == 1);
    } else if (result.stored) {
        const auto removed = [&](const PaperRecord& p) { return named(p) && p.id == result.code; };
        Require(Copies(now, removed) < Copies(start, removed));
    } else if (result.nameTaken || (!r.add && Copies(start, named) == 0)) {
        Require(writes == 0);
    }
}

void TwoAtOnce(std::shared_ptr<testing::MemoryPrinter> printer, FuzzedDataProvider& in) {
    const Request requests[2] = {DrawRequest(in, 0), DrawRequest(in, 1)};
    const std::vector<PaperRecord> start = WholeRecords(*printer);
    testing::Turns turns([&] { return in.ConsumeBool(); });
    bool anyStored = false;
    auto user = [&](int who) {
        testing::TurnStore store(std::make_unique<testing::MemoryPrinterStore>(printer), turns,
                                 who);
        const PaperListChange result = Perform(store, requests[who]);
        CheckAtReturn(*printer, requests[who], start, result, store.writes);
        anyStored = anyStored || result.stored;
    };
    turns.Run([&] { user(0); }, [&] { user(1); });

    // No code is held more often than before, and the count hides no stored record.
    const std::vector<PaperRecord> end = WholeRecords(*printer);
    std::map<std::uint16_t, std::size_t> before, after;
    for (const PaperRecord& p : start)
        ++before[p.id];
    for (const PaperRecord& p : end)
        ++after[p.id];
    for (const auto& [code, n] : after)
        Require(n <= std::max<std::size_t>(1, before[code]));
    if (anyStored)
        RequireCountOf(*printer, end);
}

}  // namespace
}  // namespace adjustui::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace adjustui;
    using namespace adjustui::fuzz;
    FuzzedDataProvider in(data, size);
    const bool two = in.ConsumeBool();
    auto printer =
        in.ConsumeBool() ? FuzzedPrinter(in) : std::make_shared<testing::MemoryPrinter>();
    if (in.ConsumeBool())
        PutPapers(*printer, in);
    printer->writeAccess = printer->writeAccess || in.ConsumeBool();
    if (in.ConsumeBool())
        printer->failWrites.insert(in.ConsumeBool() ? value::kCustomPapers
                                                    : value::kCustomPaperCount);
    if (two) {
        TwoAtOnce(printer, in);
    } else {
        testing::MemoryPrinterStore store(printer);
        Alone(*printer, store, DrawRequest(in, 0));
    }
    return 0;
}
