#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/core/Journal.h"

namespace {

class ContextMenuTest : public shelltest::ShellTest {
protected:
    // The context menu of the items (paths) of one folder.
    IContextMenu* MenuOf(const std::string& folderPath, const std::vector<std::string>& paths) {
        LPITEMIDLIST parent = Parse(folderPath);
        void* bound = nullptr;
        EXPECT_EQ(Desktop()->BindToObject(parent, nullptr, IID_IShellFolder, &bound), S_OK);
        auto* folder = static_cast<IShellFolder*>(bound);
        std::vector<LPITEMIDLIST> absolute;
        std::vector<LPCITEMIDLIST> children;
        for (const auto& p : paths) {
            absolute.push_back(Parse(p));
            children.push_back(ILFindLastID(absolute.back()));
        }
        void* menu = nullptr;
        EXPECT_EQ(folder->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(),
                                        IID_IContextMenu, nullptr, &menu),
                  S_OK);
        for (LPITEMIDLIST p : absolute)
            ILFree(p);
        folder->Release();
        ILFree(parent);
        return static_cast<IContextMenu*>(menu);
    }

    std::vector<std::string> MenuTexts(HMENU menu) {
        std::vector<std::string> texts;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(ContextMenuTest, OffersExplorersVerbsAndRecordsWhatIsChosen) {
    desk.Files().WriteFile("C:\\m\\a.txt");
    desk.Files().WriteFile("C:\\m\\b.txt");
    desk.Files().MakeDir("C:\\m\\sub");
    struct Case {
        std::vector<std::string> items;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {{"C:\\m\\a.txt"}, {"&Open", "Cu&t", "&Copy", "&Delete", "Rena&me", "P&roperties"}},
        {{"C:\\m\\a.txt", "C:\\m\\b.txt"}, {"&Open", "Cu&t", "&Copy", "&Delete", "P&roperties"}},
        {{"C:\\m\\sub"}, {"&Open", "&Explore", "Cu&t", "&Copy", "&Delete", "Rena&me", "P&roperties"}},
    };
    for (const auto& c : cases) {
        IContextMenu* menu = MenuOf("C:\\m", c.items);
        HMENU popup = CreatePopupMenu();
        HRESULT hr = menu->QueryContextMenu(popup, 0, 100, 0x7FFF, CMF_NORMAL);
        EXPECT_EQ(static_cast<size_t>(HRESULT_CODE(hr)), c.texts.size());
        EXPECT_EQ(MenuTexts(popup), c.texts);
        DestroyMenu(popup);
        menu->Release();
    }

    desk.Log().Clear();
    IContextMenu* menu = MenuOf("C:\\m", {"C:\\m\\a.txt"});
    auto invoke = [&](LPCSTR verb) {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.lpVerb = verb;
        return menu->InvokeCommand(&info);
    };
    EXPECT_EQ(invoke(reinterpret_cast<LPCSTR>(2)), S_OK); // by identifier offset
    EXPECT_EQ(invoke("Properties"), S_OK);
    EXPECT_EQ(invoke("explode"), E_INVALIDARG);
    char verb[16];
    EXPECT_EQ(menu->GetCommandString(4, GCS_VERBA, nullptr, verb, sizeof verb), S_OK);
    EXPECT_STREQ(verb, "rename");
    menu->Release();
    auto records = desk.Log().OfKind("ContextMenu");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Text(), "ContextMenu: Invoke | copy | C:\\m\\a.txt");
    EXPECT_EQ(records[1].Text(), "ContextMenu: Invoke | properties | C:\\m\\a.txt");
}

TEST_F(ContextMenuTest, DefaultOnlyGivesTheDefaultVerb) {
    desk.Files().WriteFile("C:\\m\\a.txt");
    IContextMenu* menu = MenuOf("C:\\m", {"C:\\m\\a.txt"});
    HMENU popup = CreatePopupMenu();
    EXPECT_EQ(HRESULT_CODE(menu->QueryContextMenu(popup, 0, 1, 100, CMF_DEFAULTONLY)), 1);
    EXPECT_EQ(MenuTexts(popup), std::vector<std::string>{"&Open"});
    DestroyMenu(popup);
    menu->Release();
}

TEST_F(ContextMenuTest, ADriveWithoutMediumIsReportedToTheOwner) {
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    desk.Files().SetMedia('D', false);
    LPITEMIDLIST pidl = Parse("D:\\");
    void* bound = nullptr;
    ASSERT_EQ(Desktop()->BindToObject(pidl, nullptr, IID_IShellFolder, &bound), S_OK);
    auto* folder = static_cast<IShellFolder*>(bound);
    IEnumIDList* items = nullptr;
    EXPECT_EQ(folder->EnumObjects(nullptr, shelltest::kAll, &items), HRESULT_FROM_WIN32(ERROR_NOT_READY));
    EXPECT_EQ(desk.Log().Count("MessageBox"), 0u);
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(folder->EnumObjects(owner, shelltest::kAll, &items), HRESULT_FROM_WIN32(ERROR_CANCELLED));
    ASSERT_EQ(desk.Log().Count("MessageBox"), 1u);
    EXPECT_EQ(desk.Log().OfKind("MessageBox")[0].fields[0],
              "D:\\ is not accessible.\n\nThe device is not ready.");
    DestroyWindow(owner);
    folder->Release();
    ILFree(pidl);
}

} // namespace
