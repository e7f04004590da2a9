#include "page/paper_editor.h"

#include <algorithm>

#include "common/text.h"

namespace adjustui::page {
namespace {

bool Named(const PaperRecord& r, std::u16string_view name) {
    return FieldText(r.name) == name;
}

const PaperRecord* LastWithCode(std::span<const PaperRecord> list, std::uint16_t code) {
    auto match = std::find_if(list.rbegin(), list.rend(),
                              [&](const PaperRecord& r) { return r.id == code; });
    return match != list.rend() ? &*match : nullptr;
}

}  // namespace

NameKind ClassifyPaperName(std::u16string_view name, std::span<const PaperRecord> standard,
                           std::span<const PaperRecord> custom) {
    if (name.empty())
        return NameKind::Empty;
    auto named = [&](const PaperRecord& r) { return Named(r, name); };
    if (std::any_of(custom.begin(), custom.end(), named))
        return NameKind::Custom;
    if (std::any_of(standard.begin(), standard.end(), named))
        return NameKind::Standard;
    return NameKind::New;
}

std::optional<PaperRecord> PaperOfCode(std::uint16_t code, std::span<const PaperRecord> standard,
                                       std::span<const PaperRecord> custom) {
    if (const PaperRecord* r = LastWithCode(standard, code))
        return *r;
    if (const PaperRecord* r = LastWithCode(custom, code))
        return *r;
    return std::nullopt;
}

}  // namespace adjustui::page
