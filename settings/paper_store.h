// The two paper lists in printer data: the core driver's standard papers and the users' custom
// papers, both as arrays of 140-byte records behind a 32-bit count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "settings/printer_store.h"
#include "settings/stored_settings.h"

namespace adjustui {

inline constexpr std::size_t kPaperNameUnits = 64;
inline constexpr std::uint16_t kFirstCustomPaperId = 257;
// No list is read or built longer than this, whatever a count or the core driver says.
inline constexpr std::uint32_t kMaxPaperRecords = 4096;

struct PaperRecord {
    char16_t name[kPaperNameUnits];
    std::uint16_t id;
    std::uint8_t padding[2];
    std::int32_t width;   // tenths of a millimetre
    std::int32_t length;  // tenths of a millimetre
};
static_assert(offsetof(PaperRecord, name) == 0);
static_assert(offsetof(PaperRecord, id) == 128);
static_assert(offsetof(PaperRecord, padding) == 130);
static_assert(offsetof(PaperRecord, width) == 132);
static_assert(offsetof(PaperRecord, length) == 136);
static_assert(sizeof(PaperRecord) == 140);

// The entries of the three paper lists of the device-capabilities answers: a paper number, a
// 64-unit name, a size.
using PaperNumber = std::uint16_t;
struct PaperName {
    char16_t units[kPaperNameUnits];
};
static_assert(sizeof(PaperName) == 128);
struct PaperPoint {
    std::int32_t x;  // width
    std::int32_t y;  // length
};
static_assert(offsetof(PaperPoint, y) == 4);
static_assert(sizeof(PaperPoint) == 8);

// What one list entry takes from and gives to a record. A name entry is stored as the core driver
// gave it and handed out bounded and terminated.
inline void SetPaperEntry(PaperRecord& r, PaperNumber e) {
    r.id = e;
}
inline void SetPaperEntry(PaperRecord& r, const PaperName& e) {
    std::memcpy(r.name, e.units, sizeof r.name);
}
inline void SetPaperEntry(PaperRecord& r, const PaperPoint& e) {
    r.width = e.x;
    r.length = e.y;
}
template <typename Entry>
Entry PaperEntryOf(const PaperRecord& r);
template <>
inline PaperNumber PaperEntryOf<PaperNumber>(const PaperRecord& r) {
    return r.id;
}
template <>
inline PaperName PaperEntryOf<PaperName>(const PaperRecord& r) {
    PaperName e;
    AssignField(e.units, FieldText(r.name));
    return e;
}
template <>
inline PaperPoint PaperEntryOf<PaperPoint>(const PaperRecord& r) {
    return {r.width, r.length};
}

namespace value {
inline constexpr char16_t kStdPapers[] = u"02_ID_of_Std_Paper";
inline constexpr char16_t kCustomPaperCount[] = u"CountOfCustomPapers";
inline constexpr char16_t kCustomPapers[] = u"07_CUST_PAPER_SIZES";
}  // namespace value

// Reads a list: the count (negative is 0, at most kMaxPaperRecords; `countWhenMissing` when the
// count value cannot be read), bounded by the whole records the array holds; an array too large to
// read gives no records.
std::vector<PaperRecord> ReadStandardPapers(PrinterStore& printer,
                                            std::int32_t countWhenMissing = 0);
std::vector<PaperRecord> ReadCustomPapers(PrinterStore& printer, std::int32_t countWhenMissing = 0);

// The number of records ReadCustomPapers gives, without reading them.
std::uint32_t CustomPaperCount(PrinterStore& printer);

// Rebuilds the standard list from one list the core driver produced, keeping the other fields of
// the stored records, and writes it back when it changed.
void MergeStandardPapers(PrinterStore& printer, std::span<const PaperNumber> entries);
void MergeStandardPapers(PrinterStore& printer, std::span<const PaperName> entries);
void MergeStandardPapers(PrinterStore& printer, std::span<const PaperPoint> entries);

// The core driver's papers as an application gets its three paper lists (codes, names, sizes),
// each ending with the custom papers the plug-in appends; none when the lists do not agree in
// length or do not end with `custom`. Nothing is read or written.
std::optional<std::vector<PaperRecord>> CoreDriverPapers(std::span<const PaperNumber> numbers,
                                                         std::span<const PaperName> names,
                                                         std::span<const PaperPoint> sizes,
                                                         std::span<const PaperRecord> custom);

struct PaperListChange {
    bool stored;             // the change was written and the list read back held it; false:
                             // nothing of it is stored (no right to write, a failed write, a
                             // stored list beyond what the plug-in accepts, no such paper, a
                             // name already stored)
    std::uint32_t count;     // the custom papers stored after the call
    std::uint16_t code = 0;  // the code the paper was added with, the removed paper had, or the
                             // stored paper of the name had (nameTaken)
    bool nameTaken = false;  // Add found a paper of that name stored, perhaps by another user
};

// The code a new custom paper gets: one above the highest stored custom or standard paper, at
// least 257, so no stored paper's code is given twice and none is a standard paper's (a core
// driver may number its own papers from 257 up).
std::uint16_t NextCustomPaperCode(std::span<const PaperRecord> stored,
                                  std::span<const PaperRecord> standard = {});

// Lets another writer of the printer's data finish what it has begun, once its list has been seen
// to replace this one.
using SettleWrites = void (*)();
void SettleWritesBriefly();

// Appends `record` after every custom record stored at that moment, with the next code, unless a
// paper of that name is stored. Another writer's list seen to replace this one is met by appending
// again to what is stored then. Without a writer beside it: one read, the array, the count, one
// read back.
PaperListChange AppendCustomPaper(PrinterStore& printer, const PaperRecord& record,
                                  SettleWrites settle = SettleWritesBriefly);

// Removes the first custom paper of that name, one record of it even where copies byte for byte
// are stored; the others keep their codes. Removed again when another writer's list seen
// afterwards brought it back.
PaperListChange RemoveCustomPaper(PrinterStore& printer, std::u16string_view name,
                                  SettleWrites settle = SettleWritesBriefly);

}  // namespace adjustui
