// The print-ticket mapping over arbitrary tickets (our names, near misses and noise), printers of
// fuzzed data and arbitrary private blocks.
#include <cstring>
#include <string>

#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "settings/stored_settings.h"
#include "tickets/ticket_mapping.h"

namespace adjustui::fuzz {
namespace {

using tickets::TicketPart;

const char16_t* const kNames[] = {
    u"Cutter",
    u"PrintSpeed",
    u"PrintDensity",
    u"Configuration",
    u"PageRotation180",
    u"ImageOffset",
    u"SlipCorrection",
    u"PassThroughFont",
    u"ImageOffsetX",
    u"ImageOffsetY",
    u"SlipCorrectionPercent",
    u"PassThroughFontName",
    u"AsSetAtPrinter",
    u"Send",
    u"NoCutting",
    u"PageCut",
    u"Speed2",
    u"Speed12",
    u"Density110",
    u"Density7",
    u"Configuration10",
    u"Rotated180",
    u"NotRotated",
    u"Unknown",
};

std::u16string Name(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    const std::string bytes = in.ConsumeRandomLengthString(24);
    return {bytes.begin(), bytes.end()};
}

std::u16string Value(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return std::u16string(in.ConsumeIntegralInRange<std::size_t>(0, 700), u'F');
        case 1: {
            const std::string n = std::to_string(in.ConsumeIntegral<std::int64_t>());
            return {n.begin(), n.end()};
        }
        default: {
            const std::string bytes = in.ConsumeRandomLengthString(30);
            return {bytes.begin(), bytes.end()};
        }
    }
}

// Every number the mapping wrote is one the devmode handler takes as it is.
void CheckWritten(const OemDevmode& before, const OemDevmode& after) {
    Require(BoundedLength(after.szPassThroughFont, kPassThroughFontUnits) < kPassThroughFontUnits);
    for (const StoredSetting& s : kStoredSettings) {
        if (!IsNumber(s.kind) || s.field == kNoField || !s.correction)
            continue;
        const std::int64_t v = SettingNumber(s, after);
        Require(v == SettingNumber(s, before) || s.correction->Holds(v));
    }
}

}  // namespace
}  // namespace adjustui::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace adjustui;
    using namespace adjustui::fuzz;
    FuzzedDataProvider in(data, size);

    OemDevmode block;
    Fill(&block, in.ConsumeBytes<std::uint8_t>(sizeof block));
    TicketPart ticket;
    const int options = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < options; ++i)
        ticket.options.emplace_back(Name(in), Name(in));
    const int parameters = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < parameters; ++i)
        ticket.parameters.emplace_back(Name(in), Value(in));

    auto printer = FuzzedPrinter(in);
    testing::MemoryPrinterStore store(printer);
    const tickets::PrinterFacts facts = tickets::ReadPrinterFacts(store);
    tickets::CapabilitiesFor(facts);

    OemDevmode applied = block;
    tickets::ApplyTicket(ticket, facts, applied);
    CheckWritten(block, applied);

    // A corrected ticket needs no more correcting, and takes effect as it reads.
    const tickets::ValidatedTicket validated = tickets::ValidateTicket(ticket, facts);
    Require(!tickets::ValidateTicket(validated.ticket, facts).changed);
    Require(validated.changed || validated.ticket == ticket);

    // The block's own ticket is valid and gives back what it says.
    const TicketPart own = tickets::TicketOf(applied, facts);
    Require(!tickets::ValidateTicket(own, facts).changed);
    OemDevmode again = block;
    tickets::ApplyTicket(own, facts, again);
    Require(tickets::TicketOf(again, facts) == own);
    return 0;
}
