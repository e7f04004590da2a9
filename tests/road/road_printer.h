// A printer of one model in the test prefix, used the way an application uses it: through
// DeviceCapabilitiesW and DocumentPropertiesW only; and its "Adjustments" page, opened and driven
// through the sheet fixture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/oem_devmode.h"
#include "winsupport/model_printers.h"
#include "winsupport/sheet_fixture.h"

namespace adjustui::road {

using winsupport::BalloonSpy;
using winsupport::Choose;
using winsupport::Click;
using winsupport::CustomPaper;
using winsupport::Enabled;
using winsupport::Entries;
using winsupport::Finish;
using winsupport::ListEntry;
using winsupport::OpenPreferences;
using winsupport::Sheet;
using winsupport::Text;
using winsupport::TypeKeys;
using Texts = std::vector<std::wstring>;
using Numbers = std::vector<long long>;

// The parts of a full devmode: the public part, and the plug-in's block that follows it (valid
// when the driver data holds one).
inline const DEVMODEW& Public(const std::vector<BYTE>& devmode) {
    return *reinterpret_cast<const DEVMODEW*>(devmode.data());
}
inline const OemDevmode& BlockOf(const std::vector<BYTE>& devmode) {
    return *reinterpret_cast<const OemDevmode*>(devmode.data() + Public(devmode).dmSize);
}

// A full devmode as an application holds it: public part and driver data in one buffer.
class Devmode {
  public:
    Devmode() = default;
    explicit Devmode(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

    bool empty() const { return bytes_.empty(); }
    DEVMODEW& dm() { return *reinterpret_cast<DEVMODEW*>(bytes_.data()); }
    OemDevmode& block() { return *reinterpret_cast<OemDevmode*>(bytes_.data() + dm().dmSize); }
    const std::vector<BYTE>& bytes() const { return bytes_; }
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
    // "SelectedPaperSize" in two bytes, as the plug-in stores it.
    bool StoreSelectedPaper(std::uint16_t code);
    // The stored custom papers as "name code width length"; the stored count must agree.
    Texts StoredPapers() const;

    int Count(WORD capability, const DEVMODEW* devmode = nullptr) const;
    DWORD Answer(WORD capability) const { return static_cast<DWORD>(Count(capability)); }
    std::vector<WORD> Papers() const;
    std::vector<std::wstring> PaperNames() const;
    std::vector<POINT> PaperSizes() const;
    std::wstring MediaReady(const DEVMODEW* devmode) const;

    // DocumentPropertiesW without a prompt.
    LONG DevmodeSize() const;
    Devmode DefaultDevmode() const;
    // The default devmode with its block marked as applied on a page.
    Devmode AppliedDevmode() const;
    // `in` merged into the printer's devmode, as DM_IN_BUFFER | DM_OUT_BUFFER | extraMode.
    Devmode Merged(Devmode& in, DWORD extraMode = 0, LONG* result = nullptr) const;

  private:
    std::wstring name_;
    bool ready_;
};

// True in the run under a German locale (LC_ALL), where the page speaks German.
bool GermanRun();

// Opens the printing preferences with `in` (none when empty), shows the "Adjustments" page in the
// user's language and, once the check states it posts to itself have arrived, runs `test` on it;
// then `finish` is pressed unless `test` ended the sheet.
winsupport::PreferencesResult OnPage(const RoadPrinter& printer, const Devmode& in,
                                     const std::function<void(HWND page, Sheet&)>& test,
                                     Finish finish = Finish::kOk);

// The message boxes raised while the sheet was up, each as "caption|text".
Texts Boxes(const winsupport::PreferencesResult& run);

}  // namespace adjustui::road
