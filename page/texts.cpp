#include "page/texts.h"

#include <algorithm>

namespace adjustui::page {
namespace {

constexpr bool IdsRise() {
    for (std::size_t i = 1; i < std::size(kPageStrings); ++i) {
        if (kPageStrings[i - 1].id >= kPageStrings[i].id)
            return false;
    }
    return true;
}
static_assert(IdsRise(), "the lookup searches by halves");

}  // namespace

std::optional<std::u16string_view> FindPageString(std::uint32_t id) {
    const auto found = std::lower_bound(std::begin(kPageStrings), std::end(kPageStrings), id,
                                        [](const PageString& entry, std::uint32_t key) {
                                            return static_cast<std::uint32_t>(entry.id) < key;
                                        });
    if (found == std::end(kPageStrings) || static_cast<std::uint32_t>(found->id) != id)
        return std::nullopt;
    return found->text;
}

std::u16string_view PageText(TextPair pair, bool german) {
    return FindPageString(static_cast<std::uint32_t>(pair.In(german))).value_or(u"");
}

}  // namespace adjustui::page
