#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/text.h"
#include "page/custom_paper.h"
#include "page/number_scan.h"

namespace adjustui {
namespace {

using Status = ScannedNumber::Status;

TEST(NumberScanTest, AFieldIsANumberOnlyWhenItsWholeTextScans) {
    struct Case {
        std::u16string text;
        NumberKind kind;
        Status status;
        double value;
    };
    const Case cases[] = {
        {u"0,5", NumberKind::Decimal, Status::Number, 0.5},
        {u"  -.5", NumberKind::Decimal, Status::Number, -0.5},
        {u"+3.", NumberKind::Decimal, Status::Number, 3},
        {u"1e2", NumberKind::Decimal, Status::Number, 100},
        {u"2.5E-1", NumberKind::Decimal, Status::Number, 0.25},
        {u"1e", NumberKind::Decimal, Status::Syntax, 1},
        {u"1.2.3", NumberKind::Decimal, Status::Syntax, 1.2},
        {u"1,2,3", NumberKind::Decimal, Status::Syntax, 1.2},
        {u"12.5mm", NumberKind::Decimal, Status::Syntax, 12.5},
        {u"5 ", NumberKind::Decimal, Status::Syntax, 5},
        {u"-", NumberKind::Decimal, Status::Syntax, 0},
        {u".", NumberKind::Decimal, Status::Syntax, 0},
        {u"--1", NumberKind::Decimal, Status::Syntax, 0},
        {u"nan", NumberKind::Decimal, Status::Syntax, 0},
        {u"inf", NumberKind::Decimal, Status::Syntax, 0},
        {u"0x10", NumberKind::Decimal, Status::Syntax, 0},
        {u"\uFF11", NumberKind::Decimal, Status::Syntax, 0},  // a full-width digit
        {u"", NumberKind::Decimal, Status::Empty, 0},
        {u" \t", NumberKind::Whole, Status::Empty, 0},
        {u"-100", NumberKind::Whole, Status::Number, -100},
        {u"1.5", NumberKind::Whole, Status::Syntax, 1},
        {u"1e3", NumberKind::Whole, Status::Syntax, 1},
        {u"99999999999999999999", NumberKind::Whole, Status::Number, 1e20},
    };
    for (const Case& c : cases) {
        const ScannedNumber n = ScanNumber(c.text, c.kind);
        const std::string shown(c.text.begin(), c.text.end());
        EXPECT_EQ(n.status, c.status) << shown;
        if (n.consumed > 0) {
            EXPECT_DOUBLE_EQ(n.value, c.value) << shown;
        }
    }
    EXPECT_EQ(ScanNumber(u"12.5mm", NumberKind::Decimal).consumed, 4u);

    // Too large never wraps: it fails every range a field can have; too small is zero.
    const ScannedNumber huge = ScanNumber(u"-1e999", NumberKind::Decimal);
    EXPECT_TRUE(huge.IsNumber());
    EXPECT_TRUE(std::isinf(huge.value) && huge.value < 0);
    EXPECT_FALSE(huge.InRange(-1e308, 1e308));
    const std::u16string longWhole(400, u'9');
    EXPECT_FALSE(ScanNumber(longWhole, NumberKind::Whole).InRange(1, 9999));
    EXPECT_EQ(ScanNumber(u"1e-999", NumberKind::Decimal).value, 0.0);
    EXPECT_EQ(ScanNumber(u"0." + std::u16string(400, u'0') + u"1", NumberKind::Decimal).value, 0.0);
    EXPECT_TRUE(ScanNumber(u"9999", NumberKind::Whole).InRange(1, 9999));
    EXPECT_FALSE(ScanNumber(u"9999 ", NumberKind::Whole).InRange(1, 9999));
}

TEST(CustomPaperTest, SizesAreReadLikeTheFieldsAndTruncatedToTenths) {
    const PaperRecord r = MakeCustomPaper(u"Ticket", u"2", u"3", LengthUnit::Inch, 261);
    EXPECT_EQ(r.width, 508);
    EXPECT_EQ(r.length, 762);
    EXPECT_EQ(r.id, 261);
    EXPECT_EQ(std::u16string(r.name), u"Ticket");
    auto width = [](std::u16string_view text, LengthUnit unit) {
        return MakeCustomPaper(u"x", text, u"1", unit, 257).width;
    };
    EXPECT_EQ(width(u"50.55", LengthUnit::Millimetre), 505);
    EXPECT_EQ(width(u"0.17", LengthUnit::Inch), 43);
    // A decimal comma means what the field's check took it to mean.
    EXPECT_EQ(width(u"50,5", LengthUnit::Millimetre), 505);
    EXPECT_EQ(width(u"  12.5mm", LengthUnit::Millimetre), 125);
    EXPECT_EQ(width(u"-2.79", LengthUnit::Millimetre), -27);
    EXPECT_EQ(width(u"abc", LengthUnit::Millimetre), 254) << "25.4 mm";
    EXPECT_EQ(width(u"1e300", LengthUnit::Inch), 6451) << "no field can hold it: 25.4 inch";

    const std::u16string longName(80, u'N');
    const PaperRecord named = MakeCustomPaper(longName, u"1", u"1", LengthUnit::Millimetre, 257);
    EXPECT_EQ(BoundedLength(named.name, kPaperNameUnits), 63u);
    EXPECT_EQ(named.name[63], u'\0');
}

}  // namespace
}  // namespace adjustui
