#include "winsupport/sheet_fixture.h"

#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "winsupport/spooler_info.h"
#include "winsupport/window_picture.h"

namespace adjustui::winsupport {
namespace {

constexpr UINT kTickMs = 50;
// Ticks a sheet may stay up after its finishing button before the fixture cancels it.
constexpr int kClosingTicks = 20;
constexpr UINT kMarkerMessage = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;
constexpr std::size_t kTitleUnits = 256;
// A message box's text is the dialog item of this number.
constexpr int kMessageBoxText = 0xFFFF;

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

bool IsPropertySheet(HWND window) {
    return ClassOf(window) == L"#32770" && PropSheet_GetTabControl(window) != nullptr;
}

bool IsMessageBox(HWND window) {
    return ClassOf(window) == L"#32770" && GetDlgItem(window, kMessageBoxText) != nullptr &&
           PropSheet_GetTabControl(window) == nullptr;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND FindSheet() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            if (IsWindowVisible(window) && IsPropertySheet(window)) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring BalloonText(LPCWSTR text) {
    if (text == nullptr) {
        return {};
    }
    if (IS_INTRESOURCE(text)) {
        return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(text));
    }
    return text;
}

// The devmode DocumentPropertiesW may read: as long as its header says.
std::vector<BYTE> ReadableDevmode(const std::vector<BYTE>& in) {
    std::vector<BYTE> copy = in;
    if (copy.empty()) {
        return copy;
    }
    copy.resize(std::max(copy.size(), sizeof(DEVMODEW)));
    const auto& dm = *reinterpret_cast<const DEVMODEW*>(copy.data());
    const std::size_t declared = std::size_t{dm.dmSize} + dm.dmDriverExtra;
    copy.resize(std::max(copy.size(), declared));
    return copy;
}

}  // namespace

// One OpenPreferences call: what its timer and hook need while the sheet runs its modal loop.
struct SheetRun {
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    void OnTick();

    Sheet sheet;
    const std::function<void(Sheet&)>* onSheet = nullptr;
    Finish finish = Finish::kOk;
    bool shown = false;
    bool forcedCancel = false;
    // The test's code pumps messages, so ticks come while it runs.
    bool busy = false;
    int closingTicks = 0;
};

namespace {
thread_local SheetRun* tRun = nullptr;
}  // namespace

void CALLBACK SheetRun::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (tRun != nullptr && !tRun->busy) {
        tRun->busy = true;
        tRun->OnTick();
        tRun->busy = false;
    }
}

void SheetRun::OnTick() {
    if (!shown) {
        sheet.window_ = FindSheet();
        if (sheet.window_ == nullptr) {
            return;
        }
        shown = true;
        (*onSheet)(sheet);
        if (!sheet.finishPressed_ && IsWindow(sheet.window_)) {
            PostMessageW(sheet.window_, PSM_PRESSBUTTON,
                         finish == Finish::kOk ? PSBTN_OK : PSBTN_CANCEL, 0);
        }
        return;
    }
    // A sheet still up a while after its finishing button has refused it.
    if (IsWindow(sheet.window_) && ++closingTicks % kClosingTicks == 0) {
        forcedCancel = true;
        PostMessageW(sheet.window_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

LRESULT CALLBACK SheetRun::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && tRun != nullptr) {
        tRun->sheet.SeeActivated(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BalloonSpy::BalloonSpy(HWND edit) : edit_(edit) {
    SetWindowSubclass(edit_, &Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

BalloonSpy::~BalloonSpy() {
    RemoveWindowSubclass(edit_, &Proc, kSubclassId);
}

LRESULT CALLBACK BalloonSpy::Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR self) {
    auto& spy = *reinterpret_cast<BalloonSpy*>(self);
    if (message == EM_SHOWBALLOONTIP && lParam != 0) {
        const auto& tip = *reinterpret_cast<const EDITBALLOONTIP*>(lParam);
        SeenBalloon seen;
        seen.cbStruct = tip.cbStruct;
        if (tip.cbStruct >= sizeof(EDITBALLOONTIP)) {
            seen.title = BalloonText(tip.pszTitle);
            seen.text = BalloonText(tip.pszText);
            seen.icon = tip.ttiIcon;
        }
        spy.balloons_.push_back(std::move(seen));
    } else if (message == EM_HIDEBALLOONTIP) {
        ++spy.hidden_;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &Proc, id);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

Sheet::Sheet()
    : marker_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                              nullptr)) {
    SetWindowSubclass(marker_.get(), &MarkerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Sheet::~Sheet() {
    RemoveWindowSubclass(marker_.get(), &MarkerProc, kSubclassId);
}

LRESULT CALLBACK Sheet::MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR self) {
    if (message == kMarkerMessage) {
        reinterpret_cast<Sheet*>(self)->markersSeen_ = wParam;
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND Sheet::CurrentPage() const {
    return PropSheet_GetCurrentPageHwnd(window_);
}

HWND Sheet::ShowPage(std::wstring_view title) {
    const HWND tabs = PropSheet_GetTabControl(window_);
    const int count = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kTitleUnits] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(kTitleUnits);
        // The wide message by name: the macro picks the narrow one in a build without UNICODE.
        if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)) ||
            title != text) {
            continue;
        }
        PropSheet_SetCurSel(window_, nullptr, i);
        return TabCtrl_GetCurSel(tabs) == i ? CurrentPage() : nullptr;
    }
    return nullptr;
}

void Sheet::Press(int button) {
    if (button == PSBTN_OK || button == PSBTN_CANCEL || button == PSBTN_FINISH) {
        finishPressed_ = true;
    }
    // The sheet posts the button's command: the marker Settle posts comes after it.
    SendMessageW(window_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    Settle();
}

void Sheet::Settle() {
    const WPARAM marker = ++markersPosted_;
    PostMessageW(marker_.get(), kMarkerMessage, marker, 0);
    PumpUntil([this, marker] { return markersSeen_ >= marker; });
}

bool Sheet::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    // Waits in GetMessageW as the sheet's own loop does; the fixture's timer wakes it every tick.
    // After a wait in PeekMessageW and MsgWaitForMultipleObjectsEx, wine put a sheet that was
    // being repainted on the screen half done (no tabs, an inactive caption): pictures showed it.
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done() && GetTickCount64() < end) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Not ours to take: the loop that waits for it gets it again.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return done();
}

bool Sheet::SavePicture(const std::wstring& pngPath) const {
    return SaveWindowPicture(window_, pngPath);
}

void Sheet::SeeActivated(HWND window) {
    // A window handle may come again for a later box: only boxes still up count as answered.
    std::erase_if(answered_, [](HWND box) { return !IsWindow(box); });
    if (!IsMessageBox(window) ||
        std::find(answered_.begin(), answered_.end(), window) != answered_.end()) {
        return;
    }
    answered_.push_back(window);
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, kMessageBoxText, text, static_cast<int>(std::size(text)));
    boxes_.push_back({WindowText(window), text});
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(boxAnswer_), 0);
}

std::wstring Text(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int button) {
    SendDlgItemMessageW(dialog, button, BM_CLICK, 0, 0);
}

void TypeKeys(HWND dialog, int edit, std::wstring_view keys) {
    SetDlgItemTextW(dialog, edit, L"");
    for (const wchar_t key : keys) {
        SendDlgItemMessageW(dialog, edit, WM_CHAR, key, 1);
    }
}

bool Choose(HWND dialog, int list, std::wstring_view text) {
    const std::wstring entry(text);
    const LRESULT index =
        SendDlgItemMessageW(dialog, list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(entry.c_str()));
    if (index == CB_ERR) {
        return false;
    }
    SendDlgItemMessageW(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
    return true;
}

std::vector<ListEntry> Entries(HWND dialog, int list) {
    std::vector<ListEntry> entries;
    const LRESULT count = SendDlgItemMessageW(dialog, list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto at = static_cast<WPARAM>(i);
        const LRESULT length = SendDlgItemMessageW(dialog, list, CB_GETLBTEXTLEN, at, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendDlgItemMessageW(dialog, list, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        entries.push_back(
            {std::move(text), SendDlgItemMessageW(dialog, list, CB_GETITEMDATA, at, 0)});
    }
    return entries;
}

PreferencesResult OpenPreferences(const std::wstring& printer, const std::vector<BYTE>& in,
                                  const std::function<void(Sheet&)>& onSheet, Finish finish) {
    PreferencesResult result;
    const UniquePrinter handle = OpenPrinterByName(printer);
    if (!handle) {
        return result;
    }
    auto* name = const_cast<wchar_t*>(printer.c_str());
    const LONG size = DocumentPropertiesW(nullptr, handle.get(), name, nullptr, nullptr, 0);
    if (size <= 0) {
        return result;
    }
    result.devmode.assign(static_cast<std::size_t>(size), 0);
    std::vector<BYTE> input = ReadableDevmode(in);

    SheetRun run;
    run.onSheet = &onSheet;
    run.finish = finish;
    SheetRun* const outer = std::exchange(tRun, &run);
    {
        const UniqueHook hook(
            SetWindowsHookExW(WH_CBT, &SheetRun::CbtHook, nullptr, GetCurrentThreadId()));
        const UniqueThreadTimer timer(SetTimer(nullptr, 0, kTickMs, &SheetRun::Tick));
        const DWORD mode = DM_IN_PROMPT | DM_OUT_BUFFER | (input.empty() ? 0 : DM_IN_BUFFER);
        result.result = DocumentPropertiesW(
            nullptr, handle.get(), name, reinterpret_cast<DEVMODEW*>(result.devmode.data()),
            input.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(input.data()), mode);
    }
    tRun = outer;
    result.sheetShown = run.shown;
    result.closedAsAsked = !run.forcedCancel;
    result.messageBoxes = run.sheet.messageBoxes();
    return result;
}

}  // namespace adjustui::winsupport
