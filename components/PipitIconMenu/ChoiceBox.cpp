#include "components/PipitIconMenu/ChoiceBox.h"
#include "platform/Owners.h"
#include "support/mmModule.h"
#include <algorithm>

namespace vireo {

RefPtr<ChoiceBox> NewChoiceBox() {
    return RefPtr<ChoiceBox>::Adopt(new pipit::PipitChoiceBox());
}

namespace pipit {

namespace {

// The layout in pixels.
constexpr int kMargin = 11;
constexpr int kGap = 6;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonPadding = 16; // beside a caption too wide for the usual button
constexpr int kMaxPromptWidth = 480;

// What one showing of the box answers; the box's window keeps a pointer to it.
struct Showing {
    int32_t answer = -1;
    bool done = false;
    int defaultIndex = -1; // the first button shown
};

Showing* ShowingOf(HWND box) {
    return reinterpret_cast<Showing*>(GetWindowLongPtrA(box, GWLP_USERDATA));
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    Showing* showing = ShowingOf(hwnd);
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (showing && HIWORD(wParam) == BN_CLICKED && id >= kFirstButtonId &&
            id < kFirstButtonId + kButtonCount) {
            showing->answer = id - kFirstButtonId;
            showing->done = true;
        }
        return 0;
    }
    case WM_CLOSE:
        // The loop ends and Ask destroys the box; the answer stays -1.
        if (showing) showing->done = true;
        return 0;
    case WM_NCDESTROY:
        // Destroyed from outside (with its owner, say): the showing ends.
        if (showing) showing->done = true;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The caption as shown: without the "&" that marks an access key ("&&" shows one "&").
std::string Shown(const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

// Text widths in a font, measured on the screen's device context.
class TextMeasure {
public:
    explicit TextMeasure(HFONT font) : m_screen(nullptr), m_font(m_screen.get(), font) {
        TEXTMETRICA tm{};
        if (m_screen && GetTextMetricsA(m_screen.get(), &tm)) lineHeight = tm.tmHeight;
    }

    int Width(const char* text, size_t length) const {
        SIZE size{};
        if (m_screen && length) GetTextExtentPoint32A(m_screen.get(), text, static_cast<int>(length), &size);
        return size.cx;
    }

    int lineHeight = 13;

private:
    WindowDC m_screen;
    SelectedObject m_font;
};

// The prompt's size: its lines (CR LF or LF) at most kMaxPromptWidth wide, a longer line wrapped.
SIZE PromptSize(const TextMeasure& measure, const std::string& prompt) {
    int width = 0, lines = 0;
    size_t start = 0;
    while (start <= prompt.size()) {
        size_t end = prompt.find('\n', start);
        if (end == std::string::npos) end = prompt.size();
        size_t length = end - start;
        if (length && prompt[start + length - 1] == '\r') --length;
        const int w = measure.Width(prompt.data() + start, length);
        width = std::max(width, std::min(w, kMaxPromptWidth));
        lines += std::max(1, (w + kMaxPromptWidth - 1) / kMaxPromptWidth);
        start = end + 1;
    }
    return SIZE{width, lines * measure.lineHeight};
}

HWND Child(HWND box, const char* cls, const std::string& text, DWORD style, int id, int x, int y, int cx,
           int cy, HFONT font) {
    HWND w = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, box,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ComponentInstance(), nullptr);
    if (w) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return w;
}

// Creates the hidden box, its prompt and buttons, sized to them and centred over the owner.
HWND CreateBox(HWND owner, const std::string& prompt, const std::string& title,
               const std::string* const (&captions)[kButtonCount], Showing& showing) {
    RegisterComponentClass(kChoiceBoxClass, BoxProc, COLOR_BTNFACE);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int widths[kButtonCount] = {};
    int row = 0, shown = 0;
    SIZE text{};
    {
        TextMeasure measure(font);
        for (int n = 0; n < kButtonCount; ++n) {
            if (captions[n]->empty()) continue;
            const std::string plain = Shown(*captions[n]);
            widths[n] = std::max(kButtonWidth, measure.Width(plain.data(), plain.size()) + kButtonPadding);
            row += (shown++ ? kGap : 0) + widths[n];
        }
        text = PromptSize(measure, prompt);
    }
    const int clientWidth = 2 * kMargin + std::max<int>(text.cx, row);
    const int buttonsTop = kMargin + text.cy + kMargin;
    const int clientHeight = buttonsTop + (shown ? kButtonHeight + kMargin : 0);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &area);
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    HWND box = CreateWindowExA(exStyle, kChoiceBoxClass, title.c_str(), style, x, y, width, height, owner,
                               nullptr, ComponentInstance(), &showing);
    if (!box) return nullptr;
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The prompt is shown as it is: an "&" in a file name is not an access key.
    Child(box, "Static", prompt, SS_LEFT | SS_NOPREFIX, kPromptId, kMargin, kMargin, text.cx, text.cy, font);
    int left = kMargin + (clientWidth - 2 * kMargin - row) / 2;
    for (int n = 0; n < kButtonCount; ++n) {
        if (captions[n]->empty()) continue;
        const bool first = showing.defaultIndex < 0;
        if (first) showing.defaultIndex = n;
        Child(box, "Button", *captions[n], WS_TABSTOP | (first ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              kFirstButtonId + n, left, buttonsTop, widths[n], kButtonHeight, font);
        left += widths[n] + kGap;
    }
    return box;
}

// The box's messages until it is answered. Enter and Escape are the box's own keys wherever the focus
// is inside it, as in a dialog box.
void RunBox(HWND box, Showing& showing) {
    MSG msg;
    while (!showing.done) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam)); // the application's loop must end too
        if (got <= 0) break;
        if (msg.message == WM_KEYDOWN && (msg.hwnd == box || IsChild(box, msg.hwnd))) {
            if (msg.wParam == VK_ESCAPE) {
                showing.done = true;
                continue;
            }
            if (msg.wParam == VK_RETURN) {
                if (showing.defaultIndex >= 0) {
                    showing.answer = showing.defaultIndex;
                    showing.done = true;
                }
                continue;
            }
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

int32_t PipitChoiceBox::Ask(std::string& prompt, std::string& title, std::string& button1,
                            std::string& button2, std::string& button3, std::string& button4,
                            std::string& button5) {
    const std::string* const captions[kButtonCount] = {&button1, &button2, &button3, &button4, &button5};
    HWND owner = GetActiveWindow();
    Showing showing;
    HWND box = CreateBox(owner, prompt, title, captions, showing);
    if (!box) return -1;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetActiveWindow(box);
    HWND first = showing.defaultIndex >= 0 ? GetDlgItem(box, kFirstButtonId + showing.defaultIndex) : nullptr;
    SetFocus(first ? first : box);
    RunBox(box, showing);
    // The owner is enabled before the box goes, so that Windows gives it the activation back.
    if (ownerWasEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (IsWindow(box)) DestroyWindow(box);
    if (ownerWasEnabled && IsWindow(owner)) SetActiveWindow(owner);
    return showing.answer;
}

} // namespace pipit

} // namespace vireo
