// A fresh emulated desktop for shell tests, with the helpers they share: lists from paths, display names
// as text, and a check that every list and string the shell handed out was freed.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/win32.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace shelltest {

class ShellTest : public testing::Test {
protected:
    ShellTest() { desk.Files().MountScratch('C'); }
    void TearDown() override {
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), m_before) << "a block was not freed";
    }

    IShellFolder* Desktop() {
        IShellFolder* desktop = nullptr;
        EXPECT_EQ(SHGetDesktopFolder(&desktop), S_OK);
        return desktop;
    }

    // The absolute list of a parsing name (UTF-8), or nullptr with the HRESULT in hr.
    LPITEMIDLIST Parse(const std::string& name, HRESULT* hr = nullptr) {
        std::u16string wide = emu::Utf8ToWide(name);
        LPITEMIDLIST pidl = nullptr;
        HRESULT result = Desktop()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
        if (hr) *hr = result;
        return pidl;
    }

    // The display name (UTF-8) a folder gives a relative list.
    static std::string NameOf(IShellFolder* folder, LPCITEMIDLIST pidl, SHGDNF flags) {
        STRRET strret{};
        if (FAILED(folder->GetDisplayNameOf(pidl, flags, &strret))) return "<failed>";
        EXPECT_EQ(strret.uType, static_cast<UINT>(STRRET_WSTR));
        std::string name = emu::WideToUtf8(strret.pOleStr);
        CoTaskMemFree(strret.pOleStr);
        return name;
    }
    std::string NameOf(LPCITEMIDLIST absolute, SHGDNF flags) { return NameOf(Desktop(), absolute, flags); }
    std::string NameOfPath(const std::string& path, SHGDNF flags) {
        LPITEMIDLIST pidl = Parse(path);
        if (!pidl) return "<unparsed>";
        std::string name = NameOf(pidl, flags);
        ILFree(pidl);
        return name;
    }

    SFGAOF AttributesOf(const std::string& path, SFGAOF mask = 0xFFFFFFFF) {
        LPITEMIDLIST pidl = Parse(path);
        if (!pidl) return 0;
        LPCITEMIDLIST items[] = {pidl};
        SFGAOF attributes = mask;
        HRESULT hr = Desktop()->GetAttributesOf(1, items, &attributes);
        ILFree(pidl);
        return SUCCEEDED(hr) ? attributes : 0;
    }

    // The normal display names of a folder's items, in the order it lists them.
    std::vector<std::string> List(const std::string& path, SHCONTF flags) {
        std::vector<std::string> names;
        LPITEMIDLIST pidl = path.empty() ? nullptr : Parse(path);
        IShellFolder* folder = Desktop();
        if (pidl) {
            void* bound = nullptr;
            if (FAILED(Desktop()->BindToObject(pidl, nullptr, IID_IShellFolder, &bound))) {
                ILFree(pidl);
                return {"<unbound>"};
            }
            folder = static_cast<IShellFolder*>(bound);
        }
        IEnumIDList* items = nullptr;
        if (folder->EnumObjects(nullptr, flags, &items) == S_OK) {
            LPITEMIDLIST item = nullptr;
            while (items->Next(1, &item, nullptr) == S_OK) {
                names.push_back(NameOf(folder, item, SHGDN_INFOLDER));
                ILFree(item);
            }
            items->Release();
        } else {
            names.push_back("<not listed>");
        }
        folder->Release();
        ILFree(pidl);
        return names;
    }

    emu::Desktop desk;
    long m_before = emu::TaskAllocator::LiveBlocks();
};

constexpr SHCONTF kAll = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;

} // namespace shelltest
