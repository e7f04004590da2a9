#include "models/model_tables.h"

#include <string>

#include "common/text.h"

namespace adjustui {
namespace {

struct PageGroups {
    std::u16string_view name;
    ModelCapabilities groups;
};

constexpr ModelCapabilities C(bool cutter, bool speed, bool density, bool slip) {
    return {cutter, speed, density, slip};
}

// Compared exactly: where a family name exists in two spellings, both are listed.
constexpr PageGroups kPageGroups[] = {
    {u"KESTRA 31NR", C(1, 1, 1, 0)},    {u"kesTRA 31NR", C(1, 1, 1, 0)},
    {u"KESTRA V3", C(1, 1, 1, 0)},      {u"kesTRA V3", C(1, 1, 1, 0)},
    {u"KESTRA V3-2", C(0, 1, 0, 0)},    {u"kesTRA V3-2", C(0, 1, 0, 0)},
    {u"KESTRA V4", C(0, 1, 0, 0)},      {u"kesTRA V4", C(0, 1, 0, 0)},
    {u"KESTRA V7", C(1, 1, 1, 0)},      {u"kesTRA V7", C(1, 1, 1, 0)},
    {u"KESTRA V7-2", C(1, 1, 1, 0)},    {u"kesTRA V7-2", C(1, 1, 1, 0)},
    {u"KESTRA V9", C(0, 1, 0, 0)},      {u"kesTRA V9", C(0, 1, 0, 0)},
    {u"KESTRA V9-2", C(1, 1, 1, 0)},    {u"kesTRA V9-2", C(1, 1, 1, 0)},
    {u"KESTRA V9-3", C(1, 1, 1, 0)},    {u"kesTRA V9-3", C(1, 1, 1, 0)},
    {u"KESTRA VC9", C(1, 1, 1, 1)},     {u"kesTRA VC9", C(1, 1, 1, 1)},
    {u"KESTRA VM3", C(1, 1, 1, 0)},     {u"kesTRA VM3", C(1, 1, 1, 0)},
    {u"KESTRA VM9", C(1, 1, 1, 0)},     {u"kesTRA VM9", C(1, 1, 1, 0)},
    {u"RQ-V9", C(1, 0, 1, 0)},          {u"MANTO 47NR", C(1, 0, 1, 0)},
    {u"MANTO 47NR-2", C(1, 0, 1, 0)},   {u"MANTO 47NR-2G", C(1, 0, 1, 0)},
    {u"MANTO 47 NR", C(0, 1, 0, 0)},    {u"MANTO 47 NR-2", C(0, 1, 0, 0)},
    {u"MANTO 47 NR-2G", C(0, 1, 0, 0)}, {u"MANTO 52B5-2", C(0, 0, 1, 0)},
    {u"MANTO 52B5-3", C(0, 0, 1, 0)},   {u"MANTO 63N-2", C(1, 0, 0, 0)},
    {u"MANTO 89N", C(1, 0, 0, 0)},      {u"MANTO 170N", C(1, 0, 0, 0)},
    {u"MANTO V3", C(1, 1, 1, 0)},       {u"MANTO V3-2", C(0, 1, 0, 0)},
    {u"MANTO V4", C(1, 1, 1, 0)},       {u"MANTO V7", C(1, 1, 1, 0)},
    {u"MANTO V9", C(1, 1, 1, 0)},       {u"MANTO V12", C(1, 0, 1, 0)},
    {u"CINDRA 27-3", C(1, 0, 1, 0)},    {u"CINDRA 27-7", C(1, 0, 1, 0)},
    {u"CINDRA 27-9", C(1, 0, 1, 0)},
};
static_assert(std::size(kPageGroups) == 45);

// Compared ignoring case.
constexpr std::u16string_view kLowSpeedModels[] = {
    u"kesTRA V3",   u"kesTRA V3-2", u"kesTRA V7",   u"kesTRA V7-2", u"kesTRA V9",
    u"kesTRA V9-2", u"kesTRA V9-3", u"kesTRA VC9",  u"kesTRA VM3",  u"kesTRA 31NR",
    u"CINDRA 27-3", u"CINDRA 27-7", u"CINDRA 27-9",
};
constexpr std::u16string_view kHighSpeedModels[] = {
    u"MANTO V3",    u"MANTO V4",      u"MANTO V7",       u"MANTO V9",
    u"MANTO 47 NR", u"MANTO 47 NR-2", u"MANTO 47 NR-2G",
};

struct Size {
    std::uint16_t width;
    std::uint16_t length;
    constexpr std::uint32_t Packed() const { return std::uint32_t{length} << 16 | width; }
};

struct Extents {
    std::u16string_view name;
    Size minimum;
    Size maximum;
    bool maximumNeedsExactName = false;
};

// Compared ignoring case, in this order; the first row that matches answers.
constexpr Extents kExtents[] = {
    {u"KESTRA 31NR", {1100, 42}, {2400, 7620}},
    {u"MANTO 36NR", {1100, 42}, {2400, 7620}},
    {u"KESTRA 44", {770, 1229}, {2159, 3556}},
    {u"KESTRA V3", {42, 42}, {1180, 20320}},
    {u"KESTRA V3-2", {42, 42}, {1180, 20320}},
    {u"KESTRA V7", {42, 42}, {1780, 20320}},
    {u"KESTRA V7-2", {42, 42}, {1780, 20320}},
    {u"KESTRA V9", {42, 42}, {2280, 20320}},
    {u"KESTRA V9-2", {42, 42}, {2280, 20320}},
    {u"KESTRA VC9", {42, 254}, {2286, 20320}},
    {u"MANTO 37N-2", {762, 762}, {4064, 6096}},
    {u"MANTO G39", {762, 762}, {4064, 6096}},
    {u"MANTO 44", {770, 1270}, {2159, 3556}},
    {u"MANTO 47 NR", {800, 42}, {2100, 20320}},
    {u"MANTO 47 NR-2", {800, 42}, {2100, 20320}},
    {u"MANTO 47 NR-2G", {800, 1524}, {2100, 3048}},
    {u"MANTO 47-2", {1050, 1480}, {2100, 2970}},
    {u"MANTO 52B5-2", {1050, 1480}, {2970, 4200}},
    {u"MANTO 52B5-3", {1050, 1480}, {2970, 4200}},
    {u"MANTO 57N", {1524, 762}, {4318, 6096}},
    {u"MANTO 57N WXL", {762, 762}, {4572, 10000}},
    {u"MANTO G63-2", {1651, 1778}, {4572, 6096}},
    {u"MANTO G68", {1651, 1778}, {4572, 6096}},
    {u"MANTO 63N-2", {1651, 1778}, {4445, 6096}},
    {u"MANTO 89N", {1524, 1778}, {4318, 6096}},
    {u"MANTO 89N JOBSTART", {1524, 1778}, {4318, 6096}},
    {u"MANTO 89N JOBMIDDLE", {1524, 1778}, {4318, 6096}},
    {u"MANTO 89N JOBEND", {1524, 1778}, {4318, 6096}},
    {u"MANTO 89B5", {254, 1524}, {3048, 4572}},
    {u"MANTO 170N", {1778, 1778}, {4389, 5080}},
    {u"MANTO V3", {42, 42}, {1066, 20320}},
    {u"MANTO V4", {42, 42}, {1279, 20320}},
    {u"MANTO V7", {42, 42}, {1600, 20320}},
    {u"MANTO V9", {42, 42}, {2132, 20320}},
    {u"MANTO V12", {1310, 42}, {2667, 20320}},
    {u"CINDRA 27-3", {42, 42}, {1180, 20320}},
    {u"CINDRA 27-7", {42, 42}, {1780, 20320}},
    {u"CINDRA 27-9", {42, 42}, {2280, 20320}},
    {u"MANTO G26", {508, 127}, {2159, 8382}},
    {u"MANTO G36", {508, 127}, {3810, 8382}, true},
    {u"MANTO G82", {508, 127}, {4572, 5080}},
    {u"MANTO G94", {508, 127}, {4572, 5080}},
    {u"MANTO G97", {508, 127}, {4572, 5080}},
    {u"MANTO G125", {508, 127}, {4572, 5080}},
    {u"MANTO G150", {508, 127}, {4572, 5080}},
    {u"MANTO G170", {1524, 1778}, {4572, 5080}},
};
static_assert(Size{42, 254}.Packed() == 0x00FE002Au);
static_assert(Size{2286, 20320}.Packed() == 0x4F6008EEu);

template <std::size_t N>
bool InListIgnoringCase(const std::u16string_view (&list)[N], std::u16string_view name) {
    for (std::u16string_view entry : list) {
        if (EqualsIgnoringCase(entry, name))
            return true;
    }
    return false;
}

// Every model offers 4 to 6; the two lists widen that downwards or upwards.
constexpr std::uint32_t kSlowestLowSpeed = 2;
constexpr std::uint32_t kSlowestSpeed = 4;
constexpr std::uint32_t kFastestSpeed = 6;
constexpr std::uint32_t kFastestHighSpeed = 12;

}  // namespace

ModelCapabilities ModelCapabilitiesOf(std::u16string_view driverName) {
    for (const PageGroups& m : kPageGroups) {
        if (m.name == driverName)
            return m.groups;
    }
    return {};
}

bool ModelHasCutter(std::u16string_view n) {
    return ModelCapabilitiesOf(n).bHasCutter;
}
bool ModelHasPrintSpeed(std::u16string_view n) {
    return ModelCapabilitiesOf(n).bHasPrintSpeed;
}
bool ModelHasPrintDensity(std::u16string_view n) {
    return ModelCapabilitiesOf(n).bHasPrintDensity;
}
bool ModelHasSlipCorrection(std::u16string_view n) {
    return ModelCapabilitiesOf(n).bHasSlipCorrection;
}

bool ModelHasLowSpeeds(std::u16string_view n) {
    return InListIgnoringCase(kLowSpeedModels, n);
}
bool ModelHasHighSpeeds(std::u16string_view n) {
    return InListIgnoringCase(kHighSpeedModels, n);
}

std::vector<std::uint32_t> PrintSpeedsFor(std::u16string_view driverName) {
    const std::uint32_t first = ModelHasLowSpeeds(driverName) ? kSlowestLowSpeed : kSlowestSpeed;
    const std::uint32_t last = ModelHasHighSpeeds(driverName) ? kFastestHighSpeed : kFastestSpeed;
    std::vector<std::uint32_t> speeds;
    for (std::uint32_t s = first; s <= last; ++s)
        speeds.push_back(s);
    return speeds;
}

std::size_t PrintSpeedSelection(const std::vector<std::uint32_t>& speeds, std::uint32_t stored) {
    // The list's own search: the first entry whose text begins with the stored number's text.
    const std::string wanted = std::to_string(static_cast<std::int32_t>(stored));
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        if (std::to_string(speeds[i]).starts_with(wanted))
            return i;
    }
    return 0;
}

PaperExtents ModelPaperExtents(std::u16string_view driverName) {
    for (const Extents& e : kExtents) {
        if (!EqualsIgnoringCase(e.name, driverName))
            continue;
        PaperExtents answer{e.minimum.Packed(), e.maximum.Packed()};
        if (e.maximumNeedsExactName && e.name != driverName)
            answer.maximum.reset();
        return answer;
    }
    return {};
}

}  // namespace adjustui
