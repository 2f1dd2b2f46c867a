// Message boxes and beeps. The user is the desktop's script: a message box takes its answer from the
// script's next "MessageBox" answer and is recorded in the journal as
// "MessageBox: text | caption | style | result | answered" (or "unanswered").
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace {
// What closing the box without choosing gives: OK for a box with only OK, No for Yes/No (which cannot be
// cancelled), Abort for Abort/Retry/Ignore (likewise), Cancel otherwise.
int Unanswered(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}
} // namespace

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    Desktop& d = S().manager.Owner();
    std::optional<Answer> answer = d.Answers().Take("MessageBox");
    int result = answer ? answer->button : Unanswered(type);
    d.Log().Add("MessageBox", {text ? text : "", caption ? caption : "Error", std::to_string(type),
                               std::to_string(result), answer ? "answered" : "unanswered"});
    return result;
}

BOOL WINAPI MessageBeep(UINT type) {
    S().manager.Owner().Log().Add("MessageBeep", {std::to_string(type)});
    return TRUE;
}
