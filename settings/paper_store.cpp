#include "settings/paper_store.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "common/text.h"

namespace adjustui {
namespace {

constexpr std::uint32_t kRecordBytes = sizeof(PaperRecord);

std::span<std::byte> AsBytes(void* p, std::size_t n) {
    return {static_cast<std::byte*>(p), n};
}

template <typename T>
std::span<const std::byte> AsConstBytes(const T* p, std::size_t count) {
    return {reinterpret_cast<const std::byte*>(p), count * sizeof(T)};
}

// A list as it is stored, with what it takes to tell whether a rewrite would change it.
struct StoredList {
    std::uint32_t count = 0;       // the count value, 0 when missing or negative
    bool countExact = false;       // the count value is exactly 4 bytes
    std::uint32_t arrayBytes = 0;  // size of the array value, 0 when missing
    std::vector<PaperRecord> records;
};

struct CountRead {
    std::int32_t value = 0;
    std::uint32_t size = 0;
    bool ok = false;
};

CountRead ReadCount(PrinterStore* printer, const char16_t* countName) {
    CountRead c;
    c.ok =
        ReadValue(printer, countName, AsBytes(&c.value, sizeof c.value), c.size) == kErrorSuccess;
    if (!c.ok)
        c.value = 0;
    return c;
}

std::uint32_t UsableCount(std::int32_t value) {
    return value <= 0 ? 0u : std::min(static_cast<std::uint32_t>(value), kMaxPaperRecords);
}

// Reads at most `count` whole records of an array value; `arrayBytes` receives its stored size.
std::vector<PaperRecord> ReadRecords(PrinterStore* printer, const char16_t* arrayName,
                                     std::uint32_t count, std::uint32_t& arrayBytes) {
    arrayBytes = 0;
    std::vector<PaperRecord> records;
    if (count == 0)
        return records;
    records.resize(count);
    std::uint32_t needed = 0;
    std::uint32_t r =
        ReadValue(printer, arrayName, AsBytes(records.data(), count * kRecordBytes), needed);
    if (r == kErrorMoreData && needed <= (kMaxPaperRecords + 1) * kRecordBytes) {
        // Longer than its count says: read it whole, keep what the count covers.
        std::vector<std::byte> whole(needed);
        r = ReadValue(printer, arrayName, whole, needed);
        if (r == kErrorSuccess)
            std::memcpy(records.data(), whole.data(), count * kRecordBytes);
    }
    if (r != kErrorSuccess) {
        records.clear();
        return records;
    }
    arrayBytes = needed;
    records.resize(std::min<std::uint32_t>(count, needed / kRecordBytes));
    return records;
}

StoredList ReadList(PrinterStore* printer, const char16_t* countName, const char16_t* arrayName) {
    StoredList list;
    const CountRead c = ReadCount(printer, countName);
    list.count = UsableCount(c.value);
    list.countExact = c.ok && c.size == sizeof c.value;
    list.records = ReadRecords(printer, arrayName, list.count, list.arrayBytes);
    return list;
}

bool SameRecords(const std::vector<PaperRecord>& a, const std::vector<PaperRecord>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * kRecordBytes) == 0);
}

// The longest prefix that scans as a floating-point number, after leading white space.
std::optional<double> ScanNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    std::string ascii;
    for (; i < text.size() && text[i] > 0 && text[i] < 0x80; ++i) {
        ascii.push_back(static_cast<char>(text[i]));
    }
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-')
        return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc{} || end == first)
        return std::nullopt;
    return negative ? -v : v;
}

// Tenths of a millimetre, truncated toward zero; a value no field can hold keeps the fallback.
std::int32_t ToTenths(double value, double factor, double fallback) {
    double tenths = value * factor;
    if (!std::isfinite(tenths) || tenths >= 2147483648.0 || tenths <= -2147483649.0) {
        tenths = fallback * factor;
    }
    return static_cast<std::int32_t>(std::trunc(tenths));
}

}  // namespace

std::uint32_t ReadPaperCount(PrinterStore* printer, const char16_t* countName) {
    return UsableCount(ReadCount(printer, countName).value);
}

std::vector<PaperRecord> ReadPaperArray(PrinterStore* printer, const char16_t* arrayName,
                                        std::uint32_t count) {
    std::uint32_t bytes = 0;
    return ReadRecords(printer, arrayName, std::min(count, kMaxPaperRecords), bytes);
}

std::vector<PaperRecord> ReadStandardPapers(PrinterStore* printer) {
    return ReadList(printer, value::kStdPaperCount, value::kStdPapers).records;
}

std::vector<PaperRecord> ReadCustomPapers(PrinterStore* printer) {
    return ReadList(printer, value::kCustomPaperCount, value::kCustomPapers).records;
}

std::uint32_t CustomPaperCount(PrinterStore* printer) {
    const std::uint32_t count = ReadPaperCount(printer, value::kCustomPaperCount);
    if (count == 0)
        return 0;
    std::uint32_t needed = 0;
    const std::uint32_t r = ReadValue(printer, value::kCustomPapers, {}, needed);
    if (r != kErrorSuccess && r != kErrorMoreData)
        return 0;
    return std::min(count, needed / kRecordBytes);
}

void MergeStandardPapers(PrinterStore* printer, PaperField field, const void* entries,
                         std::uint32_t n) {
    // Without a printer handle nothing could be written back.
    if (printer == nullptr || n > kMaxPaperRecords || (n > 0 && entries == nullptr))
        return;
    const StoredList stored = ReadList(printer, value::kStdPaperCount, value::kStdPapers);

    std::vector<PaperRecord> merged(n);  // fields no list has set yet stay zero
    std::copy_n(stored.records.begin(), std::min<std::size_t>(stored.records.size(), n),
                merged.begin());
    const auto* bytes = static_cast<const std::byte*>(entries);
    for (std::uint32_t i = 0; i < n; ++i) {
        PaperRecord& r = merged[i];
        switch (field) {
            case PaperField::Id:
                std::memcpy(&r.id, bytes + i * sizeof(std::uint16_t), sizeof(std::uint16_t));
                break;
            case PaperField::Name:
                std::memcpy(r.name, bytes + i * sizeof r.name, sizeof r.name);
                break;
            case PaperField::Size: {
                PaperPoint p;
                std::memcpy(&p, bytes + i * sizeof p, sizeof p);
                r.width = p.x;
                r.length = p.y;
                break;
            }
        }
    }

    const bool countSame = stored.countExact && stored.count == n;
    const bool arraySame =
        stored.arrayBytes == n * kRecordBytes && SameRecords(stored.records, merged);
    if (countSame && arraySame)
        return;
    auto writer = printer->OpenForWrite();
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

PaperRecord MakeCustomPaper(std::u16string_view nameText, std::u16string_view widthText,
                            std::u16string_view lengthText, std::u16string_view unitText,
                            std::uint32_t customCount) {
    constexpr double kFallback = 25.4;
    const double factor = unitText.substr(0, 4) == u"Inch" ? 254.0 : 10.0;
    PaperRecord record{};
    AssignField(record.name, nameText.substr(0, nameText.find(u'\0')));
    record.id = static_cast<std::uint16_t>(kFirstCustomPaperId + customCount);
    record.width = ToTenths(ScanNumber(widthText).value_or(kFallback), factor, kFallback);
    record.length = ToTenths(ScanNumber(lengthText).value_or(kFallback), factor, kFallback);
    return record;
}

std::uint32_t AppendCustomPaper(PrinterStore* printer, const PaperRecord& record) {
    if (printer == nullptr)
        return 0;
    const std::uint32_t count = ReadPaperCount(printer, value::kCustomPaperCount);
    auto writer = printer->OpenForWrite();
    if (!writer)
        return CustomPaperCount(printer);

    std::vector<PaperRecord> records = ReadPaperArray(writer.get(), value::kCustomPapers, count);
    if (records.size() >= kMaxPaperRecords)
        return static_cast<std::uint32_t>(records.size());
    const auto before = static_cast<std::uint32_t>(records.size());
    records.push_back(record);
    // Ids follow the positions, whatever count the caller formed the record with.
    records.back().id = static_cast<std::uint16_t>(kFirstCustomPaperId + before);
    if (writer->SetData(value::kCustomPapers, kRegBinary,
                        AsConstBytes(records.data(), records.size())) != kErrorSuccess) {
        return before;
    }
    const std::int32_t after = static_cast<std::int32_t>(before + 1);
    writer->SetData(value::kCustomPaperCount, kRegBinary, AsConstBytes(&after, 1));
    return before + 1;
}

}  // namespace adjustui
