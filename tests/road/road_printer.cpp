#include "tests/road/road_printer.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "settings/paper_store.h"
#include "winsupport/printer_setup.h"
#include "winsupport/spooler_info.h"

namespace adjustui::road {
namespace {

using winsupport::CapabilityList;

constexpr std::size_t kNameUnits = 64;

}  // namespace

RoadPrinter::RoadPrinter(const std::wstring& name, const std::wstring& model)
    : name_(name), ready_(winsupport::AddModelPrinter(name, model)) {}

bool RoadPrinter::StoreSelectedPaper(std::uint16_t code) {
    return winsupport::Printer::Open(name_).Set(L"SelectedPaperSize", REG_DWORD, &code, 2);
}

Texts RoadPrinter::StoredPapers() const {
    auto store = winsupport::Printer::Open(name_, PRINTER_ACCESS_USE);
    const auto array = store.Get(L"07_CUST_PAPER_SIZES").value_or(std::vector<unsigned char>{});
    std::vector<PaperRecord> records(array.size() / sizeof(PaperRecord));
    std::memcpy(records.data(), array.data(), records.size() * sizeof(PaperRecord));
    const auto count = store.Get(L"CountOfCustomPapers");
    EXPECT_TRUE(count && count->size() == 4 && (*count)[0] == records.size());
    Texts papers;
    for (const PaperRecord& r : records) {
        papers.push_back(reinterpret_cast<const wchar_t*>(r.name) + (L" " + std::to_wstring(r.id)) +
                         L" " + std::to_wstring(r.width) + L" " + std::to_wstring(r.length));
    }
    return papers;
}

int RoadPrinter::Count(WORD capability, const DEVMODEW* devmode) const {
    return DeviceCapabilitiesW(name_.c_str(), nullptr, capability, nullptr, devmode);
}

std::vector<WORD> RoadPrinter::Papers() const {
    return CapabilityList<WORD>(name_, DC_PAPERS);
}

std::vector<POINT> RoadPrinter::PaperSizes() const {
    return CapabilityList<POINT>(name_, DC_PAPERSIZE);
}

std::vector<std::wstring> RoadPrinter::PaperNames() const {
    const auto units = CapabilityList<wchar_t>(name_, DC_PAPERNAMES, kNameUnits);
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < units.size(); i += kNameUnits) {
        names.emplace_back(&units[i], wcsnlen(&units[i], kNameUnits));
    }
    return names;
}

std::wstring RoadPrinter::MediaReady(const DEVMODEW* devmode) const {
    wchar_t name[kNameUnits] = {};
    if (DeviceCapabilitiesW(name_.c_str(), nullptr, DC_MEDIAREADY, name, devmode) != 1) {
        return L"(failed)";
    }
    return {name, wcsnlen(name, kNameUnits)};
}

LONG RoadPrinter::DevmodeSize() const {
    return DocumentPropertiesW(nullptr, nullptr, const_cast<wchar_t*>(name_.c_str()), nullptr,
                               nullptr, 0);
}

Devmode RoadPrinter::DefaultDevmode() const {
    const LONG size = DevmodeSize();
    if (size <= 0) {
        return {};
    }
    // Garbage where the spooler reads its cbOut from: the driver must not trust it.
    std::vector<BYTE> bytes(static_cast<std::size_t>(size), 0xA5);
    if (DocumentPropertiesW(nullptr, nullptr, const_cast<wchar_t*>(name_.c_str()),
                            reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK) {
        return {};
    }
    return Devmode(std::move(bytes));
}

Devmode RoadPrinter::AppliedDevmode() const {
    Devmode devmode = DefaultDevmode();
    if (!devmode.empty()) {
        devmode.block().bSettingsValid = 1;
    }
    return devmode;
}

Devmode RoadPrinter::Merged(Devmode& in, DWORD extraMode, LONG* result) const {
    const LONG size = DevmodeSize();
    if (size <= 0) {
        return {};
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(size), 0);
    const LONG answer = DocumentPropertiesW(nullptr, nullptr, const_cast<wchar_t*>(name_.c_str()),
                                            reinterpret_cast<DEVMODEW*>(bytes.data()),
                                            reinterpret_cast<DEVMODEW*>(in.data()),
                                            DM_IN_BUFFER | DM_OUT_BUFFER | extraMode);
    if (result != nullptr) {
        *result = answer;
    }
    return Devmode(std::move(bytes));
}

bool GermanRun() {
    const char* locale = std::getenv("LC_ALL");
    return locale != nullptr && std::strncmp(locale, "de", 2) == 0;
}

winsupport::PreferencesResult OnPage(const RoadPrinter& printer, const Devmode& in,
                                     const std::function<void(HWND page, Sheet&)>& test,
                                     Finish finish) {
    bool ran = false;
    auto run = OpenPreferences(
        printer.name(), in.bytes(),
        [&](Sheet& sheet) {
            HWND page = sheet.ShowPage(GermanRun() ? L"Anpassungen" : L"Adjustments");
            ASSERT_NE(page, nullptr);
            sheet.Settle();
            test(page, sheet);
            ran = true;
        },
        finish);
    EXPECT_TRUE(ran) << "the page was not shown";
    return run;
}

Texts Boxes(const winsupport::PreferencesResult& run) {
    Texts boxes;
    for (const winsupport::SeenMessageBox& box : run.messageBoxes)
        boxes.push_back(box.caption + L"|" + box.text);
    return boxes;
}

}  // namespace adjustui::road
