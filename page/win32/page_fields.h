// The page's numeric fields while the user types: the character filter, and the model's judgement
// applied to the page: balloons on wrong fields and the buttons it enables.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "page/page_model.h"
#include "page/win32/page_context.h"

namespace adjustui::page {

// Installed on each numeric edit; subclass id 0 for decimal fields, 1 for whole numbers.
LRESULT CALLBACK EditCharFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR subclassId, DWORD_PTR refData);
inline constexpr UINT_PTR kDecimalFilter = 0;
inline constexpr UINT_PTR kWholeFilter = 1;

// Enables Add, Delete, "Save as default" and the paper unit list as the model judges what the page
// shows, and shows a balloon on each of `balloonsOn` that counts and is wrong.
void ApplyJudgement(HWND dialog, const PageContext& context,
                    std::initializer_list<Field> balloonsOn = {});

// The balloon of a field the model judges wrong, when it has one.
void ShowBalloonOf(HWND dialog, const PageContext& context, const PageShown& shown, Field f);

// Texts the page writes into its fields while one lives: their notifications are not the user's.
class WritingFields {
  public:
    explicit WritingFields(PageContext& context) : context_(context) { ++context_.dwWritingFields; }
    WritingFields(const WritingFields&) = delete;
    WritingFields& operator=(const WritingFields&) = delete;
    ~WritingFields() { --context_.dwWritingFields; }

  private:
    PageContext& context_;
};

}  // namespace adjustui::page
