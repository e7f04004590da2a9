// The module's resources that the page relies on: the common-controls manifest and the version.
#include <array>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>

#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

// Types by number: the mingw RT_ macros are narrow without UNICODE.
std::string_view ResourceText(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(Plugin(), name, type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(Plugin(), found);
    if (loaded == nullptr)
        return {};
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(Plugin(), found)};
}

TEST(Resources, ManifestTwoAsksForCommonControlsSix) {
    const std::string_view manifest = ResourceText(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(2));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string_view::npos)
        << manifest;
    EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string_view::npos);
    EXPECT_NE(manifest.find("type=\"win32\""), std::string_view::npos);
    EXPECT_NE(manifest.find("processorArchitecture=\"*\""), std::string_view::npos);
    EXPECT_NE(manifest.find("language=\"*\""), std::string_view::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string_view::npos);
}

TEST(Resources, ManifestMakesAnActivationContext) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(Plugin(), path, MAX_PATH), 0u);
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    context.lpSource = path;
    context.lpResourceName = MAKEINTRESOURCEW(2);
    context.hModule = Plugin();
    HANDLE handle = CreateActCtxW(&context);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << GetLastError();
    ReleaseActCtx(handle);
}

// The project's version "major.minor.patch" as the version resource's four numbers.
std::array<WORD, 4> ProjectVersion() {
    std::array<WORD, 4> numbers{};
    std::istringstream text(ADJUSTUI_PROJECT_VERSION);
    char dot = 0;
    text >> numbers[0] >> dot >> numbers[1] >> dot >> numbers[2];
    return numbers;
}

TEST(Resources, VersionNamesTheModuleAndTheProjectsVersion) {
    const std::string_view version = ResourceText(MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
    ASSERT_FALSE(version.empty());
    const std::u16string_view text(reinterpret_cast<const char16_t*>(version.data()),
                                   version.size() / 2);
    EXPECT_NE(text.find(u"adjustui.dll"), std::u16string_view::npos);

    const std::array<WORD, 4> expected = ProjectVersion();
    std::u16string dotted;
    for (WORD number : expected) {
        for (char c : std::to_string(number))
            dotted += static_cast<char16_t>(c);
        dotted += u'.';
    }
    dotted.pop_back();
    EXPECT_NE(text.find(u"FileVersion"), std::u16string_view::npos);
    EXPECT_NE(text.find(dotted), std::u16string_view::npos) << "no " << ADJUSTUI_PROJECT_VERSION;

    const std::size_t at = version.find("\xBD\x04\xEF\xFE");
    ASSERT_NE(at, std::string_view::npos) << "VS_FIXEDFILEINFO";
    VS_FIXEDFILEINFO fixed{};
    ASSERT_LE(at + sizeof fixed, version.size());
    std::memcpy(&fixed, version.data() + at, sizeof fixed);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(expected[1], expected[0]));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(expected[3], expected[2]));
    EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
}

}  // namespace
}  // namespace adjustui::wine
