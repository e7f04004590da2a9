// A printer of one model in the test prefix, used the way an application uses it: through
// DeviceCapabilitiesW and DocumentPropertiesW only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/oem_devmode.h"
#include "winsupport/model_printers.h"

namespace adjustui::road {

using winsupport::CustomPaper;

// A full devmode as an application holds it: public part and driver data in one buffer.
class Devmode {
  public:
    Devmode() = default;
    explicit Devmode(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

    bool empty() const { return bytes_.empty(); }
    DEVMODEW& dm() { return *reinterpret_cast<DEVMODEW*>(bytes_.data()); }
    // The plug-in's block, which follows the public part; valid when the driver data holds one.
    OemDevmode& block() { return *reinterpret_cast<OemDevmode*>(bytes_.data() + dm().dmSize); }
    BYTE* data() { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

  private:
    std::vector<BYTE> bytes_;
};

class RoadPrinter {
  public:
    // A new printer without printer data; check ready() before use.
    RoadPrinter(const std::wstring& name, const std::wstring& model);

    bool ready() const { return ready_; }
    const std::wstring& name() const { return name_; }

    bool StorePapers(const std::vector<CustomPaper>& papers) {
        return winsupport::StoreCustomPapers(name_, papers);
    }
    bool StoreDword(const wchar_t* value, std::uint32_t data) {
        return winsupport::StoreDword(name_, value, data);
    }
    bool StoreByte(const wchar_t* value, std::uint8_t data) {
        return winsupport::StoreByte(name_, value, data);
    }

    int Count(WORD capability, const DEVMODEW* devmode = nullptr) const;
    DWORD Answer(WORD capability) const { return static_cast<DWORD>(Count(capability)); }
    std::vector<WORD> Papers() const;
    std::vector<std::wstring> PaperNames() const;
    std::vector<POINT> PaperSizes() const;
    std::wstring MediaReady(const DEVMODEW* devmode) const;

    // DocumentPropertiesW without a prompt.
    LONG DevmodeSize() const;
    Devmode DefaultDevmode() const;
    // `in` merged into the printer's devmode, as DM_IN_BUFFER | DM_OUT_BUFFER | extraMode.
    Devmode Merged(Devmode& in, DWORD extraMode = 0, LONG* result = nullptr) const;

  private:
    std::wstring name_;
    bool ready_;
};

}  // namespace adjustui::road
