// How the emulated list view scales: filling, walking every item's text, walking the selection, selecting
// all, deselecting all and finding the last item, each at 10,000 and 100,000 items in one run (the ratio
// should stay near 10).
#include "bench/BenchClock.h"
#include "bench/ListViewWalk.h"
#include "platform/emu/Desktop.h"
#include "platform/win32.h"
#include <cstdio>
#include <string>

namespace {

using bench::Clock;
using bench::Seconds;

LRESULT CALLBACK Quiet(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct Times {
    double fill, texts, walkSelected, selectAll, deselectAll, find;
};

Times Run(int n) {
    emu::Desktop desktop;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Quiet;
    wc.lpszClassName = "BenchParent";
    RegisterClassExA(&wc);
    HWND parent = CreateWindowExA(0, "BenchParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 400, 300, parent, nullptr,
                              nullptr, nullptr);
    Times t{};
    auto start = Clock::now();
    SendMessageA(lv, LVM_SETITEMCOUNT, static_cast<WPARAM>(n), 0);
    for (int i = 0; i < n; ++i) {
        std::string name = "file" + std::to_string(i) + ".txt";
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_STATE;
        it.iItem = i;
        it.pszText = name.data();
        it.state = i % 3 == 0 ? LVIS_SELECTED : 0;
        it.stateMask = LVIS_SELECTED;
        SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
    t.fill = Seconds(start);

    start = Clock::now();
    const size_t chars = FetchEveryText(lv);
    t.texts = Seconds(start);

    start = Clock::now();
    int selected = 0;
    for (LRESULT i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
         i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))
        ++selected;
    t.walkSelected = Seconds(start);

    LVITEMA all{};
    all.stateMask = LVIS_SELECTED;
    start = Clock::now();
    all.state = LVIS_SELECTED;
    SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    t.selectAll = Seconds(start);
    start = Clock::now();
    all.state = 0;
    SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    t.deselectAll = Seconds(start);

    start = Clock::now();
    std::string last = "FILE" + std::to_string(n - 1) + ".TXT";
    LVFINDINFOA fi{};
    fi.flags = LVFI_STRING;
    fi.psz = last.c_str();
    LRESULT found = SendMessageA(lv, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&fi));
    t.find = Seconds(start);
    if (found != n - 1 || selected != (n + 2) / 3 || chars == 0)
        std::printf("unexpected result at %d items\n", n);
    DestroyWindow(parent);
    return t;
}

} // namespace

int main() {
    Times small = Run(10000), big = Run(100000);
    auto row = [](const char* what, double a, double b) {
        std::printf("%-28s %10.4f s %10.4f s   ratio %5.1f\n", what, a, b, a > 0 ? b / a : 0.0);
    };
    std::printf("%-28s %12s %12s\n", "list view", "10,000", "100,000");
    row("fill (insert items)", small.fill, big.fill);
    row("walk all, text of each", small.texts, big.texts);
    row("walk the selected (1/3)", small.walkSelected, big.walkSelected);
    row("select all (item -1)", small.selectAll, big.selectAll);
    row("deselect all (item -1)", small.deselectAll, big.deselectAll);
    row("find the last by name", small.find, big.find);
    return 0;
}
