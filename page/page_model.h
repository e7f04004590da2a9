// The page's judgement in one place. Given what the page shows now (the texts of its fields, its
// check boxes, list choices and units) and what it knows of its printer (the groups of the model,
// the paper extents, the stored papers), it answers every question the window code asks: is a
// field valid and which balloon tells the user otherwise, which buttons are enabled, what leaving
// the page takes over or refuses, what "Save as default" stores, what a unit change shows.
//
// Nothing is remembered about validity: every answer is computed from what is shown. What the
// model does remember is the value behind each text the page itself wrote (a value of the devmode,
// a chosen paper, a unit change), so that a text the user has not touched stands for that exact
// value rather than for its rounded digits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "models/model_tables.h"
#include "page/check_boxes.h"
#include "page/custom_paper.h"
#include "page/paper_list.h"
#include "page/texts.h"
#include "page/validation.h"
#include "settings/oem_devmode.h"
#include "settings/stored_settings.h"

namespace adjustui::page {

enum class Field : std::uint8_t {
    XOffset,
    YOffset,
    SlipCorrection,
    Copies,
    Density,
    PaperWidth,
    PaperLength,
};
inline constexpr std::size_t kFieldCount = 7;

// What the page shows at one moment, as the window code reads it from its controls.
struct PageShown {
    std::array<bool, std::size(kCheckBoxes)> checked{};  // in the order of kCheckBoxes
    std::array<std::u16string, kFieldCount> texts;       // at most kFieldReadUnits each
    LengthUnit xUnit = LengthUnit::Inch;
    LengthUnit yUnit = LengthUnit::Inch;
    LengthUnit paperUnit = LengthUnit::Millimetre;
    // The selected entries of the lists; none without a selection.
    std::optional<std::size_t> cutterEntry;
    std::optional<std::size_t> configEntry;
    std::optional<std::uint32_t> printSpeed;  // the selected entry's speed
    std::optional<std::size_t> paperEntry;
    std::u16string passThroughFont;
    std::u16string paperName;

    bool Checked(ControlId box) const;
    void Check(ControlId box, bool on);
    const std::u16string& Text(Field f) const { return texts[static_cast<std::size_t>(f)]; }
    std::u16string& Text(Field f) { return texts[static_cast<std::size_t>(f)]; }
    LengthUnit UnitOf(Field f) const;
};

// What the page knows of its printer and user while it is open.
struct PageFacts {
    ModelCapabilities model;
    // The printer's paper extents; none when they could not be asked.
    std::optional<PaperLimits> limits;
    PaperListView papers;
    bool german = false;
};

enum class NameKind : std::uint8_t {
    Empty,
    New,
    Standard,  // names a standard paper: neither Add nor Delete
    Custom,    // names a stored custom paper: Delete
};

struct Judgement {
    bool judged;  // the user can see and change the field, so it counts
    FieldCheck check;
};

struct Buttons {
    bool add;
    bool remove;
    bool setAsDefault;
    bool paperUnitList;
    friend bool operator==(const Buttons&, const Buttons&) = default;
};

enum class RefusedField : std::uint8_t { XOffset, YOffset, SlipCorrection, Copies, Density };

struct Refusal {
    RefusedField field;
    TextPair text;     // the message, from the string table
    TextPair caption;  // the message box's caption
};

// The paper fields of the public devmode a take-over writes, when it writes any.
struct JobPaper {
    std::uint16_t code;
    std::int32_t width;  // tenths of a millimetre
    std::int32_t length;
};

struct TakeOver {
    std::optional<Refusal> refusal;  // when set, nothing was written
    // The paper that became the job's in both devmodes: the printer's default paper the list
    // showed for a job without one.
    std::optional<JobPaper> paper;
};

struct ValueToStore {
    const StoredSetting* setting;
    std::vector<std::byte> data;  // in the type and size the setting is stored with
};

class PageModel {
  public:
    explicit PageModel(PageFacts facts);

    const PageFacts& facts() const { return facts_; }
    void SetPapers(PaperListView papers);

    // The texts the page shows for the devmode's values when it opens; an unset value shows an
    // empty field. Corrects the devmode where the page cannot show its value: a print density
    // outside its range becomes 100, copies below 1 become 1.
    PageShown Open(OemDevmode& devmode, LengthUnit xUnit, LengthUnit yUnit);

    // The text of a length in base units (1/300 inch for offsets, tenths of a millimetre for
    // papers) in `unit`; the text then stands for exactly that value.
    std::u16string Show(Field f, double base, LengthUnit unit);
    // The text of a field after its unit changed from the one its text was written in to `to`;
    // none when the field holds no number (it keeps its text).
    std::optional<std::u16string> ConvertUnit(Field f, const std::u16string& text, LengthUnit to);

    Judgement Judge(Field f, const PageShown& shown) const;
    Buttons ButtonsFor(const PageShown& shown) const;
    NameKind ClassifyName(std::u16string_view name) const;
    // The stored custom paper the name field names, for Delete: the selected entry when it has
    // that name, else the last of that name.
    std::optional<PaperRecord> NamedCustomPaper(const PageShown& shown) const;
    // The record Add stores (its code is the store's to give); none while Add is not enabled.
    std::optional<PaperRecord> NewPaper(const PageShown& shown) const;

    // Leaving the page: everything the user can see and change, or nothing at all.
    TakeOver Leave(const PageShown& shown, OemDevmode& devmode) const;
    // "Save as default": every saved value, from what the page shows where the user can see and
    // change it, else from the devmode as it came. `publicPaper` serves when no paper is shown.
    std::vector<ValueToStore> Defaults(const PageShown& shown, const OemDevmode& devmode,
                                       const PublicPaper& publicPaper) const;

    // The value a field stands for, in base units: the value behind a text the page wrote, else
    // the text's number (rounded to whole base units); none when it is no number in range.
    std::optional<std::int32_t> ValueOf(Field f, const PageShown& shown) const;

  private:
    struct Origin {
        std::u16string text;
        LengthUnit unit;
        double base;
    };
    FieldCheck Check(Field f, const PageShown& shown) const;
    bool Visible(Field f) const;
    const Origin* OriginOf(Field f, const PageShown& shown) const;

    PageFacts facts_;
    std::array<std::optional<Origin>, kFieldCount> origins_;
    std::array<LengthUnit, kFieldCount> units_{};
};

}  // namespace adjustui::page
