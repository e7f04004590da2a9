// The page's check boxes: the devmode flag each one shows and the controls it enables.
#pragma once

#include <cstddef>
#include <span>

#include "page/controls.h"
#include "settings/oem_devmode.h"

namespace adjustui::page {

struct CheckBox {
    ControlId box;
    std::size_t flag;  // offset of the one-byte flag in OemDevmode
    std::span<const ControlId> enables;
};

inline constexpr ControlId kSlipCorrectionEnables[] = {kSlipCorrectionEdit, kSlipCorrectionLabel,
                                                       kSlipCorrectionPercent};
inline constexpr ControlId kImagePositioningEnables[] = {
    kXOffsetLabel, kYOffsetLabel, kXOffsetEdit, kYOffsetEdit, kXOffsetUnitList, kYOffsetUnitList};
inline constexpr ControlId kCutterEnables[] = {kCutterList};
inline constexpr ControlId kPrintSpeedEnables[] = {kPrintSpeedList, kPrintSpeedUnit};
inline constexpr ControlId kPrintDensityEnables[] = {kPrintDensityEdit, kPrintDensityPercent};
inline constexpr ControlId kPassThroughEnables[] = {kPassThroughFontList};
inline constexpr ControlId kConfigurationEnables[] = {kConfigNumberLabel, kConfigNumberList};

// In the order the page sets them when it opens.
inline constexpr CheckBox kCheckBoxes[] = {
    {kSlipCorrectionCheck, offsetof(OemDevmode, bSlipCorrectionSend), kSlipCorrectionEnables},
    {kImagePositioningCheck, offsetof(OemDevmode, bOffsetSend), kImagePositioningEnables},
    {kCutterCheck, offsetof(OemDevmode, bCutterSend), kCutterEnables},
    {kPrintSpeedCheck, offsetof(OemDevmode, bPrintSpeedSend), kPrintSpeedEnables},
    {kPrintDensityCheck, offsetof(OemDevmode, bPrintDensitySend), kPrintDensityEnables},
    {kRotate180Check, offsetof(OemDevmode, bRotate180), {}},
    {kPassThroughCheck, offsetof(OemDevmode, bPassThroughSend), kPassThroughEnables},
    {kConfigurationCheck, offsetof(OemDevmode, bConfigSend), kConfigurationEnables},
};

inline std::uint8_t& FlagOf(const CheckBox& check, OemDevmode& block) {
    return reinterpret_cast<std::uint8_t*>(&block)[check.flag];
}

}  // namespace adjustui::page
