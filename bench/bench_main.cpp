// Round trips and time per request of the plug-in's printer-data work, against a real spooler
// printer with every stored value present: each request as the plug-in makes it now, beside the
// same request read and written value by value, in one run. Prints a Markdown table.
#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/counting_store.h"
#include "capabilities/device_capabilities.h"
#include "page/page_model.h"
#include "page/paper_list.h"
#include "platform/win32/winspool_store.h"
#include "settings/devmode_handler.h"
#include "settings/paper_store.h"
#include "settings/printer_snapshot.h"
#include "settings/store_changes.h"
#include "winsupport/model_printers.h"
#include "winsupport/spooler_info.h"

namespace adjustui::bench {
namespace {

constexpr wchar_t kPrinter[] = L"bench KESTRA VC9";
constexpr int kRepeats = 40;
constexpr int kStandardPapers = 24;

class SilentSink : public DebugSink {
  public:
    void Line(const char*) override {}
};

// The printer as the described reads and writes see it: no listing, and the driver name by a
// sizing call and a real call.
class ValueByValueStore final : public PrinterStore {
  public:
    explicit ValueByValueStore(HANDLE printer) : handle_(printer), store_(printer) {}
    std::uint32_t GetData(const char16_t* n, std::span<std::byte> d,
                          std::uint32_t& needed) override {
        return store_.GetData(n, d, needed);
    }
    std::uint32_t SetData(const char16_t* n, std::uint32_t t,
                          std::span<const std::byte> d) override {
        return store_.SetData(n, t, d);
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override { return store_.OpenForWrite(); }
    std::optional<std::u16string> DriverName() override {
        DWORD needed = 0;
        if (GetPrinterDriverW(handle_, nullptr, 1, nullptr, 0, &needed) ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            return std::nullopt;
        }
        std::vector<BYTE> info(needed + 128);
        if (!GetPrinterDriverW(handle_, nullptr, 1, info.data(), static_cast<DWORD>(info.size()),
                               &needed)) {
            return std::nullopt;
        }
        const auto* driver = reinterpret_cast<const DRIVER_INFO_1W*>(info.data());
        return std::u16string(reinterpret_cast<const char16_t*>(driver->pName));
    }
    std::optional<std::vector<ListedValue>> ListValues() override { return std::nullopt; }

  private:
    HANDLE handle_;
    win32::WinspoolStore store_;
};

using Request = std::function<void(PrinterStore&)>;

struct Measured {
    RoundTrips trips;
    double microseconds = 0;
};

// `now`: through a fresh snapshot per request, as the plug-in reads (or, with `ownPictures`, the
// pictures the request takes itself); otherwise value by value.
Measured Measure(HANDLE printer, const Request& request, bool now, bool ownPictures) {
    Measured m;
    win32::WinspoolStore spooler(printer);
    ValueByValueStore described(printer);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepeats; ++i) {
        RoundTrips trips;
        if (now && ownPictures) {
            CountingStore counted(spooler, trips, 1);
            request(counted);
        } else if (now) {
            CountingStore counted(spooler, trips, 1);
            PrinterSnapshot picture(counted);
            request(picture);
        } else {
            CountingStore counted(described, trips, 2);
            request(counted);
        }
        m.trips = trips;
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    m.microseconds = spent.count() / kRepeats;
    return m;
}

bool PrepareTheBenchPrinter() {
    using namespace winsupport;
    if (!AddModelPrinter(kPrinter, L"KESTRA VC9"))
        return false;
    const struct {
        const wchar_t* name;
        std::uint32_t value;
    } dwords[] = {{L"X_OFFSET", 150},       {L"Y_OFFSET", 0},    {L"SLIP_CORRECTION", 5},
                  {L"CUTTER", 1},           {L"PRINT_SPEED", 3}, {L"PRINT_DENSITY", 110},
                  {L"NUMBER OF COPIES", 2}, {L"PAPER SIZES", 1}, {L"CONFIG", 4}};
    for (const auto& d : dwords) {
        if (!StoreDword(kPrinter, d.name, d.value))
            return false;
    }
    for (const wchar_t* flag : {L"SLIP_CORRECTION_SEND", L"OFFSET_SEND", L"CUTTER_SEND",
                                L"PRINT_SPEED_SEND", L"PRINT_DENSITY_SEND", L"ROTATE_SEND",
                                L"CONFIG SEND", L"PASSTHROUGH_SEND", L"PAPER FORMAT & SIZE SEND"}) {
        if (!StoreByte(kPrinter, flag, 1))
            return false;
    }
    return StoreCustomPapers(
        kPrinter,
        {{L"Label 50x30", 500, 300}, {L"Ticket 80x200", 800, 2000}, {L"Receipt", 800, 2970}});
}

// The core driver's lists, as the stand-in's would be.
struct CoreLists {
    std::vector<PaperNumber> numbers;
    std::vector<PaperName> names;
    std::vector<PaperPoint> sizes;
};
CoreLists MakeCoreLists() {
    CoreLists lists;
    for (int i = 0; i < kStandardPapers; ++i) {
        lists.numbers.push_back(static_cast<PaperNumber>(i + 1));
        PaperName name{};
        const std::u16string text = u"Standard " + std::u16string(1, char16_t(u'A' + i));
        std::copy(text.begin(), text.end(), name.units);
        lists.names.push_back(name);
        lists.sizes.push_back({1000 + i, 2000 + i});
    }
    return lists;
}

}  // namespace
}  // namespace adjustui::bench

int wmain() {
    using namespace adjustui;
    using namespace adjustui::bench;
    if (!PrepareTheBenchPrinter()) {
        std::fputs("the bench printer could not be set up\n", stderr);
        return 1;
    }
    const auto handle = winsupport::OpenPrinterByName(kPrinter);
    if (!handle) {
        std::fputs("the bench printer could not be opened\n", stderr);
        return 1;
    }
    SilentSink debug;
    const CoreLists core = MakeCoreLists();
    const std::uint32_t old = kStandardPapers;
    // The stored standard list as the core driver's answers leave it.
    {
        win32::WinspoolStore spooler(handle.get());
        MergeStandardPapers(spooler, std::span<const PaperNumber>(core.numbers));
        MergeStandardPapers(spooler, std::span<const PaperName>(core.names));
        MergeStandardPapers(spooler, std::span<const PaperPoint>(core.sizes));
    }

    OemDevmode applied{};
    std::uint32_t bufSize = kOemDevmodeSize;
    {
        win32::WinspoolStore spooler(handle.get());
        const DevModeRequest rq{spooler, nullptr, &applied, &bufSize};
        HandleOemDevMode(kOemDmDefault, &rq, debug);
    }
    applied.bSettingsValid = 1;
    OemDevmode unapplied = applied;
    unapplied.bSettingsValid = 0;

    auto devmode = [&](std::uint32_t mode, const OemDevmode* in) -> Request {
        return [=, &debug, &bufSize](PrinterStore& p) {
            OemDevmode out = applied;
            const DevModeRequest rq{p, in, &out, &bufSize};
            HandleOemDevMode(mode, &rq, debug);
        };
    };
    auto paperList = [&](std::uint16_t capability, std::size_t entryBytes, const void* coreList,
                         bool withBuffer) -> Request {
        return [=](PrinterStore& p) {
            std::vector<std::byte> output((old + 8) * entryBytes);
            std::memcpy(output.data(), coreList, old * entryBytes);
            std::int16_t paperSize = 9;
            char16_t formName[32] = u"A4";
            OemDevmode oem{};
            const CapabilityRequest rq{
                p,    capability, withBuffer ? output.data() : nullptr, {&paperSize, formName},
                &oem, old};
            std::uint32_t result = 0;
            AnswerDeviceCapabilities(rq, result);
        };
    };
    auto simple = [&](std::uint16_t capability) -> Request {
        return [=](PrinterStore& p) {
            char16_t output[64] = {};
            std::int16_t paperSize = 258;
            char16_t formName[32] = u"A4";
            OemDevmode oem{};
            oem.wSelectedPaperSize = 258;
            const CapabilityRequest rq{p, capability, output, {&paperSize, formName}, &oem, 1};
            std::uint32_t result = 0;
            AnswerDeviceCapabilities(rq, result);
        };
    };
    const Request pageOpen = [&](PrinterStore& p) {
        p.DriverName();
        page::BuildPaperList(p, applied, page::PublicPaper{9, 2100, 2970});
    };
    // Registration has the core driver pass its three paper lists, count and list each, through
    // the plug-in's answer; then the page reads its model and its papers.
    const Request registrationAnswers[] = {
        paperList(kDcPaperSize, 8, core.sizes.data(), false),
        paperList(kDcPaperSize, 8, core.sizes.data(), true),
        paperList(kDcPapers, 2, core.numbers.data(), false),
        paperList(kDcPapers, 2, core.numbers.data(), true),
        paperList(kDcPaperNames, 128, core.names.data(), false),
        paperList(kDcPaperNames, 128, core.names.data(), true),
    };
    const Request openWithOnePicture = [&](PrinterStore& picture) {
        for (const Request& answer : registrationAnswers)
            answer(picture);
        pageOpen(picture);
    };
    const Request openWithAPicturePerAnswer = [&](PrinterStore& printer) {
        for (const Request& answer : registrationAnswers) {
            PrinterSnapshot own(printer);
            answer(own);
        }
        PrinterSnapshot page(printer);
        pageOpen(page);
    };
    // "Save as default" of what is stored already.
    std::vector<ValueToWrite> defaults;
    {
        OemDevmode current = applied;
        page::PageModel model(page::PageFacts{{true, true, true, true}, std::nullopt, {}, false});
        page::PageShown shown = model.Open(current, LengthUnit::Inch, LengthUnit::Inch);
        shown.checked.fill(true);
        shown.Text(page::Field::XOffset) = u"0.50";
        shown.Text(page::Field::YOffset) = u"0.00";
        shown.Text(page::Field::SlipCorrection) = u"5";
        shown.Text(page::Field::Copies) = u"2";
        shown.Text(page::Field::Density) = u"110";
        for (const auto& v : model.Defaults(shown, current, page::PublicPaper{9, 2100, 2970})) {
            defaults.push_back({v.setting->name, StoredType(v.setting->kind), v.data});
        }
        win32::WinspoolStore spooler(handle.get());
        StoreChangedValues(spooler, defaults);
    }
    const Request saveNow = [&](PrinterStore& p) { StoreChangedValues(p, defaults); };
    const Request saveEach = [&](PrinterStore& p) {
        if (auto writer = p.OpenForWrite()) {
            for (const ValueToWrite& v : defaults)
                writer->SetData(v.name, v.type, v.data);
        }
    };
    const Request add = [&](PrinterStore& p) {
        PaperRecord paper{};
        std::copy_n(u"Bench", 5, paper.name);
        AppendCustomPaper(p, paper);
        RemoveCustomPaper(p, u"Bench");
    };

    struct Row {
        const char* name;
        Request now;
        Request described;
        bool ownPictures = false;
    };
    const Row rows[] = {
        {"SIZE", devmode(kOemDmSize, nullptr), devmode(kOemDmSize, nullptr)},
        {"DEFAULT", devmode(kOemDmDefault, nullptr), devmode(kOemDmDefault, nullptr)},
        {"CONVERT, applied block", devmode(kOemDmConvert, &applied),
         devmode(kOemDmConvert, &applied)},
        {"CONVERT, unapplied block", devmode(kOemDmConvert, &unapplied),
         devmode(kOemDmConvert, &unapplied)},
        {"MERGE, applied block", devmode(kOemDmMerge, &applied), devmode(kOemDmMerge, &applied)},
        {"MERGE, unapplied block", devmode(kOemDmMerge, &unapplied),
         devmode(kOemDmMerge, &unapplied)},
        {"DC_PAPERS count", paperList(kDcPapers, 2, core.numbers.data(), false),
         paperList(kDcPapers, 2, core.numbers.data(), false)},
        {"DC_PAPERS list", paperList(kDcPapers, 2, core.numbers.data(), true),
         paperList(kDcPapers, 2, core.numbers.data(), true)},
        {"DC_PAPERNAMES count", paperList(kDcPaperNames, 128, core.names.data(), false),
         paperList(kDcPaperNames, 128, core.names.data(), false)},
        {"DC_PAPERNAMES list", paperList(kDcPaperNames, 128, core.names.data(), true),
         paperList(kDcPaperNames, 128, core.names.data(), true)},
        {"DC_PAPERSIZE count", paperList(kDcPaperSize, 8, core.sizes.data(), false),
         paperList(kDcPaperSize, 8, core.sizes.data(), false)},
        {"DC_PAPERSIZE list", paperList(kDcPaperSize, 8, core.sizes.data(), true),
         paperList(kDcPaperSize, 8, core.sizes.data(), true)},
        {"DC_MINEXTENT", simple(kDcMinExtent), simple(kDcMinExtent)},
        {"DC_MAXEXTENT", simple(kDcMaxExtent), simple(kDcMaxExtent)},
        {"DC_MEDIAREADY", simple(kDcMediaReady), simple(kDcMediaReady)},
        {"page open (model, paper list)", pageOpen, pageOpen},
        {"page open, registration to WM_INITDIALOG: one picture", openWithOnePicture,
         openWithOnePicture},
        {"page open, registration to WM_INITDIALOG: a picture per answer (before)",
         openWithAPicturePerAnswer, openWithOnePicture, true},
        {"Save as default, nothing changed", saveNow, saveEach},
        {"Add (and Delete) a custom paper", add, add},
    };

    std::printf(
        "| request | now: reads / listings / writes / opens / driver | round trips now | "
        "value by value: reads / writes / opens / driver | round trips then | ratio | time now "
        "(us) | time then (us) | time ratio |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows) {
        const Measured now = Measure(handle.get(), row.now, true, row.ownPictures);
        const Measured then = Measure(handle.get(), row.described, false, false);
        const RoundTrips& a = now.trips;
        const RoundTrips& b = then.trips;
        const double ratio = a.Total() > 0 ? double(b.Total()) / a.Total() : 1.0;
        std::printf(
            "| %s | %d / %d / %d / %d / %d | %d | %d / %d / %d / %d | %d | %.1f | %.0f | %.0f "
            "| %.1f |\n",
            row.name, a.reads, a.listings, a.writes, a.opens, a.driverInfo, a.Total(), b.reads,
            b.writes, b.opens, b.driverInfo, b.Total(), ratio, now.microseconds, then.microseconds,
            now.microseconds > 0 ? then.microseconds / now.microseconds : 1.0);
    }
    std::printf(
        "\nRound trips: one per read, listing, write and driver-information call, three per "
        "second handle opened (GetPrinterW twice and OpenPrinterW).\n");
    return 0;
}
