#include "tickets/ticket_mapping.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>

#include "common/text.h"
#include "settings/stored_settings.h"

namespace adjustui::tickets {
namespace {

std::u16string Text(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::u16string Decimal(std::int64_t v) {
    return Text(std::to_string(v));
}

std::u16string MediaSizeName(std::uint16_t code) {
    return u"CustomPaper" + Decimal(code);
}

// The custom paper offered under a code: the first with it, when its size is usable.
const PaperRecord* OfferedPaper(const PrinterFacts& facts, std::uint16_t code) {
    const auto first = std::find_if(facts.customPapers.begin(), facts.customPapers.end(),
                                    [&](const PaperRecord& r) { return r.id == code; });
    if (first == facts.customPapers.end() || first->width <= 0 || first->length <= 0)
        return nullptr;
    return &*first;
}

std::uint8_t& FlagAt(OemDevmode& block, std::size_t offset) {
    return *reinterpret_cast<std::uint8_t*>(reinterpret_cast<std::byte*>(&block) + offset);
}
std::uint8_t FlagAt(const OemDevmode& block, std::size_t offset) {
    return *reinterpret_cast<const std::uint8_t*>(reinterpret_cast<const std::byte*>(&block) +
                                                  offset);
}

// ---- Features that pick one value of a setting, or leave it to the printer.

struct Choice {
    std::u16string option;
    std::u16string displayName;
    std::uint32_t value;
};

struct ChoiceFeature {
    const char16_t* name;
    const char16_t* displayName;
    const StoredSetting* setting;
    std::size_t sendFlag;
    bool (*offered)(const PrinterFacts&);
    std::vector<Choice> (*choices)(const PrinterFacts&);
    // The choice the page shows for a stored value.
    std::size_t (*shown)(const PrinterFacts&, const std::vector<Choice>&, std::uint32_t stored);
};

constexpr const StoredSetting& kCutterRow = SettingRow(value::kCutter);
constexpr const StoredSetting& kSpeedRow = SettingRow(value::kPrintSpeed);
constexpr const StoredSetting& kDensityRow = SettingRow(value::kPrintDensity);
constexpr const StoredSetting& kConfigRow = SettingRow(value::kConfig);

// The cutter modes in the order of their stored numbers.
constexpr const char* kCutterModes[][2] = {
    {"NoCutting", "No cutting"},
    {"JobCut", "Cut after the job"},
    {"PageCut", "Cut after every page"},
};
static_assert(kCutterRow.correction->low == 0 &&
              kCutterRow.correction->high + 1 == std::ssize(kCutterModes));
// The density list keeps the step of the values a new devmode accepts.
static_assert(kDensityRow.load->step == 5);

std::vector<Choice> CutterChoices(const PrinterFacts&) {
    std::vector<Choice> choices;
    for (std::uint32_t mode = 0; mode < std::size(kCutterModes); ++mode)
        choices.push_back({Text(kCutterModes[mode][0]), Text(kCutterModes[mode][1]), mode});
    return choices;
}

std::vector<Choice> SpeedChoices(const PrinterFacts& facts) {
    std::vector<Choice> choices;
    for (std::uint32_t speed : facts.speeds)
        choices.push_back({u"Speed" + Decimal(speed), Decimal(speed) + u" inch/s", speed});
    return choices;
}

std::vector<Choice> DensityChoices(const PrinterFacts&) {
    const Interval range = *kDensityRow.load;
    std::vector<Choice> choices;
    for (std::int64_t d = range.low; d <= range.high; d += range.step) {
        choices.push_back(
            {u"Density" + Decimal(d), Decimal(d) + u" %", static_cast<std::uint32_t>(d)});
    }
    return choices;
}

// The page shows configuration n as n + 1.
std::vector<Choice> ConfigChoices(const PrinterFacts&) {
    const Interval range = *kConfigRow.correction;
    std::vector<Choice> choices;
    for (std::int64_t n = range.low; n <= range.high; ++n) {
        choices.push_back({u"Configuration" + Decimal(n + 1), u"Configuration " + Decimal(n + 1),
                           static_cast<std::uint32_t>(n)});
    }
    return choices;
}

// The stored value's choice, else the one of the value the devmode handler corrects to, else
// the first.
std::size_t ShownChoice(const StoredSetting& row, const std::vector<Choice>& choices,
                        std::uint32_t stored) {
    for (std::uint32_t wanted : {stored, row.corrected}) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (choices[i].value == wanted)
                return i;
        }
    }
    return 0;
}

constexpr ChoiceFeature kChoiceFeatures[] = {
    {u"Cutter", u"Cutter", &kCutterRow, offsetof(OemDevmode, bCutterSend),
     [](const PrinterFacts& f) { return f.groups.bHasCutter; }, CutterChoices,
     [](const PrinterFacts&, const std::vector<Choice>& c, std::uint32_t v) {
         return ShownChoice(kCutterRow, c, v);
     }},
    {u"PrintSpeed", u"Print speed", &kSpeedRow, offsetof(OemDevmode, bPrintSpeedSend),
     [](const PrinterFacts& f) { return f.groups.bHasPrintSpeed && !f.speeds.empty(); },
     SpeedChoices,
     // The speed list's own search, as the page selects.
     [](const PrinterFacts& f, const std::vector<Choice>&, std::uint32_t v) {
         return PrintSpeedSelection(f.speeds, v);
     }},
    {u"PrintDensity", u"Print density", &kDensityRow, offsetof(OemDevmode, bPrintDensitySend),
     [](const PrinterFacts& f) { return f.groups.bHasPrintDensity; }, DensityChoices,
     [](const PrinterFacts&, const std::vector<Choice>& c, std::uint32_t v) {
         return ShownChoice(kDensityRow, c, v);
     }},
    {u"Configuration", u"Configuration number", &kConfigRow, offsetof(OemDevmode, bConfigSend),
     [](const PrinterFacts&) { return true; }, ConfigChoices,
     [](const PrinterFacts&, const std::vector<Choice>& c, std::uint32_t v) {
         return ShownChoice(kConfigRow, c, v);
     }},
};

// ---- Rotation: the flag itself is the setting.

constexpr char16_t kRotationFeature[] = u"PageRotation180";
constexpr char16_t kNotRotated[] = u"NotRotated";
constexpr char16_t kRotated[] = u"Rotated180";

// ---- Features whose values are parameters: sent with their values, or left to the printer.

constexpr char16_t kSend[] = u"Send";

// Offsets are kept in 1/300 inch and given in the schema's length unit.
enum class Scale : std::uint8_t { Same, DotsAsMicrons };

std::int64_t ToTicket(Scale scale, std::int64_t v) {
    return scale == Scale::Same ? v : std::llround(static_cast<double>(v) * 25400.0 / 300.0);
}
std::int64_t FromTicket(Scale scale, std::int64_t v) {
    return scale == Scale::Same ? v : std::llround(static_cast<double>(v) * 300.0 / 25400.0);
}

struct Parameter {
    const char16_t* name;
    const char16_t* displayName;
    const char16_t* unit;
    const StoredSetting* setting;
    Scale scale = Scale::Same;
};

struct ParameterFeature {
    const char16_t* name;
    const char16_t* displayName;
    std::size_t sendFlag;
    bool (*offered)(const PrinterFacts&);
    Parameter parameters[2];
    std::size_t count;
};

constexpr ParameterFeature kParameterFeatures[] = {
    {u"ImageOffset",
     u"Image offset",
     offsetof(OemDevmode, bOffsetSend),
     [](const PrinterFacts&) { return true; },
     {{u"ImageOffsetX", u"Image offset X", u"microns", &SettingRow(value::kXOffset),
       Scale::DotsAsMicrons},
      {u"ImageOffsetY", u"Image offset Y", u"microns", &SettingRow(value::kYOffset),
       Scale::DotsAsMicrons}},
     2},
    {u"SlipCorrection",
     u"Slip correction",
     offsetof(OemDevmode, bSlipCorrectionSend),
     [](const PrinterFacts& f) { return f.groups.bHasSlipCorrection; },
     {{u"SlipCorrectionPercent", u"Slip correction", u"percent",
       &SettingRow(value::kSlipCorrection)}},
     1},
    {u"PassThroughFont",
     u"Pass-through font",
     offsetof(OemDevmode, bPassThroughSend),
     [](const PrinterFacts&) { return true; },
     {{u"PassThroughFontName", u"Pass-through font", u"characters",
       &SettingRow(value::kPassThroughFont)}},
     1},
};

constexpr std::size_t kMaxFontUnits = kPassThroughFontUnits - 1;

struct IntegerRange {
    std::int64_t low;
    std::int64_t high;
};
IntegerRange TicketRange(const Parameter& p) {
    const Interval range = *p.setting->correction;
    return {ToTicket(p.scale, range.low), ToTicket(p.scale, range.high)};
}

bool IsText(const Parameter& p) {
    return p.setting->kind == SettingKind::Text;
}

// A parameter's value as the ticket gives it, taken as the block keeps it; nothing when it is no
// value the devmode handler accepts.
std::optional<std::int64_t> BlockNumber(const Parameter& p, std::u16string_view text) {
    const auto v = TicketInteger(text);
    if (!v)
        return std::nullopt;
    const IntegerRange range = TicketRange(p);
    if (*v < range.low || *v > range.high)
        return std::nullopt;
    return FromTicket(p.scale, *v);
}

// The text a valid ticket holds for a parameter's text; nothing where the ticket's is valid.
std::optional<std::u16string> CorrectedParameter(const Parameter& p, std::u16string_view text) {
    if (IsText(p)) {
        if (text.size() <= kMaxFontUnits)
            return std::nullopt;
        return std::u16string(text.substr(0, kMaxFontUnits));
    }
    if (BlockNumber(p, text))
        return std::nullopt;
    return Decimal(ToTicket(p.scale, static_cast<std::int32_t>(p.setting->corrected)));
}

// ---- Looking names up.

const ChoiceFeature* FindChoiceFeature(std::u16string_view name) {
    for (const ChoiceFeature& f : kChoiceFeatures) {
        if (name == f.name)
            return &f;
    }
    return nullptr;
}
const ParameterFeature* FindParameterFeature(std::u16string_view name) {
    for (const ParameterFeature& f : kParameterFeatures) {
        if (name == f.name)
            return &f;
    }
    return nullptr;
}
struct FoundParameter {
    const ParameterFeature* feature;
    const Parameter* parameter;
};
std::optional<FoundParameter> FindParameter(std::u16string_view name) {
    for (const ParameterFeature& f : kParameterFeatures) {
        for (std::size_t i = 0; i < f.count; ++i) {
            if (name == f.parameters[i].name)
                return FoundParameter{&f, &f.parameters[i]};
        }
    }
    return std::nullopt;
}

const Choice* FindChoice(const std::vector<Choice>& choices, std::u16string_view option) {
    for (const Choice& c : choices) {
        if (c.option == option)
            return &c;
    }
    return nullptr;
}

// The options a feature the model offers takes; empty for a feature it lacks or that is unknown.
std::vector<std::u16string> OfferedOptions(std::u16string_view feature, const PrinterFacts& facts) {
    if (feature == kRotationFeature)
        return {kNotRotated, kRotated};
    if (const ParameterFeature* f = FindParameterFeature(feature))
        return f->offered(facts) ? std::vector<std::u16string>{kAsSetAtPrinter, kSend}
                                 : std::vector<std::u16string>{};
    const ChoiceFeature* f = FindChoiceFeature(feature);
    if (f == nullptr || !f->offered(facts))
        return {};
    std::vector<std::u16string> options{kAsSetAtPrinter};
    for (const Choice& c : f->choices(facts))
        options.push_back(c.option);
    return options;
}

// The option a valid ticket falls back to: the setting left to the printer, no rotation.
std::u16string FallbackOption(std::u16string_view feature) {
    return feature == kRotationFeature ? kNotRotated : kAsSetAtPrinter;
}

bool Contains(const std::vector<std::pair<std::u16string, std::u16string>>& entries,
              std::u16string_view name) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const auto& e) { return e.first == name; });
}

}  // namespace

const std::u16string* TicketPart::Option(std::u16string_view feature) const {
    for (const auto& [name, option] : options) {
        if (name == feature)
            return &option;
    }
    return nullptr;
}

const std::u16string* TicketPart::Parameter(std::u16string_view name) const {
    for (const auto& [parameter, text] : parameters) {
        if (parameter == name)
            return &text;
    }
    return nullptr;
}

std::optional<std::int64_t> TicketInteger(std::u16string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c - u'0');
    }
    return negative ? -v : v;
}

ParameterType ParameterTypeOf(std::u16string_view name) {
    const auto found = FindParameter(name);
    return found && !IsText(*found->parameter) ? ParameterType::Integer : ParameterType::Text;
}

PrinterFacts ReadPrinterFacts(PrinterStore& printer) {
    PrinterFacts facts;
    const std::u16string driver = printer.DriverName().value_or(std::u16string{});
    facts.groups = ModelCapabilitiesOf(driver);
    if (facts.groups.bHasPrintSpeed)
        facts.speeds = PrintSpeedsFor(driver);
    facts.customPapers = ReadCustomPapers(printer);
    return facts;
}

CapabilityAdditions CapabilitiesFor(const PrinterFacts& facts) {
    CapabilityAdditions caps;
    for (const ChoiceFeature& f : kChoiceFeatures) {
        if (!f.offered(facts))
            continue;
        FeatureDef def{f.name, f.displayName, {{kAsSetAtPrinter, u"As set at the printer", {}}}};
        for (const Choice& c : f.choices(facts))
            def.options.push_back({c.option, c.displayName, {}});
        caps.features.push_back(std::move(def));
    }
    caps.features.push_back({kRotationFeature,
                             u"Rotation by 180 degrees",
                             {{kNotRotated, u"Not rotated", {}}, {kRotated, u"Rotated", {}}}});
    for (const ParameterFeature& f : kParameterFeatures) {
        if (!f.offered(facts))
            continue;
        OptionDef send{kSend, u"Send", {}};
        for (std::size_t i = 0; i < f.count; ++i) {
            const Parameter& p = f.parameters[i];
            send.parameterRefs.push_back(p.name);
            if (IsText(p)) {
                caps.parameters.push_back(
                    {p.name, p.displayName, ParameterType::Text, 0, kMaxFontUnits, 1, u"", p.unit});
            } else {
                const IntegerRange range = TicketRange(p);
                const std::int64_t reset = static_cast<std::int32_t>(p.setting->reset.value_or(0));
                caps.parameters.push_back({p.name, p.displayName, ParameterType::Integer, range.low,
                                           range.high, 1, Decimal(ToTicket(p.scale, reset)),
                                           p.unit});
            }
        }
        caps.features.push_back(
            {f.name, f.displayName, {{kAsSetAtPrinter, u"As set at the printer", {}}, send}});
    }
    for (const PaperRecord& paper : facts.customPapers) {
        if (OfferedPaper(facts, paper.id) != &paper)
            continue;
        caps.mediaSizes.push_back({MediaSizeName(paper.id), std::u16string(FieldText(paper.name)),
                                   std::int64_t{paper.width} * 100,
                                   std::int64_t{paper.length} * 100});
    }
    return caps;
}

std::optional<PaperRecord> ChosenCustomPaper(const TicketPart& ticket, const PrinterFacts& facts) {
    if (!ticket.mediaSize)
        return std::nullopt;
    for (const PaperRecord& paper : facts.customPapers) {
        if (*ticket.mediaSize == MediaSizeName(paper.id) && OfferedPaper(facts, paper.id) == &paper)
            return paper;
    }
    return std::nullopt;
}

TicketPart TicketOf(const OemDevmode& block, const PrinterFacts& facts) {
    TicketPart ticket;
    for (const ChoiceFeature& f : kChoiceFeatures) {
        if (!f.offered(facts))
            continue;
        const std::vector<Choice> choices = f.choices(facts);
        if (FlagAt(block, f.sendFlag) == 0 || choices.empty()) {
            ticket.options.emplace_back(f.name, kAsSetAtPrinter);
            continue;
        }
        const auto stored = static_cast<std::uint32_t>(SettingNumber(*f.setting, block));
        const std::size_t shown = std::min(f.shown(facts, choices, stored), choices.size() - 1);
        ticket.options.emplace_back(f.name, choices[shown].option);
    }
    ticket.options.emplace_back(kRotationFeature, block.bRotate180 != 0 ? kRotated : kNotRotated);
    if (block.wSelectedPaperSize != 0 && OfferedPaper(facts, block.wSelectedPaperSize) != nullptr)
        ticket.mediaSize = MediaSizeName(block.wSelectedPaperSize);
    for (const ParameterFeature& f : kParameterFeatures) {
        if (!f.offered(facts))
            continue;
        ticket.options.emplace_back(f.name,
                                    FlagAt(block, f.sendFlag) != 0 ? kSend : kAsSetAtPrinter);
        for (std::size_t i = 0; i < f.count; ++i) {
            const Parameter& p = f.parameters[i];
            if (IsText(p)) {
                ticket.parameters.emplace_back(p.name, FieldText(block.szPassThroughFont));
                continue;
            }
            const std::int64_t v = SettingNumber(*p.setting, block);
            if (static_cast<std::uint32_t>(v) == kUnsetValue)
                continue;
            const std::int64_t taken = p.setting->correction->Holds(v)
                                           ? v
                                           : static_cast<std::int32_t>(p.setting->corrected);
            ticket.parameters.emplace_back(p.name, Decimal(ToTicket(p.scale, taken)));
        }
    }
    return ticket;
}

void ApplyTicket(const TicketPart& ticket, const PrinterFacts& facts, OemDevmode& block) {
    // A ticket that states a setting of the block is the job's own choice, as the page's OK is:
    // marked applied, the block keeps it through the next convert or merge instead of taking the
    // printer's defaults anew.
    bool stated = false;
    if (const auto paper = ChosenCustomPaper(ticket, facts)) {
        block.wSelectedPaperSize = paper->id;
        stated = true;
    }
    for (const ChoiceFeature& f : kChoiceFeatures) {
        const std::u16string* option = ticket.Option(f.name);
        if (option == nullptr || !f.offered(facts))
            continue;
        const std::vector<Choice> choices = f.choices(facts);
        if (*option == kAsSetAtPrinter) {
            FlagAt(block, f.sendFlag) = 0;
            stated = true;
        } else if (const Choice* c = FindChoice(choices, *option)) {
            SetSettingNumber(*f.setting, block, c->value);
            FlagAt(block, f.sendFlag) = 1;
            stated = true;
        }
    }
    if (const std::u16string* option = ticket.Option(kRotationFeature)) {
        if (*option == kNotRotated || *option == kRotated) {
            block.bRotate180 = *option == kRotated ? 1 : 0;
            stated = true;
        }
    }
    for (const ParameterFeature& f : kParameterFeatures) {
        if (!f.offered(facts))
            continue;
        if (const std::u16string* option = ticket.Option(f.name)) {
            if (*option == kAsSetAtPrinter || *option == kSend) {
                FlagAt(block, f.sendFlag) = *option == kSend ? 1 : 0;
                stated = true;
            }
        }
        for (std::size_t i = 0; i < f.count; ++i) {
            const Parameter& p = f.parameters[i];
            const std::u16string* text = ticket.Parameter(p.name);
            if (text == nullptr)
                continue;
            if (IsText(p)) {
                if (text->size() <= kMaxFontUnits) {
                    AssignField(block.szPassThroughFont, *text);
                    stated = true;
                }
            } else if (const auto v = BlockNumber(p, *text)) {
                SetSettingNumber(*p.setting, block, static_cast<std::uint32_t>(*v));
                stated = true;
            }
        }
    }
    if (stated)
        block.bSettingsValid = 1;
}

ValidatedTicket ValidateTicket(const TicketPart& ticket, const PrinterFacts& facts) {
    ValidatedTicket out{{}, false};
    for (const auto& [feature, option] : ticket.options) {
        const std::vector<std::u16string> offered = OfferedOptions(feature, facts);
        if (offered.empty() || Contains(out.ticket.options, feature)) {
            out.changed = true;
            continue;
        }
        if (std::find(offered.begin(), offered.end(), option) != offered.end()) {
            out.ticket.options.emplace_back(feature, option);
        } else {
            out.ticket.options.emplace_back(feature, FallbackOption(feature));
            out.changed = true;
        }
    }
    for (const auto& [name, text] : ticket.parameters) {
        const auto found = FindParameter(name);
        if (!found || !found->feature->offered(facts) || Contains(out.ticket.parameters, name)) {
            out.changed = true;
            continue;
        }
        if (const auto corrected = CorrectedParameter(*found->parameter, text)) {
            out.ticket.parameters.emplace_back(name, *corrected);
            out.changed = true;
        } else {
            out.ticket.parameters.emplace_back(name, text);
        }
    }
    return out;
}

}  // namespace adjustui::tickets
