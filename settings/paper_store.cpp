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

// The custom papers as stored, read whole through the write handle: every whole record, whatever
// the count says, so a count that cannot be read, or one that a failed write left behind, never
// shortens the list. Nothing when it cannot be read or is beyond what the plug-in accepts.
std::optional<std::vector<PaperRecord>> ReadWholeCustomList(PrinterStore& writer) {
    // Another writer may change the list between the sizing read and the read: size it again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::uint32_t needed = 0;
        const std::uint32_t r = writer.GetData(value::kCustomPapers, {}, needed);
        if (r == kErrorFileNotFound)
            return std::vector<PaperRecord>{};
        if ((r != kErrorSuccess && r != kErrorMoreData) || needed / kRecordBytes > kMaxPaperRecords)
            return std::nullopt;
        std::vector<PaperRecord> records(needed / kRecordBytes);
        if (needed == 0)
            return records;
        std::vector<std::byte> whole(needed);
        const std::uint32_t read = writer.GetData(value::kCustomPapers, whole, needed);
        if (read == kErrorMoreData)
            continue;
        if (read != kErrorSuccess)
            return std::nullopt;
        records.resize(needed / kRecordBytes);
        std::memcpy(records.data(), whole.data(), records.size() * kRecordBytes);
        return records;
    }
    return std::nullopt;
}

// How often a change of the custom list is made again on what other writers stored meanwhile.
constexpr int kListAttempts = 8;

// The count that goes with a list that holds the change.
PaperListChange Counted(PrinterStore& writer, const std::vector<PaperRecord>& list) {
    const auto count = static_cast<std::int32_t>(list.size());
    writer.SetData(value::kCustomPaperCount, kRegBinary, AsConstBytes(&count, 1));
    return {true, static_cast<std::uint32_t>(count)};
}

// A change of the custom list: the list to write for the list stored now (nothing when it does
// not apply), and whether a list read afterwards still holds it.
template <typename Make, typename Holds>
PaperListChange ChangeCustomList(PrinterStore& printer, Make make, Holds holds,
                                 SettleWrites settle) {
    auto writer = printer.OpenForWrite();
    if (!writer)
        return {false, CustomPaperCount(printer)};
    // The spooler offers no lock, and the users of a shared printer may sit at other machines:
    // after writing, the list is read back, and made again on what is stored when another
    // writer's list replaced it.
    for (int attempt = 0; attempt < kListAttempts; ++attempt) {
        const auto stored = ReadWholeCustomList(*writer);
        if (!stored)
            break;
        // Another writer's list may already hold the change, made on a list read after ours.
        if (attempt > 0 && holds(*stored))
            return Counted(*writer, *stored);
        const std::optional<std::vector<PaperRecord>> changed = make(*stored);
        if (!changed)
            break;
        // The array first: a count without its records would report papers that are not there.
        if (writer->SetData(value::kCustomPapers, kRegBinary,
                            AsConstBytes(changed->data(), changed->size())) != kErrorSuccess) {
            break;
        }
        settle();
        const auto after = ReadWholeCustomList(*writer);
        if (after && holds(*after))
            return Counted(*writer, *after);
    }
    return {false, CustomPaperCount(*writer)};
}

bool SameRecord(const PaperRecord& a, const PaperRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

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
    PaperRecord added = record;
    const std::vector<PaperRecord> standard = ReadStandardPapers(printer);
    const auto make =
        [&](const std::vector<PaperRecord>& stored) -> std::optional<std::vector<PaperRecord>> {
        if (stored.size() >= kMaxPaperRecords)
            return std::nullopt;
        added.id = NextCustomPaperCode(stored, standard);
        std::vector<PaperRecord> grown = stored;
        grown.push_back(added);
        return grown;
    };
    // The paper by its name and size: another writer may have stored it with a code of its own.
    const auto holds = [&](const std::vector<PaperRecord>& after) {
        const auto found = std::find_if(after.begin(), after.end(), [&](const PaperRecord& r) {
            return FieldText(r.name) == FieldText(added.name) && r.width == added.width &&
                   r.length == added.length;
        });
        if (found != after.end())
            added.id = found->id;
        return found != after.end();
    };
    PaperListChange result = ChangeCustomList(printer, make, holds, settle);
    if (result.stored)
        result.code = added.id;
    return result;
}

PaperListChange RemoveCustomPaper(PrinterStore& printer, std::u16string_view name,
                                  SettleWrites settle) {
    std::optional<PaperRecord> removed;
    const auto make =
        [&](const std::vector<PaperRecord>& stored) -> std::optional<std::vector<PaperRecord>> {
        // The paper first found by its name; made again, the very same paper.
        const auto match = std::find_if(stored.begin(), stored.end(), [&](const PaperRecord& r) {
            return removed ? SameRecord(r, *removed) : FieldText(r.name) == name;
        });
        if (match == stored.end())
            return std::nullopt;
        removed = *match;
        std::vector<PaperRecord> rest = stored;
        rest.erase(rest.begin() + (match - stored.begin()));
        return rest;
    };
    const auto holds = [&](const std::vector<PaperRecord>& after) {
        return std::none_of(after.begin(), after.end(),
                            [&](const PaperRecord& r) { return SameRecord(r, *removed); });
    };
    PaperListChange result = ChangeCustomList(printer, make, holds, settle);
    if (result.stored)
        result.code = removed->id;
    return result;
}

}  // namespace adjustui
