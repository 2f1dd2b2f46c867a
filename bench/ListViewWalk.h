// The floor the list-view benchmarks measure against: every item visited once with LVM_GETNEXTITEM and its
// column-0 text fetched into one buffer.
#pragma once
#include "platform/win32.h"
#include <cstddef>
#include <string_view>

// Visits every item with LVM_GETNEXTITEM and hands visit its column-0 text (fetched into one buffer).
template <class Visit> void ForEachItemText(HWND lv, Visit visit) {
    char buf[MAX_PATH];
    for (LRESULT i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_ALL); i >= 0;
         i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_ALL)) {
        LVITEMA it{};
        it.pszText = buf;
        it.cchTextMax = MAX_PATH;
        const auto chars = static_cast<size_t>(
            SendMessageA(lv, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it)));
        visit(std::string_view(buf, chars));
    }
}

inline size_t FetchEveryText(HWND lv) {
    size_t chars = 0;
    ForEachItemText(lv, [&](std::string_view text) { chars += text.size(); });
    return chars;
}
