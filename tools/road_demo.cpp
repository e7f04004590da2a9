// Walks the road of an application for each printer named on the command line, through the
// spooler only.
//   adjustui-road-demo PRINTER...
// prints its paper lists and extents (DeviceCapabilitiesW), its default devmode and the plug-in's
// settings in it (DocumentPropertiesW).
//   adjustui-road-demo --page=en|de [--pictures=DIR] [--add-paper=NAME=WIDTH,LENGTH] PRINTER...
// opens its printing preferences with the "Adjustments" page active (the language must be the
// user's: set LC_ALL), saves a picture of the sheet as DIR\<model>-<language>.png, presses OK and
// prints the devmode that comes back. With --add-paper the paper (millimetres) is typed into the
// page's custom paper editor and added first, the picture is <model>-custom-paper.png, and the
// paper list an application gets afterwards is printed. --tick=MS is the pause before each step
// on the page, in milliseconds (400).
#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "page/controls.h"
#include "settings/oem_devmode.h"
#include "winsupport/sheet_fixture.h"
#include "winsupport/spooler_info.h"

namespace {

using adjustui::OemDevmode;
using adjustui::winsupport::Click;
using adjustui::winsupport::Enabled;
using adjustui::winsupport::Sheet;
using adjustui::winsupport::TypeKeys;

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

// What the demo does on the "Adjustments" page while the printing preferences are up.
struct PageVisit {
    std::wstring title;    // the page's tab in the user's language
    std::wstring picture;  // PNG file, empty for none
    // A custom paper typed into the editor and added: name, width and length in millimetres.
    std::optional<std::array<std::wstring, 3>> paper;
    DWORD pauseMs = 400;

    bool shown = false;
    bool added = false;
    bool pictured = false;
};

// Shows the page, adds the paper, takes the picture; each step after a pause in which the sheet
// handles its messages, so that the picture shows the sheet as a user sees it.
void Visit(Sheet& sheet, PageVisit& v) {
    namespace ids = adjustui::page;
    const HWND page = sheet.ShowPage(v.title);
    v.shown = page != nullptr;
    if (!v.shown) {
        return;
    }
    const auto pause = [&] { sheet.PumpUntil([] { return false; }, v.pauseMs); };
    pause();
    if (v.paper) {
        TypeKeys(page, ids::kPaperNameEdit, (*v.paper)[0]);
        TypeKeys(page, ids::kPaperWidthEdit, (*v.paper)[1]);
        TypeKeys(page, ids::kPaperLengthEdit, (*v.paper)[2]);
        if (Enabled(page, ids::kAddPaperButton)) {
            Click(page, ids::kAddPaperButton);
            v.added = Enabled(page, ids::kDeletePaperButton);
        }
    }
    pause();
    v.pictured = !v.picture.empty() && sheet.SavePicture(v.picture);
}

// The printing preferences as an application opens them: its devmode in, the sheet with the page
// visited, OK, and the devmode the sheet leaves out.
bool OpenPreferences(const std::wstring& printer, std::vector<BYTE>& devmode, PageVisit& visit) {
    const auto run = adjustui::winsupport::OpenPreferences(
        printer, devmode, [&](Sheet& sheet) { Visit(sheet, visit); });
    std::wprintf(L"  Printing preferences: DocumentPropertiesW answered %ld, page \"%ls\" %ls\n",
                 run.result, visit.title.c_str(), visit.shown ? L"shown" : L"not found");
    if (visit.paper) {
        std::wprintf(L"  Custom paper \"%ls\", %ls x %ls mm typed into the page: %ls\n",
                     (*visit.paper)[0].c_str(), (*visit.paper)[1].c_str(),
                     (*visit.paper)[2].c_str(), visit.added ? L"added" : L"NOT added");
    }
    if (!visit.picture.empty()) {
        std::wprintf(L"  Picture of the page: %ls%ls\n", visit.picture.c_str(),
                     visit.pictured ? L"" : L" (FAILED)");
    }
    // The page refused OK with a message box: the fixture answered it and cancelled the sheet.
    if (!run.closedAsAsked) {
        const std::wstring said =
            run.messageBoxes.empty()
                ? L""
                : run.messageBoxes.back().caption + L": " + run.messageBoxes.back().text;
        std::wprintf(L"  The page refused OK (\"%ls\"); the sheet was cancelled\n", said.c_str());
        return false;
    }
    if (run.result != IDOK || run.devmode.size() < sizeof(DEVMODEW) ||
        reinterpret_cast<const DEVMODEW*>(run.devmode.data())->dmSize == 0) {
        return false;
    }
    std::wprintf(L"  Devmode the sheet left after OK:\n");
    devmode = run.devmode;
    PrintDevmode(devmode);
    return visit.shown && (visit.picture.empty() || visit.pictured) &&
           (!visit.paper || visit.added);
}

// "KESTRA VC9" as part of a file name: blanks become '-'.
std::wstring FileNamePart(std::wstring text) {
    std::replace(text.begin(), text.end(), L' ', L'-');
    return text;
}

struct Options {
    // Empty: the road of an application without the sheet. "en" or "de": the page in that
    // language, whose title the sheet's tab shows.
    std::wstring language;
    std::wstring pictures;  // folder for the pictures of the page
    std::optional<std::array<std::wstring, 3>> paper;
    UINT tickMs = 400;
    std::vector<std::wstring> printers;
};

bool Value(const std::wstring& argument, const wchar_t* option, std::wstring& value) {
    const std::wstring prefix = std::wstring(option) + L"=";
    if (!argument.starts_with(prefix)) {
        return false;
    }
    value = argument.substr(prefix.size());
    return true;
}

// NAME=WIDTH,LENGTH
std::optional<std::array<std::wstring, 3>> PaperOption(const std::wstring& text) {
    const auto eq = text.rfind(L'=');
    const auto comma = text.rfind(L',');
    if (eq == std::wstring::npos || comma == std::wstring::npos || comma < eq) {
        return std::nullopt;
    }
    return std::array<std::wstring, 3>{text.substr(0, eq), text.substr(eq + 1, comma - eq - 1),
                                       text.substr(comma + 1)};
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        std::wstring value;
        if (Value(argument, L"--page", o.language)) {
            if (o.language != L"en" && o.language != L"de") {
                return std::nullopt;
            }
        } else if (Value(argument, L"--pictures", o.pictures)) {
        } else if (Value(argument, L"--add-paper", value)) {
            o.paper = PaperOption(value);
            if (!o.paper) {
                return std::nullopt;
            }
        } else if (Value(argument, L"--tick", value)) {
            o.tickMs = static_cast<UINT>(std::wcstoul(value.c_str(), nullptr, 10));
        } else if (argument.starts_with(L"--")) {
            return std::nullopt;
        } else {
            o.printers.push_back(argument);
        }
    }
    if (o.printers.empty() || (o.paper && o.language.empty())) {
        return std::nullopt;
    }
    return o;
}

// The page of one printer: a picture of it (with the new paper typed in, when one is added), OK,
// the devmode that comes back; after an added paper, the paper list an application now gets.
bool VisitPage(const Options& o, const std::wstring& printer, std::vector<BYTE>& devmode) {
    PageVisit visit;
    visit.title = o.language == L"de" ? L"Anpassungen" : L"Adjustments";
    visit.paper = o.paper;
    if (!o.pictures.empty()) {
        const std::wstring what = o.paper ? L"custom-paper" : o.language;
        visit.picture =
            o.pictures + L"\\" + FileNamePart(DriverName(printer)) + L"-" + what + L".png";
    }
    visit.pauseMs = o.tickMs;
    const bool ok = OpenPreferences(printer, devmode, visit);
    if (o.paper) {
        std::wprintf(L"  The application's paper list now:\n");
        PrintPapers(printer);
    }
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputws(
            L"usage: adjustui-road-demo [--page=en|de [--pictures=DIR] "
            L"[--add-paper=NAME=WIDTH,LENGTH] [--tick=MS]] PRINTER...\n",
            stderr);
        return 2;
    }
    const Options& o = *options;
    int failed = 0;
    for (const std::wstring& printer : o.printers) {
        std::wprintf(L"\n== Printer \"%ls\", driver (model) \"%ls\"\n", printer.c_str(),
                     DriverName(printer).c_str());
        std::vector<BYTE> devmode = DefaultDevmode(printer);
        if (devmode.empty()) {
            std::wprintf(L"  DocumentPropertiesW failed\n");
            ++failed;
            continue;
        }
        if (!o.language.empty()) {
            failed += VisitPage(o, printer, devmode) ? 0 : 1;
            std::fflush(stdout);
            continue;
        }
        PrintPapers(printer);
        PrintExtent(printer, L"Minimum", DC_MINEXTENT);
        PrintExtent(printer, L"Maximum", DC_MAXEXTENT);
        PrintDevmode(devmode);
        TakeInDocumentDevmode(printer, devmode);
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
