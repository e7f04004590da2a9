#include "page/win32/paper_limits.h"

#include "capabilities/device_capabilities.h"
#include "common/text.h"
#include "page/win32/lent_picture.h"

namespace adjustui::page {

std::optional<PaperLimits> ReadPaperLimits(const PageContext& context) {
    const std::u16string_view model = FieldText(context.szDriverName);
    auto extent = [&](WORD capability) -> std::optional<std::uint32_t> {
        if (auto own = ModelExtentAnswer(model, capability))
            return own;
        if (context.pPrinter == nullptr)
            return std::nullopt;
        const auto& name = context.pPrinter->Name();
        if (!name)
            return std::nullopt;
        // The plug-in's part of the answer reads the driver name the page holds.
        const LentPicture lent(context.pPrinter->get(), *name);
        const int answer =
            DeviceCapabilitiesW(name->c_str(), nullptr, capability, nullptr, nullptr);
        if (answer == -1)
            return std::nullopt;
        return static_cast<std::uint32_t>(answer);
    };
    const auto minimum = extent(DC_MINEXTENT);
    const auto maximum = extent(DC_MAXEXTENT);
    if (!minimum || !maximum)
        return std::nullopt;
    return PaperLimits{*minimum, *maximum};
}

}  // namespace adjustui::page
