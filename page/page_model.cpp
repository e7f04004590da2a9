#include "page/page_model.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "common/text.h"
#include "page/shown_values.h"

namespace adjustui::page {
namespace {

constexpr std::size_t Index(Field f) {
    return static_cast<std::size_t>(f);
}

bool IsOffset(Field f) {
    return f == Field::XOffset || f == Field::YOffset;
}

// Base units per unit shown of a length field.
double BasePer(Field f, LengthUnit unit) {
    return IsOffset(f) ? OffsetUnitsPer(unit) : TenthsOfMmPer(unit);
}

// Enough decimals that the text of a value stands for it to well within a base unit's millionth.
constexpr int kExactDecimals = 12;

template <typename T>
std::vector<std::byte> Bytes(const T& v) {
    const auto* first = reinterpret_cast<const std::byte*>(&v);
    return {first, first + sizeof v};
}

std::vector<std::byte> FieldBytes(const OemDevmode& block, std::size_t offset, std::size_t size) {
    const auto* first = reinterpret_cast<const std::byte*>(&block) + offset;
    return {first, first + size};
}

Refusal OffsetRefusal(RefusedField field, LengthUnit unit) {
    return {field, unit == LengthUnit::Inch ? kOffsetRangeInchText : kOffsetRangeMmText,
            field == RefusedField::XOffset ? kXOffsetErrorCaption : kYOffsetErrorCaption};
}

// The group box a field belongs to; none for the copies and the paper editor, which are always
// there to be changed.
std::optional<ControlId> GroupOf(Field f) {
    switch (f) {
        case Field::XOffset:
        case Field::YOffset:
            return kImagePositioningCheck;
        case Field::SlipCorrection:
            return kSlipCorrectionCheck;
        case Field::Density:
            return kPrintDensityCheck;
        default:
            return std::nullopt;
    }
}

}  // namespace

bool PageShown::Checked(ControlId box) const {
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        if (kCheckBoxes[i].box == box)
            return checked[i];
    }
    return false;
}

void PageShown::Check(ControlId box, bool on) {
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        if (kCheckBoxes[i].box == box)
            checked[i] = on;
    }
}

LengthUnit PageShown::UnitOf(Field f) const {
    switch (f) {
        case Field::XOffset:
            return xUnit;
        case Field::YOffset:
            return yUnit;
        default:
            return paperUnit;
    }
}

PageModel::PageModel(PageFacts facts) : facts_(std::move(facts)) {}

void PageModel::SetPapers(PaperListView papers) {
    facts_.papers = std::move(papers);
}

PageShown PageModel::Open(OemDevmode& devmode, LengthUnit xUnit, LengthUnit yUnit) {
    const ShownValues values = ShowDevmodeValues(devmode);
    PageShown shown;
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i)
        shown.checked[i] = FlagOf(kCheckBoxes[i], devmode) != 0;
    shown.xUnit = xUnit;
    shown.yUnit = yUnit;
    shown.paperUnit = LengthUnit::Millimetre;
    origins_ = {};
    units_[Index(Field::XOffset)] = xUnit;
    units_[Index(Field::YOffset)] = yUnit;
    units_[Index(Field::PaperWidth)] = units_[Index(Field::PaperLength)] = shown.paperUnit;
    // An unset offset shows an empty field, which no check accepts.
    if (devmode.lXOffset != kUnsetSigned)
        shown.Text(Field::XOffset) = Show(Field::XOffset, devmode.lXOffset, xUnit);
    if (devmode.lYOffset != kUnsetSigned)
        shown.Text(Field::YOffset) = Show(Field::YOffset, devmode.lYOffset, yUnit);
    shown.Text(Field::SlipCorrection) = values.slipCorrection;
    shown.Text(Field::Copies) = values.copies;
    shown.Text(Field::Density) = values.printDensity;
    shown.cutterEntry = values.cutterEntry;
    shown.configEntry = values.configEntry;
    const PaperListView& papers = facts_.papers;
    shown.paperEntry = papers.selected;
    shown.Text(Field::PaperWidth) = Show(Field::PaperWidth, papers.width, shown.paperUnit);
    shown.Text(Field::PaperLength) = Show(Field::PaperLength, papers.length, shown.paperUnit);
    shown.paperName = std::u16string(papers.SelectedName());
    shown.passThroughFont = std::u16string(FieldText(devmode.szPassThroughFont));
    return shown;
}

std::u16string PageModel::Show(Field f, double base, LengthUnit unit) {
    std::u16string text = FixedText(base / BasePer(f, unit), 2);
    origins_[Index(f)] = Origin{text, unit, base};
    units_[Index(f)] = unit;
    return text;
}

std::optional<std::u16string> PageModel::ConvertUnit(Field f, const std::u16string& text,
                                                     LengthUnit to) {
    const LengthUnit from = units_[Index(f)];
    if (from == to)
        return std::nullopt;
    units_[Index(f)] = to;
    const Origin* origin = origins_[Index(f)] ? &*origins_[Index(f)] : nullptr;
    if (origin != nullptr && origin->text == text && origin->unit == from)
        return Show(f, origin->base, to);
    const ScannedNumber n =
        ScanNumber(std::u16string_view(text).substr(0, kFieldReadUnits), NumberKind::Decimal);
    if (!n.IsNumber())
        return std::nullopt;
    return Show(f, n.value * BasePer(f, from), to);
}

const PageModel::Origin* PageModel::OriginOf(Field f, const PageShown& shown) const {
    const auto& origin = origins_[Index(f)];
    if (!origin || origin->text != shown.Text(f) || origin->unit != shown.UnitOf(f))
        return nullptr;
    return &*origin;
}

FieldCheck PageModel::Check(Field f, const PageShown& shown) const {
    const bool german = facts_.german;
    const LengthUnit unit = shown.UnitOf(f);
    // A text the page wrote is judged by the value behind it, not by its rounded digits.
    const Origin* origin = OriginOf(f, shown);
    const std::u16string text = origin != nullptr
                                    ? FixedText(origin->base / BasePer(f, unit), kExactDecimals)
                                    : shown.Text(f);
    FieldCheck check;
    switch (f) {
        case Field::XOffset:
        case Field::YOffset:
            check = CheckOffset(text, unit, german);
            break;
        case Field::SlipCorrection:
            check = CheckSlipCorrection(text, german);
            break;
        case Field::Copies:
            check = CheckCopies(text, german);
            break;
        case Field::Density:
            check = CheckDensity(text, german);
            break;
        case Field::PaperWidth:
            check = CheckPaperWidth(text, unit, facts_.limits, german);
            break;
        case Field::PaperLength:
            check = CheckPaperLength(text, unit, facts_.limits, german);
            break;
    }
    if (origin != nullptr && check.isNumber)
        check.base = origin->base;
    return check;
}

bool PageModel::Visible(Field f) const {
    switch (f) {
        case Field::SlipCorrection:
            return facts_.model.bHasSlipCorrection;
        case Field::Density:
            return facts_.model.bHasPrintDensity;
        default:
            return true;
    }
}

Judgement PageModel::Judge(Field f, const PageShown& shown) const {
    const std::optional<ControlId> group = GroupOf(f);
    const bool judged = Visible(f) && (!group || shown.Checked(*group));
    return {judged, Check(f, shown)};
}

std::optional<std::int32_t> PageModel::ValueOf(Field f, const PageShown& shown) const {
    const FieldCheck check = Check(f, shown);
    if (!check.valid)
        return std::nullopt;
    return RoundedBase(check.base);
}

NameKind PageModel::ClassifyName(std::u16string_view name) const {
    if (name.empty())
        return NameKind::Empty;
    const auto& entries = facts_.papers.entries;
    // The names as the field holds them: a stored name of 64 units is shown with 63.
    auto named = [&](bool custom) {
        return std::any_of(entries.begin(), entries.end(), [&](const PaperEntry& e) {
            return e.custom == custom && e.name == name;
        });
    };
    if (named(true))
        return NameKind::Custom;
    if (named(false))
        return NameKind::Standard;
    return NameKind::New;
}

std::optional<PaperRecord> PageModel::NamedCustomPaper(const PageShown& shown) const {
    const auto& entries = facts_.papers.entries;
    auto fits = [&](const PaperEntry& e) { return e.custom && e.name == shown.paperName; };
    if (shown.paperEntry && *shown.paperEntry < entries.size() && fits(entries[*shown.paperEntry]))
        return entries[*shown.paperEntry].record;
    const auto last = std::find_if(entries.rbegin(), entries.rend(), fits);
    if (last == entries.rend())
        return std::nullopt;
    return last->record;
}

Buttons PageModel::ButtonsFor(const PageShown& shown) const {
    auto ok = [&](Field f) {
        const Judgement j = Judge(f, shown);
        return !j.judged || j.check.valid;
    };
    const bool settings =
        ok(Field::XOffset) && ok(Field::YOffset) && ok(Field::SlipCorrection) && ok(Field::Copies);
    const FieldCheck width = Check(Field::PaperWidth, shown);
    const FieldCheck length = Check(Field::PaperLength, shown);
    const NameKind name = ClassifyName(shown.paperName);
    return {
        .add = name == NameKind::New && width.valid && length.valid && settings,
        .remove = name == NameKind::Custom,
        .setAsDefault = settings && ok(Field::Density),
        // A width or length that is no number keeps its unit until it is corrected.
        .paperUnitList = width.isNumber && length.isNumber,
    };
}

std::optional<PaperRecord> PageModel::NewPaper(const PageShown& shown) const {
    if (!ButtonsFor(shown).add)
        return std::nullopt;
    PaperRecord record{};
    const std::u16string_view name = shown.paperName;
    AssignField(record.name, name.substr(0, std::min(name.find(u'\0'), kPaperNameUnits - 1)));
    record.width = *ValueOf(Field::PaperWidth, shown);
    record.length = *ValueOf(Field::PaperLength, shown);
    return record;
}

TakeOver PageModel::Leave(const PageShown& shown, OemDevmode& devmode) const {
    OemDevmode out = devmode;
    const ModelCapabilities& model = facts_.model;
    auto refuse = [](Refusal r) { return TakeOver{r, std::nullopt}; };

    out.bOffsetSend = shown.Checked(kImagePositioningCheck) ? 1 : 0;
    if (out.bOffsetSend) {
        const auto x = ValueOf(Field::XOffset, shown);
        if (!x)
            return refuse(OffsetRefusal(RefusedField::XOffset, shown.xUnit));
        const auto y = ValueOf(Field::YOffset, shown);
        if (!y)
            return refuse(OffsetRefusal(RefusedField::YOffset, shown.yUnit));
        out.lXOffset = *x;
        out.lYOffset = *y;
    }
    out.bRotate180 = shown.Checked(kRotate180Check) ? 1 : 0;

    out.bPassThroughSend = shown.Checked(kPassThroughCheck) ? 1 : 0;
    if (out.bPassThroughSend) {
        // 510 units and the terminator, as the field has always been filled.
        AssignField(out.szPassThroughFont,
                    std::u16string_view(shown.passThroughFont).substr(0, 510));
    }

    // A list shows an entry for every value, an unset one too: a checked group sends it.
    auto takeEntry = [&](ControlId box, const std::optional<std::size_t>& entry,
                         std::uint32_t& field, std::uint8_t& send) {
        send = shown.Checked(box) && entry ? 1 : 0;
        if (send)
            field = static_cast<std::uint32_t>(*entry);
    };
    takeEntry(kConfigurationCheck, shown.configEntry, out.dwConfigNumber, out.bConfigSend);
    if (model.bHasCutter)
        takeEntry(kCutterCheck, shown.cutterEntry, out.dwCutter, out.bCutterSend);
    if (model.bHasPrintSpeed) {
        out.bPrintSpeedSend = shown.Checked(kPrintSpeedCheck) && shown.printSpeed ? 1 : 0;
        if (out.bPrintSpeedSend)
            out.dwPrintSpeed = *shown.printSpeed;
    }

    if (model.bHasSlipCorrection) {
        out.bSlipCorrectionSend = shown.Checked(kSlipCorrectionCheck) ? 1 : 0;
        if (out.bSlipCorrectionSend) {
            const auto slip = ValueOf(Field::SlipCorrection, shown);
            if (!slip) {
                return refuse({RefusedField::SlipCorrection, kSlipCorrectionRangeText,
                               kSlipCorrectionErrorCaption});
            }
            out.lSlipCorrection = *slip;
        }
    }

    const auto copies = ValueOf(Field::Copies, shown);
    if (!copies)
        return refuse({RefusedField::Copies, kCopiesRangeText, kCopiesErrorCaption});
    out.dwCopies = static_cast<std::uint32_t>(*copies);

    if (model.bHasPrintDensity) {
        out.bPrintDensitySend = shown.Checked(kPrintDensityCheck) ? 1 : 0;
        if (out.bPrintDensitySend) {
            const auto density = ValueOf(Field::Density, shown);
            if (!density)
                return refuse({RefusedField::Density, kDensityRangeText, kDensityErrorCaption});
            out.dwPrintDensity = static_cast<std::uint32_t>(*density);
        }
    }
    out.bSettingsValid = 1;

    TakeOver result;
    // The printer's default paper, shown for a job without one, becomes the job's as a choice of
    // it would make it.
    const PaperListView& papers = facts_.papers;
    if (papers.source == PaperSource::PrinterDefault && papers.selected &&
        shown.paperEntry == papers.selected && *papers.selected < papers.entries.size()) {
        const PaperEntry& e = papers.entries[*papers.selected];
        out.wSelectedPaperSize = e.id;
        result.paper = JobPaper{e.id, e.width, e.length};
    }
    devmode = out;
    return result;
}

std::vector<ValueToStore> PageModel::Defaults(const PageShown& shown, const OemDevmode& devmode,
                                              const PublicPaper& publicPaper) const {
    // What the user can see and change is stored as shown; the rest as the devmode holds it.
    OemDevmode saved = devmode;
    const ModelCapabilities& model = facts_.model;
    auto visible = [&](ControlId box) {
        return (box != kCutterCheck || model.bHasCutter) &&
               (box != kPrintSpeedCheck || model.bHasPrintSpeed) &&
               (box != kPrintDensityCheck || model.bHasPrintDensity) &&
               (box != kSlipCorrectionCheck || model.bHasSlipCorrection);
    };
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        if (visible(kCheckBoxes[i].box))
            FlagOf(kCheckBoxes[i], saved) = shown.checked[i] ? 1 : 0;
    }
    auto takeNumber = [&](Field f, auto& field) {
        if (!Judge(f, shown).judged)
            return;
        if (const auto v = ValueOf(f, shown))
            field = static_cast<std::remove_reference_t<decltype(field)>>(*v);
    };
    takeNumber(Field::XOffset, saved.lXOffset);
    takeNumber(Field::YOffset, saved.lYOffset);
    takeNumber(Field::SlipCorrection, saved.lSlipCorrection);
    takeNumber(Field::Copies, saved.dwCopies);
    takeNumber(Field::Density, saved.dwPrintDensity);
    if (shown.Checked(kConfigurationCheck) && shown.configEntry)
        saved.dwConfigNumber = static_cast<std::uint32_t>(*shown.configEntry);
    if (model.bHasCutter && shown.Checked(kCutterCheck) && shown.cutterEntry)
        saved.dwCutter = static_cast<std::uint32_t>(*shown.cutterEntry);
    if (model.bHasPrintSpeed && shown.Checked(kPrintSpeedCheck) && shown.printSpeed)
        saved.dwPrintSpeed = *shown.printSpeed;

    // The paper the list shows is the default paper, in all four of its values.
    PublicPaper paper = publicPaper;
    const PaperListView& papers = facts_.papers;
    if (shown.paperEntry && *shown.paperEntry < papers.entries.size()) {
        const PaperEntry& e = papers.entries[*shown.paperEntry];
        saved.wSelectedPaperSize = e.id;
        paper = {static_cast<std::int16_t>(e.id), static_cast<std::int16_t>(e.width),
                 static_cast<std::int16_t>(e.length)};
    }
    const std::u16string_view font = std::u16string_view(shown.passThroughFont).substr(0, 511);

    std::vector<ValueToStore> values;
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.saved)
            continue;
        std::vector<std::byte> data;
        switch (s.kind) {
            case SettingKind::Flag:
                data = FieldBytes(saved, s.field, 1);
                break;
            case SettingKind::Signed:
            case SettingKind::Unsigned:
            case SettingKind::Count:
                data = FieldBytes(saved, s.field, sizeof(std::uint32_t));
                break;
            case SettingKind::Text: {
                // Without its terminator.
                const auto* first = reinterpret_cast<const std::byte*>(font.data());
                data.assign(first, first + font.size() * sizeof(char16_t));
                break;
            }
            case SettingKind::Word:
                if (s.field != kNoField) {
                    data = FieldBytes(saved, s.field, sizeof(std::uint16_t));
                } else {
                    const std::u16string_view name = s.name;
                    data = Bytes(name == value::kDevmodePaperSize    ? paper.paperSize
                                 : name == value::kDevmodePaperWidth ? paper.paperWidth
                                                                     : paper.paperLength);
                }
                break;
        }
        values.push_back({&s, std::move(data)});
    }
    return values;
}

}  // namespace adjustui::page
