// The page's texts: the ids of the module's string table, which text each use takes in either
// language, and the unit names built into the code. Every text here is a literal, so data() is
// zero-terminated.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "page/controls.h"

namespace adjustui::page {

// German and English texts have ids of their own; the names end in De or En.
enum class StringId : std::uint16_t {
#define PAGE_STRING(id, name, text) k##name = id,
#include "resources/page_strings.inc"
#undef PAGE_STRING
};

struct PageString {
    StringId id;
    std::u16string_view text;
};

// The module's string table, by rising id.
inline constexpr PageString kPageStrings[] = {
#define PAGE_STRING(id, name, text) {StringId::k##name, u"" text},
#include "resources/page_strings.inc"
#undef PAGE_STRING
};

// The table's text of an id, as LoadStringW gives it from the module; nothing for an id it lacks.
std::optional<std::u16string_view> FindPageString(std::uint32_t id);

// One use of a text from the table, in both languages.
struct TextPair {
    StringId german;
    StringId english;
    constexpr StringId In(bool useGerman) const { return useGerman ? german : english; }
};

// Texts from the table.
inline constexpr TextPair kPageTitleText{StringId::kPageTitleDe, StringId::kPageTitleEn};
// Items 0, 1, 2 of the cutter list; the item index is the cutter mode.
inline constexpr TextPair kCutterModeTexts[] = {
    {StringId::kNoCuttingDe, StringId::kNoCuttingEn},
    {StringId::kJobCutDe, StringId::kJobCutEn},
    {StringId::kPageCutDe, StringId::kPageCutEn},
};
inline constexpr TextPair kOffsetRangeInchText{StringId::kOffsetRangeInchDe,
                                               StringId::kOffsetRangeInchEn};
inline constexpr TextPair kOffsetRangeMmText{StringId::kOffsetRangeMmDe,
                                             StringId::kOffsetRangeMmEn};
inline constexpr TextPair kSyntaxErrorText{StringId::kSyntaxErrorDe, StringId::kSyntaxErrorEn};
inline constexpr TextPair kSlipCorrectionRangeText{StringId::kSlipCorrectionRangeDe,
                                                   StringId::kSlipCorrectionRangeEn};
inline constexpr TextPair kCopiesAtLeastOneText{StringId::kCopiesAtLeastOneDe,
                                                StringId::kCopiesAtLeastOneEn};
inline constexpr TextPair kCopiesAtMostText{StringId::kCopiesAtMostDe, StringId::kCopiesAtMostEn};
inline constexpr TextPair kCopiesInvalidText{StringId::kInvalidDe, StringId::kInvalidEn};
// The copies refused when leaving the page.
inline constexpr TextPair kCopiesRangeText{StringId::kCopiesRangeDe, StringId::kCopiesRangeEn};
// Print density out of range, while typing and when leaving the page.
inline constexpr TextPair kDensityRangeText{StringId::kDensityRangeDe, StringId::kDensityRangeEn};
inline constexpr TextPair kDensityFinalDigitText{StringId::kDensityFinalDigitDe,
                                                 StringId::kDensityFinalDigitEn};

// Add, Delete and "Save as default" when the printer could not be changed, with the texts of the
// group and of the button as captions.
inline constexpr TextPair kPaperNotStoredText{StringId::kPaperNotStoredDe,
                                              StringId::kPaperNotStoredEn};
inline constexpr TextPair kPaperNotRemovedText{StringId::kPaperNotRemovedDe,
                                               StringId::kPaperNotRemovedEn};
inline constexpr TextPair kDefaultsNotSavedText{StringId::kDefaultsNotSavedDe,
                                                StringId::kDefaultsNotSavedEn};
inline constexpr TextPair kCustomPapersText{StringId::kCustomPapersDe, StringId::kCustomPapersEn};
inline constexpr TextPair kSaveAsDefaultText{StringId::kSaveAsDefaultDe,
                                             StringId::kSaveAsDefaultEn};

// The controls whose texts follow the language; the others keep their template text, among them
// the group "Passthrough", a technical term in both languages.
struct ControlText {
    ControlId control;
    TextPair text;
};

inline constexpr ControlText kControlTexts[] = {
    {kImagePositioningGroup, {StringId::kImagePositioningDe, StringId::kImagePositioningEn}},
    {kSlipCorrectionGroup, {StringId::kSlipCorrectionDe, StringId::kSlipCorrectionEn}},
    {kCutterGroup, {StringId::kCutterDe, StringId::kCutterEn}},
    {kPrintSpeedGroup, {StringId::kPrintSpeedDe, StringId::kPrintSpeedEn}},
    {kPrintDensityGroup, {StringId::kPrintDensityDe, StringId::kPrintDensityEn}},
    {kPaperOutputGroup, {StringId::kPaperOutputDe, StringId::kPaperOutputEn}},
    {kConfigurationGroup, {StringId::kConfigurationDe, StringId::kConfigurationEn}},
    {kSaveAsDefaultButton, kSaveAsDefaultText},
    {kSlipCorrectionLabel, {StringId::kSlipDe, StringId::kSlipEn}},
    {kPaperSizeLabel, {StringId::kPaperSizeDe, StringId::kPaperSizeEn}},
    {kCopiesLabel, {StringId::kCopiesDe, StringId::kCopiesEn}},
    {kConfigNumberLabel, {StringId::kConfigNumberDe, StringId::kConfigNumberEn}},
    {kCustomPapersGroup, kCustomPapersText},
    {kPaperNameLabel, {StringId::kPaperNameDe, StringId::kPaperNameEn}},
    {kPaperWidthLabel, {StringId::kWidthDe, StringId::kWidthEn}},
    {kPaperLengthLabel, {StringId::kLengthDe, StringId::kLengthEn}},
    {kPaperUnitLabel, {StringId::kUnitOfMeasurementDe, StringId::kUnitOfMeasurementEn}},
    {kAddPaperButton, {StringId::kAddDe, StringId::kAddEn}},
    {kDeletePaperButton, {StringId::kDeleteDe, StringId::kDeleteEn}},
    {kSlipCorrectionCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kImagePositioningCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kCutterCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kPrintSpeedCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kPrintDensityCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kConfigurationCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kPassThroughCheck, {StringId::kActivatedDe, StringId::kActivatedEn}},
    {kRotate180Check, {StringId::kRotate180De, StringId::kRotate180En}},
};

// Balloon titles: every error, and the print density's warning for a value that is not a
// multiple of 5.
inline constexpr TextPair kErrorTitleText{StringId::kErrorTitleDe, StringId::kErrorTitleEn};
inline constexpr TextPair kWarningTitleText{StringId::kWarningTitleDe, StringId::kWarningTitleEn};
// A field holds no number at all: the X or Y offset, the print density or slip correction.
inline constexpr TextPair kOffsetConversionErrorText{StringId::kOffsetConversionErrorDe,
                                                     StringId::kConversionErrorEn};
inline constexpr TextPair kNumberConversionErrorText{StringId::kNumberConversionErrorDe,
                                                     StringId::kConversionErrorEn};
// printf formats of the paper limits (two doubles, lower then upper).
inline constexpr TextPair kPaperWidthRangeInchFormat{StringId::kPaperWidthRangeInchDe,
                                                     StringId::kPaperWidthRangeInchEn};
inline constexpr TextPair kPaperWidthRangeMmFormat{StringId::kPaperWidthRangeMmDe,
                                                   StringId::kPaperWidthRangeMmEn};
inline constexpr TextPair kPaperLengthRangeInchFormat{StringId::kPaperLengthRangeInchDe,
                                                      StringId::kPaperLengthRangeInchEn};
inline constexpr TextPair kPaperLengthRangeMmFormat{StringId::kPaperLengthRangeMmDe,
                                                    StringId::kPaperLengthRangeMmEn};
// After a custom paper was deleted; %ls is the paper's name.
inline constexpr TextPair kPaperDeletedFormat{StringId::kPaperDeletedDe, StringId::kPaperDeletedEn};
inline constexpr TextPair kPaperDeletedCaption{StringId::kDeletePaperDe, StringId::kDeletePaperEn};

// The table's text of a pair in one language; every pair names texts the table holds.
std::u16string_view PageText(TextPair pair, bool german);

// Captions of the message boxes that refuse to leave the page, one per field.
inline constexpr TextPair kXOffsetErrorCaption{StringId::kXOffsetErrorDe,
                                               StringId::kXOffsetErrorEn};
inline constexpr TextPair kYOffsetErrorCaption{StringId::kYOffsetErrorDe,
                                               StringId::kYOffsetErrorEn};
inline constexpr TextPair kSlipCorrectionErrorCaption{StringId::kSlipCorrectionErrorDe,
                                                      StringId::kSlipCorrectionErrorEn};
inline constexpr TextPair kCopiesErrorCaption{StringId::kCopiesErrorDe, StringId::kCopiesErrorEn};
inline constexpr TextPair kDensityErrorCaption{StringId::kDensityErrorDe,
                                               StringId::kDensityErrorEn};

// The items of the unit lists. The page knows a list's unit by the first 4 or 2 characters of
// its text.
inline constexpr std::u16string_view kUnitInch = u"Inch";
inline constexpr std::u16string_view kUnitMm = u"mm";

}  // namespace adjustui::page
