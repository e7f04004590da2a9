// The plug-in object's own answers: interfaces, GetInfo, the colour profile, the driver interface
// and the slots it declines.
#include <cstring>
#include <vector>

#include "settings/oem_devmode.h"
#include "tests/wine/plugin_harness.h"
#include "winsupport/handles.h"

namespace adjustui::wine {
namespace {

constexpr DWORD kSignature = 0x005A454C;  // 'ZEL'

class PluginObject : public ::testing::Test {
  protected:
    void SetUp() override {
        plugin_ = CreatePlugin();
        ASSERT_TRUE(plugin_);
        SetLastError(kSentinel);
    }
    ComRef<IPrintOemUI2> plugin_;
};

TEST_F(PluginObject, AnswersItsThreeInterfacesWithItselfAndNothingElse) {
    for (const IID* iid : {&IID_IUnknown, &kIID_IPrintOemUI, &kIID_IPrintOemUI2}) {
        void* out = nullptr;
        ASSERT_EQ(plugin_->QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, plugin_.get());
        EXPECT_EQ(RefCount(plugin_.get()), 2u);
        plugin_->Release();
    }
    for (const IID* iid : {&IID_IClassFactory, &kIID_IPrintOemDriverUI}) {
        void* out = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(plugin_->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(plugin_->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(RefCount(plugin_.get()), 1u);
}

TEST_F(PluginObject, GetInfoRefusesOtherModesAndAMissingSizeWithoutTouchingIt) {
    for (DWORD mode : {0u, 2u, 5u, 0xFFFFFFFFu}) {
        DWORD buffer = 0x11111111;
        DWORD needed = 0x22222222;
        SetLastError(kSentinel);
        EXPECT_EQ(plugin_->GetInfo(mode, &buffer, sizeof buffer, &needed), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 87u) << mode;
        EXPECT_EQ(needed, 0x22222222u) << mode;
        EXPECT_EQ(buffer, 0x11111111u) << mode;
    }
    DWORD buffer = 0;
    SetLastError(kSentinel);
    EXPECT_EQ(plugin_->GetInfo(1, &buffer, sizeof buffer, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(buffer, 0u);
}

TEST_F(PluginObject, GetInfoReportsFourBytesForAShortOrMissingBuffer) {
    for (DWORD mode : {1u, 3u, 4u}) {
        unsigned char buffer[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        DWORD needed = 0;
        SetLastError(kSentinel);
        EXPECT_EQ(plugin_->GetInfo(mode, buffer, 3, &needed), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 122u) << mode;
        EXPECT_EQ(needed, 4u) << mode;
        EXPECT_EQ(buffer[0], 0xAA) << mode;

        needed = 0;
        SetLastError(kSentinel);
        EXPECT_EQ(plugin_->GetInfo(mode, nullptr, 4, &needed), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 122u) << mode;
        EXPECT_EQ(needed, 4u) << mode;
    }
}

TEST_F(PluginObject, GetInfoGivesSignatureAndVersion) {
    DWORD value = 0;
    DWORD needed = 0;
    EXPECT_EQ(plugin_->GetInfo(1, &value, sizeof value, &needed), S_OK);
    EXPECT_EQ(value, kSignature);
    EXPECT_EQ(needed, 4u);

    value = 0;
    needed = 0;
    DWORD bigger[2] = {0, 0x33333333};
    EXPECT_EQ(plugin_->GetInfo(3, bigger, sizeof bigger, &needed), S_OK);
    EXPECT_EQ(bigger[0], 2u);
    EXPECT_EQ(bigger[1], 0x33333333u) << "only four bytes are written";
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(GetLastError(), kSentinel);
}

TEST_F(PluginObject, GetInfoOffersNoPublisherInformation) {
    DWORD value = 0x44444444;
    DWORD needed = 7;
    EXPECT_EQ(plugin_->GetInfo(4, &value, sizeof value, &needed), E_FAIL);
    EXPECT_EQ(GetLastError(), 50u);
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(value, 0x44444444u);
}

TEST_F(PluginObject, ColorProfileOtherQueryModeFailsWithoutSideEffects) {
    wchar_t data[16] = {};
    ULONG size = sizeof data;
    FLONG flags = 9;
    EXPECT_EQ(
        plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 1, data, &size, &flags),
        E_FAIL);
    EXPECT_EQ(size, sizeof data);
    EXPECT_EQ(flags, 9u);
    EXPECT_EQ(data[0], L'\0');
    EXPECT_EQ(GetLastError(), kSentinel);
}

TEST_F(PluginObject, ColorProfileAnnouncesThirtyTwoBytesForAShortOrMissingBuffer) {
    wchar_t data[16] = {L'x'};
    ULONG size = 31;
    FLONG flags = 9;
    EXPECT_EQ(
        plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, data, &size, &flags),
        E_FAIL);
    EXPECT_EQ(GetLastError(), 122u);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(data[0], L'x');

    size = 1000;
    SetLastError(kSentinel);
    EXPECT_EQ(
        plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, nullptr, &size, &flags),
        E_FAIL);
    EXPECT_EQ(GetLastError(), 122u);
    EXPECT_EQ(size, 32u);
}

TEST_F(PluginObject, ColorProfileNamesTheProfileFile) {
    for (ULONG given : {32u, 64u}) {
        wchar_t data[32];
        std::memset(data, 0x55, sizeof data);
        ULONG size = given;
        FLONG flags = 0;
        SetLastError(kSentinel);
        EXPECT_EQ(
            plugin_->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, data, &size, &flags),
            S_OK);
        EXPECT_STREQ(data, L"OEMPROFILE.icm");
        EXPECT_EQ(size, 32u);
        EXPECT_EQ(flags, 2u);
        EXPECT_EQ(GetLastError(), kSentinel);
    }
}

// The core driver's helper interface, counting what the plug-in does with it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CountingDriverUI final : public IPrintOemDriverUI {
  public:
    HRESULT queryResult = S_OK;
    int queries = 0;
    LONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        ++queries;
        *ppv = nullptr;
        if (FAILED(queryResult))
            return queryResult;
        if (!IsEqualIID(riid, kIID_IPrintOemDriverUI))
            return E_NOINTERFACE;
        *ppv = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                  PDWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override {
        return E_NOTIMPL;
    }
};
#pragma GCC diagnostic pop

TEST_F(PluginObject, PublishedDriverInterfaceIsQueriedOnceAndReleasedOnceAtTheEnd) {
    CountingDriverUI driver;
    EXPECT_EQ(plugin_->PublishDriverInterface(&driver), S_OK);
    EXPECT_EQ(plugin_->PublishDriverInterface(&driver), S_OK);
    EXPECT_EQ(driver.queries, 1);
    EXPECT_EQ(driver.refs, 2);

    plugin_->AddRef();
    plugin_->Release();
    EXPECT_EQ(driver.refs, 2) << "held until the last reference goes";
    plugin_.reset();
    EXPECT_EQ(driver.refs, 1);
    EXPECT_EQ(DllCanUnloadNow()(), S_OK);
}

TEST_F(PluginObject, RefusedDriverQueryFailsAndALaterCallMayTryAgain) {
    CountingDriverUI driver;
    driver.queryResult = E_NOINTERFACE;
    EXPECT_EQ(plugin_->PublishDriverInterface(&driver), E_FAIL);
    EXPECT_EQ(plugin_->PublishDriverInterface(nullptr), E_FAIL);

    driver.queryResult = S_OK;
    EXPECT_EQ(plugin_->PublishDriverInterface(&driver), S_OK);
    EXPECT_EQ(driver.queries, 2);
    plugin_.reset();
    EXPECT_EQ(driver.refs, 1);
}

// The host's requests other than INIT touch nothing but the result; a request that is no
// PROPSHEETUI_INFO of this version is refused.
TEST_F(PluginObject, DocumentPropertySheetsAnswersTheHostsReasons) {
    SetLastError(kSentinel);
    EXPECT_EQ(plugin_->DocumentPropertySheets(nullptr, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Result = 7;
    SetLastError(kSentinel);
    EXPECT_EQ(plugin_->DocumentPropertySheets(&info, 0), E_FAIL) << "version 0";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(info.Result, 7);

    info.Version = PROPSHEETUI_INFO_VERSION;
    SetLastError(kSentinel);
    struct Case {
        WORD reason;
        LPARAM lParam;
        LONG_PTR result;
    };
    SETRESULT_INFO set{};
    set.Result = 42;
    const Case cases[] = {
        {PROPSHEETUI_REASON_GET_INFO_HEADER, 0, 1},
        {PROPSHEETUI_REASON_DESTROY, 0, 1},
        {PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&set), 42},
        {4, 0, 0},
        {5 /* before INIT */, 0, 0},
    };
    for (const Case& c : cases) {
        info.Reason = c.reason;
        info.Result = -5;
        EXPECT_EQ(plugin_->DocumentPropertySheets(&info, c.lParam), S_OK) << c.reason;
        EXPECT_EQ(info.Result, c.result) << c.reason;
    }
    EXPECT_EQ(GetLastError(), kSentinel);
}

// A host of the page that answers `answer`, and may first make the page and destroy it again:
// then it takes a block of the saved copy's size, where a second free of that copy would land.
struct PageHost {
    LONG_PTR answer;
    bool destroysFirst;
    HANDLE heap;
    PROPSHEETPAGEW page{};
    void* taken = nullptr;

    static LONG_PTR CALLBACK Call(HANDLE self, UINT function, LPARAM page, LPARAM) {
        auto& host = *static_cast<PageHost*>(self);
        EXPECT_EQ(function, static_cast<UINT>(CPSFUNC_ADD_PROPSHEETPAGEW));
        host.page = *reinterpret_cast<const PROPSHEETPAGEW*>(page);
        if (host.destroysFirst) {
            host.page.pfnCallback(nullptr, PSPCB_RELEASE, &host.page);
            host.taken = HeapAlloc(host.heap, 0, kOemDevmodeSize);
        }
        return host.answer;
    }
};

TEST_F(PluginObject, RegistrationHandsOnTheHostsAnswerWholeAndFreesThePageOnce) {
    const winsupport::UniqueHeap heap(HeapCreate(0, 0, 0));
    std::vector<std::byte> devmode(kOemDevmodeSize);
    OEMUIPSPARAM param{};
    param.cbSize = sizeof param;
    param.hOEMHeap = heap.get();
    param.pOEMDM = devmode.data();
    auto add = [&](PageHost& host) {
        PROPSHEETUI_INFO info{};
        info.cbSize = sizeof info;
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = PROPSHEETUI_REASON_INIT;
        info.lParamInit = reinterpret_cast<LPARAM>(&param);
        info.hComPropSheet = &host;
        info.pfnComPropSheet = &PageHost::Call;
        EXPECT_EQ(plugin_->DocumentPropertySheets(&info, 0), S_OK);
        return info.Result;
    };

    // A page handle above 32 bits arrives whole; the page's release frees all it took.
    PageHost wide{0x100000002, false, heap.get()};
    EXPECT_EQ(add(wide), 0x100000002);
    EXPECT_GT(winsupport::BusyBlocks(heap.get()), 0);
    wide.page.pfnCallback(nullptr, PSPCB_RELEASE, &wide.page);
    EXPECT_EQ(winsupport::BusyBlocks(heap.get()), 0);

    // A host that fails: registration frees the page, unless the host destroyed it already.
    PageHost refusing{-1, false, heap.get()};
    EXPECT_EQ(add(refusing), -1);
    EXPECT_EQ(winsupport::BusyBlocks(heap.get()), 0);
    PageHost destroying{-1, true, heap.get()};
    EXPECT_EQ(add(destroying), -1);
    ASSERT_NE(destroying.taken, nullptr);
    EXPECT_EQ(HeapSize(heap.get(), 0, destroying.taken), kOemDevmodeSize);
    EXPECT_EQ(winsupport::BusyBlocks(heap.get()), 1) << "only the host's own block";
    EXPECT_TRUE(HeapValidate(heap.get(), 0, nullptr));
}

TEST_F(PluginObject, DeclinedSlotsAnswerNotImplementedWithoutALastError) {
    DEVMODEW devmode{};
    PROPSHEETUI_INFO info{};
    INT result = 0;
    const HRESULT answers[] = {
        plugin_->CommonUIProp(1, nullptr),
        plugin_->DevicePropertySheets(&info, 0),
        plugin_->DevQueryPrintEx(nullptr, nullptr, &devmode, nullptr),
        plugin_->UpgradePrinter(1, nullptr),
        plugin_->PrinterEvent(nullptr, 1, 0, 0),
        plugin_->DriverEvent(1, 3, nullptr, 0),
        plugin_->FontInstallerDlgProc(nullptr, WM_INITDIALOG, 0, 0),
        plugin_->UpdateExternalFonts(nullptr, nullptr, nullptr),
        plugin_->QueryJobAttributes(nullptr, &devmode, 1, nullptr),
        plugin_->HideStandardUI(1),
        plugin_->DocumentEvent(nullptr, nullptr, 0, 0, nullptr, 0, nullptr, &result),
    };
    for (std::size_t i = 0; i < std::size(answers); ++i)
        EXPECT_EQ(answers[i], E_NOTIMPL) << i;
    EXPECT_EQ(GetLastError(), kSentinel);
    EXPECT_EQ(info.Result, 0);
    EXPECT_EQ(result, 0);
}

// The core driver calls by position in the table, not through our declarations: a known answer
// from each positioned slot proves the layout.
TEST_F(PluginObject, SlotsAnswerAtTheirPublishedPositions) {
    void** table = *reinterpret_cast<void***>(plugin_.get());
    using GetInfoSlot = HRESULT(STDMETHODCALLTYPE*)(void*, DWORD, PVOID, DWORD, PDWORD);
    using DevModeSlot = HRESULT(STDMETHODCALLTYPE*)(void*, DWORD, POEMDMPARAM);
    using CapabilitiesSlot = HRESULT(STDMETHODCALLTYPE*)(void*, POEMUIOBJ, HANDLE, PWSTR, WORD,
                                                         PVOID, PDEVMODEW, PVOID, DWORD, DWORD*);
    using ColorProfileSlot = HRESULT(STDMETHODCALLTYPE*)(void*, HANDLE, POEMUIOBJ, PDEVMODEW, PVOID,
                                                         ULONG, VOID*, ULONG*, FLONG*);

    DWORD value = 0;
    DWORD needed = 0;
    EXPECT_EQ(reinterpret_cast<GetInfoSlot>(table[3])(plugin_.get(), 1, &value, 4, &needed), S_OK);
    EXPECT_EQ(value, kSignature);

    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    EXPECT_EQ(reinterpret_cast<DevModeSlot>(table[4])(plugin_.get(), 1, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, 1184u);

    DWORD result = 0;
    EXPECT_EQ(reinterpret_cast<CapabilitiesSlot>(table[10])(plugin_.get(), nullptr, nullptr,
                                                            nullptr, DC_BINS, nullptr, nullptr,
                                                            nullptr, 17, &result),
              S_OK);
    EXPECT_EQ(result, 17u);

    wchar_t data[16] = {};
    ULONG size = sizeof data;
    FLONG flags = 0;
    EXPECT_EQ(reinterpret_cast<ColorProfileSlot>(table[14])(
                  plugin_.get(), nullptr, nullptr, nullptr, nullptr, 0, data, &size, &flags),
              S_OK);
    EXPECT_STREQ(data, L"OEMPROFILE.icm");
}

}  // namespace
}  // namespace adjustui::wine
