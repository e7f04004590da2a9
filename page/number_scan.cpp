#include "page/number_scan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace adjustui {
namespace {

constexpr bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}
constexpr bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

struct Cursor {
    std::u16string_view text;
    std::size_t at = 0;
    std::string ascii;  // what from_chars reads: the number so far, with '.' as separator

    bool Take(char16_t c) {
        if (at < text.size() && text[at] == c) {
            ascii.push_back(static_cast<char>(c));
            ++at;
            return true;
        }
        return false;
    }
    bool TakeSign() { return Take(u'+') || Take(u'-'); }
    std::size_t TakeDigits() {
        std::size_t n = 0;
        while (at < text.size() && IsDigit(text[at])) {
            ascii.push_back(static_cast<char>(text[at++]));
            ++n;
        }
        return n;
    }
};

// The power of ten of the first significant digit of an unsigned number text ("123" 2, "0.05" -2),
// saturated far beyond what a double holds.
long long DecimalMagnitude(std::string_view number) {
    constexpr long long kFar = 1'000'000;
    long long magnitude = 0;
    bool seenSignificant = false;
    bool inFraction = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            inFraction = true;
        } else if (!seenSignificant && number[i] == '0') {
            if (inFraction)
                --magnitude;
        } else if (!seenSignificant) {
            seenSignificant = true;
            magnitude = inFraction ? magnitude - 1 : 0;
        } else if (!inFraction) {
            ++magnitude;
        }
    }
    if (i < number.size()) {
        long long exponent = 0;
        const bool negative = i + 1 < number.size() && number[i + 1] == '-';
        for (++i; i < number.size(); ++i) {
            if (number[i] >= '0' && number[i] <= '9')
                exponent = std::min(exponent * 10 + (number[i] - '0'), kFar);
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

}  // namespace

ScannedNumber ScanNumber(std::u16string_view text, NumberKind kind) {
    ScannedNumber result;
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start == text.size())
        return result;

    result.status = ScannedNumber::Status::Syntax;
    Cursor c{text, start, {}};
    c.TakeSign();
    std::size_t digits = c.TakeDigits();
    if (kind == NumberKind::Decimal && c.at < text.size() &&
        (text[c.at] == u'.' || text[c.at] == u',')) {
        const Cursor beforeSeparator = c;
        ++c.at;
        c.ascii.push_back('.');
        const std::size_t fraction = c.TakeDigits();
        if (digits + fraction == 0)
            c = beforeSeparator;
        digits += fraction;
    }
    if (digits == 0)
        return result;
    if (kind == NumberKind::Decimal && c.at < text.size() &&
        (text[c.at] == u'e' || text[c.at] == u'E')) {
        Cursor exponent = c;
        ++exponent.at;
        exponent.ascii.push_back('e');
        exponent.TakeSign();
        if (exponent.TakeDigits() > 0)
            c = exponent;
    }

    // from_chars takes no '+'; the digits alone are read and the sign applied after.
    const char* first = c.ascii.data();
    const char* last = first + c.ascii.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large becomes infinity; too small to tell from zero is zero.
        value = DecimalMagnitude({first, last}) > 0 ? HUGE_VAL : 0.0;
    } else if (ec != std::errc{} || end != last) {
        return result;
    }
    result.value = negative ? -value : value;
    result.consumed = c.at;
    if (c.at == text.size())
        result.status = ScannedNumber::Status::Number;
    return result;
}

}  // namespace adjustui
