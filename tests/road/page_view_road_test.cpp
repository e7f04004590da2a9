// The "Adjustments" page as a user sees it when the printing preferences open: texts, groups by
// model, the values of the devmode and the printer, the font list, the field checks, and what it
// makes of damaged input. The page runs in a real sheet; the test reads its controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "page/controls.h"
#include "page/custom_paper.h"
#include "page/language.h"
#include "page/texts.h"
#include "page/win32/page_context.h"
#include "settings/paper_store.h"
#include "tests/road/road_printer.h"
#include "winsupport/printer_setup.h"

namespace adjustui::road {
namespace {

using namespace adjustui::page;

std::wstring W(std::u16string_view s) {
    return {s.begin(), s.end()};
}

LRESULT Selected(HWND page, int list) {
    return SendDlgItemMessageW(page, list, CB_GETCURSEL, 0, 0);
}

// The live private devmode the page works on.
const OemDevmode& Live(HWND page) {
    return *ContextOf(page)->pOemDevmode;
}

// The width of a control's text in the control's font, in pixels.
LONG TextWidth(HWND control) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(control, text, static_cast<int>(std::size(text)));
    HDC dc = GetDC(control);
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    return size.cx;
}

// Run a second time by its own ctest entry under LC_ALL=de_DE.UTF-8.
TEST(PageView, TitleTextsAndCutterItemsInTheUsersLanguage) {
    const bool german = GermanRun();
    ASSERT_EQ(IsGermanLocale(GetUserDefaultLCID()), german) << std::hex << GetUserDefaultLCID();
    RoadPrinter printer{L"road page texts", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    OnPage(printer, printer.DefaultDevmode(), [&](HWND page, Sheet& sheet) {
        for (const ControlText& c : kControlTexts) {
            EXPECT_EQ(Text(page, c.control), W(*FindPageString(std::uint32_t(c.text.In(german)))))
                << c.control;
        }
        EXPECT_EQ(Text(page, kSaveAsDefaultButton),
                  german ? L"Als Vorgabe speichern" : L"Save as default");
        EXPECT_EQ(Text(page, kPrintDensityGroup), german ? L"Druckintensität" : L"Print Density");
        // Template texts in both languages.
        EXPECT_EQ(Text(page, kXOffsetLabel), L"X Offset");
        EXPECT_EQ(Text(page, kPassThroughGroup), L"Passthrough");
        EXPECT_EQ(Text(page, kPassThroughCheck), german ? L"Aktiviert" : L"Activated");
        // No text is cut off, in the dialog font (Tahoma, from fonts-wine).
        for (const ControlTemplate& c : kPageControls) {
            const bool box = c.kind == ControlKind::CheckBox;
            if (!box && c.kind != ControlKind::Text && c.kind != ControlKind::PushButton)
                continue;
            HWND control = GetDlgItem(page, c.id);
            RECT client;
            GetClientRect(control, &client);
            const LONG room = client.right - (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
            EXPECT_LE(TextWidth(control), room) << c.id << " " << Text(page, c.id);
        }
        const std::vector<ListEntry> cutter = Entries(page, kCutterList);
        ASSERT_EQ(cutter.size(), 3u);
        EXPECT_EQ(cutter[0].text, german ? L"Nicht schneiden" : L"No cutting");
        EXPECT_EQ(cutter[1].text, german ? L"Job schneiden" : L"Job cut");
        EXPECT_EQ(cutter[2].text, german ? L"Seiten schneiden" : L"Page cut");
        BalloonSpy copies(GetDlgItem(page, kCopiesEdit));
        SetDlgItemTextW(page, kCopiesEdit, L"0");
        ASSERT_EQ(copies.balloons().size(), 1u);
        EXPECT_EQ(copies.balloons()[0].text,
                  german ? L"Anzahl der Exemplare muss mindestens 1 betragen."
                         : L"Number of copies must be at least 1.");
        EXPECT_EQ(copies.balloons()[0].title, german ? L"Fehler" : L"Error");
        SetDlgItemTextW(page, kCopiesEdit, L"1");
        SendDlgItemMessageW(page, kImagePositioningCheck, BM_CLICK, 0, 0);
        BalloonSpy x(GetDlgItem(page, kXOffsetEdit));
        SetDlgItemTextW(page, kXOffsetEdit, L"");
        ASSERT_FALSE(x.balloons().empty());
        EXPECT_EQ(x.balloons().back().text, german ? L"KONVERTIERUNGSFEHLER" : L"Conversion error");
        SetDlgItemTextW(page, kXOffsetEdit, L"0");
        SetDlgItemTextW(page, kYOffsetEdit, L"0");
        // The message after Delete.
        SetDlgItemTextW(page, kPaperWidthEdit, L"50");
        SetDlgItemTextW(page, kPaperLengthEdit, L"30");
        SetDlgItemTextW(page, kPaperNameEdit, L"Label");
        SendDlgItemMessageW(page, kAddPaperButton, BM_CLICK, 0, 0);
        SendDlgItemMessageW(page, kDeletePaperButton, BM_CLICK, 0, 0);
        ASSERT_EQ(sheet.messageBoxes().size(), 1u);
        EXPECT_EQ(sheet.messageBoxes()[0].caption, german ? L"Papier löschen" : L"Delete paper");
        EXPECT_EQ(sheet.messageBoxes()[0].text,
                  german ? L"Papierformat 'Label' entfernt. \nBitte ein neues Format auswählen!"
                         : L"Paper size 'Label' removed.\nPlease choose another paper size.");
    });
}

// A control's place on the page in pixels.
struct Place {
    LONG left, top, width, height;
};

Place Placed(HWND page, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(page, id), &r);
    MapWindowPoints(HWND_DESKTOP, page, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Each of the four mapped alone, as the dialog manager maps them when it creates the control.
Place InTemplate(HWND page, const ControlTemplate& c) {
    RECT r{c.x, c.y, c.width, c.height};
    MapDialogRect(page, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(PageView, GroupsFollowTheModelAndTheLeftColumnStays) {
    struct Model {
        const wchar_t* name;
        bool shown[4];  // slip correction, cutter, print speed, print density
    };
    const Model models[] = {{L"KESTRA VC9", {true, true, true, true}},
                            {L"ROAD NO SUCH MODEL", {false, false, false, false}},
                            {L"MANTO 63N-2", {false, true, false, false}},
                            {L"KESTRA V4", {false, false, true, false}}};
    for (const Model& model : models) {
        SCOPED_TRACE(model.name);
        RoadPrinter printer{L"road page layout", model.name};
        ASSERT_TRUE(printer.ready());
        OnPage(printer, printer.DefaultDevmode(), [&](HWND page, Sheet&) {
            std::set<int> column;
            int lift = 0;
            for (std::size_t g = 0; g < std::size(kRightColumn); ++g) {
                const bool shown = g == 4 || model.shown[g];
                for (ControlId id : kRightColumn[g].controls) {
                    column.insert(id);
                    const Place want = InTemplate(page, *FindControl(id));
                    const Place got = Placed(page, id);
                    EXPECT_EQ(IsWindowVisible(GetDlgItem(page, id)) != FALSE, shown) << id;
                    if (shown) {
                        EXPECT_EQ(got.top, want.top - lift) << id;
                    }
                    EXPECT_EQ(got.left, want.left) << id;
                }
                if (!shown)
                    lift += InTemplate(page, *FindControl(kRightColumn[g].Box())).height + 5;
            }
            for (const ControlTemplate& c : kPageControls) {
                if (column.count(c.id) != 0)
                    continue;
                const Place want = InTemplate(page, c);
                const Place got = Placed(page, c.id);
                EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, c.id))) << c.id;
                EXPECT_EQ(got.left, want.left) << c.id;
                EXPECT_EQ(got.top, want.top) << c.id;
                EXPECT_EQ(got.width, want.width) << c.id;
            }
        });
    }
}

TEST(PageView, ShowsTheDevmodeAndThePrintersPapers) {
    RoadPrinter printer{L"road page values", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StorePapers({{L"Label 50x30", 500, 300}, {L"Ticket 80x200", 800, 2000}}));
    ASSERT_TRUE(printer.StoreSelectedPaper(258));
    Devmode in = printer.AppliedDevmode();
    ASSERT_EQ(in.dm().dmPaperSize, DMPAPER_A4);
    OemDevmode& b = in.block();
    b.lXOffset = 150;
    b.lYOffset = -300;
    b.lSlipCorrection = -42;
    b.dwPrintDensity = kUnsetValue;
    b.dwCopies = kUnsetValue;
    b.dwCutter = 2;
    b.dwPrintSpeed = 3;
    b.dwConfigNumber = 9;
    b.bOffsetSend = b.bCutterSend = b.bPrintSpeedSend = b.bRotate180 = 1;

    OnPage(printer, in, [&](HWND page, Sheet&) {
        EXPECT_EQ(Text(page, kXOffsetEdit), L"0.50");
        EXPECT_EQ(Text(page, kYOffsetEdit), L"-1.00");
        EXPECT_EQ(Text(page, kSlipCorrectionEdit), L"-42");
        // Density and copies the page cannot show are corrected in the devmode too.
        EXPECT_EQ(Text(page, kPrintDensityEdit), L"100");
        EXPECT_EQ(Text(page, kCopiesEdit), L"1");
        EXPECT_EQ(Live(page).dwPrintDensity, 100u);
        EXPECT_EQ(Live(page).dwCopies, 1u);
        const std::vector<ListEntry> units{{L"Inch", LRESULT(LengthUnit::Inch)},
                                           {L"mm", LRESULT(LengthUnit::Millimetre)}};
        for (int list : {kXOffsetUnitList, kYOffsetUnitList, kPaperUnitList})
            EXPECT_EQ(Entries(page, list), units);
        EXPECT_EQ(Text(page, kXOffsetUnitList), L"Inch");
        EXPECT_EQ(Text(page, kPaperUnitList), L"mm");

        // Standard papers of the driver, then the custom ones; the job's own paper (the A4 of
        // its applied block) beats "SelectedPaperSize".
        const std::vector<ListEntry> papers{{L"Letter", 1},
                                            {L"Legal", 5},
                                            {L"A4", 9},
                                            {L"A5", 11},
                                            {L"A6", 70},
                                            {L"Envelope #10", 20},
                                            {L"Label 50x30", 257},
                                            {L"Ticket 80x200", 258}};
        EXPECT_EQ(Entries(page, kPaperSizeList), papers);
        EXPECT_EQ(Selected(page, kPaperSizeList), 2);
        EXPECT_EQ(Live(page).lLastPaperIndex, 7);
        EXPECT_EQ(Text(page, kPaperWidthEdit), L"210.00");
        EXPECT_EQ(Text(page, kPaperLengthEdit), L"297.00");
        EXPECT_EQ(Text(page, kPaperNameEdit), L"A4");
        EXPECT_FALSE(Enabled(page, kAddPaperButton));
        EXPECT_FALSE(Enabled(page, kDeletePaperButton));

        EXPECT_EQ(Text(page, kCutterList), L"Page cut");
        EXPECT_EQ(Text(page, kPrintSpeedList), L"3");
        EXPECT_EQ(Entries(page, kPrintSpeedList),
                  (std::vector<ListEntry>{{L"2", 2}, {L"3", 3}, {L"4", 4}, {L"5", 5}, {L"6", 6}}));
        EXPECT_EQ(Entries(page, kConfigNumberList).size(), 10u);
        EXPECT_EQ(Text(page, kConfigNumberList), L"10");

        // The send flags as check boxes, each enabling its group's fields.
        for (int on : {kImagePositioningCheck, kRotate180Check, kCutterCheck})
            EXPECT_TRUE(IsDlgButtonChecked(page, on)) << on;
        EXPECT_FALSE(IsDlgButtonChecked(page, kSlipCorrectionCheck));
        EXPECT_TRUE(Enabled(page, kXOffsetUnitList) && Enabled(page, kPrintSpeedList));
        EXPECT_FALSE(Enabled(page, kSlipCorrectionEdit) || Enabled(page, kConfigNumberList));
    });

    // A job's paper neither list has: no entry, with the public devmode's size.
    Devmode unlisted = printer.AppliedDevmode();
    unlisted.dm().dmPaperSize = 333;
    OnPage(printer, unlisted, [&](HWND page, Sheet&) {
        EXPECT_EQ(Selected(page, kPaperSizeList), CB_ERR);
        EXPECT_EQ(Text(page, kPaperNameEdit), L"");
        EXPECT_EQ(Text(page, kPaperWidthEdit), L"210.00");
        EXPECT_EQ(Text(page, kPaperLengthEdit), L"297.00");
    });
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::multiset<std::wstring>*>(faces)->insert(font->lfFaceName);
    return 1;
}

TEST(PageView, FontListHoldsEveryFaceOnceAndSelectsTheExactName) {
    std::multiset<std::wstring> enumerated;
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &all, CollectFace, reinterpret_cast<LPARAM>(&enumerated), 0);
    DeleteDC(dc);
    std::set<std::wstring> faces;
    std::size_t upright = 0;
    for (const std::wstring& face : enumerated) {
        if (face[0] != L'@') {
            faces.insert(face);
            ++upright;
        }
    }
    ASSERT_GT(upright, faces.size()) << "faces enumerated for several character sets";
    ASSERT_GT(enumerated.count(L"@WenQuanYi Micro Hei"), 0u)
        << "a face for vertical writing (fonts-wqy-microhei)";
    ASSERT_EQ(faces.count(L"DejaVu Sans Mono"), 1u);

    RoadPrinter printer{L"road page fonts", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    for (const wchar_t* stored : {L"DejaVu Sans Mono", L"dejavu sans mono", L"DejaVu Sans M"}) {
        Devmode in = printer.AppliedDevmode();
        std::memcpy(in.block().szPassThroughFont, stored, (std::wcslen(stored) + 1) * 2);
        OnPage(printer, in, [&](HWND page, Sheet&) {
            std::set<std::wstring> listed;
            const std::vector<ListEntry> items = Entries(page, kPassThroughFontList);
            for (const ListEntry& item : items)
                listed.insert(item.text);
            EXPECT_EQ(listed.size(), items.size());
            EXPECT_EQ(listed, faces);
            const bool exact = stored == std::wstring(L"DejaVu Sans Mono");
            EXPECT_EQ(Text(page, kPassThroughFontList), exact ? stored : L"") << stored;
        });
    }
}

TEST(PageView, FilterAndBalloonsGuardTheFieldsAndSetAsDefault) {
    RoadPrinter printer{L"road page fields", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    Devmode in = printer.AppliedDevmode();
    OemDevmode& b = in.block();
    b.lXOffset = b.lYOffset = b.lSlipCorrection = 0;
    b.dwPrintDensity = 100;
    b.bOffsetSend = b.bSlipCorrectionSend = b.bPrintDensitySend = 1;
    OnPage(printer, in, [&](HWND page, Sheet&) {
        EXPECT_TRUE(Enabled(page, kSaveAsDefaultButton));
        // Typed characters, with the selection where the user left it.
        struct Keys {
            int edit;
            const wchar_t* text;
            int from, to;
            const wchar_t *keys, *result;
        };
        for (const Keys& k : {Keys{kXOffsetEdit, L"5", 1, 1, L"-", L"5"},
                              Keys{kXOffsetEdit, L"5", 0, -1, L"-", L"-"},
                              Keys{kYOffsetEdit, L"1,5", 3, 3, L".,x-2", L"1,52"},
                              Keys{kCopiesEdit, L"7", 1, 1, L",.a\t3", L"73"}}) {
            SetDlgItemTextW(page, k.edit, k.text);
            SendDlgItemMessageW(page, k.edit, EM_SETSEL, k.from, k.to);
            for (const wchar_t* key = k.keys; *key != 0; ++key)
                SendDlgItemMessageW(page, k.edit, WM_CHAR, *key, 1);
            EXPECT_EQ(Text(page, k.edit), k.result) << k.text << " + " << k.keys;
            SetDlgItemTextW(page, k.edit, k.edit == kCopiesEdit ? L"1" : L"0");
        }

        Choose(page, kYOffsetUnitList, L"mm");
        struct Refused {
            int edit;
            const wchar_t *text, *balloon;
            INT icon = TTI_ERROR;
        };
        const Refused refused[] = {
            {kXOffsetEdit, L"1.01", L"Value must be between -1 and 1 Inch."},
            {kXOffsetEdit, L"", L"Conversion error"},
            {kXOffsetEdit, L"-", L"Syntax error"},
            {kYOffsetEdit, L"25.41", L"Value must be between -25.4 and 25.4 mm."},
            {kSlipCorrectionEdit, L"101", L"Slip Correction must be between -100 and 100."},
            {kSlipCorrectionEdit, L"", L"Conversion error"},
            {kPrintDensityEdit, L"12", L"The final digit of the value must be either 0 or 5.",
             TTI_WARNING},
            {kPrintDensityEdit, L"125", L"Value must be between 10 and 120."},
            {kCopiesEdit, L"10000", L"Number of copies may not exceed 9999."},
            {kCopiesEdit, L"0", L"Number of copies must be at least 1."},
            {kCopiesEdit, L"", L"Invalid"},
            // The model's extents: 4.2 to 228.6 mm wide, 25.4 to 2032 mm long.
            {kPaperWidthEdit, L"300", L"Width of paper must be between 4.20 mm and 228.60 mm"},
            {kPaperLengthEdit, L"3000", L"Length of paper must be between 25.40 mm and 2032.00 mm"},
            {kPaperLengthEdit, L"1x", L"Syntax error"},
        };
        for (const Refused& r : refused) {
            const std::wstring before = Text(page, r.edit);
            BalloonSpy spy(GetDlgItem(page, r.edit));
            SetDlgItemTextW(page, r.edit, r.text);
            ASSERT_EQ(spy.balloons().size(), 1u) << r.text;
            const winsupport::SeenBalloon& seen = spy.balloons().back();
            EXPECT_EQ(seen.cbStruct, 32u);
            EXPECT_EQ(seen.title, r.icon == TTI_WARNING ? L"Warning" : L"Error");
            EXPECT_EQ(seen.text, r.balloon);
            EXPECT_EQ(seen.icon, r.icon);
            // The custom paper editor's fields are not among the defaults.
            const bool paper = r.edit == kPaperWidthEdit || r.edit == kPaperLengthEdit;
            EXPECT_EQ(Enabled(page, kSaveAsDefaultButton), paper) << r.text;
            SetDlgItemTextW(page, r.edit, before.c_str());
            if (r.edit != kPaperWidthEdit && r.edit != kPaperLengthEdit) {
                EXPECT_TRUE(Enabled(page, kSaveAsDefaultButton)) << r.text;
            }
        }
    });
}

TEST(PageView, CancelLeavesThePrivateDevmodeAsItWasHandedOver) {
    RoadPrinter printer{L"road page cancel", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StorePapers({{L"Label 50x30", 500, 300}}));
    // The driver's papers stored as registration stores them, so both merges read the same.
    ASSERT_EQ(printer.PaperNames().size(), 7u);
    Devmode in = printer.AppliedDevmode();
    in.block().dwPrintDensity = in.block().dwCopies = kUnsetValue;
    Devmode handed = printer.Merged(in);
    std::vector<BYTE> changed;
    const auto run = OnPage(
        printer, in,
        [&](HWND page, Sheet&) {
            Click(page, kCutterCheck);
            Choose(page, kCutterList, L"Job cut");
            Choose(page, kConfigNumberList, L"5");
            Choose(page, kPaperSizeList, L"Label 50x30");
            SetDlgItemTextW(page, kCopiesEdit, L"5");
            const auto* live = reinterpret_cast<const BYTE*>(&Live(page));
            changed.assign(live, live + kOemDevmodeSize);
        },
        Finish::kCancel);
    EXPECT_TRUE(run.closedAsAsked);
    ASSERT_EQ(changed.size(), kOemDevmodeSize);
    EXPECT_NE(std::memcmp(changed.data(), &handed.block(), kOemDevmodeSize), 0);
    ASSERT_EQ(run.devmode.size(), handed.size());
    EXPECT_EQ(std::memcmp(&BlockOf(run.devmode), &handed.block(), kOemDevmodeSize), 0);
}

TEST(PageView, DamagedInputStillOpensASensiblePage) {
    // No printer data at all: the devmode's settings are unset, its counts beyond any list, its
    // font name without an end.
    RoadPrinter bare{L"road page bare", L"KESTRA VC9"};
    ASSERT_TRUE(bare.ready());
    Devmode in = bare.AppliedDevmode();
    ASSERT_EQ(in.block().lXOffset, kUnsetSigned);
    in.block().bOffsetSend = in.block().bSlipCorrectionSend = 1;
    in.block().lStdPaperCount = in.block().lCustomPaperCount = 0x7FFFFFFF;
    std::fill(std::begin(in.block().szPassThroughFont), std::end(in.block().szPassThroughFont),
              u'A');
    const auto run = OnPage(bare, in, [&](HWND page, Sheet& sheet) {
        for (int edit : {kXOffsetEdit, kYOffsetEdit, kSlipCorrectionEdit})
            EXPECT_EQ(Text(page, edit), L"") << edit;
        EXPECT_EQ(Text(page, kPrintDensityEdit), L"100");
        EXPECT_EQ(Text(page, kCutterList), L"No cutting");
        EXPECT_EQ(Text(page, kPrintSpeedList), L"2");
        EXPECT_EQ(Text(page, kConfigNumberList), L"1");
        EXPECT_EQ(Entries(page, kPaperSizeList).size(), 6u);
        EXPECT_EQ(Live(page).lLastPaperIndex, 5);
        EXPECT_FALSE(Entries(page, kPassThroughFontList).empty());
        EXPECT_EQ(Selected(page, kPassThroughFontList), CB_ERR);
        // The empty fields of the checked groups keep "Save as default" off from the start;
        // typing elsewhere raises no balloon on them, leaving the page does.
        EXPECT_FALSE(Enabled(page, kSaveAsDefaultButton));
        BalloonSpy x(GetDlgItem(page, kXOffsetEdit));
        SetDlgItemTextW(page, kCopiesEdit, L"2");
        EXPECT_TRUE(x.balloons().empty());
        EXPECT_FALSE(Enabled(page, kSaveAsDefaultButton));
        sheet.Press(PSBTN_OK);
        ASSERT_EQ(x.balloons().size(), 1u);
        EXPECT_EQ(x.balloons()[0].text, L"Conversion error");
        sheet.Press(PSBTN_CANCEL);
    });
    EXPECT_EQ(Boxes(run), (Texts{L"Error: X Offset|Value must be between -1 and 1 Inch."}));

    // More custom papers counted than stored, one of them with a name that fills its field.
    RoadPrinter printer{L"road page torn papers", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    PaperRecord records[2] = {};
    std::fill(std::begin(records[0].name), std::end(records[0].name), u'N');
    records[0].id = 257;
    records[1].name[0] = u'B';
    records[1].id = 258;
    records[0].width = records[1].width = records[0].length = records[1].length = 1000;
    winsupport::Printer data = winsupport::Printer::Open(printer.name());
    ASSERT_TRUE(data.Set(L"07_CUST_PAPER_SIZES", REG_BINARY, records, sizeof records));
    ASSERT_TRUE(printer.StoreDword(L"CountOfCustomPapers", 50));
    Devmode torn = printer.AppliedDevmode();
    torn.dm().dmPaperSize = 257;
    OnPage(printer, torn, [&](HWND page, Sheet&) {
        const std::vector<ListEntry> papers = Entries(page, kPaperSizeList);
        ASSERT_EQ(papers.size(), 8u);
        EXPECT_EQ(papers[6], (ListEntry{std::wstring(63, L'N'), 257}));
        EXPECT_EQ(papers[7], (ListEntry{L"B", 258}));
        EXPECT_EQ(Live(page).lLastPaperIndex, 7);
        EXPECT_EQ(Text(page, kPaperNameEdit), std::wstring(63, L'N'));
        EXPECT_EQ(Text(page, kPaperWidthEdit), L"100.00");
    });
}

}  // namespace
}  // namespace adjustui::road
