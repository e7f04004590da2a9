// The page's dialog template as data: control ids by name, each control's kind, template text and
// place, and the groups of the right-hand column that the layout hides and moves by model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "resources/page_dialog.h"

namespace adjustui::page {

inline constexpr std::uint16_t kPageDialog = ADJUSTUI_PAGE_DIALOG;
inline constexpr std::int16_t kPageDialogWidth = ADJUSTUI_PAGE_DIALOG_WIDTH;
inline constexpr std::int16_t kPageDialogHeight = ADJUSTUI_PAGE_DIALOG_HEIGHT;
inline constexpr std::u16string_view kPageDialogFont = u"" ADJUSTUI_PAGE_DIALOG_FONT;
inline constexpr std::uint16_t kPageDialogFontSize = ADJUSTUI_PAGE_DIALOG_FONT_SIZE;

enum ControlId : std::uint16_t {
#define PAGE_CONTROL(id, name, kind, text, x, y, width, height) k##name = id,
#include "resources/page_controls.inc"
#undef PAGE_CONTROL
};

enum class ControlKind : std::uint8_t {
    GroupBox,
    Text,
    Edit,
    DisabledEdit,  // created disabled; its check box enables it
    PushButton,
    CheckBox,
    DropDownList,
    SortedDropDownList,
};

// Position and size in dialog units; a drop-down list's height includes its open list.
struct ControlTemplate {
    ControlId id;
    ControlKind kind;
    std::u16string_view text;  // a literal, so data() is zero-terminated
    std::int16_t x;
    std::int16_t y;
    std::int16_t width;
    std::int16_t height;
};

// In tab order, as the template holds them.
inline constexpr ControlTemplate kPageControls[] = {
#define PAGE_CONTROL(id, name, kind, text, x, y, width, height) \
    {k##name, ControlKind::kind, u"" text, x, y, width, height},
#include "resources/page_controls.inc"
#undef PAGE_CONTROL
};

// Tab position of a control; the table's size for an id the template lacks.
constexpr std::size_t IndexOfControl(std::uint16_t id) {
    std::size_t i = 0;
    while (i < std::size(kPageControls) && kPageControls[i].id != id)
        ++i;
    return i;
}

// Null for an id the template lacks.
constexpr const ControlTemplate* FindControl(std::uint16_t id) {
    const std::size_t i = IndexOfControl(id);
    return i < std::size(kPageControls) ? &kPageControls[i] : nullptr;
}

// A group of the right-hand column: its group box first, then the controls inside it, in the
// order in which the layout moves or hides them.
struct ColumnGroup {
    std::span<const ControlId> controls;
    constexpr ControlId Box() const { return controls.front(); }
    // The group box's height in the template, in dialog units.
    constexpr std::int16_t TemplateHeight() const {
        return kPageControls[IndexOfControl(Box())].height;
    }
};

inline constexpr ControlId kSlipCorrectionControls[] = {kSlipCorrectionGroup, kSlipCorrectionCheck,
                                                        kSlipCorrectionLabel, kSlipCorrectionEdit,
                                                        kSlipCorrectionPercent};
inline constexpr ControlId kCutterControls[] = {kCutterGroup, kCutterCheck, kCutterList};
inline constexpr ControlId kPrintSpeedControls[] = {kPrintSpeedGroup, kPrintSpeedCheck,
                                                    kPrintSpeedList, kPrintSpeedUnit};
inline constexpr ControlId kPrintDensityControls[] = {kPrintDensityGroup, kPrintDensityCheck,
                                                      kPrintDensityEdit, kPrintDensityPercent};
inline constexpr ControlId kConfigurationControls[] = {kConfigurationGroup, kConfigurationCheck,
                                                       kConfigNumberLabel, kConfigNumberList};

// Index into kRightColumn; the order is top to bottom.
enum class RightColumnGroup : std::uint8_t {
    SlipCorrection,
    Cutter,
    PrintSpeed,
    PrintDensity,
    Configuration,  // every model has it
};

inline constexpr ColumnGroup kRightColumn[] = {
    {kSlipCorrectionControls}, {kCutterControls},        {kPrintSpeedControls},
    {kPrintDensityControls},   {kConfigurationControls},
};

// Gap between two groups of the column in the template, in dialog units.
inline constexpr std::int16_t kRightColumnGap = 5;

constexpr const ColumnGroup& GroupOf(RightColumnGroup group) {
    return kRightColumn[static_cast<std::size_t>(group)];
}

namespace detail {

constexpr bool ControlIdsUnique() {
    for (std::size_t i = 0; i < std::size(kPageControls); ++i) {
        for (std::size_t j = i + 1; j < std::size(kPageControls); ++j) {
            if (kPageControls[i].id == kPageControls[j].id)
                return false;
        }
    }
    return true;
}

constexpr bool GroupsNameTemplateControls() {
    for (const ColumnGroup& group : kRightColumn) {
        for (ControlId id : group.controls) {
            if (IndexOfControl(id) == std::size(kPageControls))
                return false;
        }
        if (kPageControls[IndexOfControl(group.Box())].kind != ControlKind::GroupBox)
            return false;
    }
    return true;
}

}  // namespace detail

static_assert(std::size(kPageControls) == 49);
static_assert(detail::ControlIdsUnique());
static_assert(detail::GroupsNameTemplateControls());
static_assert(std::size(kRightColumn) ==
              static_cast<std::size_t>(RightColumnGroup::Configuration) + 1);

}  // namespace adjustui::page
