// The page's resources in the built module, against the portable tables they are written from:
// the string table, the loader over it, and dialog template 104.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "common/text.h"
#include "page/controls.h"
#include "page/texts.h"
#include "page/win32/page_strings.h"
#include "tests/wine/plugin_harness.h"
#include "winsupport/handles.h"

namespace adjustui::wine {
namespace {

using page::ControlKind;

std::u16string_view TextOf(const wchar_t* text, std::size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}

TEST(PageResources, StringTableHoldsExactlyTheSourceTexts) {
    for (UINT id = 0; id <= 0x200; ++id) {
        const wchar_t* text = nullptr;
        // With no room, LoadStringW points into the resource and answers the length.
        const int length = LoadStringW(Plugin(), id, reinterpret_cast<LPWSTR>(&text), 0);
        const auto expected = page::FindPageString(id);
        if (!expected) {
            EXPECT_EQ(length, 0) << id;
            continue;
        }
        ASSERT_GT(length, 0) << id;
        EXPECT_EQ(TextOf(text, length), *expected) << id;
    }
}

class PrivateHeap {
  public:
    HANDLE get() const { return heap_.get(); }
    int BusyBlocks() const { return winsupport::BusyBlocks(heap_.get()); }

  private:
    winsupport::UniqueHeap heap_{HeapCreate(0, 0, 0)};
};
TEST(PageResources, LoadPageStringGivesExactTextsInBlocksOfTheirSize) {
    PrivateHeap heap;
    ASSERT_NE(heap.get(), nullptr);
    for (const page::PageString& entry : page::kPageStrings) {
        const UINT id = static_cast<UINT>(entry.id);
        const page::LoadedText loaded = page::LoadPageString(heap.get(), Plugin(), id);
        const wchar_t* text = loaded.get();
        ASSERT_NE(text, nullptr) << id;
        EXPECT_EQ(TextOf(text, std::wcslen(text)), entry.text) << id;
        EXPECT_EQ(HeapSize(heap.get(), 0, text), (entry.text.size() + 1) * sizeof(wchar_t)) << id;
    }

    const int busy = heap.BusyBlocks();
    for (UINT id : {0u, 2u, 4u, 5u, 16u, 57u, 99u, 117u, 220u, 0xFFFFu})
        EXPECT_FALSE(page::LoadPageString(heap.get(), Plugin(), id)) << id;
    EXPECT_EQ(heap.BusyBlocks(), busy) << "a missing text leaves no block behind";

    const HMODULE self = GetModuleHandleW(nullptr);
    const page::LoadedText longestText = page::LoadPageString(heap.get(), self, 1);
    const wchar_t* longest = longestText.get();
    ASSERT_NE(longest, nullptr);
    EXPECT_EQ(std::wcslen(longest), 259u);
    EXPECT_EQ(HeapSize(heap.get(), 0, longest), 260u * sizeof(wchar_t));
    const page::LoadedText cutText = page::LoadPageString(heap.get(), self, 2);
    const wchar_t* cut = cutText.get();
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(std::wstring_view(cut), std::wstring_view(longest));
    EXPECT_EQ(HeapSize(heap.get(), 0, cut), 260u * sizeof(wchar_t));
}

TEST(PageResources, GermanTextsOnceChosenStay) {
    EXPECT_FALSE(page::UseGermanTexts());
    page::SetUseGermanTexts();
    page::SetUseGermanTexts();
    EXPECT_TRUE(page::UseGermanTexts());
}

// Reads a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX records, failing the test at the first read
// past the resource's end.
class TemplateReader {
  public:
    TemplateReader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Read() {
        T value{};
        if (offset_ + sizeof(T) > size_) {
            ADD_FAILURE() << "template ends at " << size_;
            offset_ = size_;
            return value;
        }
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    std::u16string Text() {
        std::u16string text;
        for (char16_t unit = Read<char16_t>(); unit != u'\0'; unit = Read<char16_t>())
            text += unit;
        return text;
    }

    // A class, menu or title: nothing, an ordinal after 0xFFFF, or a text.
    std::u16string NameOrOrdinal(WORD* ordinal) {
        *ordinal = 0;
        const std::size_t start = offset_;
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            *ordinal = Read<WORD>();
            return {};
        }
        offset_ = start;
        return Text();
    }

    void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t bytes) { offset_ += bytes; }

  private:
    const BYTE* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

struct ExpectedClass {
    WORD atom;
    std::u16string_view name;
};

ExpectedClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
            return {0x0080, u"button"};
        case ControlKind::Edit:
        case ControlKind::DisabledEdit:
            return {0x0081, u"edit"};
        case ControlKind::Text:
            return {0x0082, u"static"};
        case ControlKind::DropDownList:
        case ControlKind::SortedDropDownList:
            return {0x0085, u"combobox"};
    }
    return {};
}

// The style bits that make each kind what it is.
void ExpectStyle(ControlKind kind, DWORD style) {
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
    EXPECT_EQ((style & WS_DISABLED) != 0, kind == ControlKind::DisabledEdit);
    const bool reachable = kind != ControlKind::GroupBox && kind != ControlKind::Text;
    EXPECT_EQ((style & WS_TABSTOP) != 0, reachable);
    switch (kind) {
        case ControlKind::GroupBox:
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_GROUPBOX});
            break;
        case ControlKind::PushButton:
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_PUSHBUTTON});
            break;
        case ControlKind::CheckBox:
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_AUTOCHECKBOX});
            break;
        case ControlKind::Text:
            EXPECT_EQ(style & SS_TYPEMASK, DWORD{SS_LEFT});
            break;
        case ControlKind::Edit:
        case ControlKind::DisabledEdit:
            EXPECT_EQ(style & (WS_BORDER | ES_AUTOHSCROLL | ES_MULTILINE | ES_READONLY),
                      DWORD{WS_BORDER | ES_AUTOHSCROLL});
            break;
        case ControlKind::DropDownList:
        case ControlKind::SortedDropDownList:
            EXPECT_EQ(style & 0x3, DWORD{CBS_DROPDOWNLIST});
            EXPECT_TRUE(style & WS_VSCROLL);
            EXPECT_EQ((style & CBS_SORT) != 0, kind == ControlKind::SortedDropDownList);
            break;
    }
}

std::u16string Lower(std::u16string text) {
    for (char16_t& unit : text)
        unit = FoldAscii(unit);
    return text;
}

TEST(PageResources, DialogTemplateIsTheControlTable) {
    // Types by number: the mingw RT_ macros are narrow without UNICODE.
    HRSRC found = FindResourceW(Plugin(), MAKEINTRESOURCEW(page::kPageDialog), MAKEINTRESOURCEW(5));
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Plugin(), found)));
    ASSERT_NE(data, nullptr);
    TemplateReader in(data, SizeofResource(Plugin(), found));

    EXPECT_EQ(in.Read<WORD>(), 1) << "dlgVer";
    ASSERT_EQ(in.Read<WORD>(), 0xFFFF) << "an extended template";
    in.Skip(2 * sizeof(DWORD));  // help id, extended style
    const DWORD style = in.Read<DWORD>();
    const DWORD pageStyle = WS_CHILD | WS_CAPTION | DS_SETFONT | DS_FIXEDSYS;
    EXPECT_EQ(style & pageStyle, pageStyle) << std::hex << style;
    EXPECT_FALSE(style & WS_VISIBLE);
    const WORD count = in.Read<WORD>();
    ASSERT_EQ(count, std::size(page::kPageControls));
    in.Skip(2 * sizeof(short));  // x, y
    EXPECT_EQ(in.Read<short>(), page::kPageDialogWidth);
    EXPECT_EQ(in.Read<short>(), page::kPageDialogHeight);
    WORD ordinal = 0;
    EXPECT_EQ(in.NameOrOrdinal(&ordinal), u"") << "no menu";
    EXPECT_EQ(in.NameOrOrdinal(&ordinal), u"") << "the dialog class";
    in.Text();  // the caption, replaced by the page title
    EXPECT_EQ(in.Read<WORD>(), page::kPageDialogFontSize);
    in.Skip(sizeof(WORD) + 2 * sizeof(BYTE));  // weight, italic, charset
    EXPECT_EQ(in.Text(), page::kPageDialogFont);

    for (const page::ControlTemplate& control : page::kPageControls) {
        SCOPED_TRACE(control.id);
        in.AlignToDword();
        in.Skip(2 * sizeof(DWORD));  // help id, extended style
        const DWORD controlStyle = in.Read<DWORD>();
        EXPECT_EQ(in.Read<short>(), control.x);
        EXPECT_EQ(in.Read<short>(), control.y);
        EXPECT_EQ(in.Read<short>(), control.width);
        EXPECT_EQ(in.Read<short>(), control.height);
        EXPECT_EQ(in.Read<DWORD>(), control.id);
        const std::u16string className = in.NameOrOrdinal(&ordinal);
        const ExpectedClass expected = ClassOf(control.kind);
        if (className.empty()) {
            EXPECT_EQ(ordinal, expected.atom);
        } else {
            EXPECT_EQ(Lower(className), expected.name);
        }
        ExpectStyle(control.kind, controlStyle);
        EXPECT_EQ(in.NameOrOrdinal(&ordinal), control.text);
        in.Skip(in.Read<WORD>());  // creation data
    }
}

}  // namespace
}  // namespace adjustui::wine
