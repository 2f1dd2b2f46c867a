// The list-view messages of the folder view and the operations built on them.
#include "shellview/mmListView.h"
#include "support/IgnoreErrors.h"
#include "shellview/FolderViewHost.h"
#include "shellview/NameMatch.h"
#include "support/ThreadState.h"
#include "support/mEnumExt.h"
#include "support/mmFile.h"
#include "support/mmModule.h"
#include "support/mmShellExe.h"
#include "support/mmShellMacro.h"
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace vireo {

namespace {

constexpr int kTextChars = 260;
constexpr LONG kMaxReserved = 1 << 20; // room made ahead for a walk's items, whatever count a window claims

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return hwnd ? SendMessageA(hwnd, msg, wParam, lParam) : 0;
}

WPARAM IndexParam(LONG nIndex) {
    return static_cast<WPARAM>(static_cast<LONG_PTR>(nIndex));
}

// Any ANSI code page takes at most two bytes for a UTF-16 unit, so the text is converted once, into a
// buffer with room for it: on the stack for the 260 units of the control's own buffer (a list view may
// point pszText at a longer text of its own).
std::string Narrow(const WCHAR* text) {
    const size_t units = std::char_traits<WCHAR>::length(text);
    if (units == 0 || units > size_t(INT_MAX / 2)) return std::string();
    char stack[2 * kTextChars];
    std::string heap;
    char* buf = stack;
    if (units > size_t(kTextChars)) {
        heap.resize(units * 2);
        buf = heap.data();
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(units), buf,
                                          static_cast<int>(units * 2), nullptr, nullptr);
    return std::string(buf, static_cast<size_t>(std::max(bytes, 0)));
}

// Asks with the wide message, then the narrow one; the structure points at a buffer of 260 characters
// cleared before each call. The list view may point pszText at text of its own instead of copying.
template <class Info> std::string TextOf(HWND hwnd, UINT wide, UINT narrow, WPARAM wParam, Info info) {
    if (!hwnd) return std::string();
    WCHAR wbuf[kTextChars] = {};
    auto wideInfo = info;
    wideInfo.pszText = reinterpret_cast<decltype(wideInfo.pszText)>(wbuf);
    wideInfo.cchTextMax = kTextChars;
    if (SendMessageA(hwnd, wide, wParam, reinterpret_cast<LPARAM>(&wideInfo))) {
        const auto* text = reinterpret_cast<const WCHAR*>(wideInfo.pszText);
        return text ? Narrow(text) : std::string();
    }
    char buf[kTextChars] = {};
    info.pszText = buf;
    info.cchTextMax = kTextChars;
    if (SendMessageA(hwnd, narrow, wParam, reinterpret_cast<LPARAM>(&info)))
        return info.pszText ? std::string(info.pszText, strnlen(info.pszText, kTextChars)) : std::string();
    return std::string();
}

// The shell's type name of a file-system folder, read from the folder that holds the component's file.
std::string FolderTypeName() {
    char path[MAX_PATH] = {};
    const DWORD len = GetModuleFileNameA(ComponentInstance(), path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return std::string();
    std::string dir(path, len);
    const size_t sep = dir.find_last_of('\\');
    if (sep == std::string::npos) return std::string();
    dir.resize(sep == 2 ? 3 : sep); // a drive root keeps its backslash
    return GetTypeName(dir, SHGFI_TYPENAME);
}

} // namespace

LONG ItemCount(HWND hwnd) {
    return static_cast<LONG>(Send(hwnd, LVM_GETITEMCOUNT, 0, 0));
}

LONG GetNextItem(HWND hwnd, LONG nStart, UINT nFlags) {
    if (!hwnd) return -1;
    return static_cast<LONG>(SendMessageA(hwnd, LVM_GETNEXTITEM, IndexParam(nStart), MAKELPARAM(nFlags, 0)));
}

ItemWalk::ItemWalk(HWND hwnd, UINT nFlags) : m_hwnd(hwnd), m_flags(nFlags), m_count(ItemCount(hwnd)) {}

LONG ItemWalk::Next() {
    if (m_over) return -1;
    const LONG next = GetNextItem(m_hwnd, m_last, m_flags);
    m_over = next <= m_last || next >= m_count;
    if (m_over) return -1;
    m_last = next;
    return next;
}

LONG SelectedCount(HWND hwnd) {
    return static_cast<LONG>(Send(hwnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

LONG ColumnWidth(HWND hwnd, LONG nColumn) {
    return static_cast<LONG>(Send(hwnd, LVM_GETCOLUMNWIDTH, IndexParam(nColumn), 0));
}

bool SetColumnWidth(HWND hwnd, LONG nColumn, LONG nWidth) {
    return Send(hwnd, LVM_SETCOLUMNWIDTH, IndexParam(nColumn), MAKELPARAM(nWidth, 0)) != 0;
}

UINT ItemState(HWND hwnd, LONG nIndex, UINT nMask) {
    return static_cast<UINT>(Send(hwnd, LVM_GETITEMSTATE, IndexParam(nIndex), static_cast<LPARAM>(nMask)));
}

bool SetItemSelected(HWND hwnd, LONG nIndex, bool bSelected) {
    LVITEMA item{};
    item.state = bSelected ? LVIS_SELECTED : 0;
    item.stateMask = LVIS_SELECTED;
    return Send(hwnd, LVM_SETITEMSTATE, IndexParam(nIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}

HWND BeginLabelEdit(HWND hwnd, LONG nIndex) {
    return reinterpret_cast<HWND>(Send(hwnd, LVM_EDITLABELW, IndexParam(nIndex), 0));
}

bool IsItemSelected(HWND hwnd, LONG nIndex) {
    return ItemState(hwnd, nIndex, LVIS_SELECTED) == LVIS_SELECTED;
}

LONG FirstSelectedItem(HWND hwnd) {
    return GetNextItem(hwnd, -1, LVNI_SELECTED);
}

LONG ItemUnderCursor(HWND hwnd) {
    if (!hwnd) return -1;
    LVHITTESTINFO info{};
    GetCursorPos(&info.pt);
    ScreenToClient(hwnd, &info.pt);
    const LONG index = static_cast<LONG>(SendMessageA(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)) ? index : -1;
}

std::string ItemText(HWND hwnd, LONG nIndex, LONG nColumn) {
    LVITEMA item{};
    item.iSubItem = nColumn;
    return TextOf(hwnd, LVM_GETITEMTEXTW, LVM_GETITEMTEXTA, IndexParam(nIndex), item);
}

std::string ColumnText(HWND hwnd, LONG nColumn) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    return TextOf(hwnd, LVM_GETCOLUMNW, LVM_GETCOLUMNA, IndexParam(nColumn), column);
}

std::string ItemName(FolderViewHost& control, LONG nIndex) {
    const HWND hwnd = control.m_hwndLV;
    const std::string name = ItemText(hwnd, nIndex, 0);
    const std::string type = ItemText(hwnd, nIndex, 2);
    const std::string folder = control.SelFolder().sURL;
    if (Shared().g_sFolderTypeName.empty()) Shared().g_sFolderTypeName = FolderTypeName();
    if (type.empty() || type == Shared().g_sFolderTypeName) return name;
    if (GetTypeName(folder + name, SHGFI_TYPENAME) == type) return name;
    const std::optional<std::string> extensions = ExtensionsOfType(type);
    if (!extensions) return name;
    size_t start = 0;
    for (size_t end = extensions->find("\r\n"); end != std::string::npos;
         start = end + 2, end = extensions->find("\r\n", start)) {
        const std::string ext = extensions->substr(start, end - start);
        if (IsFile(folder + name + ext)) return name + ext;
    }
    return name;
}

bool SelectItemByName(HWND hwnd, const std::string& sName) {
    if (sName.empty()) return false;
    ItemWalk walk(hwnd, LVNI_ALL);
    for (LONG i = walk.Next(); i != -1; i = walk.Next()) {
        if (ItemText(hwnd, i, 0) == sName) return SetItemSelected(hwnd, i, true);
    }
    return false;
}

void SelectItemsInList(HWND hwnd, const std::string& sList) {
    if (sList.empty()) return;
    // The texts are kept end to end in one string: a hundred thousand of them stay close together.
    std::vector<LONG> indexes;
    std::vector<size_t> ends;
    std::string all;
    ItemWalk walk(hwnd, LVNI_ALL);
    indexes.reserve(static_cast<size_t>(std::clamp<LONG>(walk.Count(), 0, kMaxReserved)));
    ends.reserve(indexes.capacity());
    for (LONG i = walk.Next(); i != -1; i = walk.Next()) {
        indexes.push_back(i);
        all += ItemText(hwnd, i, 0);
        ends.push_back(all.size());
    }
    std::vector<std::string_view> texts;
    texts.reserve(ends.size());
    for (size_t k = 0, start = 0; k < ends.size(); start = ends[k++])
        texts.emplace_back(all.data() + start, ends[k] - start);
    const std::vector<bool> found = TextsInList(texts, sList);
    for (size_t k = 0; k < indexes.size(); ++k)
        if (found[k]) SetItemSelected(hwnd, indexes[k], true);
}

void InvertItemSelection(HWND hwnd) {
    ItemWalk walk(hwnd, LVNI_ALL);
    for (LONG i = walk.Next(); i != -1; i = walk.Next())
        SetItemSelected(hwnd, i, !IsItemSelected(hwnd, i));
}

LONG BuildSelectedList(FolderViewHost& control, std::string& sList) {
    const HWND hwnd = control.m_hwndLV;
    const LONG count = SelectedCount(hwnd);
    sList.clear();
    if (count == 0) return count;
    ItemWalk walk(hwnd, LVNI_SELECTED);
    for (LONG i = walk.Next(); i != -1; i = walk.Next()) {
        sList += ItemName(control, i);
        sList += "\r\n";
    }
    return count;
}

UINT ViewCommandNumber(LONG nView) {
    switch (nView) {
    case 0:
        return 0x7029;
    case 1:
        return 0x702C;
    case 2:
        return 0x702A;
    case 3:
        return 0x702B;
    case 0x7031:
        return 0x7031;
    default:
        return 0;
    }
}

void ShellViewCommand(HWND hwnd, LONG nView) {
    Send(hwnd, WM_COMMAND, ViewCommandNumber(nView), 0);
}

bool OpenListItem(FolderViewHost& control, LONG nIndex) {
    std::string name = ItemName(control, nIndex);
    const size_t colon = name.find(':');
    if (colon != std::string::npos && colon >= 1) {
        // A drive entry ("Local Disk (C:)"): its drive must answer before the control goes there.
        const std::string root = name.substr(colon - 1, 2) + "\\";
        if (!IsFolderAccessible(control.m_hwndLV, root)) return false;
    }
    const Folder current = control.SelFolder();
    if (current.nPidl != 0) {
        bool moved = false;
        IgnoreErrors([&] { moved = control.GoToChild(name); });
        if (moved) return true;
    }
    if (IsFolder(current.sURL) || IsUNCServer(current.sURL)) {
        bool success = false;
        IgnoreErrors([&] { control.NavigateTV(Variant(current.sURL + name), &success); });
        if (success) return true;
    }
    return ExecuteListItem(control, name);
}

bool ExecuteListItem(FolderViewHost& control, const std::string& sName) {
    const UniquePidl pidl(ChildPidlByName(control.SelFolder().nPidl, sName));
    if (!pidl) return false;
    ExecutePidl(control.m_hwndLV, pidl.get());
    return true;
}

bool ExecuteListItem(FolderViewHost& control, LONG nIndex) {
    return ExecuteListItem(control, ItemName(control, nIndex));
}

} // namespace vireo
