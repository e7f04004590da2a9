#include "core/plugin_info.h"

#include <cstring>

#include "settings/oem_devmode.h"

namespace adjustui {

Outcome GetInfo(std::uint32_t mode, void* buffer, std::uint32_t bufferSize, std::uint32_t* needed) {
    if (needed == nullptr || (mode != kOemGiGetSignature && mode != kOemGiGetVersion &&
                              mode != kOemGiGetPublisherInfo)) {
        return {kE_FAIL, kErrorInvalidParameter};
    }
    *needed = sizeof(std::uint32_t);
    if (buffer == nullptr || bufferSize < sizeof(std::uint32_t)) {
        return {kE_FAIL, kErrorInsufficientBuffer};
    }
    if (mode == kOemGiGetPublisherInfo) {
        *needed = 0;
        return {kE_FAIL, kErrorNotSupported};
    }
    const std::uint32_t answer = mode == kOemGiGetSignature ? kOemSignature : kOemVersion;
    std::memcpy(buffer, &answer, sizeof answer);
    return {};
}

Outcome QueryColorProfile(std::uint32_t queryMode, void* profileData, std::uint32_t* profileSize,
                          std::uint32_t* profileFlags) {
    if (queryMode != kQcpDeviceProfile)
        return {kE_FAIL, 0};
    // The caller must supply both; without them there is nowhere to answer.
    if (profileSize == nullptr || profileFlags == nullptr) {
        return {kE_FAIL, kErrorInvalidParameter};
    }
    if (profileData == nullptr || *profileSize < kColorProfileBytes) {
        *profileSize = kColorProfileBytes;
        return {kE_FAIL, kErrorInsufficientBuffer};
    }
    static_assert(sizeof kColorProfileName <= kColorProfileBytes);
    std::memcpy(profileData, kColorProfileName, sizeof kColorProfileName);
    *profileSize = kColorProfileBytes;
    *profileFlags = kQcpProfileDisk;
    return {};
}

}  // namespace adjustui
