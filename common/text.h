// UTF-16 text helpers shared by both builds: the platform's wide text is 16 bits wide on Windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace adjustui {

// Length of a text held in a fixed field: stops at the first zero unit or at the field's end.
constexpr std::size_t BoundedLength(const char16_t* field, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && field[n] != u'\0')
        ++n;
    return n;
}

template <std::size_t N>
constexpr std::u16string_view FieldText(const char16_t (&field)[N]) {
    return {field, BoundedLength(field, N)};
}

// Copies at most N - 1 units and terminates; the units after the terminator become zero, so the
// whole field has defined bytes.
template <std::size_t N>
constexpr void AssignField(char16_t (&field)[N], std::u16string_view text) {
    std::size_t n = text.size() < N ? text.size() : N - 1;
    for (std::size_t i = 0; i < N; ++i)
        field[i] = i < n ? text[i] : u'\0';
}

// Case-insensitive comparison of the C locale: only the ASCII letters fold.
constexpr char16_t FoldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}

constexpr bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

// Printer-data value names are matched as the registry matches key and value names: upper case
// of the letters of the Latin-1, Latin Extended-A, Greek and Cyrillic blocks folds to the same
// unit as lower case; other units compare exactly.
constexpr char16_t FoldValueNameUnit(char16_t c) {
    if (c < 0x80)
        return FoldAscii(c);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) {
        // Pairs, upper case first: on even units, but on odd ones from 0x139 to 0x148 and from
        // 0x179 on.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        const bool upper = oddUpper ? (c & 1) != 0 : (c & 1) == 0;
        return upper ? c + 1 : c;
    }
    return c;
}

// Orders value names as the spooler tells them apart.
struct ValueNameLess {
    using is_transparent = void;
    constexpr bool operator()(std::u16string_view a, std::u16string_view b) const {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const char16_t x = FoldValueNameUnit(a[i]);
            const char16_t y = FoldValueNameUnit(b[i]);
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

}  // namespace adjustui
