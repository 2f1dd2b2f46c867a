#include "commands/NameForm.h"
#include "support/ThreadState.h"
#include "support/mmFormStyle.h"
#include "support/mmModule.h"
#include <cmath>
#include <cstring>

namespace vireo {

namespace {

const char kClassName[] = "VireoNameForm";
constexpr int kTextId = 1, kOkId = 2, kCancelId = 3;

// The layout in twips: the form's client area, then left, top, width, height of each control.
constexpr int kClientWidth = 5280, kClientHeight = 1275;
constexpr int kText[4] = {240, 240, 4815, 285};
constexpr int kOk[4] = {2760, 720, 1080, 375};
constexpr int kCancel[4] = {3960, 720, 1080, 375};

int PixelsX(int twips) {
    return twips / TwipsPerPixelX();
}
int PixelsY(int twips) {
    return twips / TwipsPerPixelY();
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, const int (&twips)[4],
           int id) {
    return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, PixelsX(twips[0]),
                           PixelsY(twips[1]), PixelsX(twips[2]), PixelsY(twips[3]), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ComponentInstance(), nullptr);
}

NameForm* FormOf(HWND hwnd) {
    return reinterpret_cast<NameForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

} // namespace

NameForm::NameForm(const char* caption, const char* refusal) : m_caption(caption), m_refusal(refusal) {}

// A form still loaded when its thread ends goes with the thread's windows.
NameForm::~NameForm() = default;

bool NameForm::HasForbiddenCharacter(const std::string& text) {
    return text.find_first_of("\\/:?'<>") != std::string::npos;
}

HWND NameForm::Load() {
    if (m_hwnd) return m_hwnd;
    HINSTANCE instance = ComponentInstance();
    RegisterComponentClass(kClassName, &NameForm::FormProc, COLOR_BTNFACE);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT outer{0, 0, PixelsX(kClientWidth), PixelsY(kClientHeight)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    HWND hwnd = CreateWindowExA(exStyle, kClassName, m_caption, style, 0, 0, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!hwnd) return nullptr;
    m_hwnd = hwnd;
    CreateControls();
    OnLoad();
    ApplyFont();
    return m_hwnd;
}

void NameForm::CreateControls() {
    m_txtName = Child(m_hwnd, "Edit", "txtName", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText, kTextId);
    // cmdOK starts disabled: nothing typed yet can be confirmed.
    m_cmdOK = Child(m_hwnd, "Button", "&Ok", BS_PUSHBUTTON | WS_DISABLED, 0, kOk, kOkId);
    m_cmdCancel = Child(m_hwnd, "Button", "&Cancel", BS_PUSHBUTTON, 0, kCancel, kCancelId);
    m_oldTextProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_txtName, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NameForm::TextProc)));
}

// The design font is Tahoma 8.25 pt, normal weight; the control's face name replaces Tahoma when it has one.
void NameForm::ApplyFont() {
    int dpi = 96;
    if (const WindowDC screen(nullptr); screen) dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    const std::string face = Shared().g_sFontName.empty() ? std::string("Tahoma") : Shared().g_sFontName;
    UniqueFont font(CreateFontA(-static_cast<int>(std::lround(8.25 * dpi / 72.0)), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    if (!font) return;
    for (HWND w : {m_hwnd, m_txtName, m_cmdOK, m_cmdCancel})
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);
}

void NameForm::Unload() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void NameForm::Destroyed() {
    m_hwnd = m_txtName = m_cmdOK = m_cmdCancel = nullptr;
    m_oldTextProc = nullptr;
    m_font.reset();
}

void NameForm::ShowModal() {
    m_result.clear();
    if (!Load()) return;
    // The window that was active is disabled while the form runs, as a modal form does.
    HWND owner = GetActiveWindow();
    if (owner == m_hwnd) owner = nullptr;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(m_hwnd, SW_SHOW);
    SetActiveWindow(m_hwnd);
    MSG msg;
    while (m_hwnd) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam)); // the application's loop must end too
        if (got <= 0) {
            Unload();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (ownerWasEnabled && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

std::string NameForm::Text() const {
    if (!m_txtName) return "";
    int length = GetWindowTextLengthA(m_txtName);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int n = GetWindowTextA(m_txtName, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

void NameForm::SetText(const std::string& text) {
    if (m_txtName) SetWindowTextA(m_txtName, text.c_str());
}

void NameForm::OnCommand(HWND from, UINT code) {
    if (from == m_txtName && code == EN_CHANGE)
        EnableWindow(m_cmdOK, CanConfirm(Text()) ? TRUE : FALSE);
    else if (from == m_cmdOK && code == BN_CLICKED)
        OkClick();
    else if (from == m_cmdCancel && code == BN_CLICKED)
        CancelClick();
}

void NameForm::OkClick() {
    std::string text = Text();
    if (HasForbiddenCharacter(text)) {
        std::string message = std::string(m_refusal) + "'" + text + "' is impossible.";
        MessageBoxA(m_hwnd, message.c_str(), nullptr, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    m_result = text;
    Unload();
}

void NameForm::CancelClick() {
    m_result.clear();
    Unload();
}

LRESULT CALLBACK NameForm::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    NameForm* form = FormOf(hwnd);
    if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && form->m_txtName) SetFocus(form->m_txtName);
        return 0;
    case WM_COMMAND:
        form->OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NCDESTROY: {
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (form->m_hwnd == hwnd) form->Destroyed();
        return r;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// txtName's key handling: Enter clicks an enabled cmdOK; every other key is the text box's own.
LRESULT CALLBACK NameForm::TextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    NameForm* form = FormOf(GetParent(hwnd));
    if (!form || !form->m_oldTextProc) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC old = form->m_oldTextProc;
    if (msg == WM_KEYDOWN && wParam == VK_RETURN && IsWindowEnabled(form->m_cmdOK)) {
        form->OkClick();
        return 0;
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

} // namespace vireo
