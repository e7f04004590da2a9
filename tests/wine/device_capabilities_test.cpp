// DeviceCapabilities through the real DLL: paper lists with the custom papers of the printer data,
// the standard list written back through the spooler, extents by driver name, the current paper.
#include <cstring>
#include <string>
#include <vector>

#include "common/text.h"
#include "settings/oem_devmode.h"
#include "settings/paper_store.h"
#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

PaperRecord Paper(const char16_t* name, std::uint16_t id, std::int32_t width, std::int32_t length) {
    PaperRecord record{};
    std::memcpy(record.name, name, std::char_traits<char16_t>::length(name) * sizeof(char16_t));
    record.id = id;
    record.width = width;
    record.length = length;
    return record;
}

// What the core driver answered before the plug-in adds its papers.
constexpr WORD kCoreIds[] = {1, 5, 9, 11, 13, 256, 260, 261, 262, 263};
constexpr DWORD kCoreCount = std::size(kCoreIds);

std::u16string NameOf(const wchar_t (&entry)[64]) {
    return std::u16string(reinterpret_cast<const char16_t*>(entry),
                          BoundedLength(reinterpret_cast<const char16_t*>(entry), 64));
}

class DeviceCapabilities : public ::testing::Test {
  protected:
    void SetUp() override {
        plugin_ = CreatePlugin();
        ASSERT_TRUE(plugin_);
    }

    void UsePrinter(Model model) {
        printer_ = FreshPrinter(model);
        ASSERT_TRUE(printer_);
    }

    void StoreCustomPapers(const std::vector<PaperRecord>& papers) {
        const std::uint32_t count = static_cast<std::uint32_t>(papers.size());
        ASSERT_TRUE(printer_.Set(L"07_CUST_PAPER_SIZES", REG_BINARY, papers.data(),
                                 static_cast<DWORD>(papers.size() * sizeof(PaperRecord))));
        ASSERT_TRUE(printer_.Set(L"CountOfCustomPapers", REG_BINARY, &count, sizeof count));
    }

    std::vector<PaperRecord> StoredStandardPapers() {
        auto count = printer_.Get(L"01_Counts_Of_Standard_PAPER");
        auto records = printer_.Get(L"02_ID_of_Std_Paper");
        if (!count || count->size() != 4 || !records)
            return {};
        std::uint32_t n = 0;
        std::memcpy(&n, count->data(), 4);
        EXPECT_EQ(records->size(), n * sizeof(PaperRecord));
        std::vector<PaperRecord> papers(records->size() / sizeof(PaperRecord));
        std::memcpy(papers.data(), records->data(), papers.size() * sizeof(PaperRecord));
        return papers;
    }

    HRESULT Ask(WORD capability, void* output, DWORD old, DWORD& result,
                DEVMODEW* publicDm = nullptr, OemDevmode* oemDm = nullptr) {
        return plugin_->DeviceCapabilities(nullptr, printer_.get(), nullptr, capability, output,
                                           publicDm, oemDm, old, &result);
    }

    ComRef<IPrintOemUI2> plugin_;
    winsupport::Printer printer_;
    const std::vector<PaperRecord> custom_ = {Paper(u"Label 2x3", 257, 508, 762),
                                              Paper(u"Ticket", 258, 505, 1200)};
};

TEST_F(DeviceCapabilities, CountQueriesAddTheCustomPapers) {
    UsePrinter(Model::KestraVc9);
    StoreCustomPapers(custom_);
    for (WORD capability : {WORD(DC_PAPERS), WORD(DC_PAPERNAMES), WORD(DC_PAPERSIZE)}) {
        DWORD result = 0;
        EXPECT_EQ(Ask(capability, nullptr, kCoreCount, result), S_OK) << capability;
        EXPECT_EQ(result, kCoreCount + 2) << capability;
    }
    EXPECT_FALSE(printer_.Get(L"01_Counts_Of_Standard_PAPER")) << "a count query stores nothing";
}

TEST_F(DeviceCapabilities, PaperListsEndWithTheCustomPapersAndRefreshTheStandardList) {
    UsePrinter(Model::KestraVc9);
    StoreCustomPapers(custom_);

    POINT sizes[kCoreCount + 2] = {};
    for (DWORD i = 0; i < kCoreCount; ++i)
        sizes[i] = {LONG(1000 + i), LONG(2000 + i)};
    DWORD result = 0;
    ASSERT_EQ(Ask(DC_PAPERSIZE, sizes, kCoreCount, result), S_OK);
    EXPECT_EQ(result, kCoreCount + 2);
    EXPECT_EQ(sizes[kCoreCount].x, 508);
    EXPECT_EQ(sizes[kCoreCount].y, 762);
    EXPECT_EQ(sizes[kCoreCount + 1].x, 505);
    EXPECT_EQ(sizes[kCoreCount + 1].y, 1200);

    WORD ids[kCoreCount + 2] = {};
    std::memcpy(ids, kCoreIds, sizeof kCoreIds);
    ASSERT_EQ(Ask(DC_PAPERS, ids, kCoreCount, result), S_OK);
    EXPECT_EQ(result, kCoreCount + 2);
    EXPECT_EQ(ids[kCoreCount], 257);
    EXPECT_EQ(ids[kCoreCount + 1], 258);
    EXPECT_EQ(ids[0], 1) << "the core driver's entries stay";

    wchar_t names[kCoreCount + 2][64] = {};
    for (DWORD i = 0; i < kCoreCount; ++i)
        wsprintfW(names[i], L"Core paper %lu", i);
    ASSERT_EQ(Ask(DC_PAPERNAMES, names, kCoreCount, result), S_OK);
    EXPECT_EQ(result, kCoreCount + 2);
    EXPECT_EQ(NameOf(names[kCoreCount]), u"Label 2x3");
    EXPECT_EQ(NameOf(names[kCoreCount + 1]), u"Ticket");

    // After the three queries the stored standard list is complete, and holds no custom paper.
    const auto stored = StoredStandardPapers();
    ASSERT_EQ(stored.size(), kCoreCount);
    for (DWORD i = 0; i < kCoreCount; ++i) {
        EXPECT_EQ(stored[i].id, kCoreIds[i]) << i;
        EXPECT_EQ(stored[i].width, LONG(1000 + i)) << i;
        EXPECT_EQ(stored[i].length, LONG(2000 + i)) << i;
        EXPECT_EQ(FieldText(stored[i].name), u"Core paper " + std::u16string(1, u'0' + i)) << i;
    }
}

TEST_F(DeviceCapabilities, ShorterCoreListCutsTheStoredStandardList) {
    UsePrinter(Model::KestraVc9);
    WORD ids[kCoreCount] = {};
    std::memcpy(ids, kCoreIds, sizeof kCoreIds);
    DWORD result = 0;
    ASSERT_EQ(Ask(DC_PAPERS, ids, kCoreCount, result), S_OK);
    ASSERT_EQ(StoredStandardPapers().size(), kCoreCount);

    WORD fewer[3] = {70, 71, 72};
    ASSERT_EQ(Ask(DC_PAPERS, fewer, 3, result), S_OK);
    EXPECT_EQ(result, 3u);
    const auto stored = StoredStandardPapers();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].id, 72);
}

TEST_F(DeviceCapabilities, WithoutCustomPapersTheCoreAnswerStandsUntouched) {
    UsePrinter(Model::KestraVc9);
    WORD ids[kCoreCount + 1] = {};
    std::memcpy(ids, kCoreIds, sizeof kCoreIds);
    ids[kCoreCount] = 0xBEEF;
    DWORD result = 0;
    ASSERT_EQ(Ask(DC_PAPERS, ids, kCoreCount, result), S_OK);
    EXPECT_EQ(result, kCoreCount);
    EXPECT_EQ(ids[kCoreCount], 0xBEEF);
    EXPECT_EQ(StoredStandardPapers().size(), kCoreCount);
}

TEST_F(DeviceCapabilities, WithoutAPrinterHandleNothingIsReadOrStored) {
    UsePrinter(Model::KestraVc9);
    StoreCustomPapers(custom_);
    WORD ids[kCoreCount + 2] = {};
    std::memcpy(ids, kCoreIds, sizeof kCoreIds);
    DWORD result = 0;
    ASSERT_EQ(plugin_->DeviceCapabilities(nullptr, nullptr, nullptr, DC_PAPERS, ids, nullptr,
                                          nullptr, kCoreCount, &result),
              S_OK);
    EXPECT_EQ(result, kCoreCount);
    EXPECT_EQ(ids[kCoreCount], 0);
    EXPECT_FALSE(printer_.Get(L"01_Counts_Of_Standard_PAPER"));
}

TEST_F(DeviceCapabilities, ExtentsFollowTheDriverNameIgnoringCase) {
    for (Model model : {Model::KestraVc9, Model::KestraVc9Lower}) {
        UsePrinter(model);
        DWORD result = 0;
        EXPECT_EQ(Ask(DC_MINEXTENT, nullptr, 0, result), S_OK) << DriverNameOf(model);
        EXPECT_EQ(result, 0x00FE002Au) << DriverNameOf(model);
        EXPECT_EQ(Ask(DC_MAXEXTENT, nullptr, 0, result), S_OK) << DriverNameOf(model);
        EXPECT_EQ(result, 0x4F6008EEu) << DriverNameOf(model);
    }
}

TEST_F(DeviceCapabilities, MaximumExtentOfOneModelNeedsTheExactName) {
    UsePrinter(Model::MantoG36);
    DWORD result = 0;
    EXPECT_EQ(Ask(DC_MINEXTENT, nullptr, 0, result), S_OK);
    EXPECT_EQ(result, 0x007F01FCu);
    EXPECT_EQ(Ask(DC_MAXEXTENT, nullptr, 0, result), S_OK);
    EXPECT_EQ(result, 0x20BE0EE2u);

    UsePrinter(Model::MantoG36Lower);
    result = 0;
    EXPECT_EQ(Ask(DC_MINEXTENT, nullptr, 0, result), S_OK);
    EXPECT_EQ(result, 0x007F01FCu);
    result = 0x5555;
    EXPECT_EQ(Ask(DC_MAXEXTENT, nullptr, 0, result), E_NOTIMPL);
    EXPECT_EQ(result, 0x5555u);
}

TEST_F(DeviceCapabilities, UnknownModelOrNoPrinterHasNoExtents) {
    UsePrinter(Model::Unknown);
    for (WORD capability : {WORD(DC_MINEXTENT), WORD(DC_MAXEXTENT)}) {
        DWORD result = 0x5555;
        EXPECT_EQ(Ask(capability, nullptr, 0, result), E_NOTIMPL) << capability;
        EXPECT_EQ(result, 0x5555u);
        EXPECT_EQ(plugin_->DeviceCapabilities(nullptr, nullptr, nullptr, capability, nullptr,
                                              nullptr, nullptr, 0, &result),
                  E_NOTIMPL);
        EXPECT_EQ(result, 0x5555u);
    }
}

TEST_F(DeviceCapabilities, MediaReadyNamesTheSelectedPaper) {
    UsePrinter(Model::KestraVc9);
    StoreCustomPapers(custom_);

    DWORD result = 0;
    EXPECT_EQ(Ask(DC_MEDIAREADY, nullptr, 0, result), HRESULT(0x0004DC01));
    EXPECT_EQ(result, 1u);

    DEVMODEW publicDm{};
    publicDm.dmSize = sizeof publicDm;
    lstrcpyW(publicDm.dmFormName, L"Form of the core driver");
    OemDevmode oemDm{};

    // Standard papers (up to 256) are named by the public devmode's form.
    for (WORD id : {WORD(9), WORD(256)}) {
        wchar_t name[64] = {};
        oemDm.wSelectedPaperSize = 0;
        publicDm.dmPaperSize = static_cast<short>(id);
        ASSERT_EQ(Ask(DC_MEDIAREADY, name, 0, result, &publicDm, &oemDm), S_OK) << id;
        EXPECT_EQ(result, 1u);
        EXPECT_STREQ(name, L"Form of the core driver") << id;
        EXPECT_EQ(publicDm.dmPaperSize, static_cast<short>(id));
    }

    // The plug-in's own selection wins and is handed to the public devmode.
    wchar_t name[64] = {};
    oemDm.wSelectedPaperSize = 258;
    publicDm.dmPaperSize = 9;
    ASSERT_EQ(Ask(DC_MEDIAREADY, name, 0, result, &publicDm, &oemDm), S_OK);
    EXPECT_STREQ(name, L"Ticket");
    EXPECT_EQ(publicDm.dmPaperSize, 258);

    // A custom number no longer stored leaves the buffer as it was.
    lstrcpyW(name, L"unchanged");
    oemDm.wSelectedPaperSize = 300;
    ASSERT_EQ(Ask(DC_MEDIAREADY, name, 0, result, &publicDm, &oemDm), S_OK);
    EXPECT_STREQ(name, L"unchanged");
    EXPECT_EQ(publicDm.dmPaperSize, 300);
}

TEST_F(DeviceCapabilities, OtherQueriesPassTheCoreAnswerThrough) {
    UsePrinter(Model::KestraVc9);
    for (WORD capability : {WORD(DC_BINS), WORD(DC_COPIES), WORD(DC_ORIENTATION)}) {
        DWORD result = 0;
        EXPECT_EQ(Ask(capability, nullptr, 0xFFFFFFFF, result), S_OK) << capability;
        EXPECT_EQ(result, 0xFFFFFFFFu) << capability;
    }
}

TEST_F(DeviceCapabilities, MissingResultPointerIsRefused) {
    UsePrinter(Model::KestraVc9);
    EXPECT_EQ(plugin_->DeviceCapabilities(nullptr, printer_.get(), nullptr, DC_MINEXTENT, nullptr,
                                          nullptr, nullptr, 0, nullptr),
              E_POINTER);
}

}  // namespace
}  // namespace adjustui::wine
