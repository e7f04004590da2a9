// The package a printer maker receives, unpacked from the zip: its INF and configuration file as
// the platform's setup API reads them, the models the INF installs, and the plug-in it ships.
#include <windows.h>
// clang-format off: setupapi.h needs windows.h first.
#include <setupapi.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "adjustui_version.h"
#include "models/model_tables.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPackage = ADJUSTUI_PACKAGE_DIR;

struct InfCloser {
    void operator()(void* inf) const { SetupCloseInfFile(inf); }
};
using Inf = std::unique_ptr<void, InfCloser>;

Inf Open(const fs::path& file, DWORD style) {
    UINT errorLine = 0;
    HINF inf = SetupOpenInfFileW(file.c_str(), nullptr, style, &errorLine);
    EXPECT_NE(inf, INVALID_HANDLE_VALUE)
        << file << " line " << errorLine << " error " << GetLastError();
    return Inf(inf == INVALID_HANDLE_VALUE ? nullptr : inf);
}

std::wstring Field(INFCONTEXT& line, DWORD index) {
    wchar_t text[512] = {};
    if (!SetupGetStringFieldW(&line, index, text, static_cast<DWORD>(std::size(text)), nullptr))
        return {};
    return text;
}

// Every line of a section: its key (empty without one), then its fields.
std::vector<std::vector<std::wstring>> Lines(const Inf& inf, const wchar_t* section) {
    std::vector<std::vector<std::wstring>> lines;
    INFCONTEXT line{};
    for (BOOL found = SetupFindFirstLineW(inf.get(), section, nullptr, &line); found;
         found = SetupFindNextLine(&line, &line)) {
        std::vector<std::wstring> fields;
        for (DWORD i = 0; i <= SetupGetFieldCount(&line); ++i)
            fields.push_back(Field(line, i));
        lines.push_back(fields);
    }
    return lines;
}

// The fields of the line with that key; none when there is no such line.
std::vector<std::wstring> Value(const Inf& inf, const wchar_t* section, const wchar_t* key) {
    for (auto& line : Lines(inf, section)) {
        if (!line.empty() && _wcsicmp(line[0].c_str(), key) == 0)
            return {line.begin() + 1, line.end()};
    }
    return {};
}

std::wstring Upper(std::wstring text) {
    CharUpperW(text.data());
    return text;
}

// The models section the manufacturer line names for x64.
std::wstring ModelsSection(const Inf& inf) {
    const auto lines = Lines(inf, L"Manufacturer");
    if (lines.size() != 1 || lines[0].size() < 3)
        return {};
    return lines[0][1] + L"." + lines[0][2];
}

// The install sections the models name.
std::set<std::wstring> InstallSections(const Inf& inf) {
    std::set<std::wstring> sections;
    for (auto& model : Lines(inf, ModelsSection(inf).c_str()))
        sections.insert(model.at(1));
    return sections;
}

// The files an install section copies, in upper case.
std::set<std::wstring> CopiedBy(const Inf& inf, const std::wstring& section) {
    std::set<std::wstring> files;
    for (auto& entry : Value(inf, section.c_str(), L"CopyFiles")) {
        if (entry.starts_with(L"@"))
            files.insert(Upper(entry.substr(1)));
        const auto lines = Lines(inf, entry.c_str());
        EXPECT_TRUE(entry.starts_with(L"@") || !lines.empty()) << "no files in " << entry;
        for (auto& line : lines)
            files.insert(Upper(line.at(1)));
    }
    return files;
}

class Package : public testing::Test {
  protected:
    Inf inf_ = Open(kPackage / L"adjustui.inf", INF_STYLE_WIN4);
};

TEST_F(Package, TheInfAndTheConfigurationFileReadAsTheGuideSays) {
    ASSERT_TRUE(inf_);
    EXPECT_EQ(Value(inf_, L"Version", L"Signature"), std::vector<std::wstring>{L"$Windows NT$"});
    EXPECT_EQ(Value(inf_, L"Version", L"Class"), std::vector<std::wstring>{L"Printer"});
    EXPECT_EQ(Upper(Value(inf_, L"Version", L"ClassGuid").at(0)),
              L"{4D36E979-E325-11CE-BFC1-08002BE10318}");
    const auto driverVer = Value(inf_, L"Version", L"DriverVer");
    ASSERT_EQ(driverVer.size(), 2u);
    EXPECT_EQ(driverVer[0].size(), 10u) << "mm/dd/yyyy";
    EXPECT_EQ(driverVer[1], L"" ADJUSTUI_VERSION_TEXT);
    EXPECT_EQ(Upper(ModelsSection(inf_)), L"MODELS.NTAMD64");

    // Each model's install section makes the universal printer driver the core driver, with the
    // family's data file, the plug-in and its configuration file, and the colour profile.
    for (auto& section : InstallSections(inf_)) {
        SCOPED_TRACE(testing::Message() << "install section " << section);
        const auto value = [&](const wchar_t* key) {
            const auto fields = Value(inf_, section.c_str(), key);
            return fields.size() == 1 ? Upper(fields[0]) : L"";
        };
        EXPECT_EQ(value(L"DataSection"), L"UNIDRV_DATA");
        EXPECT_EQ(value(L"Include"), L"NTPRINT.INF");
        EXPECT_EQ(value(L"Needs"), L"UNIDRV.OEM");
        const auto copied = CopiedBy(inf_, section);
        for (const std::wstring& file :
             {value(L"DataFile"), std::wstring(L"ADJUSTUI.DLL"), std::wstring(L"ADJUSTUI.INI"),
              std::wstring(L"OEMPROFILE.ICM")})
            EXPECT_TRUE(copied.contains(file)) << file;
    }
    EXPECT_EQ(Value(inf_, L"DestinationDirs", L"DefaultDestDir"),
              std::vector<std::wstring>{L"66000"});
    EXPECT_EQ(Value(inf_, L"DestinationDirs", L"COLOR_FILES"), std::vector<std::wstring>{L"66003"});

    // The configuration file names the plug-in as the one user-interface plug-in.
    const Inf ini = Open(kPackage / L"adjustui.ini", INF_STYLE_OLDNT);
    ASSERT_TRUE(ini);
    const auto oemFiles = Lines(ini, L"OEMFiles");
    ASSERT_EQ(oemFiles.size(), 1u);
    EXPECT_EQ(oemFiles[0], (std::vector<std::wstring>{L"OEMConfigFile1", L"adjustui.dll"}));
}

TEST_F(Package, TheInfInstallsExactlyTheModelTablesDriverNames) {
    ASSERT_TRUE(inf_);
    std::set<std::wstring> table;
    for (std::u16string_view name : adjustui::ModelDriverNames())
        table.emplace(name.begin(), name.end());
    std::set<std::wstring> installed;
    for (auto& model : Lines(inf_, ModelsSection(inf_).c_str())) {
        EXPECT_TRUE(installed.insert(model.at(0)).second) << "twice: " << model.at(0);
        EXPECT_TRUE(table.contains(model.at(0))) << "not in the model table: " << model.at(0);
    }
    for (auto& name : table)
        EXPECT_TRUE(installed.contains(name)) << "the INF does not install " << name;
}

TEST_F(Package, ShipsEveryFileTheInfCopiesExceptTheMakersAndNothingElse) {
    ASSERT_TRUE(inf_);
    std::set<std::wstring> named;
    for (auto& section : InstallSections(inf_))
        named.merge(CopiedBy(inf_, section));
    for (auto& file : named) {
        // Disk 1 is the package, disk 2 the maker's own files beside it.
        INFCONTEXT line{};
        INT disk = 0;
        EXPECT_TRUE(
            SetupFindFirstLineW(inf_.get(), L"SourceDisksFiles.amd64", file.c_str(), &line) &&
            SetupGetIntField(&line, 1, &disk))
            << "no source disk for " << file;
        EXPECT_TRUE(disk == 1 || disk == 2) << file << " on disk " << disk;
        EXPECT_EQ(fs::exists(kPackage / file), disk == 1) << file << " on disk " << disk;
    }
    for (auto& entry : fs::directory_iterator(kPackage)) {
        const fs::path name = entry.path().filename();
        const bool document = name == L"adjustui.inf" || name.extension() == L".md";
        EXPECT_TRUE(document || named.contains(Upper(name.wstring())))
            << name << " is in the package but no INF line copies it";
    }
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PackagedPlugin, IsTheOneTheTestsRanWithItsVersion) {
    const fs::path shipped = kPackage / L"adjustui.dll";
    const std::string bytes = Bytes(shipped);
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == Bytes(ADJUSTUI_TESTED_DLL)) << "the package holds another adjustui.dll";

    DWORD unused = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(shipped.c_str(), &unused));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(shipped.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    const WORD expected[] = {ADJUSTUI_VERSION_NUMBERS};
    const WORD actual[] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), std::begin(actual)));
    // The zip and its folder carry the same version.
    const std::wstring folder = L"adjustui-" + std::to_wstring(actual[0]) + L"." +
                                std::to_wstring(actual[1]) + L"." + std::to_wstring(actual[2]) +
                                L"-x64";
    EXPECT_EQ(kPackage.filename(), folder);
}

}  // namespace
