#include "host/UserActions.h"
#include "host/Host.h"
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/user32/WindowManager.h"
#include "shellview/mmListView.h"

namespace host {

namespace {

constexpr int kAddressBoxId = 102;

HWND AddressEdit(vireo::VireoBrowser& control) {
    HWND combo = GetDlgItem(control.Window(), kAddressBoxId);
    return combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
}

HWND FolderView(vireo::VireoBrowser& control) {
    if (!control.m_hwndLV || !IsWindow(control.m_hwndLV)) throw ScriptError("no folder view is shown");
    return control.m_hwndLV;
}

POINT ItemPoint(HWND lv, const std::string& name) {
    const LONG count = vireo::ItemCount(lv);
    if (name == "-") {
        // Empty space: below the last item (or the top left corner of an empty view).
        RECT r{};
        r.left = LVIR_BOUNDS;
        if (count > 0)
            SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&r));
        return POINT{2, r.bottom + 2};
    }
    vireo::ItemWalk walk(lv, LVNI_ALL);
    for (LONG i = walk.Next(); i != -1; i = walk.Next()) {
        if (vireo::ItemText(lv, i, 0) != name) continue;
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    throw ScriptError("the folder view shows no item " + name);
}

} // namespace

// Runs the queue as an application's message loop does, until nothing is queued and no timer is due. A
// window that keeps posting to itself would keep the loop busy for ever: past kSettleLimit messages in one
// settle the host stops and names the window and the message.
void Settle(emu::Desktop&) {
    MSG msg;
    size_t count = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (++count > kSettleLimit) {
            char cls[64] = "";
            GetClassNameA(msg.hwnd, cls, sizeof cls);
            throw ScriptError("the queue does not empty: more than " + std::to_string(kSettleLimit) +
                              " messages in one line (the last was message " + std::to_string(msg.message) +
                              " to a window of class " + cls + ")");
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ClickToolbar(vireo::VireoBrowser& control, const std::string& which) {
    constexpr int kButton = 1; // each toolbar's one button
    HWND toolbar = which == "select" ? control.ToolBar1() : which == "tree" ? control.ToolBar2() : nullptr;
    if (!toolbar) throw ScriptError("toolbar: select or tree, not " + which);
    if (!emu::comctl32::ClickToolbarButton(toolbar, kButton))
        throw ScriptError("toolbar: the button is not shown");
}

void EnterAddress(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& text) {
    HWND edit = AddressEdit(control);
    if (!edit) throw ScriptError("the address box has no edit field");
    SetFocus(edit);
    SetWindowTextA(edit, "");
    desk.Windows().TypeText(edit, text);
    desk.Windows().PressKey(edit, VK_RETURN);
}

void ClickInView(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& how,
                 const std::string& name) {
    HWND lv = FolderView(control);
    const POINT p = ItemPoint(lv, name);
    if (how == "dblclick")
        desk.Windows().DoubleClick(lv, p);
    else if (how == "rclick")
        desk.Windows().RightClick(lv, p);
    else
        desk.Windows().Click(lv, p);
}

void KeyInView(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& key, bool release) {
    HWND lv = FolderView(control);
    int vk = 0;
    if (key == "enter")
        vk = VK_RETURN;
    else if (key == "backspace")
        vk = VK_BACK;
    else if (key == "shift")
        vk = VK_SHIFT;
    else if (key == "ctrl")
        vk = VK_CONTROL;
    else if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
        vk = std::toupper(static_cast<unsigned char>(key[0]));
    else
        throw ScriptError("key: enter, backspace, shift, ctrl or a letter");
    SetFocus(lv);
    if (vk == VK_SHIFT || vk == VK_CONTROL) {
        desk.Windows().SetKeyState(vk, !release);
        SendMessageA(lv, release ? WM_KEYUP : WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    } else {
        desk.Windows().PressKey(lv, vk);
    }
}

std::vector<std::string> ViewItems(vireo::VireoBrowser& control) {
    std::vector<std::string> items;
    HWND lv = control.m_hwndLV;
    if (!lv || !IsWindow(lv)) return items;
    vireo::ItemWalk walk(lv, LVNI_ALL);
    for (LONG i = walk.Next(); i != -1; i = walk.Next()) {
        const std::string text = vireo::ItemText(lv, i, 0);
        items.push_back(vireo::IsItemSelected(lv, i) ? "[" + text + "]" : text);
    }
    return items;
}

} // namespace host
