// The user at a modal window. A modal loop that would wait on an empty queue (GetMessageA, WaitMessage)
// waits for the user; on this desktop the user's next action comes from the script, kind "Dialog", whose
// answer text is one action on the active window:
//   "type <text>"       the characters typed into the focus window (one WM_CHAR each)
//   "enter", "escape"   the key pressed and released in the focus window
//   "clear"             everything in the focus window selected, then Backspace
//   "press <caption>"   a click on the button of the active window with that exact caption (a disabled or
//                       hidden button takes no click)
//   "close"             the window's close box (WM_SYSCOMMAND SC_CLOSE)
// Each action is journalled as "Dialog: window title | action | outcome", and shown with the texts of the
// window's labels (its prompt) after those. When the script has no action
// left, the window is closed (WM_CLOSE, journalled as "close | unanswered"), so a modal loop always ends; a
// window that stays open after that is left alone and the wait fails as it does with nothing to wait for.
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowState.h"

namespace emu {

namespace {

HWND FindButton(HWND parent, const std::string& caption) {
    WindowState& s = S();
    for (HWND child : ChildrenOf(parent)) {
        Window* w = s.Find(child);
        if (w && w->text == caption && w->cls->name == "Button") return child;
        if (HWND below = FindButton(child, caption)) return below;
    }
    return nullptr;
}

void PostKey(HWND target, int vk) {
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
}

std::string Perform(HWND active, const std::string& action) {
    WindowState& s = S();
    size_t space = action.find(' ');
    std::string verb = action.substr(0, space);
    std::string argument = space == std::string::npos ? "" : action.substr(space + 1);
    HWND focus = s.focus && IsSelfOrDescendant(active, s.focus) ? s.focus : nullptr;
    if (verb == "close") {
        PostMessageA(active, WM_SYSCOMMAND, SC_CLOSE, 0);
        return "done";
    }
    if (verb == "press") {
        HWND button = FindButton(active, argument);
        if (!button) return "no such button";
        if (!IsWindowEnabled(button) || !IsWindowVisible(button)) return "disabled";
        RECT rc;
        GetClientRect(button, &rc);
        POINT centre{(rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2};
        POINT screen = centre;
        ClientToScreen(button, &screen);
        s.cursor = screen;
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        return "done";
    }
    if (!focus) return "no focus";
    if (verb == "type") {
        for (char c : argument)
            PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
    } else if (verb == "enter") {
        PostKey(focus, VK_RETURN);
    } else if (verb == "escape") {
        PostKey(focus, VK_ESCAPE);
    } else if (verb == "clear") {
        SendMessageA(focus, EM_SETSEL, 0, -1);
        PostMessageA(focus, WM_CHAR, 0x08, 1);
    } else {
        return "unknown action";
    }
    return "done";
}

// The texts of the window's labels (class "Static"), in their order: what the window asks.
std::vector<std::string> Prompt(HWND window) {
    WindowState& s = S();
    std::vector<std::string> texts;
    for (HWND child : ChildrenOf(window)) {
        Window* w = s.Find(child);
        if (w && w->cls->name == "Static" && !w->text.empty()) texts.push_back(w->text);
    }
    return texts;
}

// The record's fields with the prompt after them, as the user saw the window.
std::vector<std::string> Shown(std::vector<std::string> fields, const std::vector<std::string>& prompt) {
    fields.insert(fields.end(), prompt.begin(), prompt.end());
    return fields;
}

} // namespace

bool PlayScriptedInput() {
    WindowState& s = S();
    HWND active = s.active;
    Window* w = s.Find(active);
    if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) return false;
    Desktop& desk = s.manager.Owner();
    std::optional<Answer> answer = desk.Answers().Take("Dialog");
    if (!answer) {
        if (s.scriptClosed == active) return false;
        s.scriptClosed = active;
        std::vector<std::string> fields{w->text, "close", "unanswered"};
        desk.Log().Add("Dialog", fields, Shown(fields, Prompt(active)));
        PostMessageA(active, WM_CLOSE, 0, 0);
        return true;
    }
    std::string title = w->text;
    const std::vector<std::string> prompt = Prompt(active);
    std::string outcome = Perform(active, answer->text);
    std::vector<std::string> fields{title, answer->text, outcome};
    desk.Log().Add("Dialog", fields, Shown(fields, prompt));
    return true;
}

} // namespace emu
