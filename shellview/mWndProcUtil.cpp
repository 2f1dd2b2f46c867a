// Small window utilities of the shell view module: fonts, colours and repainting.
#include "shellview/FolderViewHost.h"
#include "shellview/mWndProc.h"
#include "support/mmEvents.h"
#include <algorithm>
#include <cstring>

namespace vireo {

namespace {

constexpr char kFormFont[] = "FormFont";

struct FaceRequest {
    const std::string* face;
};

BOOL CALLBACK ApplyFaceToChild(HWND child, LPARAM lParam) {
    const auto& request = *reinterpret_cast<const FaceRequest*>(lParam);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf) return TRUE;
    if (lf.lfFaceName[0] == '\0' || lf.lfHeight == 0) return TRUE;
    const size_t n = std::min(request.face->size(), sizeof lf.lfFaceName - 1);
    std::memcpy(lf.lfFaceName, request.face->data(), n);
    lf.lfFaceName[n] = '\0';
    const HFONT made = CreateFontIndirectA(&lf);
    if (!made) return TRUE;
    SetWindowFont(child, made);
    // The font made by an earlier call is no longer in use.
    if (const HANDLE earlier = GetPropA(child, kFormFont)) DeleteObject(static_cast<HGDIOBJ>(earlier));
    SetPropA(child, kFormFont, made);
    return TRUE;
}

} // namespace

void SetWindowFont(HWND hwnd, HFONT hFont) {
    if (!hwnd) return;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    RefreshWindow(hwnd);
}

void RefreshWindow(HWND hwnd) {
    if (!hwnd) return;
    // The whole client area, in the client coordinates InvalidateRect takes.
    RECT rc{};
    GetClientRect(hwnd, &rc);
    InvalidateRect(hwnd, &rc, FALSE);
    DoEvents();
}

void ApplyFormFont(HWND form, const std::string& sFaceName) {
    if (!form || !IsWindow(form) || sFaceName.empty()) return;
    FaceRequest request{&sFaceName};
    EnumChildWindows(form, ApplyFaceToChild, reinterpret_cast<LPARAM>(&request));
}

void ApplyListViewFont(FolderViewHost& control) {
    if (control.m_hwndLV && control.hFont())
        SetWindowFont(control.m_hwndLV, reinterpret_cast<HFONT>(control.hFont()));
}

void ApplyListViewColors(FolderViewHost& control) {
    const HWND lv = control.m_hwndLV;
    if (!lv) return;
    SendMessageA(lv, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(control.BackColor()));
    SendMessageA(lv, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(control.BackColor()));
    SendMessageA(lv, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(control.ForeColor()));
}

} // namespace vireo
