// Which language the page speaks: German for the default sort order of the German locales of
// Germany, Switzerland, Austria, Luxembourg and Liechtenstein; English for every other locale.
#pragma once

#include <cstdint>

namespace adjustui::page {

// lcid as GetUserDefaultLCID gives it.
constexpr bool IsGermanLocale(std::uint32_t lcid) {
    constexpr std::uint32_t kGermanGermany = 0x0407;
    constexpr std::uint32_t kLastGermanSublanguage = 0x1407;
    constexpr std::uint32_t kPrimaryLanguageMask = 0x03FF;
    constexpr std::uint32_t kLangGerman = 0x07;
    // Unsigned, so ids below 0x0407 wrap and fail too; ids with a sort order lie above 0xFFFF.
    return lcid - kGermanGermany <= kLastGermanSublanguage - kGermanGermany &&
           (lcid & kPrimaryLanguageMask) == kLangGerman;
}

}  // namespace adjustui::page
