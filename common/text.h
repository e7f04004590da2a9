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

}  // namespace adjustui
