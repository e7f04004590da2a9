#include "page/win32/font_list.h"

#include <exception>
#include <set>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/win32/unique_handle.h"

namespace adjustui::page {
namespace {

struct Faces {
    std::set<std::wstring> names;
    // Thrown while collecting: the enumeration stops, and it is thrown again past gdi32's frames.
    std::exception_ptr failure;
};

// Faces are enumerated once for each character set they support; the set keeps one of each.
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    auto& collected = *reinterpret_cast<Faces*>(faces);
    const wchar_t* face = font->lfFaceName;
    if (face[0] == L'@')
        return 1;
    try {
        const auto units = BoundedLength(reinterpret_cast<const char16_t*>(face), LF_FACESIZE);
        collected.names.emplace(face, units);
        return 1;
    } catch (...) {
        collected.failure = std::current_exception();
        return 0;
    }
}

}  // namespace

void FillFontList(HWND list, const OemDevmode& devmode) {
    Faces faces;
    if (const win32::UniqueMemoryDc dc{CreateCompatibleDC(nullptr)}) {
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc.get(), &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    }
    if (faces.failure)
        std::rethrow_exception(faces.failure);
    for (const std::wstring& name : faces.names)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));

    // The list sorts ignoring case and finds ignoring case; the stored name must match exactly.
    const std::u16string_view stored = FieldText(devmode.szPassThroughFont);
    if (stored.empty())
        return;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    std::vector<wchar_t> text;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || static_cast<std::size_t>(length) != stored.size())
            continue;
        text.assign(length + 1, L'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), length) == stored) {
            SendMessageW(list, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

}  // namespace adjustui::page
