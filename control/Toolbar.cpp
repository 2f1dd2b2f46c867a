// The two one-button toolbars: tBar1's "Select Folder..." drops down the drive and folder menu and acts on
// the chosen entry; tBar2's "Tree" shows and hides the folder tree. A button's pressed state is its checked
// state (TB_CHECKBUTTON): tBar1's while its menu is open, tBar2's while the tree is visible.
#include "commands/mMedia.h"
#include "commands/mPopMenu.h"
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "platform/Owners.h"
#include "support/mmFile.h"
#include "support/mmShellMacro.h"
#include <cmath>

namespace vireo {

namespace {

constexpr int kTreeButton = 1; // command identifier of tBar2's button
constexpr char kTreeKey[] = "Tree";
constexpr char kTreeTip[] = "Show or Hide Folder Treeview";
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr int32_t kHourglass = 11, kDefaultPointer = 0;
constexpr double kTwipsPerInch = 1440;

// The "Tree" picture: a root folder with two folders below it, on the silver mask colour.
UniqueBitmap DrawTreePicture() {
    const WindowDC screen(nullptr);
    const UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 16, 16));
    if (dc && bitmap) {
        const SelectedObject drawing(dc.get(), bitmap.get());
        const struct {
            RECT rect;
            COLORREF color;
        } parts[] = {
            {{0, 0, 16, 16}, kSilver},           {{1, 1, 7, 5}, RGB(255, 255, 0)},
            {{3, 5, 4, 13}, RGB(0, 0, 0)},       {{4, 7, 8, 8}, RGB(0, 0, 0)},
            {{4, 12, 8, 13}, RGB(0, 0, 0)},      {{8, 5, 14, 9}, RGB(255, 255, 0)},
            {{8, 10, 14, 14}, RGB(255, 255, 0)},
        };
        for (const auto& part : parts) {
            const UniqueBrush brush(CreateSolidBrush(part.color));
            FillRect(dc.get(), &part.rect, brush.get());
        }
    }
    return bitmap;
}

void SetButtonValue(HWND toolbar, int button, bool pressed) {
    SendMessageA(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(button), MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

bool StartsDoorKey(const std::string& key, const char* command) {
    return key.find(std::string(command) + '\0') != std::string::npos;
}

} // namespace

void VireoBrowser::SetUpToolbars() {
    m_imlPopMenu = std::make_unique<KeyedImageList>(16, 16, kSilver);
    if (const UniqueBitmap tree = DrawTreePicture()) m_imlToolBar->AddBitmap(tree.get(), kTreeKey, kTreeTip);
    if (SendMessageA(m_tBar2, TB_BUTTONCOUNT, 0, 0) == 0) {
        TBBUTTON button{};
        const int picture = m_imlToolBar->IndexOf(kTreeKey);
        button.iBitmap = picture > 0 ? picture - 1 : I_IMAGENONE;
        button.idCommand = kTreeButton;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        SendMessageA(m_tBar2, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(m_tBar2, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
}

int32_t VireoBrowser::DropDownTop() const {
    RECT web{};
    if (m_WebBrowser1) GetWindowRect(m_WebBrowser1->Window(), &web);
    MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&web), 2);
    int dpi = 0;
    if (const WindowDC screen(nullptr); screen) dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    if (dpi <= 0) return 0;
    // Whole twips, rounded half to even.
    return static_cast<int32_t>(std::nearbyint(web.top * kTwipsPerInch / dpi));
}

void VireoBrowser::tBar1_ButtonClick(int button) {
    RefPtr<VireoBrowser> hold(this);
    IgnoreErrors([&] { ThisGotFocus(); });
    SetButtonValue(m_tBar1, button, true);
    // The menu in use stays alive while it is shown, even when the tree's MenusChanged replaces it.
    RefPtr<IconMenu> menu = m_cP;
    if (!menu) {
        SetButtonValue(m_tBar1, button, false);
        return;
    }
    const int32_t y = DropDownTop();
    int32_t index = 0;
    IgnoreErrors([&] { index = menu->PopupAt(0, y, 0, 0, 0, 0, true); });
    if (index > 0) {
        IgnoreErrors([&] { m_container.SetMousePointer(kHourglass); });
        std::string key;
        IgnoreErrors([&] { key = menu->ItemKey(index); });
        IgnoreErrors([&] { OpenMenuEntry(key); });
        IgnoreErrors([&] { m_container.SetMousePointer(kDefaultPointer); });
    }
    SetButtonValue(m_tBar1, button, false);
}

void VireoBrowser::OpenMenuEntry(const std::string& key) {
    const std::string drive =
        key.substr(key.find('\0') == std::string::npos ? key.size() : key.find('\0') + 1);
    if (StartsDoorKey(key, "Open Door")) {
        OpenCDDoor(drive);
    } else if (StartsDoorKey(key, "Close Door")) {
        CloseCDDoor(drive);
    } else if (key.size() >= 2 && key.compare(key.size() - 2, 2, ":\\") == 0) {
        // A drive goes to its current directory; one without a medium leads nowhere.
        if (IsFolderAccessible(m_hWnd, key)) {
            bool bSuccess = false;
            NavigateTV(Variant(GetCurrentDir(key)), &bSuccess);
        }
    } else if (m_TreeView) {
        // A favourite, history or system folder: the tree selects it and its FolderChanged navigates.
        std::string folder = key;
        m_TreeView->SelectMenuFolder(folder);
    }
}

void VireoBrowser::tBar2_ButtonClick(int button) {
    RefPtr<VireoBrowser> hold(this);
    IgnoreErrors([&] { ThisGotFocus(); });
    bool visible = false;
    if (m_TreeView) IgnoreErrors([&] { visible = m_TreeView->Visible(); });
    SetButtonValue(m_tBar2, button, !visible);
    if (m_TreeView) IgnoreErrors([&] { m_TreeView->SetVisible(!visible); });
    UserControl_Resize();
}

} // namespace vireo
