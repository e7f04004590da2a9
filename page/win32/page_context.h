// The state of one open "Adjustments" page, from its registration to its release callback. It
// lives in the plug-in heap the core driver hands over, like the saved copy of the devmode, the
// title it owns and every text the page loads while a control or message box takes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "page/page_model.h"
#include "page/win32/printer_name.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/winspool_store.h"
#include "settings/oem_devmode.h"
#include "settings/paper_store.h"
#include "settings/printer_snapshot.h"

namespace adjustui::page {

inline constexpr std::size_t kDriverNameUnits = 260;

// The page's printer: its values read once when the page opens, and again after the page's own
// writes, so the page's checks and choices make no round trip of their own.
class PagePrinter {
  public:
    PagePrinter(HANDLE printer, const DEVMODEW* publicDevmode)
        : handle_(printer),
          publicDevmode_(publicDevmode),
          request_(printer),
          picture_(request_.get()) {}
    PrinterStore& get() { return picture_; }
    void Refresh() { picture_.Refresh(); }
    // The printer's full name, read when first asked; nothing when it cannot be had.
    const std::optional<std::wstring>& Name() {
        if (!name_)
            name_ = ReadPrinterName(handle_, publicDevmode_);
        return *name_;
    }
    // The core driver's papers as it answered when the page opened; none when it was not asked.
    const std::optional<std::vector<PaperRecord>>& AnsweredPapers() const { return answered_; }
    void SetAnsweredPapers(std::optional<std::vector<PaperRecord>> papers) {
        answered_ = std::move(papers);
    }

  private:
    HANDLE handle_;
    const DEVMODEW* publicDevmode_;
    win32::RequestPrinter request_;
    PrinterSnapshot picture_;
    std::optional<std::optional<std::wstring>> name_;
    std::optional<std::vector<PaperRecord>> answered_;
};

struct PageContext {
    DEVMODEW* pPublicDevmode;  // borrowed from the core driver
    OemDevmode* pOemDevmode;   // borrowed: the live private devmode
    // Owned, may be empty: the devmode as the page found it.
    win32::HeapBlock<OemDevmode> savedOemDevmode;
    HANDLE hHeap;     // the plug-in heap
    HMODULE hModule;  // the plug-in's module, for its texts
    HANDLE hPrinter;  // borrowed
    DWORD dwApplied;  // the host has applied the sheet since the last reset
    std::uint8_t bHasCutter;
    std::uint8_t bHasPrintSpeed;
    std::uint8_t bHasPrintDensity;
    std::uint8_t bHasSlipCorrection;
    // Texts the page itself is writing into its fields: their notifications are not the user's.
    std::uint32_t dwWritingFields;
    win32::HeapBlock<wchar_t> title;  // the tab's text
    std::unique_ptr<PagePrinter> pPrinter;
    // The page's judgement, from WM_INITDIALOG on.
    std::unique_ptr<PageModel> pModel;
    // The installed driver's name as registration read it: the model of every later decision.
    char16_t szDriverName[kDriverNameUnits];
};

// The page's context as its dialog holds it; null before WM_INITDIALOG.
inline PageContext* ContextOf(HWND dialog) {
    return reinterpret_cast<PageContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

}  // namespace adjustui::page
