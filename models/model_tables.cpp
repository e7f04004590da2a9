#include "models/model_tables.h"

#include <optional>
#include <string>

#include "common/text.h"

namespace adjustui {
namespace {

// The optional groups of the document page a model offers.
enum Group : std::uint8_t {
    kCutter = 1,
    kSpeed = 2,
    kDensity = 4,
    kSlip = 8,
};

// Every model offers the speeds 4 to 6; some widen that downwards or upwards.
enum class Speeds : std::uint8_t { Standard, Low, High };

struct Size {
    std::uint16_t width;
    std::uint16_t length;
    constexpr std::uint32_t Packed() const { return std::uint32_t{length} << 16 | width; }
};

struct Extents {
    Size minimum;
    Size maximum;
    bool maximumNeedsExactName = false;
};

struct Model {
    // Speeds and extents compare the name ignoring case; the page groups compare exactly, with
    // the name or its second spelling.
    std::u16string_view name;
    std::u16string_view secondSpelling;
    std::uint8_t groups;
    Speeds speeds;
    std::optional<Extents> extents;
};

constexpr std::optional<Extents> Ext(Size minimum, Size maximum, bool exact = false) {
    return Extents{minimum, maximum, exact};
}
constexpr std::optional<Extents> kNoExtents = std::nullopt;
constexpr std::uint8_t kNone = 0;

// One row per model.
// clang-format off
constexpr Model kModels[] = {
    {u"KESTRA 31NR", u"kesTRA 31NR", kCutter | kSpeed | kDensity, Speeds::Low, Ext({1100, 42}, {2400, 7620})},
    {u"KESTRA 44", {}, kNone, Speeds::Standard, Ext({770, 1229}, {2159, 3556})},
    {u"KESTRA V3", u"kesTRA V3", kCutter | kSpeed | kDensity, Speeds::Low, Ext({42, 42}, {1180, 20320})},
    {u"KESTRA V3-2", u"kesTRA V3-2", kSpeed, Speeds::Low, Ext({42, 42}, {1180, 20320})},
    {u"KESTRA V4", u"kesTRA V4", kSpeed, Speeds::Standard, kNoExtents},
    {u"KESTRA V7", u"kesTRA V7", kCutter | kSpeed | kDensity, Speeds::Low, Ext({42, 42}, {1780, 20320})},
    {u"KESTRA V7-2", u"kesTRA V7-2", kCutter | kSpeed | kDensity, Speeds::Low, Ext({42, 42}, {1780, 20320})},
    {u"KESTRA V9", u"kesTRA V9", kSpeed, Speeds::Low, Ext({42, 42}, {2280, 20320})},
    {u"KESTRA V9-2", u"kesTRA V9-2", kCutter | kSpeed | kDensity, Speeds::Low, Ext({42, 42}, {2280, 20320})},
    {u"KESTRA V9-3", u"kesTRA V9-3", kCutter | kSpeed | kDensity, Speeds::Low, kNoExtents},
    {u"KESTRA VC9", u"kesTRA VC9", kCutter | kSpeed | kDensity | kSlip, Speeds::Low, Ext({42, 254}, {2286, 20320})},
    {u"KESTRA VM3", u"kesTRA VM3", kCutter | kSpeed | kDensity, Speeds::Low, kNoExtents},
    {u"KESTRA VM9", u"kesTRA VM9", kCutter | kSpeed | kDensity, Speeds::Standard, kNoExtents},
    {u"RQ-V9", {}, kCutter | kDensity, Speeds::Standard, kNoExtents},
    {u"MANTO 36NR", {}, kNone, Speeds::Standard, Ext({1100, 42}, {2400, 7620})},
    {u"MANTO 37N-2", {}, kNone, Speeds::Standard, Ext({762, 762}, {4064, 6096})},
    {u"MANTO G39", {}, kNone, Speeds::Standard, Ext({762, 762}, {4064, 6096})},
    {u"MANTO 44", {}, kNone, Speeds::Standard, Ext({770, 1270}, {2159, 3556})},
    {u"MANTO 47NR", {}, kCutter | kDensity, Speeds::Standard, kNoExtents},
    {u"MANTO 47NR-2", {}, kCutter | kDensity, Speeds::Standard, kNoExtents},
    {u"MANTO 47NR-2G", {}, kCutter | kDensity, Speeds::Standard, kNoExtents},
    {u"MANTO 47 NR", {}, kSpeed, Speeds::High, Ext({800, 42}, {2100, 20320})},
    {u"MANTO 47 NR-2", {}, kSpeed, Speeds::High, Ext({800, 42}, {2100, 20320})},
    {u"MANTO 47 NR-2G", {}, kSpeed, Speeds::High, Ext({800, 1524}, {2100, 3048})},
    {u"MANTO 47-2", {}, kNone, Speeds::Standard, Ext({1050, 1480}, {2100, 2970})},
    {u"MANTO 52B5-2", {}, kDensity, Speeds::Standard, Ext({1050, 1480}, {2970, 4200})},
    {u"MANTO 52B5-3", {}, kDensity, Speeds::Standard, Ext({1050, 1480}, {2970, 4200})},
    {u"MANTO 57N", {}, kNone, Speeds::Standard, Ext({1524, 762}, {4318, 6096})},
    {u"MANTO 57N WXL", {}, kNone, Speeds::Standard, Ext({762, 762}, {4572, 10000})},
    {u"MANTO G63-2", {}, kNone, Speeds::Standard, Ext({1651, 1778}, {4572, 6096})},
    {u"MANTO G68", {}, kNone, Speeds::Standard, Ext({1651, 1778}, {4572, 6096})},
    {u"MANTO 63N-2", {}, kCutter, Speeds::Standard, Ext({1651, 1778}, {4445, 6096})},
    {u"MANTO 89N", {}, kCutter, Speeds::Standard, Ext({1524, 1778}, {4318, 6096})},
    {u"MANTO 89N JOBSTART", {}, kNone, Speeds::Standard, Ext({1524, 1778}, {4318, 6096})},
    {u"MANTO 89N JOBMIDDLE", {}, kNone, Speeds::Standard, Ext({1524, 1778}, {4318, 6096})},
    {u"MANTO 89N JOBEND", {}, kNone, Speeds::Standard, Ext({1524, 1778}, {4318, 6096})},
    {u"MANTO 89B5", {}, kNone, Speeds::Standard, Ext({254, 1524}, {3048, 4572})},
    {u"MANTO 170N", {}, kCutter, Speeds::Standard, Ext({1778, 1778}, {4389, 5080})},
    {u"MANTO V3", {}, kCutter | kSpeed | kDensity, Speeds::High, Ext({42, 42}, {1066, 20320})},
    {u"MANTO V3-2", {}, kSpeed, Speeds::Standard, kNoExtents},
    {u"MANTO V4", {}, kCutter | kSpeed | kDensity, Speeds::High, Ext({42, 42}, {1279, 20320})},
    {u"MANTO V7", {}, kCutter | kSpeed | kDensity, Speeds::High, Ext({42, 42}, {1600, 20320})},
    {u"MANTO V9", {}, kCutter | kSpeed | kDensity, Speeds::High, Ext({42, 42}, {2132, 20320})},
    {u"MANTO V12", {}, kCutter | kDensity, Speeds::Standard, Ext({1310, 42}, {2667, 20320})},
    {u"MANTO G26", {}, kNone, Speeds::Standard, Ext({508, 127}, {2159, 8382})},
    {u"MANTO G36", {}, kNone, Speeds::Standard, Ext({508, 127}, {3810, 8382}, true)},
    {u"MANTO G82", {}, kNone, Speeds::Standard, Ext({508, 127}, {4572, 5080})},
    {u"MANTO G94", {}, kNone, Speeds::Standard, Ext({508, 127}, {4572, 5080})},
    {u"MANTO G97", {}, kNone, Speeds::Standard, Ext({508, 127}, {4572, 5080})},
    {u"MANTO G125", {}, kNone, Speeds::Standard, Ext({508, 127}, {4572, 5080})},
    {u"MANTO G150", {}, kNone, Speeds::Standard, Ext({508, 127}, {4572, 5080})},
    {u"MANTO G170", {}, kNone, Speeds::Standard, Ext({1524, 1778}, {4572, 5080})},
    {u"CINDRA 27-3", {}, kCutter | kDensity, Speeds::Low, Ext({42, 42}, {1180, 20320})},
    {u"CINDRA 27-7", {}, kCutter | kDensity, Speeds::Low, Ext({42, 42}, {1780, 20320})},
    {u"CINDRA 27-9", {}, kCutter | kDensity, Speeds::Low, Ext({42, 42}, {2280, 20320})},
};
// clang-format on
static_assert(Size{42, 254}.Packed() == 0x00FE002Au);
static_assert(Size{2286, 20320}.Packed() == 0x4F6008EEu);

// No two rows share a name, or one row would hide the other.
constexpr bool NamesAreDistinct() {
    for (std::size_t i = 0; i < std::size(kModels); ++i) {
        for (std::size_t j = i + 1; j < std::size(kModels); ++j) {
            if (EqualsIgnoringCase(kModels[i].name, kModels[j].name))
                return false;
        }
    }
    return true;
}
static_assert(NamesAreDistinct());

const Model* FindIgnoringCase(std::u16string_view name) {
    for (const Model& m : kModels) {
        if (EqualsIgnoringCase(m.name, name))
            return &m;
    }
    return nullptr;
}

Speeds SpeedsOf(std::u16string_view name) {
    const Model* m = FindIgnoringCase(name);
    return m != nullptr ? m->speeds : Speeds::Standard;
}

constexpr std::uint32_t kSlowestLowSpeed = 2;
constexpr std::uint32_t kSlowestSpeed = 4;
constexpr std::uint32_t kFastestSpeed = 6;
constexpr std::uint32_t kFastestHighSpeed = 12;

}  // namespace

ModelCapabilities ModelCapabilitiesOf(std::u16string_view driverName) {
    for (const Model& m : kModels) {
        if (m.name == driverName || (!m.secondSpelling.empty() && m.secondSpelling == driverName)) {
            return {(m.groups & kCutter) != 0, (m.groups & kSpeed) != 0, (m.groups & kDensity) != 0,
                    (m.groups & kSlip) != 0};
        }
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
    return SpeedsOf(n) == Speeds::Low;
}
bool ModelHasHighSpeeds(std::u16string_view n) {
    return SpeedsOf(n) == Speeds::High;
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
    const Model* m = FindIgnoringCase(driverName);
    if (m == nullptr || !m->extents)
        return {};
    const Extents& e = *m->extents;
    PaperExtents answer{e.minimum.Packed(), e.maximum.Packed()};
    if (e.maximumNeedsExactName && m->name != driverName)
        answer.maximum.reset();
    return answer;
}

std::vector<std::u16string_view> ModelDriverNames() {
    std::vector<std::u16string_view> names;
    for (const Model& m : kModels)
        names.push_back(m.name);
    return names;
}

}  // namespace adjustui
