// The stand-in's "Layout" page in a sheet opened by an application, driven through the sheet
// fixture; and what the fixture itself observes: message boxes, balloon tips, pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "host/layout_page_ids.h"
#include "tests/road/road_printer.h"
#include "winsupport/handles.h"

namespace adjustui::road {
namespace {

bool Checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        std::uint8_t buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        std::fclose(file);
    }
    return bytes;
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// How many colours the screen shows inside `r` (screen coordinates).
std::size_t ColoursOnScreen(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const winsupport::UniqueScreenDc screen(GetDC(nullptr));
    const winsupport::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const winsupport::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    std::set<COLORREF> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            colours.insert(GetPixel(memory.get(), x, y));
    }
    SelectObject(memory.get(), previous);
    return colours.size();
}

// Makes a page refuse to be left, as a page does with a value it cannot take.
LRESULT CALLBACK RefuseLeaving(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_KILLACTIVE) {
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(page, &RefuseLeaving, id);
    }
    return DefSubclassProc(page, message, wParam, lParam);
}

class LayoutPageRoad : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(printer.ready());
        devmode = printer.DefaultDevmode();
        ASSERT_FALSE(devmode.empty());
    }

    RoadPrinter printer{L"road layout page", L"KESTRA VC9"};
    Devmode devmode;
};

TEST_F(LayoutPageRoad, OkTakesTheChosenOrientationIntoTheReturnedDevmode) {
    ASSERT_EQ(devmode.dm().dmOrientation, DMORIENT_PORTRAIT);
    bool portraitShown = false;
    bool landscapeChosen = false;
    HWND shownPage = nullptr;
    const auto run = OpenPreferences(printer.name(), devmode.bytes(), [&](Sheet& sheet) {
        ASSERT_NE(sheet.window(), nullptr);
        EXPECT_EQ(sheet.ShowPage(L"No such page"), nullptr);
        shownPage = sheet.ShowPage(L"Layout");
        ASSERT_NE(shownPage, nullptr);
        EXPECT_EQ(sheet.CurrentPage(), shownPage);
        portraitShown = Checked(shownPage, IDC_PORTRAIT) && !Checked(shownPage, IDC_LANDSCAPE);
        Click(shownPage, IDC_LANDSCAPE);
        landscapeChosen = Checked(shownPage, IDC_LANDSCAPE) && !Checked(shownPage, IDC_PORTRAIT);
    });
    EXPECT_TRUE(run.sheetShown);
    EXPECT_TRUE(run.closedAsAsked);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(portraitShown);
    EXPECT_TRUE(landscapeChosen);
    ASSERT_EQ(run.devmode.size(), devmode.size());
    EXPECT_EQ(Public(run.devmode).dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_NE(Public(run.devmode).dmFields & DM_ORIENTATION, 0u);
    EXPECT_EQ(Public(run.devmode).dmPaperSize, devmode.dm().dmPaperSize);
    EXPECT_EQ(BlockOf(run.devmode).dwSignature, kOemSignature);
}

TEST_F(LayoutPageRoad, CancelDropsTheChoiceAndThePageShowsTheApplicationsOrientation) {
    devmode.dm().dmOrientation = DMORIENT_LANDSCAPE;
    bool landscapeShown = false;
    const auto run = OpenPreferences(
        printer.name(), devmode.bytes(),
        [&](Sheet& sheet) {
            HWND page = sheet.ShowPage(L"Layout");
            ASSERT_NE(page, nullptr);
            landscapeShown = Checked(page, IDC_LANDSCAPE);
            Click(page, IDC_PORTRAIT);
        },
        Finish::kCancel);
    EXPECT_TRUE(run.sheetShown);
    EXPECT_TRUE(run.closedAsAsked);
    EXPECT_TRUE(landscapeShown);
    EXPECT_EQ(Public(run.devmode).dmOrientation, DMORIENT_LANDSCAPE);

    // Pressed by the test's own code, Cancel is not pressed a second time.
    const auto pressed = OpenPreferences(printer.name(), devmode.bytes(), [](Sheet& sheet) {
        Click(sheet.ShowPage(L"Layout"), IDC_PORTRAIT);
        sheet.Press(PSBTN_CANCEL);
    });
    EXPECT_TRUE(pressed.closedAsAsked);
    EXPECT_EQ(Public(pressed.devmode).dmOrientation, DMORIENT_LANDSCAPE);
}

TEST_F(LayoutPageRoad, AnOkThePageRefusesLeavesTheSheetUpUntilTheFixtureCancelsIt) {
    bool upAfterOk = false;
    const auto run = OpenPreferences(printer.name(), devmode.bytes(), [&](Sheet& sheet) {
        HWND page = sheet.ShowPage(L"Layout");
        ASSERT_NE(page, nullptr);
        Click(page, IDC_LANDSCAPE);
        SetWindowSubclass(page, &RefuseLeaving, 1, 0);
        sheet.Press(PSBTN_OK);
        upAfterOk = IsWindowVisible(sheet.window()) && sheet.CurrentPage() == page;
    });
    EXPECT_TRUE(upAfterOk);
    EXPECT_TRUE(run.sheetShown);
    EXPECT_FALSE(run.closedAsAsked);
    EXPECT_EQ(Public(run.devmode).dmOrientation, DMORIENT_PORTRAIT);
}

TEST_F(LayoutPageRoad, FixtureSeesMessageBoxesBalloonsAndTakesAPicture) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring picture = std::wstring(temp) + L"adjustui layout page.png";
    DeleteFileW(picture.c_str());

    int boxAnswer = 0;
    std::vector<winsupport::SeenBalloon> balloons;
    int hidden = 0;
    RECT sheetRect{};
    bool saved = false;
    const auto run = OpenPreferences(printer.name(), devmode.bytes(), [&](Sheet& sheet) {
        HWND page = sheet.ShowPage(L"Layout");
        ASSERT_NE(page, nullptr);

        sheet.AnswerMessageBoxesWith(IDNO);
        boxAnswer = MessageBoxW(page, L"Keep the layout?", L"Layout check", MB_YESNO);
        ASSERT_EQ(sheet.messageBoxes().size(), 1u);

        HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, page, nullptr, nullptr,
                                    nullptr);
        ASSERT_NE(edit, nullptr);
        {
            BalloonSpy spy(edit);
            EDITBALLOONTIP tip{sizeof(tip), L"Too large", L"At most 99", TTI_ERROR};
            SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
            EDITBALLOONTIP shortTip{sizeof(DWORD), L"never read", L"never read", TTI_INFO};
            SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&shortTip));
            SendMessageW(edit, EM_HIDEBALLOONTIP, 0, 0);
            balloons = spy.balloons();
            hidden = spy.hidden();
        }
        DestroyWindow(edit);

        GetWindowRect(sheet.window(), &sheetRect);
        saved = sheet.SavePicture(picture);
    });
    EXPECT_TRUE(run.closedAsAsked);

    EXPECT_EQ(boxAnswer, IDNO);
    EXPECT_EQ(Boxes(run), (Texts{L"Layout check|Keep the layout?"}));

    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_EQ(balloons[0].cbStruct, sizeof(EDITBALLOONTIP));
    EXPECT_EQ(balloons[0].title, L"Too large");
    EXPECT_EQ(balloons[0].text, L"At most 99");
    EXPECT_EQ(balloons[0].icon, TTI_ERROR);
    EXPECT_EQ(balloons[1].cbStruct, sizeof(DWORD));
    EXPECT_TRUE(balloons[1].title.empty());
    EXPECT_EQ(balloons[1].icon, 0);
    EXPECT_EQ(hidden, 1);

    ASSERT_TRUE(saved);
    const auto png = ReadFile(picture);
    DeleteFileW(picture.c_str());
    ASSERT_GT(png.size(), 33u);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    EXPECT_EQ(BigEndianAt(png, 12), 0x49484452u) << "IHDR first";
    EXPECT_EQ(BigEndianAt(png, 16), static_cast<std::uint32_t>(sheetRect.right - sheetRect.left));
    EXPECT_EQ(BigEndianAt(png, 20), static_cast<std::uint32_t>(sheetRect.bottom - sheetRect.top));
    EXPECT_EQ(BigEndianAt(png, png.size() - 8), 0x49454E44u) << "IEND last";
}

TEST_F(LayoutPageRoad, AfterTheFixturesWaitTheScreenShowsTheSheet) {
    std::size_t colours = 0;
    OpenPreferences(printer.name(), devmode.bytes(), [&](Sheet& sheet) {
        ASSERT_NE(sheet.ShowPage(L"Adjustments"), nullptr);
        sheet.PumpUntil([] { return false; }, 400);
        const HWND tabs = PropSheet_GetTabControl(sheet.window());
        RECT tab{};
        ASSERT_TRUE(TabCtrl_GetItemRect(tabs, 0, &tab));
        MapWindowPoints(tabs, HWND_DESKTOP, reinterpret_cast<POINT*>(&tab), 2);
        // Repainted as for a picture.
        RedrawWindow(sheet.window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        colours = ColoursOnScreen(tab);
    });
    EXPECT_GT(colours, 2u) << "the tab \"Layout\", its frame and its text";
}

}  // namespace
}  // namespace adjustui::road
