#include <gtest/gtest.h>

#include <string>

#include "page/validation.h"

namespace adjustui::page {
namespace {

constexpr bool kGerman = true;
constexpr bool kEnglish = false;

std::string Shown(std::u16string_view text) {
    std::string out;
    for (char16_t c : text.substr(0, 40))
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// The outcome a case expects: valid, or the number state and the balloon's text (title "Error"
// and the error icon unless `warning`; the titles in the case's language).
struct Expected {
    std::u16string text;  // empty: valid
    bool isNumber = true;
    bool warning = false;
};

void ExpectCheck(const FieldCheck& got, const Expected& want, std::u16string_view input,
                 bool german = kEnglish) {
    SCOPED_TRACE(Shown(input));
    if (want.text.empty()) {
        EXPECT_TRUE(got.valid);
        EXPECT_TRUE(got.isNumber);
        EXPECT_FALSE(got.balloon.has_value());
        return;
    }
    EXPECT_FALSE(got.valid);
    EXPECT_EQ(got.isNumber, want.isNumber);
    ASSERT_TRUE(got.balloon.has_value());
    const std::u16string_view title =
        german ? (want.warning ? u"Warnung" : u"Fehler") : (want.warning ? u"Warning" : u"Error");
    const Balloon expected{std::u16string(title), want.text,
                           want.warning ? BalloonIcon::Warning : BalloonIcon::Error};
    EXPECT_EQ(*got.balloon, expected) << Shown(got.balloon->text);
}

const std::u16string kLong(600, u'1');  // 511 ones are read: a number far above every range

TEST(PageValidationTest, OffsetsInInchAndMillimetres) {
    struct Case {
        std::u16string text;
        LengthUnit unit;
        bool german;
        Expected want;
    };
    const Case cases[] = {
        {u"1", LengthUnit::Inch, kEnglish, {}},
        {u"-1", LengthUnit::Inch, kEnglish, {}},
        {u"0,5", LengthUnit::Inch, kEnglish, {}},
        {u"1.00000001", LengthUnit::Inch, kEnglish, {u"Value must be between -1 and 1 Inch."}},
        {u"1.01", LengthUnit::Inch, kEnglish, {u"Value must be between -1 and 1 Inch."}},
        {u"-1.01", LengthUnit::Inch, kGerman, {u"Wert muss zwischen -1 und 1 Inch liegen."}},
        {u"25.4", LengthUnit::Millimetre, kEnglish, {}},
        {u"-25,4", LengthUnit::Millimetre, kEnglish, {}},
        {u"25.41", LengthUnit::Millimetre, kEnglish, {u"Value must be between -25.4 and 25.4 mm."}},
        {u"25.41",
         LengthUnit::Millimetre,
         kGerman,
         {u"Wert muss zwischen -25,4 und 25,4 mm liegen."}},
        {u"1e999", LengthUnit::Millimetre, kEnglish, {u"Value must be between -25.4 and 25.4 mm."}},
        {u"-1e300", LengthUnit::Inch, kEnglish, {u"Value must be between -1 and 1 Inch."}},
        {kLong, LengthUnit::Inch, kEnglish, {u"Value must be between -1 and 1 Inch."}},
        {u"", LengthUnit::Inch, kEnglish, {u"Conversion error", false}},
        {u"", LengthUnit::Millimetre, kGerman, {u"KONVERTIERUNGSFEHLER", false}},
        {u"-", LengthUnit::Inch, kEnglish, {u"Syntax error", false}},
        {u"-", LengthUnit::Inch, kGerman, {u"Eingabefehler", false}},
        {u"0.5 ", LengthUnit::Inch, kEnglish, {u"Syntax error", false}},
        {u"abc", LengthUnit::Inch, kEnglish, {u"Syntax error", false}},
        {u"nan", LengthUnit::Inch, kEnglish, {u"Syntax error", false}},
    };
    for (const Case& c : cases)
        ExpectCheck(CheckOffset(c.text, c.unit, c.german), c.want, c.text, c.german);
}

TEST(PageValidationTest, WholeNumberFields) {
    struct Case {
        FieldCheck (*check)(std::u16string_view, bool);
        std::u16string text;
        bool german;
        Expected want;
    };
    const Case cases[] = {
        {CheckSlipCorrection, u"-100", kEnglish, {}},
        {CheckSlipCorrection, u"100", kGerman, {}},
        {CheckSlipCorrection, u"101", kEnglish, {u"Slip Correction must be between -100 and 100."}},
        {CheckSlipCorrection,
         u"-101",
         kGerman,
         {u"Schlupfkorrektur muss zwischen -100 und 100 liegen."}},
        {CheckSlipCorrection,
         u"4294967296",
         kEnglish,
         {u"Slip Correction must be between -100 and 100."}},  // no wrap to 0
        {CheckSlipCorrection, u"", kGerman, {u"Konvertierungsfehler", false}},
        {CheckSlipCorrection, u"1.5", kEnglish, {u"Syntax error", false}},
        {CheckDensity, u"15", kEnglish, {}},
        {CheckDensity, u"120", kGerman, {}},
        {CheckDensity,
         u"12",
         kEnglish,
         {u"The final digit of the value must be either 0 or 5.", true, true}},
        {CheckDensity,
         u"117",
         kGerman,
         {u"Der Endziffer des eingegebenen Werts muss entweder 0 oder 5 betragen.", true, true}},
        {CheckDensity, u"125", kEnglish, {u"Value must be between 10 and 120."}},
        {CheckDensity, u"5", kEnglish, {u"Value must be between 10 and 120."}},
        {CheckDensity, u"-5", kGerman, {u"Wert muss zwischen 10 und 120 liegen."}},
        {CheckDensity, kLong, kEnglish, {u"Value must be between 10 and 120."}},
        {CheckDensity, u"", kEnglish, {u"Conversion error", false}},
        {CheckDensity, u"1e2", kEnglish, {u"Syntax error", false}},
        {CheckCopies, u"1", kEnglish, {}},
        {CheckCopies, u"9999", kEnglish, {}},
        {CheckCopies, u"10000", kEnglish, {u"Number of copies may not exceed 9999."}},
        {CheckCopies, u"10000", kGerman, {u"Anzahl der Exemplare darf maximal 9999 betragen."}},
        {CheckCopies, u"0", kEnglish, {u"Number of copies must be at least 1."}},
        {CheckCopies,
         u"-99999999999",
         kGerman,
         {u"Anzahl der Exemplare muss mindestens 1 betragen."}},
        {CheckCopies, kLong, kEnglish, {u"Number of copies may not exceed 9999."}},
        {CheckCopies, u"", kEnglish, {u"Invalid", false}},
        {CheckCopies, u"", kGerman, {u"Ungültig", false}},
        {CheckCopies, u"12a", kGerman, {u"Eingabefehler", false}},
    };
    for (const Case& c : cases)
        ExpectCheck(c.check(c.text, c.german), c.want, c.text, c.german);
}

TEST(PageValidationTest, PaperSizesBetweenThePrintersExtents) {
    // Width 43..2286 and length 42..20320 tenths of a millimetre.
    const PaperLimits limits{(42u << 16) | 43u, (20320u << 16) | 2286u};
    struct Case {
        bool width;
        std::u16string text;
        LengthUnit unit;
        bool german;
        Expected want;
    };
    const Case cases[] = {
        {true, u"228.6", LengthUnit::Millimetre, kEnglish, {}},
        {true, u"4,3", LengthUnit::Millimetre, kEnglish, {}},
        {true, u"9", LengthUnit::Inch, kEnglish, {}},
        {true,
         u"9.5",
         LengthUnit::Inch,
         kEnglish,
         {u"Width of paper must be between 0.17 Inch and 9.00 Inch"}},
        {true,
         u"0.1",
         LengthUnit::Inch,
         kGerman,
         {u"Papierbreite muss zwischen 0.17 Inch und 9.00 Inch liegen"}},
        {true,
         u"228.7",
         LengthUnit::Millimetre,
         kEnglish,
         {u"Width of paper must be between 4.30 mm and 228.60 mm"}},
        {true,
         u"-1",
         LengthUnit::Millimetre,
         kGerman,
         {u"Papierbreite muss zwischen 4.30 mm und 228.60 mm liegen"}},
        {false, u"2032", LengthUnit::Millimetre, kEnglish, {}},
        {false,
         u"2033",
         LengthUnit::Millimetre,
         kEnglish,
         {u"Length of paper must be between 4.20 mm and 2032.00 mm"}},
        {false,
         u"1e999",
         LengthUnit::Millimetre,
         kGerman,
         {u"Papierlänge muss zwischen 4.20 mm und 2032.00 mm liegen"}},
        {false,
         u"81",
         LengthUnit::Inch,
         kEnglish,
         {u"Length of paper must be between 0.17 Inch and 80.00 Inch"}},
        {false,
         u"0,1",
         LengthUnit::Inch,
         kGerman,
         {u"Papierlänge muss zwischen 0.17 Inch und 80.00 Inch liegen"}},
        // Not a number: the syntax text, empty fields included.
        {true, u"", LengthUnit::Millimetre, kEnglish, {u"Syntax error", false}},
        {false, u"", LengthUnit::Inch, kGerman, {u"Eingabefehler", false}},
        {true, u"1,2,3", LengthUnit::Millimetre, kEnglish, {u"Syntax error", false}},
    };
    for (const Case& c : cases) {
        const FieldCheck got = c.width ? CheckPaperWidth(c.text, c.unit, limits, c.german)
                                       : CheckPaperLength(c.text, c.unit, limits, c.german);
        ExpectCheck(got, c.want, c.text, c.german);
    }
    // A printer whose extents are 0 accepts only zero; one whose extents are unknown any size a
    // devmode can carry.
    ExpectCheck(CheckPaperWidth(u"0", LengthUnit::Millimetre, PaperLimits{0, 0}, kEnglish), {},
                u"0");
    ExpectCheck(CheckPaperWidth(u"1", LengthUnit::Millimetre, PaperLimits{0, 0}, kEnglish),
                {u"Width of paper must be between 0.00 mm and 0.00 mm"}, u"1");
    ExpectCheck(CheckPaperLength(u"3276.7", LengthUnit::Millimetre, std::nullopt, kEnglish), {},
                u"3276.7");
    ExpectCheck(CheckPaperWidth(u"0", LengthUnit::Inch, std::nullopt, kEnglish),
                {u"Width of paper must be between 0.00 Inch and 129.00 Inch"}, u"0");
}

TEST(PageValidationTest, FilterKeepsOnlyWhatANumberOfTheKindMayHold) {
    using enum NumberKind;
    for (NumberKind kind : {Decimal, Whole}) {
        for (char16_t digit = u'0'; digit <= u'9'; ++digit)
            EXPECT_TRUE(FilterPasses(digit, kind, u"-1,5", 3));
        EXPECT_TRUE(FilterPasses(8, kind, u"-", 1)) << "backspace";
        EXPECT_TRUE(FilterPasses(u'-', kind, u"5", 0)) << "whole text selected";
        EXPECT_TRUE(FilterPasses(u'-', kind, u"", 0));
        EXPECT_FALSE(FilterPasses(u'-', kind, u"5", 1)) << "caret after the first character";
        EXPECT_FALSE(FilterPasses(u'-', kind, u"-5", 0));
        for (char16_t junk : {u'+', u'e', u'a', u' ', u'\t', u'\r', char16_t{0x1B}, u'\uFF11'})
            EXPECT_FALSE(FilterPasses(junk, kind, u"", 0)) << int(junk);
    }
    EXPECT_TRUE(FilterPasses(u'.', Decimal, u"15", 1));
    EXPECT_TRUE(FilterPasses(u',', Decimal, u"15", 2));
    EXPECT_FALSE(FilterPasses(u'.', Decimal, u"1,5", 3));
    EXPECT_FALSE(FilterPasses(u',', Decimal, u"1.5", 0));
    EXPECT_FALSE(FilterPasses(u',', Whole, u"", 0));
    EXPECT_FALSE(FilterPasses(u'.', Whole, u"1", 1));
    // Only what the field read gives is looked at.
    const std::u16string minusBeyondRead = std::u16string(kFieldReadUnits, u'1') + u"-";
    EXPECT_TRUE(FilterPasses(u'-', Whole, minusBeyondRead, 0));
}

}  // namespace
}  // namespace adjustui::page
