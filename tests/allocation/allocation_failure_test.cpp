// Every request of the portable core with the N-th allocation failing, for N = 1, 2, ... until a
// request completes without reaching it. Each run must end without a crash, with every allocation
// it made given back (and, under the sanitizers, nothing LeakSanitizer finds), and with its outputs
// either complete (as a run without failure leaves them) or untouched: the devmode, the
// application's buffer and its answer, and the paper lists as their readers see them.
//   adjustui_allocation_failures [--every]   without --every, only every 5th N beyond the 40th
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "capabilities/device_capabilities.h"
#include "common/debug_sink.h"
#include "settings/devmode_handler.h"
#include "settings/paper_store.h"
#include "settings/printer_snapshot.h"
#include "settings/stored_settings.h"
#include "tests/support/memory_printer_store.h"

namespace {

// The allocator of this program: counts, and fails the chosen allocation while armed.
bool g_armed = false;
long g_allocations = 0;
long g_failAt = 0;
long g_live = 0;

void* Allocate(std::size_t size) {
    if (g_armed && ++g_allocations == g_failAt)
        return nullptr;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr)
        ++g_live;
    return p;
}

void Free(void* p) {
    if (p != nullptr) {
        --g_live;
        std::free(p);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Free(p);
}
void operator delete[](void* p) noexcept {
    Free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Free(p);
}

namespace adjustui {
namespace {

using testing::MemoryPrinter;
using testing::MemoryPrinterStore;

class QuietSink final : public DebugSink {
  public:
    void Line(const char*) override {}
};

PaperRecord Record(const char16_t* name, std::uint16_t id, std::int32_t size) {
    PaperRecord r{};
    AssignField(r.name, std::u16string_view(name));
    r.id = id;
    r.width = r.length = size;
    return r;
}

// A printer with every stored setting, a standard list and three custom papers.
MemoryPrinter FilledPrinter() {
    MemoryPrinter printer;
    for (const StoredSetting& s : kStoredSettings)
        printer.Put(s.name, kRegBinary, std::uint32_t{1});
    const std::vector<PaperRecord> standard = {Record(u"A4", 9, 2100), Record(u"Letter", 1, 2159)};
    printer.Put(value::kStdPaperCount, kRegBinary, std::int32_t{2});
    printer.Put(value::kStdPapers, kRegBinary, standard.data(), 2 * sizeof(PaperRecord));
    const std::vector<PaperRecord> custom = {
        Record(u"Label", 257, 500), Record(u"Ticket", 258, 800), Record(u"Slip", 259, 300)};
    printer.Put(value::kCustomPaperCount, kRegBinary, std::int32_t{3});
    printer.Put(value::kCustomPapers, kRegBinary, custom.data(), 3 * sizeof(PaperRecord));
    return printer;
}

// What a request leaves for its caller and for the printer's readers.
struct Outputs {
    std::vector<std::byte> bytes;  // the devmode or the application's buffer, and the answer
    std::vector<PaperRecord> standard;
    std::vector<PaperRecord> custom;

    bool operator==(const Outputs& o) const {
        auto same = [](const std::vector<PaperRecord>& a, const std::vector<PaperRecord>& b) {
            return a.size() == b.size() &&
                   (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
        };
        return bytes == o.bytes && same(standard, o.standard) && same(custom, o.custom);
    }
};

// One request over a fresh copy of the printer, on fresh buffers; `run` may throw.
struct Request {
    std::string name;
    std::function<void(PrinterStore&, std::vector<std::byte>&)> run;
    std::function<void(std::vector<std::byte>&)> prepare = [](std::vector<std::byte>&) {};
};

// The simulated spooler: the memory it takes to keep a written value is its own, not the
// plug-in's, and never fails.
class Spooler final : public PrinterStore {
  public:
    explicit Spooler(std::unique_ptr<PrinterStore> inner) : inner_(std::move(inner)) {}
    std::uint32_t GetData(const char16_t* n, std::span<std::byte> d, std::uint32_t& s) override {
        return inner_->GetData(n, d, s);
    }
    std::uint32_t SetData(const char16_t* n, std::uint32_t t,
                          std::span<const std::byte> d) override {
        const bool armed = std::exchange(g_armed, false);
        const std::uint32_t r = inner_->SetData(n, t, d);
        g_armed = armed;
        return r;
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override {
        const bool armed = std::exchange(g_armed, false);
        auto writer = inner_->OpenForWrite();
        g_armed = armed;
        if (!writer)
            return nullptr;
        return std::make_unique<Spooler>(std::move(writer));
    }
    std::optional<std::u16string> DriverName() override { return inner_->DriverName(); }
    std::optional<std::vector<ListedValue>> ListValues() override { return inner_->ListValues(); }

  private:
    std::unique_ptr<PrinterStore> inner_;
};

Outputs Observe(const std::shared_ptr<MemoryPrinter>& printer, std::vector<std::byte> bytes) {
    MemoryPrinterStore reader(printer);
    return {std::move(bytes), ReadStandardPapers(reader), ReadCustomPapers(reader)};
}

struct Run {
    bool completed = true;
    long allocations = 0;
    bool gaveBack = true;  // every allocation of the request was freed by its end
    Outputs before;
    Outputs after;
};

// Runs `request` with allocation `failAt` failing (0: none).
Run RunOnce(const Request& request, long failAt) {
    Run run;
    auto printer = std::make_shared<MemoryPrinter>(FilledPrinter());
    std::vector<std::byte> bytes(4096, std::byte{0xA5});
    request.prepare(bytes);
    run.before = Observe(printer, bytes);
    const long live = g_live;
    {
        Spooler store(std::make_unique<MemoryPrinterStore>(printer));
        g_allocations = 0;
        g_failAt = failAt;
        g_armed = true;
        try {
            PrinterSnapshot picture(store);
            request.run(picture, bytes);
        } catch (const std::bad_alloc&) {
            run.completed = false;
        }
        g_armed = false;
        run.allocations = g_allocations;
    }
    run.gaveBack = g_live == live;
    run.after = Observe(printer, bytes);
    return run;
}

std::vector<Request> Requests() {
    static QuietSink sink;
    std::vector<Request> requests;
    // An applied block of this version: converting and merging read the printer's values too.
    const auto applied = [](std::vector<std::byte>& bytes) {
        OemDevmode input{};
        input.dwSize = kOemDevmodeSize;
        input.dwSignature = kOemSignature;
        input.dwVersion = kOemVersion;
        input.bSettingsValid = 1;
        std::memcpy(bytes.data() + kOemDevmodeSize, &input, sizeof input);
    };
    auto devmode = [](std::uint32_t mode, bool inPlace) {
        return [=](PrinterStore& printer, std::vector<std::byte>& bytes) {
            auto* out =
                reinterpret_cast<OemDevmode*>(bytes.data() + (inPlace ? kOemDevmodeSize : 0));
            const auto* input = reinterpret_cast<const OemDevmode*>(bytes.data() + kOemDevmodeSize);
            std::uint32_t size = kOemDevmodeSize;
            const DevModeRequest request{printer, input, out, &size};
            HandleOemDevMode(mode, &request, sink);
        };
    };
    requests.push_back({"DEFAULT", devmode(kOemDmDefault, false)});
    requests.push_back({"CONVERT", devmode(kOemDmConvert, false), applied});
    requests.push_back({"CONVERT in place", devmode(kOemDmConvert, true), applied});
    requests.push_back({"MERGE", devmode(kOemDmMerge, false), applied});
    for (std::uint16_t capability :
         {kDcPapers, kDcPaperNames, kDcPaperSize, kDcMinExtent, kDcMaxExtent, kDcMediaReady}) {
        for (bool withBuffer : {false, true}) {
            requests.push_back(
                {"capability " + std::to_string(capability) + (withBuffer ? " list" : " count"),
                 [=](PrinterStore& printer, std::vector<std::byte>& bytes) {
                     std::int16_t paperSize = 258;
                     char16_t formName[32] = u"A4";
                     OemDevmode oem{};
                     oem.wSelectedPaperSize = 258;
                     std::uint32_t result = 0;
                     // The core driver's own three entries are in the buffer already.
                     const CapabilityRequest request{printer,
                                                     capability,
                                                     withBuffer ? bytes.data() + 8 : nullptr,
                                                     {&paperSize, formName},
                                                     &oem,
                                                     3};
                     AnswerDeviceCapabilities(request, result);
                     std::memcpy(bytes.data(), &result, sizeof result);
                 }});
        }
    }
    requests.push_back({"Add", [](PrinterStore& printer, std::vector<std::byte>& bytes) {
                            const PaperListChange r =
                                AppendCustomPaper(printer, Record(u"New", 0, 700), [] {});
                            std::memcpy(bytes.data(), &r, sizeof r);
                        }});
    requests.push_back({"Delete", [](PrinterStore& printer, std::vector<std::byte>& bytes) {
                            const PaperListChange r = RemoveCustomPaper(printer, u"Ticket", [] {});
                            std::memcpy(bytes.data(), &r, sizeof r);
                        }});
    return requests;
}

}  // namespace
}  // namespace adjustui

int main(int argc, char** argv) {
    using namespace adjustui;
    const bool every = argc > 1 && std::strcmp(argv[1], "--every") == 0;
    int faults = 0;
    long tried = 0;
    for (const Request& request : Requests()) {
        const Run complete = RunOnce(request, 0);
        for (long n = 1; n <= complete.allocations; n += (every || n < 40) ? 1 : 5) {
            const Run run = RunOnce(request, n);
            ++tried;
            const char* fault = nullptr;
            if (!run.gaveBack)
                fault = "allocations not given back";
            else if (!(run.after == complete.after) &&
                     (run.completed || !(run.after == run.before)))
                fault = "outputs neither complete nor untouched";
            if (fault != nullptr) {
                std::printf("%s, allocation %ld of %ld failing: %s\n", request.name.c_str(), n,
                            complete.allocations, fault);
                ++faults;
            }
        }
        std::printf("%-24s %4ld allocations\n", request.name.c_str(), complete.allocations);
    }
    std::printf("%ld allocation points tried, %d faults\n", tried, faults);
    return faults == 0 ? 0 : 1;
}
