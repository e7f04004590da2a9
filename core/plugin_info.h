// What the plug-in object answers by itself: its signature and version, and the colour profile.
#pragma once

#include <cstdint>

#include "common/results.h"

namespace adjustui {

inline constexpr std::uint32_t kOemGiGetSignature = 1;
inline constexpr std::uint32_t kOemGiGetInterfaceVersion = 2;
inline constexpr std::uint32_t kOemGiGetVersion = 3;
inline constexpr std::uint32_t kOemGiGetPublisherInfo = 4;

inline constexpr std::uint32_t kQcpDeviceProfile = 0;
inline constexpr std::uint32_t kQcpProfileDisk = 2;
inline constexpr char16_t kColorProfileName[] = u"OEMPROFILE.icm";
// Announced size of the profile data, two bytes more than the name needs.
inline constexpr std::uint32_t kColorProfileBytes = 32;

Outcome GetInfo(std::uint32_t mode, void* buffer, std::uint32_t bufferSize, std::uint32_t* needed);

Outcome QueryColorProfile(std::uint32_t queryMode, void* profileData, std::uint32_t* profileSize,
                          std::uint32_t* profileFlags);

}  // namespace adjustui
