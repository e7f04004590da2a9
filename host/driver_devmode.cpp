#include "host/driver_devmode.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

#include "host/capabilities.h"

namespace standin {
namespace {

// The smallest devmode that still says which of its fields are set.
constexpr DWORD kMinPublicSize = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);

template <typename Field>
bool Carries(const DEVMODEW& dm, DWORD flag, const Field& field) {
    const auto end =
        reinterpret_cast<const BYTE*>(&field) - reinterpret_cast<const BYTE*>(&dm) + sizeof(Field);
    return (dm.dmFields & flag) != 0 && end <= dm.dmSize;
}

void SetPaper(DEVMODEW& dm, const Paper& paper) {
    dm.dmPaperSize = static_cast<short>(paper.id);
    dm.dmPaperWidth = static_cast<short>(paper.width);
    dm.dmPaperLength = static_cast<short>(paper.length);
    std::wcsncpy(dm.dmFormName, paper.name, CCHFORMNAME - 1);
    dm.dmFormName[CCHFORMNAME - 1] = L'\0';
}

}  // namespace

DriverDevmode::DriverDevmode(const wchar_t* printerName, HANDLE printer, const Plugin* plugin)
    : printer_(printer),
      plugin_(plugin),
      bytes_(sizeof(DEVMODEW) + (plugin != nullptr ? plugin->privateSize() : 0)) {
    DEVMODEW& dm = *publicPart();
    std::wcsncpy(dm.dmDeviceName, printerName, CCHDEVICENAME - 1);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmDriverVersion = kDriverVersion;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmDriverExtra = static_cast<WORD>(bytes_.size() - sizeof(DEVMODEW));
    dm.dmFields =
        DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES | DM_FORMNAME;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmCopies = 1;
    SetPaper(dm, DefaultPaper());

    if (plugin_ == nullptr) {
        return;
    }
    OEMDMPARAM param = plugin_->DevmodeParam(printer_);
    param.pPublicDMIn = publicPart();
    param.pOEMDMOut = privatePart();
    param.cbBufSize = plugin_->privateSize();
    const HRESULT hr = plugin_->ui()->DevMode(OEMDM_DEFAULT, &param);
    const auto* header = static_cast<const OEM_DMEXTRAHEADER*>(privatePart());
    privateBlockSound_ = SUCCEEDED(hr) && header->dwSize == plugin_->privateSize() &&
                         header->dwSignature == plugin_->signature();
}

void* DriverDevmode::privatePart() {
    return plugin_ != nullptr ? bytes_.data() + sizeof(DEVMODEW) : nullptr;
}

void DriverDevmode::TakeIn(const DEVMODEW* in) {
    if (in == nullptr || in->dmSize < kMinPublicSize) {
        return;
    }
    TakeInPublic(*in);
    // A private block shorter than the plug-in's is not the plug-in's to read: the output keeps
    // the defaults.
    if (plugin_ == nullptr || in->dmDriverExtra < plugin_->privateSize()) {
        return;
    }
    // A devmode of this driver version is merged; any other is converted first.
    const bool sameVersion =
        in->dmDriverVersion == kDriverVersion && in->dmSize == sizeof(DEVMODEW);
    OEMDMPARAM param = plugin_->DevmodeParam(printer_);
    param.pPublicDMIn = const_cast<DEVMODEW*>(in);
    param.pPublicDMOut = publicPart();
    param.pOEMDMIn = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(in) + in->dmSize);
    param.pOEMDMOut = privatePart();
    param.cbBufSize = plugin_->privateSize();
    plugin_->ui()->DevMode(sameVersion ? OEMDM_MERGE : OEMDM_CONVERT, &param);
}

void DriverDevmode::TakeInPublic(const DEVMODEW& in) {
    DEVMODEW& dm = *publicPart();
    if (Carries(in, DM_ORIENTATION, in.dmOrientation) &&
        (in.dmOrientation == DMORIENT_PORTRAIT || in.dmOrientation == DMORIENT_LANDSCAPE)) {
        dm.dmOrientation = in.dmOrientation;
    }
    if (Carries(in, DM_COPIES, in.dmCopies) && in.dmCopies >= 1 &&
        static_cast<DWORD>(in.dmCopies) <= kMaxCopies) {
        dm.dmCopies = in.dmCopies;
    }
    if (Carries(in, DM_PAPERSIZE, in.dmPaperSize) && in.dmPaperSize > 0) {
        if (const Paper* paper = FindPaper(static_cast<WORD>(in.dmPaperSize))) {
            SetPaper(dm, *paper);
        } else {
            // A paper of the plug-in's (a custom size): the number is kept, the size comes below.
            dm.dmPaperSize = in.dmPaperSize;
            dm.dmFormName[0] = L'\0';
        }
    }
    if (Carries(in, DM_PAPERWIDTH, in.dmPaperWidth) && in.dmPaperWidth > 0) {
        dm.dmPaperWidth = in.dmPaperWidth;
    }
    if (Carries(in, DM_PAPERLENGTH, in.dmPaperLength) && in.dmPaperLength > 0) {
        dm.dmPaperLength = in.dmPaperLength;
    }
    if (Carries(in, DM_FORMNAME, in.dmFormName) && in.dmFormName[0] != L'\0') {
        std::wmemcpy(dm.dmFormName, in.dmFormName, CCHFORMNAME - 1);
        dm.dmFormName[CCHFORMNAME - 1] = L'\0';
    }
}

void DriverDevmode::CopyTo(DEVMODEW* out) const {
    std::memcpy(out, bytes_.data(), bytes_.size());
}

}  // namespace standin
