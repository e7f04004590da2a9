#include "capabilities/device_capabilities.h"

#include <algorithm>
#include <cstring>

#include "common/text.h"
#include "models/model_tables.h"
#include "settings/paper_store.h"

namespace adjustui {
namespace {

constexpr std::size_t kFormNameUnits = 32;

// The first `n` entries of the output are the core driver's list; custom papers follow them.
template <typename Entry>
HResult PaperList(const CapabilityRequest& rq, std::uint32_t& result) {
    // An error of the core driver (or a count no list can have) is its answer; leave all alone.
    if (rq.old > kMaxPaperRecords) {
        result = rq.old;
        return kS_OK;
    }
    if (rq.output == nullptr) {
        result = rq.old + CustomPaperCount(rq.printer);
        return kS_OK;
    }
    // The application's buffer has no promised alignment: entries are copied, not cast.
    auto* out = static_cast<std::byte*>(rq.output);
    std::vector<Entry> entries(rq.old);
    if (!entries.empty())
        std::memcpy(entries.data(), out, entries.size() * sizeof(Entry));
    // Everything is read before anything is written: a request that runs out of memory on the way
    // has written nothing.
    const std::vector<PaperRecord> custom = ReadCustomPapers(rq.printer);
    MergeStandardPapers(rq.printer, std::span<const Entry>(entries));
    for (std::size_t j = 0; j < custom.size(); ++j) {
        const Entry e = PaperEntryOf<Entry>(custom[j]);
        std::memcpy(out + (rq.old + j) * sizeof e, &e, sizeof e);
    }
    result = rq.old + static_cast<std::uint32_t>(custom.size());
    return kS_OK;
}

// Writes a name into one 64-unit entry, bounded and terminated whatever the source holds.
void WriteNameEntry(std::byte* entry, const char16_t* source, std::size_t sourceUnits) {
    PaperName name;
    AssignField(name.units, {source, BoundedLength(source, sourceUnits)});
    std::memcpy(entry, &name, sizeof name);
}

HResult Extent(const CapabilityRequest& rq, std::uint32_t& result) {
    const auto name = rq.printer.DriverName();
    if (!name)
        return kE_NOTIMPL;
    const auto answer = ModelExtentAnswer(*name, rq.capability);
    if (!answer)
        return kE_NOTIMPL;
    result = *answer;
    return kS_OK;
}

HResult MediaReady(const CapabilityRequest& rq, std::uint32_t& result) {
    if (rq.output == nullptr) {
        result = 1;
        return kS_MediaReadyCount;
    }
    // Without both devmodes there is no selection to report: the core driver's answer stands.
    if (rq.publicDevmode.dmPaperSize == nullptr || rq.oemDevmode == nullptr) {
        result = rq.old;
        return kS_OK;
    }
    std::uint16_t paperId = rq.oemDevmode->wSelectedPaperSize;
    if (paperId == 0)
        paperId = static_cast<std::uint16_t>(*rq.publicDevmode.dmPaperSize);
    auto* out = static_cast<std::byte*>(rq.output);
    if (static_cast<std::int16_t>(paperId) <= 256) {
        if (rq.publicDevmode.dmFormName != nullptr) {
            WriteNameEntry(out, rq.publicDevmode.dmFormName, kFormNameUnits);
        }
    } else {
        const std::vector<PaperRecord> custom = ReadCustomPapers(rq.printer);
        auto match = std::find_if(custom.begin(), custom.end(),
                                  [&](const PaperRecord& r) { return r.id == paperId; });
        if (match != custom.end())
            WriteNameEntry(out, match->name, kPaperNameUnits);
    }
    *rq.publicDevmode.dmPaperSize = static_cast<std::int16_t>(paperId);
    result = 1;
    return kS_OK;
}

}  // namespace

std::optional<std::uint32_t> ModelExtentAnswer(std::u16string_view driverName,
                                               std::uint16_t capability) {
    const PaperExtents extents = ModelPaperExtents(driverName);
    return capability == kDcMinExtent ? extents.minimum : extents.maximum;
}

HResult AnswerDeviceCapabilities(const CapabilityRequest& request, std::uint32_t& result) {
    switch (request.capability) {
        case kDcPapers:
            return PaperList<PaperNumber>(request, result);
        case kDcPaperNames:
            return PaperList<PaperName>(request, result);
        case kDcPaperSize:
            return PaperList<PaperPoint>(request, result);
        case kDcMinExtent:
        case kDcMaxExtent:
            return Extent(request, result);
        case kDcMediaReady:
            return MediaReady(request, result);
        default:
            result = request.old;
            return kS_OK;
    }
}

}  // namespace adjustui
