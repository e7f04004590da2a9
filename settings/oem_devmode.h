// The private devmode: 1184 bytes behind the public DEVMODEW, stored with documents and read by the
// rendering side of the driver. The layout is a binary format; fields are only ever added in the
// reserved areas, never moved.
#pragma once

#include <cstddef>
#include <cstdint>

namespace adjustui {

inline constexpr std::uint32_t kOemDevmodeSize = 1184;
// 'ZEL' as a little-endian 32-bit value: bytes 4C 45 5A 00.
inline constexpr std::uint32_t kOemSignature = 0x005A454Cu;
inline constexpr std::uint32_t kOemVersion = 2;

// A 32-bit setting without a valid value (-1234567890).
inline constexpr std::uint32_t kUnsetValue = 0xB669FD2Eu;
inline constexpr std::int32_t kUnsetSigned = static_cast<std::int32_t>(kUnsetValue);

inline constexpr std::size_t kPassThroughFontUnits = 512;

struct OemDevmode {
    // OEM_DMEXTRAHEADER
    std::uint32_t dwSize;
    std::uint32_t dwSignature;
    std::uint32_t dwVersion;

    std::uint32_t dwReserved1;
    std::uint32_t dwReserved2;
    std::uint16_t wSelectedPaperSize;
    std::uint8_t gap22[2];
    std::uint8_t reserved24[16];
    std::uint8_t reserved40[24];
    std::int32_t lXOffset;
    std::int32_t lYOffset;
    std::uint8_t reserved72[8];
    std::uint8_t bSettingsValid;
    std::uint8_t gap81[3];
    std::int32_t lSlipCorrection;
    std::uint32_t dwCutter;
    std::uint32_t dwPrintSpeed;
    std::uint32_t dwPrintDensity;
    std::uint32_t dwCopies;
    std::uint32_t dwConfigNumber;
    std::int32_t lPaperSizeIndex;
    std::int32_t lLastPaperIndex;
    std::uint32_t dwReserved3;
    std::uint8_t reserved120[16];
    std::int32_t lStdPaperCount;
    std::int32_t lCustomPaperCount;
    std::uint8_t bSlipCorrectionSend;
    std::uint8_t bOffsetSend;
    std::uint8_t bCutterSend;
    std::uint8_t bPrintSpeedSend;
    std::uint8_t bPrintDensitySend;
    std::uint8_t bRotate180;
    std::uint8_t bPaperFormatSend;
    std::uint8_t bConfigSend;
    std::uint8_t bReserved152;
    std::uint8_t bPassThroughSend;
    char16_t szPassThroughFont[kPassThroughFontUnits];
    std::uint8_t trailing[6];
};

static_assert(offsetof(OemDevmode, dwSize) == 0);
static_assert(offsetof(OemDevmode, dwSignature) == 4);
static_assert(offsetof(OemDevmode, dwVersion) == 8);
static_assert(offsetof(OemDevmode, dwReserved1) == 12);
static_assert(offsetof(OemDevmode, dwReserved2) == 16);
static_assert(offsetof(OemDevmode, wSelectedPaperSize) == 20);
static_assert(offsetof(OemDevmode, gap22) == 22);
static_assert(offsetof(OemDevmode, reserved24) == 24);
static_assert(offsetof(OemDevmode, reserved40) == 40);
static_assert(offsetof(OemDevmode, lXOffset) == 64);
static_assert(offsetof(OemDevmode, lYOffset) == 68);
static_assert(offsetof(OemDevmode, reserved72) == 72);
static_assert(offsetof(OemDevmode, bSettingsValid) == 80);
static_assert(offsetof(OemDevmode, gap81) == 81);
static_assert(offsetof(OemDevmode, lSlipCorrection) == 84);
static_assert(offsetof(OemDevmode, dwCutter) == 88);
static_assert(offsetof(OemDevmode, dwPrintSpeed) == 92);
static_assert(offsetof(OemDevmode, dwPrintDensity) == 96);
static_assert(offsetof(OemDevmode, dwCopies) == 100);
static_assert(offsetof(OemDevmode, dwConfigNumber) == 104);
static_assert(offsetof(OemDevmode, lPaperSizeIndex) == 108);
static_assert(offsetof(OemDevmode, lLastPaperIndex) == 112);
static_assert(offsetof(OemDevmode, dwReserved3) == 116);
static_assert(offsetof(OemDevmode, reserved120) == 120);
static_assert(offsetof(OemDevmode, lStdPaperCount) == 136);
static_assert(offsetof(OemDevmode, lCustomPaperCount) == 140);
static_assert(offsetof(OemDevmode, bSlipCorrectionSend) == 144);
static_assert(offsetof(OemDevmode, bOffsetSend) == 145);
static_assert(offsetof(OemDevmode, bCutterSend) == 146);
static_assert(offsetof(OemDevmode, bPrintSpeedSend) == 147);
static_assert(offsetof(OemDevmode, bPrintDensitySend) == 148);
static_assert(offsetof(OemDevmode, bRotate180) == 149);
static_assert(offsetof(OemDevmode, bPaperFormatSend) == 150);
static_assert(offsetof(OemDevmode, bConfigSend) == 151);
static_assert(offsetof(OemDevmode, bReserved152) == 152);
static_assert(offsetof(OemDevmode, bPassThroughSend) == 153);
static_assert(offsetof(OemDevmode, szPassThroughFont) == 154);
static_assert(offsetof(OemDevmode, trailing) == 1178);
static_assert(sizeof(OemDevmode) == kOemDevmodeSize);

}  // namespace adjustui
