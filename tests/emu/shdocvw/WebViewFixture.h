// A web view on a form of a fresh emulated desktop (drive C: mounted), with a sink that writes every
// event to one log as a line ("Before C:\dir", "Status 2 object(s)"), so a test compares whole
// sequences with a table.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/emu/shdocvw/WebPages.h"
#include "platform/emu/user32/WindowManager.h"
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace webtest {

using Lines = std::vector<std::string>;

class EventLog : public vireo::WebViewEvents {
public:
    Lines lines;
    std::set<std::string> cancel;                    // BeforeNavigate2 cancels these URLs
    std::function<void(const std::string&)> onEvent; // runs inside each event, after logging it

    void BeforeNavigate2(const vireo::Variant& url, bool& c) override {
        Add("Before " + url.Text());
        c = cancel.count(url.Text()) != 0;
    }
    void NavigateComplete2(const vireo::Variant& url) override { Add("NavComplete " + url.Text()); }
    void DocumentComplete(const vireo::Variant& url) override { Add("DocComplete " + url.Text()); }
    void StatusTextChange(const std::string& text) override { Add("Status " + text); }
    void ProgressChange(int32_t p, int32_t max) override {
        Add("Progress " + std::to_string(p) + "/" + std::to_string(max));
    }
    void CommandStateChange(int32_t command, bool enable) override {
        Add("Command " + std::to_string(command) + (enable ? " on" : " off"));
    }
    void TitleChange(const std::string& text) override { Add("Title " + text); }

private:
    void Add(const std::string& line) {
        lines.push_back(line);
        if (onEvent) onEvent(line);
    }
};

class WebViewTest : public testing::Test {
protected:
    WebViewTest() {
        desk.Files().MountScratch('C');
        form = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                               nullptr, nullptr);
        web = emu::EmuWebView::Create(form);
        web->SetEvents(&events);
        m_blocks = emu::TaskAllocator::LiveBlocks();
    }
    ~WebViewTest() override {
        web.reset();
        DestroyWindow(form);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), m_blocks) << "an item-ID list or string was not freed";
    }

    void Pump() { desk.Windows().PumpOnce(); }
    // The events of one navigation, from the call to the end of the pumped queue.
    Lines Go(const std::string& target) {
        events.lines.clear();
        web->Navigate(target);
        Pump();
        return std::exchange(events.lines, {});
    }
    // The item-ID list of a parsing name as Navigate2 takes it.
    static vireo::Variant PidlOf(const std::string& path) {
        IShellFolder* desktop = nullptr;
        SHGetDesktopFolder(&desktop);
        std::u16string wide(path.begin(), path.end());
        LPITEMIDLIST pidl = nullptr;
        desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
        desktop->Release();
        if (!pidl) return vireo::Variant();
        auto bytes = reinterpret_cast<const uint8_t*>(pidl);
        vireo::Variant v = vireo::Variant::Bytes(std::vector<uint8_t>(bytes, bytes + ILGetSize(pidl)));
        ILFree(pidl);
        return v;
    }
    // The text of a list view's item or sub-item.
    static std::string Text(HWND list, int item, int subItem) {
        char buf[MAX_PATH] = {};
        LVITEMA it{};
        it.iSubItem = subItem;
        it.pszText = buf;
        it.cchTextMax = MAX_PATH;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    static std::string ClassOf(HWND hwnd) {
        char name[64] = {};
        GetClassNameA(hwnd, name, sizeof name);
        return name;
    }

    emu::Desktop desk;
    long m_blocks = 0;
    HWND form = nullptr;
    EventLog events;
    vireo::RefPtr<emu::EmuWebView> web;
};

} // namespace webtest
