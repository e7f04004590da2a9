// The two paper lists in printer data: the core driver's standard papers and the users' custom
// papers, both as arrays of 140-byte records behind a 32-bit count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "settings/printer_store.h"

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

// One entry of a paper-size list of the device-capabilities answers.
struct PaperPoint {
    std::int32_t x;
    std::int32_t y;
};
static_assert(sizeof(PaperPoint) == 8);

namespace value {
inline constexpr char16_t kStdPaperCount[] = u"01_Counts_Of_Standard_PAPER";
inline constexpr char16_t kStdPapers[] = u"02_ID_of_Std_Paper";
inline constexpr char16_t kCustomPaperCount[] = u"CountOfCustomPapers";
inline constexpr char16_t kCustomPapers[] = u"07_CUST_PAPER_SIZES";
}  // namespace value

// Which field of the standard list one device-capabilities list refreshes.
enum class PaperField { Id, Name, Size };

// Reads a count value with a zeroed 4-byte buffer: missing or unreadable is 0, negative is 0.
std::uint32_t ReadPaperCount(PrinterStore* printer, const char16_t* countName);

// Reads a list: at most `count` records, and only the whole records the array value holds.
std::vector<PaperRecord> ReadPaperArray(PrinterStore* printer, const char16_t* arrayName,
                                        std::uint32_t count);

std::vector<PaperRecord> ReadStandardPapers(PrinterStore* printer);
std::vector<PaperRecord> ReadCustomPapers(PrinterStore* printer);

// The number of custom papers that can actually be read: the count, bounded by the array.
std::uint32_t CustomPaperCount(PrinterStore* printer);

// Rebuilds the standard list from one list the core driver produced (`entries` holds n entries of
// the field's kind: 16-bit ids, 64-unit names or points) and writes it back when it changed.
void MergeStandardPapers(PrinterStore* printer, PaperField field, const void* entries,
                         std::uint32_t n);

// Forms a custom paper from the editor's texts; `customCount` gives its id (257 + count).
PaperRecord MakeCustomPaper(std::u16string_view nameText, std::u16string_view widthText,
                            std::u16string_view lengthText, std::u16string_view unitText,
                            std::uint32_t customCount);

// Appends `record` to the custom list; returns the custom count after the call.
std::uint32_t AppendCustomPaper(PrinterStore* printer, const PaperRecord& record);

}  // namespace adjustui
