// Numbers as the page reads them from its fields: one implementation for both builds, so a text
// means the same number wherever it is judged.
#pragma once

#include <cstddef>
#include <string_view>

namespace adjustui {

enum class NumberKind {
    Decimal,  // optional fraction after '.' or ',', optional exponent
    Whole,    // digits only
};

struct ScannedNumber {
    enum class Status {
        Number,  // the whole text is one number
        Empty,   // nothing but blanks
        Syntax,  // something else; `value` and `consumed` describe the number it starts with, if
                 // any
    };
    Status status = Status::Empty;
    // Too large for a double: plus or minus infinity, which fails every range check.
    double value = 0;
    std::size_t consumed = 0;  // units of the leading number, blanks before it included

    bool IsNumber() const { return status == Status::Number; }
    bool InRange(double low, double high) const {
        return IsNumber() && low <= value && value <= high;
    }
};

// Leading blanks, an optional sign, digits with at most one decimal separator (Decimal only), an
// optional exponent (Decimal only).
ScannedNumber ScanNumber(std::u16string_view text, NumberKind kind);

}  // namespace adjustui
