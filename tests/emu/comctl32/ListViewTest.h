// Shared setup for the list-view tests: a parent window that records the WM_NOTIFY traffic of the list
// view as it arrives (the structures only live during the call) and can answer chosen notifications.
#pragma once
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/comctl32/ListView.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace lvtest {

struct Note {
    UINT code = 0;
    int item = -1;
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    std::string text;      // label-edit notifications
    bool textNull = false; // LVN_ENDLABELEDIT of a cancelled edit
    WORD vk = 0;           // LVN_KEYDOWN
    UINT keyFlags = 0;
};

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        parent = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        hook = [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (msg == WM_CONTEXTMENU) contextMenus.push_back({reinterpret_cast<HWND>(wParam), lParam});
            if (msg != WM_NOTIFY) return false;
            Record(*reinterpret_cast<const NMHDR*>(lParam));
            auto it = answers.find(reinterpret_cast<const NMHDR*>(lParam)->code);
            if (it == answers.end()) return false;
            *result = it->second;
            return true;
        };
        SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    }
    void TearDown() override {
        DestroyWindow(parent);
        EXPECT_EQ(d.Windows().LiveWindowCount(), 0u);
    }

    HWND Create(DWORD style, int w = 300, int h = 200) {
        lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
        return lv;
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(lv, msg, w, l); }
    template <class T> LRESULT Send(UINT msg, WPARAM w, T* p) {
        return SendMessageA(lv, msg, w, reinterpret_cast<LPARAM>(p));
    }

    int Insert(const char* text, int at = INT_MAX, LPARAM param = 0) {
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = at == INT_MAX ? static_cast<int>(Send(LVM_GETITEMCOUNT)) : at;
        it.pszText = const_cast<LPSTR>(text);
        it.lParam = param;
        return static_cast<int>(Send(LVM_INSERTITEMA, 0, &it));
    }
    void AddColumn(int index, const char* text, int width) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = const_cast<LPSTR>(text);
        c.cx = width;
        c.iSubItem = index;
        ASSERT_EQ(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), &c), index);
    }
    std::string Text(int item, int subItem = 0) {
        char buf[MAX_PATH] = {};
        LVITEMA it{};
        it.iSubItem = subItem;
        it.pszText = buf;
        it.cchTextMax = MAX_PATH;
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), &it);
        return buf;
    }
    bool SetState(int item, UINT state, UINT mask) {
        LVITEMA it{};
        it.state = state;
        it.stateMask = mask;
        return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), &it) != 0;
    }
    // The selected items in order, walked with LVM_GETNEXTITEM.
    std::vector<int> Selected() {
        std::vector<int> out;
        for (int i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); i >= 0;
             i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED)))
            out.push_back(i);
        return out;
    }
    int Focused() { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
    RECT ItemRect(int item, int code = LVIR_BOUNDS) {
        RECT rc{};
        rc.left = code;
        EXPECT_TRUE(Send(LVM_GETITEMRECT, static_cast<WPARAM>(item), &rc));
        return rc;
    }
    POINT LabelPoint(int item) {
        RECT rc = ItemRect(item, LVIR_LABEL);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // The notification codes since the last call, and the full records.
    std::vector<UINT> Codes() {
        std::vector<UINT> codes;
        for (const Note& n : notes)
            codes.push_back(n.code);
        notes.clear();
        return codes;
    }
    std::vector<Note> Take() {
        std::vector<Note> out;
        out.swap(notes);
        return out;
    }

    emu::Desktop d;
    HWND parent = nullptr;
    HWND lv = nullptr;
    std::vector<Note> notes;
    std::map<UINT, LRESULT> answers;
    std::vector<std::pair<HWND, LPARAM>> contextMenus;
    testwin::Hook hook;

private:
    void Record(const NMHDR& hdr) {
        Note n;
        n.code = hdr.code;
        switch (hdr.code) {
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED:
        case LVN_INSERTITEM:
        case LVN_DELETEITEM:
        case LVN_DELETEALLITEMS: {
            const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
            n.item = nm.iItem;
            n.newState = nm.uNewState;
            n.oldState = nm.uOldState;
            break;
        }
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RCLICK:
        case LVN_ITEMACTIVATE: {
            const auto& nm = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
            n.item = nm.iItem;
            n.subItem = nm.iSubItem;
            n.keyFlags = nm.uKeyFlags;
            break;
        }
        case LVN_BEGINLABELEDITA:
        case LVN_ENDLABELEDITA: {
            const auto& nm = reinterpret_cast<const NMLVDISPINFOA&>(hdr);
            n.item = nm.item.iItem;
            n.textNull = nm.item.pszText == nullptr;
            if (nm.item.pszText) n.text = nm.item.pszText;
            break;
        }
        case LVN_KEYDOWN:
            n.vk = reinterpret_cast<const NMLVKEYDOWN&>(hdr).wVKey;
            break;
        default:
            break;
        }
        EXPECT_EQ(hdr.hwndFrom, lv);
        EXPECT_EQ(hdr.idFrom, 7u);
        notes.push_back(n);
    }
};

} // namespace lvtest
