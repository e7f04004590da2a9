// Walks the road of an application for each printer named on the command line, through the
// spooler only: its paper lists and extents (DeviceCapabilitiesW), its default devmode and the
// plug-in's settings in it (DocumentPropertiesW), and its printing preferences.
//   adjustui-road-demo [--preferences[=MS]] PRINTER...
// With --preferences the sheet stays up MS milliseconds (default 2000) before OK is pressed.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "settings/oem_devmode.h"
#include "winsupport/sheet_closer.h"
#include "winsupport/spooler_info.h"

namespace {

using adjustui::OemDevmode;

constexpr std::size_t kNameUnits = 64;

std::wstring DriverName(const std::wstring& printer) {
    const auto handle = adjustui::winsupport::OpenPrinterByName(printer);
    const auto info = handle ? adjustui::winsupport::PrinterInfo2(handle.get()) : std::nullopt;
    return info && (*info)->pDriverName != nullptr ? (*info)->pDriverName : L"?";
}

void PrintPapers(const std::wstring& printer) {
    using adjustui::winsupport::CapabilityList;
    const auto ids = CapabilityList<WORD>(printer, DC_PAPERS);
    const auto names = CapabilityList<wchar_t>(printer, DC_PAPERNAMES, kNameUnits);
    const auto sizes = CapabilityList<POINT>(printer, DC_PAPERSIZE);
    std::wprintf(L"  Papers: %zu numbers, %zu names, %zu sizes\n", ids.size(),
                 names.size() / kNameUnits, sizes.size());
    std::wprintf(L"      id  %-32ls %s\n", L"name", "width x length");
    for (std::size_t i = 0; i < ids.size(); ++i) {
        std::wstring name;
        if ((i + 1) * kNameUnits <= names.size()) {
            name.assign(&names[i * kNameUnits], wcsnlen(&names[i * kNameUnits], kNameUnits));
        }
        const POINT size = i < sizes.size() ? sizes[i] : POINT{};
        std::wprintf(L"   %5u  %-32ls %6.1f x %6.1f mm%ls\n", ids[i], name.c_str(), size.x / 10.0,
                     size.y / 10.0, ids[i] >= 257 ? L"   (custom paper)" : L"");
    }
}

void PrintExtent(const std::wstring& printer, const wchar_t* label, WORD capability) {
    const DWORD packed = static_cast<DWORD>(
        DeviceCapabilitiesW(printer.c_str(), nullptr, capability, nullptr, nullptr));
    std::wprintf(L"  %ls extent: %.1f x %.1f mm (0x%08lX)\n", label, LOWORD(packed) / 10.0,
                 HIWORD(packed) / 10.0, packed);
}

std::wstring Signed(std::int32_t value, const wchar_t* unit) {
    if (value == adjustui::kUnsetSigned) {
        return L"unset";
    }
    return std::to_wstring(value) + unit;
}

std::wstring Offset(std::int32_t value) {
    if (value == adjustui::kUnsetSigned) {
        return L"unset";
    }
    wchar_t text[64];
    std::swprintf(text, 64, L"%+d/300 inch (%+.2f mm)", value, value * 25.4 / 300.0);
    return text;
}

std::wstring Unsigned(std::uint32_t value, const wchar_t* unit) {
    return value == adjustui::kUnsetValue ? L"unset" : std::to_wstring(value) + unit;
}

std::wstring Cutter(std::uint32_t value) {
    switch (value) {
        case 0:
            return L"no cutting";
        case 1:
            return L"cut after the job";
        case 2:
            return L"cut after each page";
        default:
            return Unsigned(value, L"");
    }
}

const wchar_t* YesNo(std::uint8_t flag) {
    return flag != 0 ? L"yes" : L"no";
}

void PrintPrivateBlock(const OemDevmode& block) {
    // Written as the value reads, most significant character first: 0x005A454C is 'ZEL'.
    const char signature[4] = {static_cast<char>((block.dwSignature >> 16) & 0xFF),
                               static_cast<char>((block.dwSignature >> 8) & 0xFF),
                               static_cast<char>(block.dwSignature & 0xFF), 0};
    std::wprintf(
        L"  Private block: signature '%hs', version %lu, %lu bytes, applied on the page: %ls\n",
        signature, block.dwVersion, block.dwSize, YesNo(block.bSettingsValid));
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"image offset X",
                 Offset(block.lXOffset).c_str(), YesNo(block.bOffsetSend));
    std::wprintf(L"    %-22ls %-30ls\n", L"image offset Y", Offset(block.lYOffset).c_str());
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"slip correction",
                 Signed(block.lSlipCorrection, L" %").c_str(), YesNo(block.bSlipCorrectionSend));
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"cutter", Cutter(block.dwCutter).c_str(),
                 YesNo(block.bCutterSend));
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"print speed",
                 Unsigned(block.dwPrintSpeed, L" inch/s").c_str(), YesNo(block.bPrintSpeedSend));
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"print density",
                 Unsigned(block.dwPrintDensity, L" %").c_str(), YesNo(block.bPrintDensitySend));
    const std::wstring config = block.dwConfigNumber == adjustui::kUnsetValue
                                    ? L"unset"
                                    : L"number " + std::to_wstring(block.dwConfigNumber + 1);
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"configuration", config.c_str(),
                 YesNo(block.bConfigSend));
    std::wprintf(L"    %-22ls %-30ls\n", L"copies", Unsigned(block.dwCopies, L"").c_str());
    std::wprintf(L"    %-22ls %-30ls\n", L"rotate by 180 degrees", YesNo(block.bRotate180));
    std::wprintf(L"    %-22ls %-30ls\n", L"send paper format", YesNo(block.bPaperFormatSend));
    const std::wstring font(
        block.szPassThroughFont,
        block.szPassThroughFont + std::char_traits<char16_t>::length(block.szPassThroughFont));
    std::wprintf(L"    %-22ls %-30ls send: %ls\n", L"pass-through font",
                 font.empty() ? L"(none)" : font.c_str(), YesNo(block.bPassThroughSend));
    std::wprintf(L"    %-22ls %-30ls\n", L"selected paper",
                 block.wSelectedPaperSize == 0 ? L"(public devmode's)"
                                               : std::to_wstring(block.wSelectedPaperSize).c_str());
    std::wprintf(L"    %-22ls %ls standard, %ls custom\n", L"paper counts",
                 Signed(block.lStdPaperCount, L"").c_str(),
                 Signed(block.lCustomPaperCount, L"").c_str());
}

void PrintDevmode(const std::vector<BYTE>& bytes) {
    const auto& dm = *reinterpret_cast<const DEVMODEW*>(bytes.data());
    std::wprintf(L"  Public part: %u bytes, paper \"%ls\" (%d) %.1f x %.1f mm, %ls, %d cop%ls\n",
                 dm.dmSize, dm.dmFormName, dm.dmPaperSize, dm.dmPaperWidth / 10.0,
                 dm.dmPaperLength / 10.0,
                 dm.dmOrientation == DMORIENT_LANDSCAPE ? L"landscape" : L"portrait", dm.dmCopies,
                 dm.dmCopies == 1 ? L"y" : L"ies");
    if (dm.dmDriverExtra < sizeof(OemDevmode)) {
        std::wprintf(L"  No private block of the plug-in (%u bytes of driver data)\n",
                     dm.dmDriverExtra);
        return;
    }
    OemDevmode block;
    std::memcpy(&block, bytes.data() + dm.dmSize, sizeof(block));
    PrintPrivateBlock(block);
}

std::vector<BYTE> DefaultDevmode(const std::wstring& printer) {
    auto* name = const_cast<wchar_t*>(printer.c_str());
    const LONG size = DocumentPropertiesW(nullptr, nullptr, name, nullptr, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(size));
    if (DocumentPropertiesW(nullptr, nullptr, name, reinterpret_cast<DEVMODEW*>(bytes.data()),
                            nullptr, DM_OUT_BUFFER) < 0) {
        return {};
    }
    std::wprintf(L"  Default devmode: %ld bytes\n", size);
    return bytes;
}

// A devmode as a document keeps it after the page applied settings, with two values no page
// could have made; the driver takes it in and the plug-in answers for its own block.
void TakeInDocumentDevmode(const std::wstring& printer, const std::vector<BYTE>& defaults) {
    std::vector<BYTE> document = defaults;
    const auto& dm = *reinterpret_cast<const DEVMODEW*>(document.data());
    if (dm.dmDriverExtra < sizeof(OemDevmode)) {
        return;
    }
    OemDevmode block;
    std::memcpy(&block, document.data() + dm.dmSize, sizeof(block));
    block.bSettingsValid = 1;
    block.lXOffset = -75;
    block.bOffsetSend = 1;
    block.dwCopies = 4;
    block.dwPrintDensity = 300;
    block.dwCutter = 7;
    const wchar_t font[] = L"Courier New";
    std::memcpy(block.szPassThroughFont, font, sizeof(font));
    block.bPassThroughSend = 1;
    std::memcpy(document.data() + dm.dmSize, &block, sizeof(block));

    std::vector<BYTE> out(document.size());
    auto* name = const_cast<wchar_t*>(printer.c_str());
    const LONG result = DocumentPropertiesW(
        nullptr, nullptr, name, reinterpret_cast<DEVMODEW*>(out.data()),
        reinterpret_cast<DEVMODEW*>(document.data()), DM_IN_BUFFER | DM_OUT_BUFFER);
    std::wprintf(
        L"  A document's devmode, applied on the page (X offset -75/300 inch, 4 copies,\n"
        L"  font \"Courier New\"; density 300 %% and cutter 7 out of range), taken in"
        L" (%ld):\n",
        result);
    PrintDevmode(out);
}

// The printing preferences as an application opens them: its devmode in, the sheet, the devmode
// that the sheet leaves out.
void OpenPreferences(const std::wstring& printer, std::vector<BYTE>& devmode, UINT showMs) {
    auto* name = const_cast<wchar_t*>(printer.c_str());
    std::vector<BYTE> out(devmode.size());
    // OK is pressed a while after the sheet appeared, so that a picture can be taken meanwhile.
    const adjustui::winsupport::SheetCloser closer(showMs);
    const LONG result = DocumentPropertiesW(
        nullptr, nullptr, name, reinterpret_cast<DEVMODEW*>(out.data()),
        reinterpret_cast<DEVMODEW*>(devmode.data()), DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    std::wprintf(L"  Printing preferences: DocumentPropertiesW answered %ld%ls\n", result,
                 result == ERR_CPSUI_NO_PROPSHEETPAGE ? L" (no page to show)" : L"");
    if (reinterpret_cast<const DEVMODEW*>(out.data())->dmSize != 0) {
        std::wprintf(L"  Devmode the sheet left:\n");
        devmode = std::move(out);
        PrintDevmode(devmode);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool preferences = false;
    UINT showMs = 2000;
    int shown = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring printer = argv[i];
        if (printer.starts_with(L"--preferences")) {
            preferences = true;
            if (printer.size() > 14 && printer[13] == L'=') {
                showMs = static_cast<UINT>(std::wcstoul(printer.c_str() + 14, nullptr, 10));
            }
            continue;
        }
        std::wprintf(L"\n== Printer \"%ls\", driver (model) \"%ls\"\n", printer.c_str(),
                     DriverName(printer).c_str());
        PrintPapers(printer);
        PrintExtent(printer, L"Minimum", DC_MINEXTENT);
        PrintExtent(printer, L"Maximum", DC_MAXEXTENT);
        std::vector<BYTE> devmode = DefaultDevmode(printer);
        if (devmode.empty()) {
            std::wprintf(L"  DocumentPropertiesW failed\n");
            continue;
        }
        PrintDevmode(devmode);
        TakeInDocumentDevmode(printer, devmode);
        if (preferences) {
            OpenPreferences(printer, devmode, showMs);
        }
        ++shown;
    }
    std::fflush(stdout);
    return shown > 0 ? 0 : 1;
}
