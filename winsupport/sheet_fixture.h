// Printing preferences opened the way an application opens them, with the caller's code (a test,
// the demo) run on the real property sheet while it is up.
//
//   const auto run = OpenPreferences(L"my printer", devmode, [](Sheet& sheet) {
//       HWND page = sheet.ShowPage(L"Adjustments");
//       BalloonSpy balloons(GetDlgItem(page, IDC_SOME_EDIT));
//       TypeKeys(page, IDC_SOME_EDIT, L"12");  // drive the page as a user does
//       sheet.Press(PSBTN_OK);                 // the page's answer has arrived when Press returns
//   }, Finish::kCancel);
//   run.devmode, run.result, run.messageBoxes ...
//
// Everything runs on the calling thread: the sheet is modal, so a thread timer starts the caller's
// code from inside the sheet's message loop once the sheet is up.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "winsupport/handles.h"

namespace adjustui::winsupport {

// A message box raised while the sheet was up, closed at once with the sheet's chosen answer.
struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
};

// One EM_SHOWBALLOONTIP with its EDITBALLOONTIP as the sender filled it. The texts are read only
// when cbStruct covers the structure; a text given as a resource number reads "#<number>".
struct SeenBalloon {
    DWORD cbStruct = 0;
    std::wstring title;
    std::wstring text;
    INT icon = 0;
};

// Records every balloon tip shown on an edit while it lives (wine's edit control ignores
// EM_SHOWBALLOONTIP, so the message itself is what a test can see). It subclasses the edit; the
// edit may be destroyed first.
class BalloonSpy {
  public:
    explicit BalloonSpy(HWND edit);
    BalloonSpy(const BalloonSpy&) = delete;
    BalloonSpy& operator=(const BalloonSpy&) = delete;
    ~BalloonSpy();

    const std::vector<SeenBalloon>& balloons() const { return balloons_; }
    // EM_HIDEBALLOONTIP messages seen.
    int hidden() const { return hidden_; }

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    HWND edit_;
    std::vector<SeenBalloon> balloons_;
    int hidden_ = 0;
};

// The printing-preferences sheet while it is up, handed to the test's code.
class Sheet {
  public:
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;
    ~Sheet();

    HWND window() const { return window_; }
    // The active page's dialog.
    HWND CurrentPage() const;
    // Makes the page whose tab reads `title` the active one (PSM_SETCURSEL; the current page may
    // refuse to be left) and answers its dialog; null when there is no such page or it could not
    // be shown.
    HWND ShowPage(std::wstring_view title);

    // Presses a sheet button (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...) and returns once the
    // sheet has handled it: the pages have answered and any message box they raised is closed.
    // An OK the page accepts ends the sheet when the test's code returns; one it refuses leaves
    // the sheet up (press PSBTN_CANCEL then, or the fixture cancels it and says so).
    void Press(int button);
    // Handles this thread's messages until everything posted so far has been handled.
    void Settle();
    // Handles this thread's messages until `done` answers true or `timeoutMs` have passed;
    // answers done().
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

    // Every message box raised since the sheet came up, in order.
    const std::vector<SeenMessageBox>& messageBoxes() const { return boxes_; }
    // The command that closes the next message boxes (IDOK unless changed; IDYES, IDNO, ...).
    void AnswerMessageBoxesWith(int command) { boxAnswer_ = command; }

    // A picture of the sheet as it stands on the screen, as a PNG file; true when written.
    bool SavePicture(const std::wstring& pngPath) const;

  private:
    friend struct SheetRun;
    Sheet();
    void SeeActivated(HWND window);
    static LRESULT CALLBACK MarkerProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);

    HWND window_ = nullptr;
    bool finishPressed_ = false;
    std::vector<SeenMessageBox> boxes_;
    std::vector<HWND> answered_;
    int boxAnswer_ = IDOK;
    // Settle posts numbered markers to this window and waits until the last one arrives.
    UniqueWindow marker_;
    WPARAM markersPosted_ = 0;
    WPARAM markersSeen_ = 0;
};

// A user's hand on the controls of a dialog (a page): each call returns once the dialog has
// reacted to it.
std::wstring Text(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
void Click(HWND dialog, int button);
// Empties the edit, then types `keys` one WM_CHAR at a time, through the edit's character filter.
void TypeKeys(HWND dialog, int edit, std::wstring_view keys);
// Selects the combo box entry that reads `text` and tells the dialog as the list itself does
// (CBN_SELCHANGE); false, with nothing told, when the list has no such entry.
bool Choose(HWND dialog, int list, std::wstring_view text);

struct ListEntry {
    std::wstring text;
    LRESULT data;
    bool operator==(const ListEntry&) const = default;
};
// A combo box's entries in order, with their item data.
std::vector<ListEntry> Entries(HWND dialog, int list);

// How the fixture ends the sheet after the test's code, unless that code pressed OK or Cancel.
enum class Finish { kOk, kCancel };

struct PreferencesResult {
    // DocumentPropertiesW's answer (-1 when the printer could not be opened or sized).
    LONG result = -1;
    // The devmode the application got back, as large as DocumentPropertiesW's sizing answer.
    std::vector<BYTE> devmode;
    // The sheet came up and the test's code ran.
    bool sheetShown = false;
    // False when the sheet stayed up after the finishing button and the fixture cancelled it.
    bool closedAsAsked = true;
    // Every message box raised while the sheet was up, including at the finishing button.
    std::vector<SeenMessageBox> messageBoxes;
};

// DocumentPropertiesW(NULL, printer, name, out, in, DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER)
// as an application calls it; without `in` (empty) DM_IN_BUFFER is left out. `in` is public part
// and driver data in one buffer; a buffer shorter than its header declares is padded with zeros.
// `onSheet` runs once the sheet is up; then `finish` is pressed.
PreferencesResult OpenPreferences(const std::wstring& printer, const std::vector<BYTE>& in,
                                  const std::function<void(Sheet&)>& onSheet,
                                  Finish finish = Finish::kOk);

}  // namespace adjustui::winsupport
