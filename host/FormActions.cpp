#include "host/FormActions.h"

namespace host {

namespace {

// The control's children by their identifiers.
constexpr struct {
    const char* name;
    int id;
} kParts[] = {{"toolbar1", 101}, {"address", 102},   {"grabbar", 103},
              {"toolbar2", 105}, {"statusbar", 106}, {"progress", 107}};

std::string PartLine(const char* name, HWND part, HWND control) {
    if (!part) return std::string(name) + " none";
    if (!(GetWindowLongA(part, GWL_STYLE) & WS_VISIBLE)) return std::string(name) + " hidden";
    RECT r{};
    GetWindowRect(part, &r);
    MapWindowPoints(HWND_DESKTOP, control, reinterpret_cast<POINT*>(&r), 2);
    return std::string(name) + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top);
}

} // namespace

void ResizeForm(HWND form, vireo::VireoBrowser& control, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(form, GWL_EXSTYLE)));
    SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form, &client);
    MoveWindow(control.Window(), 0, 0, client.right, client.bottom, TRUE);
}

void DragSplitter(vireo::VireoBrowser& control, int dy) {
    HWND bar = GetDlgItem(control.Window(), 103);
    const LPARAM at = MAKELPARAM(0, static_cast<WORD>(static_cast<short>(dy)));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> LayoutLines(vireo::VireoBrowser& control) {
    HWND hwnd = control.Window();
    std::vector<std::string> lines;
    lines.push_back(PartLine("tree", control.Tree() ? control.Tree()->Window() : nullptr, hwnd));
    lines.push_back(PartLine("web", control.Browser() ? control.Browser()->Window() : nullptr, hwnd));
    for (const auto& part : kParts)
        lines.push_back(PartLine(part.name, GetDlgItem(hwnd, part.id), hwnd));
    return lines;
}

} // namespace host
