// The private devmode's settings as print-schema features and parameters, and back. Everything
// here is plain data: the XML documents are read and written by the provider in tickets/win32.
// Ranges, steps, option lists and send rules come from the settings table and the model table,
// so a ticket offers exactly what the page and the devmode handler accept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "models/model_tables.h"
#include "settings/oem_devmode.h"
#include "settings/paper_store.h"
#include "settings/printer_store.h"

namespace adjustui::tickets {

// The plug-in's own namespace; every feature, option and parameter below is local to it.
inline constexpr char16_t kNamespaceUri[] = u"urn:adjustui:printschema:2026";
// The prefix written where a document has none bound to the namespace yet.
inline constexpr char16_t kPreferredPrefix[] = u"aui";

// The option of every feature with a send flag that leaves the setting to the printer.
inline constexpr char16_t kAsSetAtPrinter[] = u"AsSetAtPrinter";

// What the mapping knows of the printer: its model's groups and speeds, its custom papers.
struct PrinterFacts {
    ModelCapabilities groups;
    std::vector<std::uint32_t> speeds;  // empty without the print speed group
    std::vector<PaperRecord> customPapers;
};
// One read of the driver name and one of the custom paper list.
PrinterFacts ReadPrinterFacts(PrinterStore& printer);

// The additions to a PrintCapabilities document.
struct OptionDef {
    std::u16string name;
    std::u16string displayName;
    std::vector<std::u16string> parameterRefs;  // parameters the option takes its values from
};
struct FeatureDef {
    std::u16string name;
    std::u16string displayName;
    std::vector<OptionDef> options;
};
enum class ParameterType : std::uint8_t { Integer, Text };
struct ParameterDef {
    std::u16string name;
    std::u16string displayName;
    ParameterType type;
    std::int64_t minimum;  // value, or length of a text
    std::int64_t maximum;
    std::int64_t multiple;  // integers only
    std::u16string defaultValue;
    std::u16string unit;
};
// A custom paper as a psk:PageMediaSize option.
struct MediaSizeOption {
    std::u16string name;
    std::u16string displayName;
    std::int64_t widthMicrons;
    std::int64_t heightMicrons;
};
struct CapabilityAdditions {
    std::vector<FeatureDef> features;
    std::vector<ParameterDef> parameters;
    std::vector<MediaSizeOption> mediaSizes;
};
CapabilityAdditions CapabilitiesFor(const PrinterFacts& facts);

// The type of one of our parameters; a name that is none of them counts as text.
ParameterType ParameterTypeOf(std::u16string_view name);

// The private part of one ticket, by local names: the option chosen for each feature and the
// value text of each parameter, in document order.
struct TicketPart {
    std::vector<std::pair<std::u16string, std::u16string>> options;
    std::vector<std::pair<std::u16string, std::u16string>> parameters;
    // The option of psk:PageMediaSize when it is one of ours: a custom paper.
    std::optional<std::u16string> mediaSize = std::nullopt;

    const std::u16string* Option(std::u16string_view feature) const;
    const std::u16string* Parameter(std::u16string_view name) const;
    friend bool operator==(const TicketPart&, const TicketPart&) = default;
};

// Every feature the model has, with the option the block's send flag and value select, and every
// parameter whose value is set; the block's selected paper as the paper size when it is a custom
// paper the printer holds.
TicketPart TicketOf(const OemDevmode& block, const PrinterFacts& facts);

// Takes over what the ticket names and the model offers; a setting the ticket does not name, or
// names with a value that is not offered, keeps what the block held. A custom paper the printer
// holds, chosen as the ticket's paper size, becomes the block's selected paper. A block the ticket
// states any setting of is marked applied, as the page marks it.
void ApplyTicket(const TicketPart& ticket, const PrinterFacts& facts, OemDevmode& block);

// The custom paper a ticket's paper size names, when the printer holds it with a usable size.
std::optional<PaperRecord> ChosenCustomPaper(const TicketPart& ticket, const PrinterFacts& facts);

// The ticket with every feature and parameter the model does not offer removed and every value
// out of range or not offered replaced by the one the devmode handler corrects to; `changed`
// tells whether anything was.
struct ValidatedTicket {
    TicketPart ticket;
    bool changed;
};
ValidatedTicket ValidateTicket(const TicketPart& ticket, const PrinterFacts& facts);

// A whole decimal number as a ticket writes it: optional sign, digits only, nothing else;
// nothing for any other text or a number beyond 18 digits.
std::optional<std::int64_t> TicketInteger(std::u16string_view text);

}  // namespace adjustui::tickets
