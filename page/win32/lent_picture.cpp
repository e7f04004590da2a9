#include "page/win32/lent_picture.h"

#include <utility>

namespace adjustui::page {
namespace {

thread_local LentPicture* tLent = nullptr;

}  // namespace

LentPicture::LentPicture(PrinterStore& picture, const std::wstring& printerName)
    : picture_(picture), name_(printerName), outer_(std::exchange(tLent, this)) {}

LentPicture::~LentPicture() {
    tLent = outer_;
}

PrinterStore* LentPicture::For(const wchar_t* deviceName) {
    if (tLent == nullptr || deviceName == nullptr)
        return nullptr;
    // Printer names are keys without regard to case.
    const bool same =
        CompareStringOrdinal(deviceName, -1, tLent->name_.c_str(), -1, TRUE) == CSTR_EQUAL;
    return same ? &tLent->picture_ : nullptr;
}

}  // namespace adjustui::page
