// The selection notice on a real shell view. The shell's list view sends its notifications to its own
// parent, the shell's view window (SHELLDLL_DefView), not to the document-view host the control watches;
// a click on a real item is followed until the notice would come, first as the control stands, then with
// the step docs/windows.md gives a host: the view window's WM_NOTIFY from the list view calls FireStatus.
#include "tests/sequences/SelectionEvents.h"
#include "tests/wine/ListViewScene.h"
#include <commctrl.h>

namespace winecheck {

namespace {

// The host's side of the events: the notices, counted.
class Notices : public seq::SelectionEvents {
public:
    std::vector<std::pair<LONG, std::string>> seen;
    void NotifySelection(LONG nCnt, const std::string& sFile) override { seen.emplace_back(nCnt, sFile); }
};

// The host's step: the shell view window's notifications from the list view (a click, a changed item
// state) ask the control for its notice, as the control's own document-view procedure does for a list view
// lying directly in the document-view host.
LRESULT CALLBACK HostViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* control = reinterpret_cast<vireo::VireoBrowser*>(data);
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        const bool fromList = hdr->hwndFrom == control->m_hwndLV;
        if (fromList &&
            (hdr->code == NM_CLICK || hdr->code == NM_RCLICK ||
             (hdr->code == LVN_ITEMCHANGED && ((reinterpret_cast<const NMLISTVIEW*>(lParam)->uNewState ^
                                                reinterpret_cast<const NMLISTVIEW*>(lParam)->uOldState) &
                                               LVIS_SELECTED))))
            control->FireStatus();
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A left click in the middle of item's label, as the mouse gives it; the messages then run for ms.
void ClickItem(HWND lv, LONG item, DWORD ms) {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(lv, WM_LBUTTONUP, 0, at);
    vireo::PumpMessages(ms);
}

} // namespace

void CheckSelectionNotice(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV, shellView = GetParent(lv);
    Check("notice: the host's list view is the shell's, under SHELLDLL_DefView",
          lv && lv == c.m_hwndLV2 && ClassOf(shellView) == "SHELLDLL_DefView" &&
              GetParent(shellView) == scene.docView,
          ClassOf(shellView));
    Notices notices;
    c.SetEvents(&notices);

    // As the control stands: the click selects the item; its notifications go to SHELLDLL_DefView.
    ClearSelection(lv);
    vireo::PumpMessages(300);
    notices.seen.clear();
    ClickItem(lv, 0, 400);
    Check("notice: a click on a real item selects it",
          vireo::IsItemSelected(lv, 0) && vireo::FirstSelectedItem(lv) == 0,
          std::to_string(vireo::FirstSelectedItem(lv)));
    std::printf("note notice: without the host's step the click brought %zu selection notice(s)\n",
                notices.seen.size());

    // With the host's step: one notice, 200 ms after the click, naming the item.
    SetWindowSubclass(shellView, HostViewProc, 1, reinterpret_cast<DWORD_PTR>(&c));
    ClearSelection(lv);
    vireo::PumpMessages(300);
    notices.seen.clear();
    ClickItem(lv, 1, 100);
    const size_t early = notices.seen.size();
    vireo::PumpMessages(300);
    const std::string second = vireo::ItemName(c, 1);
    std::string seen = std::to_string(early) + " then " + std::to_string(notices.seen.size());
    for (const auto& [count, file] : notices.seen)
        seen += ", " + std::to_string(count) + " " + file;
    Check("notice: with the host's step a click brings one notice, after the delay",
          early == 0 && notices.seen.size() == 1 && notices.seen[0] == std::make_pair(LONG{1}, second), seen);
    // A selection the host makes itself (SetSelectedFiles) is a change of item state too.
    notices.seen.clear();
    c.SetSelectedFiles("readme\r\n");
    vireo::PumpMessages(400);
    std::string list;
    c.GetSelectedFileList(list);
    seen = std::to_string(notices.seen.size());
    for (const auto& [count, file] : notices.seen)
        seen += ", " + std::to_string(count) + " " + file;
    Check("notice: with the host's step SetSelectedFiles brings one notice of both items",
          notices.seen.size() == 1 && notices.seen[0].first == 2, seen + "; selected " + Shown(list));
    RemoveWindowSubclass(shellView, HostViewProc, 1);
    ClearSelection(lv);
    c.SetEvents(nullptr);
}

} // namespace winecheck
