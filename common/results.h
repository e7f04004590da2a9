// Result codes exactly as the platform defines them, for code that must not include its headers.
#pragma once

#include <cstdint>

namespace adjustui {

using HResult = std::int32_t;

inline constexpr HResult kS_OK = 0;
inline constexpr HResult kS_FALSE = 1;
inline constexpr HResult kE_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult kE_NOINTERFACE = static_cast<HResult>(0x80004002u);
inline constexpr HResult kE_POINTER = static_cast<HResult>(0x80004003u);
inline constexpr HResult kE_FAIL = static_cast<HResult>(0x80004005u);
inline constexpr HResult kE_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER): what a cut-short string copy reports.
inline constexpr HResult kE_InsufficientBuffer = static_cast<HResult>(0x8007007Au);
// Success code of a media-ready query without an output buffer.
inline constexpr HResult kS_MediaReadyCount = 0x0004DC01;

// Win32 error codes (thread last error, spooler results).
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotSupported = 50;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorMoreData = 234;

// What an operation answers at the interface: its result and, when it fails, the thread's last
// error (0: leave the last error alone).
struct Outcome {
    HResult result = kS_OK;
    std::uint32_t lastError = 0;
};

}  // namespace adjustui
