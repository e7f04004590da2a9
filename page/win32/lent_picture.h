// While the page asks the core driver about its printer (registration's paper lists, the extents
// of a model the table lacks), the capability answers those questions cause on the same thread read
// and write through the page's own picture of the printer: one listing and one driver name serve
// them and the page, and the page sees what they stored.
#pragma once

#include <windows.h>

#include <string>

#include "settings/printer_store.h"

namespace adjustui::page {

class LentPicture {
  public:
    // Lends `picture` of the printer named `printerName` to this thread while it lives.
    LentPicture(PrinterStore& picture, const std::wstring& printerName);
    ~LentPicture();
    LentPicture(const LentPicture&) = delete;
    LentPicture& operator=(const LentPicture&) = delete;

    // The picture lent on this thread of the printer `deviceName` names, or null.
    static PrinterStore* For(const wchar_t* deviceName);

  private:
    PrinterStore& picture_;
    const std::wstring& name_;
    LentPicture* outer_;
};

}  // namespace adjustui::page
