// The "Adjustments" page driven as a user drives it, in a sheet an application opened: clicks,
// list choices as the list reports them, texts set or typed into the fields. Read back from the
// devmode the application gets, the printer's stored values, its paper lists and the next page.
#include <gtest/gtest.h>

#include <windows.h>

#include <prsht.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/layout_page_ids.h"
#include "page/controls.h"
#include "tests/road/road_printer.h"
#include "winsupport/printer_setup.h"

namespace adjustui::road {
namespace {

using namespace adjustui::page;

// The item data of the entry with that text; CB_ERR without one.
LRESULT CodeOf(HWND page, int list, const wchar_t* text) {
    for (const ListEntry& entry : Entries(page, list)) {
        if (entry.text == text)
            return entry.data;
    }
    return CB_ERR;
}

// Points the plug-in's import of OpenPrinterW at `target`; answers where it pointed before.
void* RedirectOpenPrinter(void* target) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(L"adjustui.dll"));
    if (base == nullptr)
        return nullptr;
    const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; dll->Name != 0; ++dll) {
        auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) ||
                std::strcmp(byName->Name, "OpenPrinterW") != 0) {
                continue;
            }
            DWORD old = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
            const auto was = std::exchange(slot->u1.Function, reinterpret_cast<ULONG_PTR>(target));
            VirtualProtect(slot, sizeof *slot, old, &old);
            return reinterpret_cast<void*>(was);
        }
    }
    return nullptr;
}

// A user without the right to administer the printer: opening it with full access fails.
BOOL WINAPI OpenWithoutFullAccess(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
    if (defaults != nullptr && (defaults->DesiredAccess & PRINTER_ACCESS_ADMINISTER) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return OpenPrinterW(name, printer, defaults);
}

// The plug-in as the stand-in loads it, from the driver directory.
HMODULE LoadDriverPlugin() {
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                    &needed)) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(dir) + L"\\3\\adjustui.dll").c_str());
}

// Loaded first, the plug-in keeps the refusal from the page's registration on.
struct FullAccessRefused {
    HMODULE plugin = LoadDriverPlugin();
    void* original = RedirectOpenPrinter(reinterpret_cast<void*>(&OpenWithoutFullAccess));
    ~FullAccessRefused() {
        if (original != nullptr)
            RedirectOpenPrinter(original);
        if (plugin != nullptr)
            FreeLibrary(plugin);
    }
};

void FillEditor(HWND page, const wchar_t* name, const wchar_t* width, const wchar_t* length) {
    SetDlgItemTextW(page, kPaperWidthEdit, width);
    SetDlgItemTextW(page, kPaperLengthEdit, length);
    SetDlgItemTextW(page, kPaperNameEdit, name);
}

class PageActionsRoad : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(printer.ready());
        in = printer.DefaultDevmode();
        ASSERT_FALSE(in.empty());
    }

    RoadPrinter printer{L"road page actions", L"KESTRA VC9"};
    Devmode in;
};

TEST_F(PageActionsRoad, ChecksListsUnitsAndPaperChoiceReachTheDevmode) {
    const std::vector<std::vector<int>> groups = {
        {kSlipCorrectionCheck, kSlipCorrectionEdit, kSlipCorrectionLabel, kSlipCorrectionPercent},
        {kImagePositioningCheck, kXOffsetLabel, kYOffsetLabel, kXOffsetEdit, kYOffsetEdit,
         kXOffsetUnitList, kYOffsetUnitList},
        {kCutterCheck, kCutterList},
        {kPrintSpeedCheck, kPrintSpeedList, kPrintSpeedUnit},
        {kPrintDensityCheck, kPrintDensityEdit, kPrintDensityPercent},
        {kConfigurationCheck, kConfigNumberLabel, kConfigNumberList},
        {kPassThroughCheck, kPassThroughFontList},
    };
    Texts shown;
    const auto run = OnPage(printer, in, [&](HWND page, Sheet&) {
        for (const auto& group : groups) {
            for (bool on : {true, false}) {
                Click(page, group[0]);
                EXPECT_EQ(IsDlgButtonChecked(page, group[0]) == BST_CHECKED, on) << group[0];
                for (std::size_t i = 1; i < group.size(); ++i)
                    EXPECT_EQ(Enabled(page, group[i]), on) << group[0] << " " << group[i];
            }
        }
        for (int box : {kImagePositioningCheck, kCutterCheck, kPrintSpeedCheck, kConfigurationCheck,
                        kRotate180Check})
            Click(page, box);
        Choose(page, kCutterList, L"Page cut");
        Choose(page, kConfigNumberList, L"4");
        Choose(page, kPrintSpeedList, L"6");

        SetDlgItemTextW(page, kXOffsetEdit, L"0.5");
        Choose(page, kXOffsetUnitList, L"mm");
        shown.push_back(Text(page, kXOffsetEdit));
        SetDlgItemTextW(page, kXOffsetEdit, L"3");
        Choose(page, kXOffsetUnitList, L"mm");  // no change of unit, nothing to convert
        shown.push_back(Text(page, kXOffsetEdit));
        TypeKeys(page, kXOffsetEdit, L"-12,7");
        Choose(page, kXOffsetUnitList, L"Inch");
        TypeKeys(page, kYOffsetEdit, L"0,5");
        Choose(page, kYOffsetUnitList, L"mm");
        // A width alone changed: the length the page opened with still counts as right.
        SetDlgItemTextW(page, kPaperWidthEdit, L"100");
        EXPECT_TRUE(Enabled(page, kSaveAsDefaultButton));
        Choose(page, kPaperSizeList, L"A5");
        for (int id :
             {kXOffsetEdit, kYOffsetEdit, kPaperNameEdit, kPaperWidthEdit, kPaperLengthEdit})
            shown.push_back(Text(page, id));
        Choose(page, kPaperUnitList, L"Inch");
        Choose(page, kPaperSizeList, L"Letter");
        for (int id : {kPaperNameEdit, kPaperWidthEdit, kPaperLengthEdit})
            shown.push_back(Text(page, id));
    });
    EXPECT_TRUE(run.closedAsAsked);
    EXPECT_EQ(shown, (Texts{L"12.70", L"3", L"-0.50", L"12.70", L"A5", L"148.00", L"210.00",
                            L"Letter", L"8.50", L"11.00"}));
    const OemDevmode& b = BlockOf(run.devmode);
    const DEVMODEW& dm = Public(run.devmode);
    EXPECT_EQ(
        (Numbers{b.bSettingsValid, b.bOffsetSend, b.lXOffset, b.lYOffset, b.bCutterSend, b.dwCutter,
                 b.bConfigSend, b.dwConfigNumber, b.bPrintSpeedSend, b.dwPrintSpeed, b.bRotate180,
                 b.bSlipCorrectionSend, b.bPrintDensitySend, b.bPassThroughSend}),
        (Numbers{1, 1, -150, 150, 1, 2, 1, 3, 1, 6, 1, 0, 0, 0}));
    EXPECT_EQ((Numbers{b.wSelectedPaperSize, dm.dmPaperSize, dm.dmPaperWidth, dm.dmPaperLength}),
              (Numbers{DMPAPER_LETTER, DMPAPER_LETTER, 2159, 2794}));
}

TEST_F(PageActionsRoad, LeavingWithAWrongValueIsRefusedAndThePageStays) {
    const std::wstring inch = L"Error: X Offset|Value must be between -1 and 1 Inch.";
    const std::wstring slip =
        L"Error: Slip Correction|Slip Correction must be between -100 and 100.";
    const std::wstring copies =
        L"Error: Number of copies|Number of copies must be between 1 and 9999";
    const std::wstring density = L"Error: Print Density|Value must be between 10 and 120.";
    const struct {
        int edit;
        const wchar_t* text;
        std::wstring box;
    } wrongs[] = {
        {kXOffsetEdit, L"1.5", inch},
        {kXOffsetEdit, L"", inch},
        {kYOffsetEdit, L"26", L"Error: Y Offset|Value must be between -25.4 and 25.4 mm."},
        {kSlipCorrectionEdit, L"101", slip},
        {kSlipCorrectionEdit, L"", slip},
        {kCopiesEdit, L"", copies},
        {kCopiesEdit, L"10000", copies},
        {kPrintDensityEdit, L"12", density},
        {kPrintDensityEdit, L"", density},
    };
    const auto run = OnPage(printer, in, [&](HWND page, Sheet& sheet) {
        Click(page, kImagePositioningCheck);
        Click(page, kSlipCorrectionCheck);
        Click(page, kPrintDensityCheck);
        Choose(page, kYOffsetUnitList, L"mm");
        auto valid = [&] {
            SetDlgItemTextW(page, kXOffsetEdit, L"0,1");
            SetDlgItemTextW(page, kYOffsetEdit, L"-12,7");
            SetDlgItemTextW(page, kSlipCorrectionEdit, L"-7");
            SetDlgItemTextW(page, kCopiesEdit, L"3");
            SetDlgItemTextW(page, kPrintDensityEdit, L"115");
        };
        for (const auto& wrong : wrongs) {
            valid();
            SetDlgItemTextW(page, wrong.edit, wrong.text);
            sheet.Press(PSBTN_OK);
            EXPECT_TRUE(IsWindowVisible(sheet.window()) && sheet.CurrentPage() == page);
        }
        EXPECT_EQ(sheet.ShowPage(L"Layout"), nullptr) << "the other page, refused the same way";
        valid();
        sheet.Press(PSBTN_OK);
    });
    EXPECT_TRUE(run.closedAsAsked);
    Texts expected;
    for (const auto& wrong : wrongs)
        expected.push_back(wrong.box);
    expected.push_back(density);
    EXPECT_EQ(Boxes(run), expected);
    const OemDevmode& b = BlockOf(run.devmode);
    EXPECT_EQ((Numbers{b.bSettingsValid, b.lXOffset, b.lYOffset, b.lSlipCorrection, b.dwCopies,
                       b.dwPrintDensity}),
              (Numbers{1, 30, -150, -7, 3, 115}));
}

TEST_F(PageActionsRoad, OkKeepsTheChangesCancelDropsThemEvenAfterApply) {
    auto cutJobs = [](HWND page, Sheet&) {
        Click(page, kCutterCheck);
        Choose(page, kCutterList, L"Job cut");
    };
    const auto cancelled = OnPage(printer, in, cutJobs, Finish::kCancel);
    const auto applied = OnPage(printer, in, [&](HWND page, Sheet& sheet) {
        cutJobs(page, sheet);
        sheet.Press(PSBTN_APPLYNOW);
        Choose(page, kCutterList, L"Page cut");
        sheet.Press(PSBTN_CANCEL);
    });
    for (const auto* run : {&cancelled, &applied}) {
        const OemDevmode& b = BlockOf(run->devmode);
        EXPECT_EQ((Numbers{b.dwCutter, b.bCutterSend, b.bSettingsValid}),
                  (Numbers{in.block().dwCutter, 0, in.block().bSettingsValid}));
    }
    const auto kept = OnPage(printer, in, [&](HWND page, Sheet& sheet) {
        cutJobs(page, sheet);
        Click(page, kImagePositioningCheck);
        SetDlgItemTextW(page, kXOffsetEdit, L"0.5");
        SetDlgItemTextW(page, kYOffsetEdit, L"0");
        HWND layout = sheet.ShowPage(L"Layout");
        ASSERT_NE(layout, nullptr);
        Click(layout, IDC_LANDSCAPE);
        EXPECT_EQ(sheet.ShowPage(L"Adjustments"), page);
    });
    EXPECT_TRUE(kept.closedAsAsked && kept.messageBoxes.empty());
    const OemDevmode& b = BlockOf(kept.devmode);
    EXPECT_EQ((Numbers{b.dwCutter, b.bCutterSend, b.lXOffset, b.bOffsetSend,
                       Public(kept.devmode).dmOrientation}),
              (Numbers{1, 1, 150, 1, DMORIENT_LANDSCAPE}));
}

TEST_F(PageActionsRoad, SetAsDefaultIsWhereNewDevmodesAndPagesStart) {
    auto save = [](HWND page, Sheet&) {
        for (int box : {kImagePositioningCheck, kCutterCheck, kPrintDensityCheck})
            Click(page, box);
        TypeKeys(page, kXOffsetEdit, L"0,5");
        SetDlgItemTextW(page, kYOffsetEdit, L"-1");
        Choose(page, kCutterList, L"Job cut");
        Choose(page, kConfigNumberList, L"3");
        Choose(page, kPaperSizeList, L"A5");
        SetDlgItemTextW(page, kPrintDensityEdit, L"115");
        SetDlgItemTextW(page, kCopiesEdit, L"7");
        ASSERT_TRUE(Enabled(page, kSaveAsDefaultButton));
        Click(page, kSaveAsDefaultButton);
    };
    EXPECT_TRUE(OnPage(printer, in, save, Finish::kCancel).messageBoxes.empty());
    Devmode fresh = printer.DefaultDevmode();
    ASSERT_FALSE(fresh.empty());
    const OemDevmode& b = fresh.block();
    EXPECT_EQ(
        (Numbers{b.bOffsetSend, b.lXOffset, b.lYOffset, b.bCutterSend, b.dwCutter, b.bConfigSend,
                 b.dwConfigNumber, b.bPrintDensitySend, b.dwPrintDensity, b.dwCopies}),
        (Numbers{1, 150, -300, 1, 1, 0, 2, 1, 115, 7}));
    Texts shown;
    auto look = [&](HWND page, Sheet&) {
        for (int id : {kXOffsetEdit, kYOffsetEdit, kCutterList, kConfigNumberList, kPaperSizeList,
                       kPrintDensityEdit, kCopiesEdit})
            shown.push_back(Text(page, id));
        shown.push_back(IsDlgButtonChecked(page, kImagePositioningCheck) ? L"on" : L"off");
    };
    OnPage(printer, {}, look, Finish::kCancel);
    EXPECT_EQ(shown, (Texts{L"0.50", L"-1.00", L"Job cut", L"3", L"A5", L"115", L"7", L"on"}));
}

// What the page shows is what it takes: the printer's default paper for a job without one, which
// "Save as default" keeps and OK gives the job; a unit round trip keeps the user's sizes, with no
// balloon; an empty offset stays empty.
TEST_F(PageActionsRoad, WhatThePageShowsIsWhatOkTakesAndSetAsDefaultStores) {
    ASSERT_TRUE(printer.StoreSelectedPaper(DMPAPER_A5));
    std::vector<std::size_t> balloons;
    const auto run = OnPage(printer, in, [&](HWND page, Sheet&) {
        EXPECT_EQ(Text(page, kPaperSizeList), L"A5");
        Click(page, kPrintDensityCheck);
        SetDlgItemTextW(page, kPrintDensityEdit, L"110");
        Click(page, kSaveAsDefaultButton);

        winsupport::BalloonSpy width(GetDlgItem(page, kPaperWidthEdit));
        winsupport::BalloonSpy length(GetDlgItem(page, kPaperLengthEdit));
        FillEditor(page, L"Own A4", L"210", L"297");
        for (const wchar_t* unit : {L"Inch", L"mm"})
            Choose(page, kPaperUnitList, unit);
        balloons = {width.balloons().size(), length.balloons().size()};
        EXPECT_EQ(Text(page, kPaperWidthEdit) + L" " + Text(page, kPaperLengthEdit),
                  L"210.00 297.00");
        Click(page, kAddPaperButton);
        Click(page, kImagePositioningCheck);
        SetDlgItemTextW(page, kXOffsetEdit, L"");
        Choose(page, kXOffsetUnitList, L"mm");
        EXPECT_EQ(Text(page, kXOffsetEdit), L"");
        Click(page, kImagePositioningCheck);
    });
    EXPECT_TRUE(run.messageBoxes.empty());
    EXPECT_EQ(balloons, (std::vector<std::size_t>{0, 0}));
    const std::wstring added = printer.StoredPapers().back();
    EXPECT_EQ(added.substr(0, 6) + added.substr(added.size() - 10), L"Own A4 2100 2970");
    auto stored = [&](const wchar_t* value) {
        const auto data = winsupport::Printer::Open(printer.name()).Get(value);
        return data && data->size() == 2 ? (*data)[0] | ((*data)[1] << 8) : -1;
    };
    EXPECT_EQ((Numbers{stored(L"SelectedPaperSize"), stored(L"DEVMODE_DM_PAPERSIZE"),
                       BlockOf(run.devmode).wSelectedPaperSize, Public(run.devmode).dmPaperSize,
                       Public(run.devmode).dmPaperWidth, BlockOf(run.devmode).dwPrintDensity}),
              (Numbers{DMPAPER_A5, DMPAPER_A5, DMPAPER_A5, DMPAPER_A5, 1480, 110}));
    std::wstring shown;
    OnPage(
        printer, {}, [&](HWND page, Sheet&) { shown = Text(page, kPaperSizeList); },
        Finish::kCancel);
    EXPECT_EQ(shown, L"A5") << "the printer's default paper, on a new page";
}

// A model without slip correction and print density: a document's unset slip correction with its
// flag set takes no part in leaving the page, and its density of 12, which no check accepts, was
// already corrected when the core driver took the document in.
TEST(HiddenGroupsRoad, AValueTheUserCannotSeeNeverStopsOk) {
    RoadPrinter manto{L"road page hidden groups", L"MANTO 63N-2"};
    ASSERT_TRUE(manto.ready());
    Devmode doc = manto.AppliedDevmode();
    ASSERT_FALSE(doc.empty());
    doc.block().bSlipCorrectionSend = 1;
    doc.block().lSlipCorrection = kUnsetSigned;
    doc.block().bPrintDensitySend = 1;
    doc.block().dwPrintDensity = 12;
    const auto run = OnPage(manto, doc, [](HWND, Sheet&) {});
    EXPECT_TRUE(run.messageBoxes.empty());
    const OemDevmode& b = BlockOf(run.devmode);
    EXPECT_EQ(
        (Numbers{b.bSlipCorrectionSend, b.lSlipCorrection, b.bPrintDensitySend, b.dwPrintDensity}),
        (Numbers{1, kUnsetSigned, 1, 100}));
}

// The custom papers of a printer that takes papers from 105 x 148 to 210 x 297 mm.
class CustomPapersRoad : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(printer.ready()); }
    RoadPrinter printer{L"road custom papers", L"MANTO 47-2"};
};

TEST_F(CustomPapersRoad, AddAndDeleteReachTheStoreTheApplicationsListsAndTheNextPage) {
    // Twins, as a store may hold them: Delete takes the same one from the store and the list.
    ASSERT_TRUE(printer.StorePapers({{L"Twin", 1500, 2000}, {L"Twin", 1600, 2100}}));
    std::vector<bool> add;
    std::vector<Texts> stored;
    LRESULT entries = 0;
    const auto run = OnPage(printer, {}, [&](HWND page, Sheet&) {
        SetDlgItemTextW(page, kPaperNameEdit,
                        L"Fresh");  // beside the sizes of the paper opened with
        add.push_back(Enabled(page, kAddPaperButton));
        const wchar_t* const editors[][3] = {
            {L"", L"150", L"200"},       {L"A4", L"150", L"200"},     {L"Twin", L"150", L"200"},
            {L"Ticket", L"220", L"200"}, {L"Ticket", L"150", L"100"}, {L"Ticket", L"150", L"200"}};
        for (const auto& editor : editors) {
            FillEditor(page, editor[0], editor[1], editor[2]);
            add.push_back(Enabled(page, kAddPaperButton));
        }
        Click(page, kAddPaperButton);
        add.push_back(Enabled(page, kAddPaperButton));
        stored.push_back(printer.StoredPapers());
        TypeKeys(page, kPaperNameEdit, std::wstring(70, L'x').c_str());
        EXPECT_EQ(Text(page, kPaperNameEdit), std::wstring(63, L'x')) << "what a record holds";

        Choose(page, kPaperSizeList, L"Twin");
        Click(page, kDeletePaperButton);
        EXPECT_EQ(CodeOf(page, kPaperSizeList, L"Twin"), 258);
        EXPECT_EQ(Text(page, kPaperSizeList), L"Letter");  // the first paper became the job's
        EXPECT_EQ(Text(page, kPaperNameEdit), L"Letter");
        Choose(page, kPaperUnitList, L"Inch");
        FillEditor(page, L"Third", L"5", L"8");
        Click(page, kAddPaperButton);
        SetDlgItemTextW(page, kPaperNameEdit, L"Ticket");  // deleted by its name alone
        Click(page, kDeletePaperButton);
        EXPECT_EQ(Text(page, kPaperSizeList), L"Letter");
        stored.push_back(printer.StoredPapers());
        entries = SendDlgItemMessageW(page, kPaperSizeList, CB_GETCOUNT, 0, 0);
    });
    EXPECT_EQ(add, (std::vector<bool>{true, false, false, false, false, false, true, false}));
    EXPECT_EQ(stored, (std::vector<Texts>{
                          {L"Twin 257 1500 2000", L"Twin 258 1600 2100", L"Ticket 259 1500 2000"},
                          {L"Twin 258 1600 2100", L"Third 260 1270 2032"}}));
    ASSERT_EQ(run.messageBoxes.size(), 2u);
    EXPECT_EQ(Boxes(run)[0],
              L"Delete paper|Paper size 'Twin' removed.\nPlease choose another paper size.");
    const OemDevmode& b = BlockOf(run.devmode);
    EXPECT_EQ((Numbers{b.lCustomPaperCount, b.lLastPaperIndex, b.wSelectedPaperSize,
                       Public(run.devmode).dmPaperSize}),
              (Numbers{2, entries - 1, DMPAPER_LETTER, DMPAPER_LETTER}));

    const auto names = printer.PaperNames();
    const auto codes = printer.Papers();
    ASSERT_EQ(names.size(), static_cast<std::size_t>(entries));
    EXPECT_EQ(Texts(names.end() - 2, names.end()), (Texts{L"Twin", L"Third"}));
    EXPECT_EQ(std::vector<WORD>(codes.end() - 2, codes.end()), (std::vector<WORD>{258, 260}));
    std::vector<LRESULT> listed;
    auto look = [&](HWND page, Sheet&) {
        for (const wchar_t* name : {L"Twin", L"Ticket", L"Third"})
            listed.push_back(CodeOf(page, kPaperSizeList, name));
    };
    OnPage(printer, {}, look, Finish::kCancel);
    EXPECT_EQ(listed, (std::vector<LRESULT>{258, CB_ERR, 260}));
}

// Another user stores a paper of the typed name while the page is open: Add stores nothing, says
// so, and the page shows the paper the printer holds.
TEST_F(CustomPapersRoad, AddOfANameAnotherUserStoredMeanwhileShowsThatPaper) {
    LRESULT code = CB_ERR;
    bool addAfter = true;
    const auto run = OnPage(
        printer, {},
        [&](HWND page, Sheet&) {
            FillEditor(page, L"Shared", L"150", L"200");
            ASSERT_TRUE(Enabled(page, kAddPaperButton));
            ASSERT_TRUE(printer.StorePapers({{L"Shared", 1600, 2100}}));
            Click(page, kAddPaperButton);
            code = CodeOf(page, kPaperSizeList, L"Shared");
            addAfter = Enabled(page, kAddPaperButton);
        },
        Finish::kCancel);
    EXPECT_EQ(code, 257);
    EXPECT_FALSE(addAfter);
    EXPECT_EQ(run.messageBoxes.size(), 1u);
    EXPECT_EQ(printer.StoredPapers().size(), 1u);
}

// The printer's standard papers were never stored: the page lists the core driver's papers as it
// answered them all the same.
TEST_F(CustomPapersRoad, WithoutTheRightToChangeThePrinterNothingIsStoredOrShownAsStored) {
    ASSERT_TRUE(printer.StorePapers({{L"Kept", 1500, 2000}}));
    const FullAccessRefused noRight;
    ASSERT_NE(noRight.original, nullptr);
    std::vector<LRESULT> listed;
    auto tryAll = [&](HWND page, Sheet&) {
        listed.push_back(CodeOf(page, kPaperSizeList, L"A4"));
        FillEditor(page, L"Ticket", L"150", L"200");
        Click(page, kAddPaperButton);
        Choose(page, kPaperSizeList, L"Kept");
        Click(page, kDeletePaperButton);
        Click(page, kSaveAsDefaultButton);
        for (const wchar_t* name : {L"Kept", L"Ticket"})
            listed.push_back(CodeOf(page, kPaperSizeList, name));
    };
    const auto run = OnPage(printer, {}, tryAll, Finish::kCancel);
    EXPECT_EQ(listed, (std::vector<LRESULT>{9, 257, CB_ERR}));
    const std::wstring why = L" You may not have the right to change its settings.";
    EXPECT_EQ(Boxes(run),
              (Texts{L"Custom Papers|The paper size could not be stored for this printer." + why,
                     L"Custom Papers|The paper size could not be removed from this printer." + why,
                     L"Save as default|The defaults could not be saved for this printer." + why}));
    EXPECT_EQ(printer.StoredPapers(), (Texts{L"Kept 257 1500 2000"}));
    auto stored = winsupport::Printer::Open(printer.name(), PRINTER_ACCESS_USE);
    EXPECT_FALSE(stored.Get(L"CUTTER_SEND"));
    EXPECT_FALSE(stored.Get(L"01_Counts_Of_Standard_PAPER"));
}

// The public devmode names a printer in 31 units; connections to a print server often have longer
// names. The width's limits are the table's for a model it holds, else the core driver's.
struct LongNameCase {
    const wchar_t* model;
    const wchar_t* widthRefused;
};
class LongPrinterNameRoad : public ::testing::TestWithParam<LongNameCase> {};

TEST_P(LongPrinterNameRoad, CustomPapersAreJudgedByTheModelAndReachTheStoreAndTheLists) {
    RoadPrinter printer{L"road printer with a name of forty units.", GetParam().model};
    ASSERT_TRUE(printer.ready());
    ASSERT_EQ(printer.name().size(), 40u);
    LRESULT opened = 0;
    bool add = false;
    Texts balloons;
    const auto run = OnPage(printer, {}, [&](HWND page, Sheet&) {
        opened = SendDlgItemMessageW(page, kPaperSizeList, CB_GETCOUNT, 0, 0);
        const winsupport::BalloonSpy spy(GetDlgItem(page, kPaperWidthEdit));
        FillEditor(page, L"Long 100x150", L"300", L"150");
        FillEditor(page, L"Long 100x150", L"100", L"150");
        add = Enabled(page, kAddPaperButton);
        Click(page, kAddPaperButton);
        for (const auto& balloon : spy.balloons())
            balloons.push_back(balloon.text);
    });
    ASSERT_FALSE(run.devmode.empty());
    EXPECT_EQ(wcsnlen(Public(run.devmode).dmDeviceName, CCHDEVICENAME), 31u);
    // The same limits each time the width is judged again while it is wrong.
    balloons.erase(std::unique(balloons.begin(), balloons.end()), balloons.end());
    EXPECT_EQ(balloons, (Texts{GetParam().widthRefused}));
    EXPECT_TRUE(add);
    EXPECT_EQ(printer.StoredPapers(), (Texts{L"Long 100x150 257 1000 1500"}));
    // The page opened with the core driver's papers that registration had it store.
    const auto names = printer.PaperNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), L"Long 100x150");
    EXPECT_EQ(names.size(), static_cast<std::size_t>(opened) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Models, LongPrinterNameRoad,
    ::testing::Values(
        LongNameCase{L"KESTRA VC9", L"Width of paper must be between 4.20 mm and 228.60 mm"},
        LongNameCase{L"KESTRA V4", L"Width of paper must be between 25.40 mm and 215.90 mm"}),
    [](const auto& param) {
        return std::string(param.index == 0 ? "InTheTable" : "NotInTheTable");
    });

}  // namespace
}  // namespace adjustui::road
