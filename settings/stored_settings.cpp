#include "settings/stored_settings.h"

#include <cstring>
#include <string_view>

namespace adjustui {

std::int64_t SettingNumber(const StoredSetting& setting, const OemDevmode& block) {
    std::uint32_t v;
    std::memcpy(&v, reinterpret_cast<const std::byte*>(&block) + setting.field, sizeof v);
    return setting.kind == SettingKind::Unsigned ? std::int64_t{v}
                                                 : std::int64_t{static_cast<std::int32_t>(v)};
}

void SetSettingNumber(const StoredSetting& setting, OemDevmode& block, std::uint32_t v) {
    std::memcpy(reinterpret_cast<std::byte*>(&block) + setting.field, &v, sizeof v);
}

std::uint32_t StoredType(SettingKind kind) {
    switch (kind) {
        case SettingKind::Signed:
        case SettingKind::Unsigned:
        case SettingKind::Word:
            return kRegDword;
        case SettingKind::Flag:
        case SettingKind::Count:
            return kRegBinary;
        case SettingKind::Text:
            return kRegExpandSz;
    }
    return kRegBinary;
}

}  // namespace adjustui
