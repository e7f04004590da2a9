#include "settings/paper_store.h"

#include <algorithm>
#include <cstring>
#include <optional>

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
    std::uint32_t needed = 0;
    const std::uint32_t r = writer.GetData(value::kCustomPapers, {}, needed);
    if (r == kErrorFileNotFound)
        return std::vector<PaperRecord>{};
    if ((r != kErrorSuccess && r != kErrorMoreData) || needed / kRecordBytes > kMaxPaperRecords)
        return std::nullopt;
    std::vector<PaperRecord> records(needed / kRecordBytes);
    if (needed > 0) {
        std::vector<std::byte> whole(needed);
        if (writer.GetData(value::kCustomPapers, whole, needed) != kErrorSuccess ||
            needed / kRecordBytes != records.size()) {
            return std::nullopt;
        }
        std::memcpy(records.data(), whole.data(), records.size() * kRecordBytes);
    }
    return records;
}

// The array first: a count without its records would report papers that are not there.
AppendResult WriteCustomList(PrinterStore& writer, const std::vector<PaperRecord>& records) {
    if (writer.SetData(value::kCustomPapers, kRegBinary,
                       AsConstBytes(records.data(), records.size())) != kErrorSuccess) {
        return {false, CustomPaperCount(writer)};
    }
    const auto count = static_cast<std::int32_t>(records.size());
    writer.SetData(value::kCustomPaperCount, kRegBinary, AsConstBytes(&count, 1));
    return {true, static_cast<std::uint32_t>(count)};
}

}  // namespace

std::uint16_t NextCustomPaperCode(std::span<const PaperRecord> stored) {
    std::uint32_t highest = kFirstCustomPaperId - 1;
    for (const PaperRecord& r : stored)
        highest = std::max<std::uint32_t>(highest, r.id);
    if (highest < 0xFFFF)
        return static_cast<std::uint16_t>(highest + 1);
    // Every code up to the last is taken by the highest: the lowest free one.
    for (std::uint32_t code = kFirstCustomPaperId; code <= 0xFFFF; ++code) {
        if (std::none_of(stored.begin(), stored.end(),
                         [&](const PaperRecord& r) { return r.id == code; })) {
            return static_cast<std::uint16_t>(code);
        }
    }
    return kFirstCustomPaperId;
}

AppendResult AppendCustomPaper(PrinterStore& printer, const PaperRecord& record) {
    auto writer = printer.OpenForWrite();
    if (!writer)
        return {false, CustomPaperCount(printer)};
    auto records = ReadWholeCustomList(*writer);
    if (!records || records->size() >= kMaxPaperRecords)
        return {false, CustomPaperCount(*writer)};
    PaperRecord added = record;
    added.id = NextCustomPaperCode(*records);
    records->push_back(added);
    AppendResult result = WriteCustomList(*writer, *records);
    if (result.stored)
        result.code = added.id;
    return result;
}

AppendResult RemoveCustomPaper(PrinterStore& printer, std::u16string_view name) {
    auto writer = printer.OpenForWrite();
    if (!writer)
        return {false, CustomPaperCount(printer)};
    auto records = ReadWholeCustomList(*writer);
    if (!records)
        return {false, CustomPaperCount(*writer)};
    const auto match = std::find_if(records->begin(), records->end(), [&](const PaperRecord& r) {
        return FieldText(r.name) == name;
    });
    if (match == records->end())
        return {false, CustomPaperCount(*writer)};
    const std::uint16_t code = match->id;
    records->erase(match);
    AppendResult result = WriteCustomList(*writer, *records);
    if (result.stored)
        result.code = code;
    return result;
}

}  // namespace adjustui
