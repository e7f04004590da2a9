#include "settings/paper_store.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <random>
#include <thread>

namespace adjustui {
namespace {

constexpr std::uint32_t kRecordBytes = sizeof(PaperRecord);
// The largest array read whole: the longest list and room for a torn record behind it.
constexpr std::uint32_t kLargestArrayBytes = (kMaxPaperRecords + 1) * kRecordBytes;

std::span<std::byte> AsBytes(void* p, std::size_t n) {
    return {static_cast<std::byte*>(p), n};
}

template <typename T>
std::span<const std::byte> AsConstBytes(const T* p, std::size_t count) {
    return {reinterpret_cast<const std::byte*>(p), count * sizeof(T)};
}

struct CountRead {
    std::int32_t value = 0;
    std::uint32_t size = 0;
    bool ok = false;
};

CountRead ReadCount(PrinterStore& printer, const char16_t* countName) {
    CountRead c;
    c.ok = printer.GetData(countName, AsBytes(&c.value, sizeof c.value), c.size) == kErrorSuccess;
    if (!c.ok)
        c.value = 0;
    return c;
}

std::uint32_t UsableCount(std::int32_t value) {
    return value <= 0 ? 0u : std::min(static_cast<std::uint32_t>(value), kMaxPaperRecords);
}

// The one rule of how many records a list has, from its count and its array's stored size: an
// array longer than the count can only be read whole, so one beyond the largest readable gives
// none.
std::uint32_t UsableRecords(std::uint32_t count, std::uint32_t arrayBytes) {
    if (arrayBytes > count * kRecordBytes && arrayBytes > kLargestArrayBytes)
        return 0;
    return std::min(count, arrayBytes / kRecordBytes);
}

// A list as it is stored, with what it takes to tell whether a rewrite would change it.
struct StoredList {
    std::uint32_t count = 0;       // the usable count value
    bool countExact = false;       // the count value is exactly 4 bytes
    std::uint32_t arrayBytes = 0;  // size of the array value, 0 when missing or unreadable
    std::vector<PaperRecord> records;
};

StoredList ReadList(PrinterStore& printer, const char16_t* countName, const char16_t* arrayName,
                    std::int32_t countWhenMissing = 0) {
    StoredList list;
    const CountRead c = ReadCount(printer, countName);
    list.count = UsableCount(c.ok ? c.value : countWhenMissing);
    list.countExact = c.ok && c.size == sizeof c.value;
    if (list.count == 0)
        return list;
    list.records.resize(list.count);
    std::uint32_t needed = 0;
    std::uint32_t r =
        printer.GetData(arrayName, AsBytes(list.records.data(), list.count * kRecordBytes), needed);
    if (r == kErrorMoreData && UsableRecords(list.count, needed) > 0) {
        // Longer than its count says: read it whole, keep what the count covers.
        std::vector<std::byte> whole(needed);
        r = printer.GetData(arrayName, whole, needed);
        if (r == kErrorSuccess)
            std::memcpy(list.records.data(), whole.data(), list.count * kRecordBytes);
    }
    if (r != kErrorSuccess) {
        list.records.clear();
        return list;
    }
    list.arrayBytes = needed;
    list.records.resize(UsableRecords(list.count, needed));
    return list;
}

bool SameRecords(const std::vector<PaperRecord>& a, const std::vector<PaperRecord>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * kRecordBytes) == 0);
}

template <typename Entry>
void Merge(PrinterStore& printer, std::span<const Entry> entries) {
    if (entries.size() > kMaxPaperRecords)
        return;
    const auto n = static_cast<std::uint32_t>(entries.size());
    const StoredList stored = ReadList(printer, value::kStdPaperCount, value::kStdPapers);

    std::vector<PaperRecord> merged(n);  // fields no list has set yet stay zero
    std::copy_n(stored.records.begin(), std::min<std::size_t>(stored.records.size(), n),
                merged.begin());
    for (std::uint32_t i = 0; i < n; ++i)
        SetPaperEntry(merged[i], entries[i]);

    const bool countSame = stored.countExact && stored.count == n;
    const bool arraySame =
        stored.arrayBytes == n * kRecordBytes && SameRecords(stored.records, merged);
    if (countSame && arraySame)
        return;
    auto writer = printer.OpenForWrite();
    if (!writer)
        return;
    if (!countSame) {
        const std::int32_t count = static_cast<std::int32_t>(n);
        writer->SetData(value::kStdPaperCount, kRegBinary, AsConstBytes(&count, 1));
    }
    if (!arraySame) {
        writer->SetData(value::kStdPapers, kRegBinary, AsConstBytes(merged.data(), merged.size()));
    }
}

}  // namespace

std::vector<PaperRecord> ReadStandardPapers(PrinterStore& printer, std::int32_t countWhenMissing) {
    return ReadList(printer, value::kStdPaperCount, value::kStdPapers, countWhenMissing).records;
}

std::vector<PaperRecord> ReadCustomPapers(PrinterStore& printer, std::int32_t countWhenMissing) {
    return ReadList(printer, value::kCustomPaperCount, value::kCustomPapers, countWhenMissing)
        .records;
}

std::uint32_t CustomPaperCount(PrinterStore& printer) {
    const std::uint32_t count = UsableCount(ReadCount(printer, value::kCustomPaperCount).value);
    if (count == 0)
        return 0;
    std::uint32_t needed = 0;
    const std::uint32_t r = printer.GetData(value::kCustomPapers, {}, needed);
    if (r != kErrorSuccess && r != kErrorMoreData)
        return 0;
    return UsableRecords(count, needed);
}

std::optional<std::vector<PaperRecord>> CoreDriverPapers(std::span<const PaperNumber> numbers,
                                                         std::span<const PaperName> names,
                                                         std::span<const PaperPoint> sizes,
                                                         std::span<const PaperRecord> custom) {
    const std::size_t n = numbers.size();
    if (names.size() != n || sizes.size() != n || n < custom.size() ||
        n - custom.size() > kMaxPaperRecords) {
        return std::nullopt;
    }
    const std::size_t core = n - custom.size();
    for (std::size_t j = 0; j < custom.size(); ++j) {
        if (numbers[core + j] != custom[j].id)
            return std::nullopt;
    }
    std::vector<PaperRecord> papers(core);
    for (std::size_t i = 0; i < core; ++i) {
        SetPaperEntry(papers[i], numbers[i]);
        SetPaperEntry(papers[i], names[i]);
        SetPaperEntry(papers[i], sizes[i]);
    }
    return papers;
}

void MergeStandardPapers(PrinterStore& printer, std::span<const PaperNumber> entries) {
    Merge(printer, entries);
}
void MergeStandardPapers(PrinterStore& printer, std::span<const PaperName> entries) {
    Merge(printer, entries);
}
void MergeStandardPapers(PrinterStore& printer, std::span<const PaperPoint> entries) {
    Merge(printer, entries);
}

namespace {

// Room for the first read of the custom list: most lists fit, a longer one costs one read more.
constexpr std::uint32_t kFirstReadRecords = 32;

// The custom papers as stored, read whole through the write handle: every whole record, whatever
// the count says, so a count that cannot be read, or one that another writer left behind, never
// shortens the list. Nothing when it cannot be read or is beyond what the plug-in accepts.
std::optional<std::vector<PaperRecord>> ReadWholeCustomList(PrinterStore& writer,
                                                            std::uint32_t roomRecords) {
    std::vector<std::byte> whole(std::min(roomRecords + 1, kMaxPaperRecords + 1) * kRecordBytes);
    // Another writer may lengthen the list between a short read and the next.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::uint32_t needed = 0;
        const std::uint32_t r = writer.GetData(value::kCustomPapers, whole, needed);
        if (r == kErrorFileNotFound)
            return std::vector<PaperRecord>{};
        if (r == kErrorMoreData && needed / kRecordBytes <= kMaxPaperRecords) {
            whole.resize(needed);
            continue;
        }
        if (r != kErrorSuccess || needed / kRecordBytes > kMaxPaperRecords)
            return std::nullopt;
        std::vector<PaperRecord> records(needed / kRecordBytes);
        if (!records.empty())
            std::memcpy(records.data(), whole.data(), records.size() * kRecordBytes);
        return records;
    }
    return std::nullopt;
}

// Whether the custom list stored now is `list` byte for byte, read into `room`, which holds one
// record more. The room is made before the writes, so that reading back needs no memory: a change
// that was written is never left unreported for want of it.
bool StoredListIs(PrinterStore& writer, const std::vector<PaperRecord>& list,
                  std::span<std::byte> room) {
    const std::size_t bytes = list.size() * kRecordBytes;
    std::uint32_t needed = 0;
    return writer.GetData(value::kCustomPapers, room, needed) == kErrorSuccess && needed == bytes &&
           (bytes == 0 || std::memcmp(room.data(), list.data(), bytes) == 0);
}

// How often a change of the custom list is made again on what other writers stored meanwhile.
constexpr int kListAttempts = 8;

bool SameRecord(const PaperRecord& a, const PaperRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::uint32_t WriteCount(PrinterStore& writer, std::size_t records) {
    const auto count = static_cast<std::int32_t>(records);
    return writer.SetData(value::kCustomPaperCount, kRegBinary, AsConstBytes(&count, 1));
}

// A change of the custom list. `change.Make(stored)` gives the list to write for the list stored
// now, or nothing when the change does not apply to it; `change.Holds(list)` tells whether a list
// holds the change made last. The spooler offers no lock, and the users of a shared printer may
// sit at other machines: what was written is read back, and a list that differs means another
// writer's list landed meanwhile. Only then does the call wait for that writer to finish and look
// again: the change is made anew on what is stored then, or, when that list holds it already, only
// the count is made to match. Two writers whose writes and read-backs interleave so that neither
// sees the other's list can still lose one change: this detects and repairs most such meetings,
// not all.
template <typename Change>
PaperListChange ChangeCustomList(PrinterStore& printer, Change& change, SettleWrites settle) {
    auto writer = printer.OpenForWrite();
    if (!writer)
        return {false, CustomPaperCount(printer)};
    std::optional<std::vector<PaperRecord>> stored =
        ReadWholeCustomList(*writer, kFirstReadRecords);
    bool wrote = false;
    for (int attempt = 0; stored && attempt < kListAttempts; ++attempt) {
        std::vector<PaperRecord> target;
        std::vector<std::byte> readBack;
        if (wrote && change.Holds(*stored)) {
            // Another writer's list holds the change already: its count must not hide a record.
            target = std::move(*stored);
            readBack.resize((target.size() + 1) * kRecordBytes);
            if (WriteCount(*writer, target.size()) != kErrorSuccess)
                break;
        } else {
            std::optional<std::vector<PaperRecord>> next = change.Make(*stored);
            if (!next)
                break;
            readBack.resize((next->size() + 1) * kRecordBytes);
            // The array first: a count without its records would report papers that are not there.
            if (writer->SetData(value::kCustomPapers, kRegBinary,
                                AsConstBytes(next->data(), next->size())) != kErrorSuccess) {
                break;
            }
            if (WriteCount(*writer, next->size()) != kErrorSuccess) {
                // A change that is reported as failed is taken back, from the list as it is now:
                // another writer's list may have landed on this one.
                if (auto now =
                        ReadWholeCustomList(*writer, static_cast<std::uint32_t>(next->size()))) {
                    change.Undo(*now);
                    writer->SetData(value::kCustomPapers, kRegBinary,
                                    AsConstBytes(now->data(), now->size()));
                }
                break;
            }
            wrote = true;
            target = std::move(*next);
        }
        if (StoredListIs(*writer, target, readBack))
            return {true, static_cast<std::uint32_t>(target.size())};
        settle();
        stored = ReadWholeCustomList(*writer, static_cast<std::uint32_t>(target.size()) + 1);
    }
    // Out of attempts while other writers go on: what is stored tells whether the change lasted.
    if (wrote && stored && change.Holds(*stored))
        return {true, static_cast<std::uint32_t>(stored->size())};
    return {false, CustomPaperCount(*writer)};
}

// Adds a paper under the next free code, unless a paper of its name is stored.
class AddPaper {
  public:
    AddPaper(const PaperRecord& record, std::vector<PaperRecord> standard)
        : record_(record), standard_(std::move(standard)) {}

    std::optional<std::vector<PaperRecord>> Make(const std::vector<PaperRecord>& stored) {
        const auto named = std::find_if(stored.begin(), stored.end(), [&](const PaperRecord& r) {
            return FieldText(r.name) == FieldText(record_.name);
        });
        if (named != stored.end()) {
            nameTaken_ = true;
            takenCode_ = named->id;
            return std::nullopt;
        }
        if (stored.size() >= kMaxPaperRecords)
            return std::nullopt;
        record_.id = NextCustomPaperCode(stored, standard_);
        codes_.push_back(record_.id);
        std::vector<PaperRecord> grown = stored;
        grown.push_back(record_);
        return grown;
    }

    // The paper under any code it was written with: a list written by another writer after one of
    // this call's own may carry an earlier one.
    bool Holds(const std::vector<PaperRecord>& list) {
        for (const PaperRecord& r : list) {
            PaperRecord asMade = r;
            asMade.id = record_.id;
            if (SameRecord(asMade, record_) &&
                std::find(codes_.begin(), codes_.end(), r.id) != codes_.end()) {
                record_.id = r.id;
                return true;
            }
        }
        return false;
    }

    void Undo(std::vector<PaperRecord>& list) const {
        std::erase_if(list, [&](const PaperRecord& r) { return SameRecord(r, record_); });
    }

    void Report(PaperListChange& result) const {
        if (result.stored)
            result.code = record_.id;
        else if (nameTaken_)
            result = {false, result.count, takenCode_, true};
    }

  private:
    PaperRecord record_;
    std::vector<PaperRecord> standard_;
    std::vector<std::uint16_t> codes_;
    bool nameTaken_ = false;
    std::uint16_t takenCode_ = 0;
};

// Removes one record: the first of the name, and on a later attempt the very same record. Copies
// of it byte for byte stay.
class RemovePaper {
  public:
    explicit RemovePaper(std::u16string_view name) : name_(name) {}

    std::optional<std::vector<PaperRecord>> Make(const std::vector<PaperRecord>& stored) {
        const auto match = std::find_if(stored.begin(), stored.end(), [&](const PaperRecord& r) {
            return removed_ ? SameRecord(r, *removed_) : FieldText(r.name) == name_;
        });
        if (match == stored.end())
            return std::nullopt;
        removed_ = *match;
        position_ = static_cast<std::size_t>(match - stored.begin());
        copiesBefore_ = Copies(stored);
        othersWithCode_ = OthersWithCode(stored);
        std::vector<PaperRecord> rest = stored;
        rest.erase(rest.begin() + (match - stored.begin()));
        return rest;
    }

    bool Holds(const std::vector<PaperRecord>& list) const { return Copies(list) < copiesBefore_; }

    // Not over a paper another writer added meanwhile under the same code.
    void Undo(std::vector<PaperRecord>& list) const {
        if (Holds(list) && OthersWithCode(list) <= othersWithCode_)
            list.insert(list.begin() + std::min(position_, list.size()), *removed_);
    }

    void Report(PaperListChange& result) const {
        if (result.stored)
            result.code = removed_->id;
    }

  private:
    std::size_t OthersWithCode(const std::vector<PaperRecord>& list) const {
        return static_cast<std::size_t>(
            std::count_if(list.begin(), list.end(), [&](const PaperRecord& r) {
                return r.id == removed_->id && !SameRecord(r, *removed_);
            }));
    }
    std::size_t Copies(const std::vector<PaperRecord>& list) const {
        return static_cast<std::size_t>(
            std::count_if(list.begin(), list.end(),
                          [&](const PaperRecord& r) { return SameRecord(r, *removed_); }));
    }

    std::u16string_view name_;
    std::optional<PaperRecord> removed_;
    std::size_t position_ = 0;
    std::size_t copiesBefore_ = 0;
    std::size_t othersWithCode_ = 0;
};

}  // namespace

std::uint16_t NextCustomPaperCode(std::span<const PaperRecord> stored,
                                  std::span<const PaperRecord> standard) {
    std::uint32_t highest = kFirstCustomPaperId - 1;
    for (const auto list : {stored, standard}) {
        for (const PaperRecord& r : list)
            highest = std::max<std::uint32_t>(highest, r.id);
    }
    if (highest < 0xFFFF)
        return static_cast<std::uint16_t>(highest + 1);
    // Every code up to the last is taken by the highest: the lowest free one.
    const auto taken = [&](std::uint32_t code) {
        const auto has = [&](const PaperRecord& r) { return r.id == code; };
        return std::any_of(stored.begin(), stored.end(), has) ||
               std::any_of(standard.begin(), standard.end(), has);
    };
    for (std::uint32_t code = kFirstCustomPaperId; code <= 0xFFFF; ++code) {
        if (!taken(code))
            return static_cast<std::uint16_t>(code);
    }
    return kFirstCustomPaperId;
}

void SettleWritesBriefly() {
    // Writers that meet once would meet again after equal waits.
    static std::atomic<std::uint32_t> stir{
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::minstd_rand random(stir.fetch_add(0x9E3779B9u));
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 40));
}

PaperListChange AppendCustomPaper(PrinterStore& printer, const PaperRecord& record,
                                  SettleWrites settle) {
    AddPaper add(record, ReadStandardPapers(printer));
    PaperListChange result = ChangeCustomList(printer, add, settle);
    add.Report(result);
    return result;
}

PaperListChange RemoveCustomPaper(PrinterStore& printer, std::u16string_view name,
                                  SettleWrites settle) {
    RemovePaper remove(name);
    PaperListChange result = ChangeCustomList(printer, remove, settle);
    remove.Report(result);
    return result;
}

}  // namespace adjustui
