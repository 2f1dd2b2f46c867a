// A control with a hand-built web view window tree: "Shell Embedding" under the control's window, a
// "Shell DocObject View" under it and the shell's "SysListView32" under that, filled by the test. Every
// window of the tree starts with a recording procedure, so a test sees which messages were passed on to
// the window's own procedure (the list view's records, then runs the emulated list view).
#pragma once
#include "control/ControlFixture.h"
#include "support/ThreadState.h"
#include "platform/emu/user32/WindowManager.h"
#include "shellview/mWndProc.h"
#include "shellview/mmListView.h"
#include <map>
#include <string>
#include <utility>
#include <vector>

class ShellViewFixture : public ControlFixture {
protected:
    ~ShellViewFixture() override { Watched() = nullptr; }

    struct Row {
        std::vector<std::string> texts; // column 0 and the sub-items
        bool selected = false;
    };

    ShellViewFixture() {
        Passed().clear();
        Original().clear();
        Watched() = control.get();
        for (const char* name : {"Shell Embedding", "Shell DocObject View", "SHELLDLL_DefView"}) {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &Recording;
            wc.lpszClassName = name;
            RegisterClassExA(&wc);
        }
        vireo::Shared().Reset();
        vireo::Shared().g_bViewReady = true; // the views here are set up
    }

    // A message that reached a window's own procedure, with the control's reference count at that moment
    // (one more than at rest while a subclassing procedure holds the control for the message).
    struct PassedMsg {
        HWND hwnd;
        UINT msg;
        unsigned long refs;
    };
    static std::vector<PassedMsg>& Passed() {
        static std::vector<PassedMsg> passed;
        return passed;
    }
    static bool PassedOn(HWND hwnd, UINT msg) {
        for (const PassedMsg& p : Passed())
            if (p.hwnd == hwnd && p.msg == msg) return true;
        return false;
    }
    static vireo::VireoBrowser*& Watched() {
        static vireo::VireoBrowser* watched = nullptr;
        return watched;
    }

    // A window of one of the shell's classes registered above (their procedure records, then runs
    // DefWindowProcA; a "SHELLDLL_DefView" creates a list view of its own while it is created).
    static HWND MakeWindow(const char* className, HWND parent, DWORD style = 0) {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 400, 300, parent,
                               nullptr, nullptr, nullptr);
    }

    // A details list view under parent with the given column headers and rows.
    static HWND MakeListView(HWND parent, const std::vector<std::string>& headers,
                             const std::vector<Row>& rows, DWORD view = LVS_REPORT) {
        HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | view, 0, 0, 400, 300, parent,
                                  nullptr, nullptr, nullptr);
        Original()[lv] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(lv, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recording)));
        for (size_t c = 0; c < headers.size(); ++c) {
            LVCOLUMNA col{};
            col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            col.pszText = const_cast<char*>(headers[c].c_str());
            col.cx = 100;
            col.iSubItem = static_cast<int>(c);
            SendMessageA(lv, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
        }
        AddRows(lv, rows);
        return lv;
    }

    static void AddRows(HWND lv, const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            LVITEMA it{};
            it.mask = LVIF_TEXT | LVIF_STATE;
            it.iItem = static_cast<int>(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0));
            it.pszText = const_cast<char*>(row.texts[0].c_str());
            it.state = row.selected ? LVIS_SELECTED : 0;
            it.stateMask = LVIS_SELECTED;
            const int index =
                static_cast<int>(SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
            for (size_t c = 1; c < row.texts.size(); ++c) {
                LVITEMA sub{};
                sub.iSubItem = static_cast<int>(c);
                sub.pszText = const_cast<char*>(row.texts[c].c_str());
                SendMessageA(lv, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
            }
        }
    }

    // The selected items' column-0 texts, in list order.
    static std::vector<std::string> Selected(HWND lv) {
        std::vector<std::string> out;
        for (LONG i = vireo::GetNextItem(lv, -1, LVNI_SELECTED); i != -1;
             i = vireo::GetNextItem(lv, i, LVNI_SELECTED))
            out.push_back(vireo::ItemText(lv, i, 0));
        return out;
    }

    // The whole tree, built before the control is activated; then the document view's creation notice,
    // with its list view in place, reaches the embedding window as the web view's first folder view does.
    void BuildTree(const std::vector<std::string>& headers, const std::vector<Row>& rows) {
        if (embedding && IsWindow(embedding)) DestroyWindow(embedding);
        embedding = MakeWindow("Shell Embedding", control->Window());
        docView = MakeWindow("Shell DocObject View", embedding);
        listView = MakeListView(docView, headers, rows);
        control->Activate();
        SendMessageA(embedding, WM_PARENTNOTIFY, WM_CREATE, reinterpret_cast<LPARAM>(docView));
        Passed().clear();
    }

    HWND embedding = nullptr;
    HWND docView = nullptr;
    HWND listView = nullptr;

private:
    static std::map<HWND, WNDPROC>& Original() {
        static std::map<HWND, WNDPROC> original;
        return original;
    }
    static bool ClassIs(HWND hwnd, const char* name) {
        char buf[64] = {};
        GetClassNameA(hwnd, buf, sizeof buf);
        return std::string(buf) == name;
    }
    static LRESULT CALLBACK Recording(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Passed().push_back({hwnd, msg, Watched() ? Watched()->RefCount() : 0});
        if (msg == WM_CREATE && ClassIs(hwnd, "SHELLDLL_DefView")) MakeListView(hwnd, {"Name"}, {});
        auto it = Original().find(hwnd);
        WNDPROC next = it == Original().end() ? DefWindowProcA : it->second;
        return CallWindowProcA(next, hwnd, msg, wParam, lParam);
    }
};
