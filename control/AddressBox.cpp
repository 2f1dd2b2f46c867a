// The address box (cmbURL): Enter in its edit field navigates to the typed location; its list remembers
// every location the control has shown, each with the item-ID list that was current then, so that a
// virtual folder is found again by its display name. The first button of tBar1 shows the location icon.
#include "support/ThreadState.h"
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "shellview/mWndProc.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmFileIcon.h"
#include "support/mmShellMacro.h"
#include <vector>

namespace vireo {

namespace {

constexpr int kLocationButton = 1; // command identifier of tBar1's first button
constexpr UINT kByFileType = SHGFI_USEFILEATTRIBUTES;

// The address box's edit field: its KeyDown reaches the control before the field handles the key, which
// it then does as usual (the key is not taken away).
LRESULT CALLBACK AddressEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        const LRESULT result = CallOldWndProc(hwnd, msg, wParam, lParam);
        HWND self = hwnd;
        UnsubclassWindow(self);
        return result;
    }
    if (msg == WM_KEYDOWN) {
        if (RefPtr<VireoBrowser> control = ObjectFromWindow(hwnd))
            IgnoreErrors([&] { control->AddressBoxKeyDown(static_cast<int>(wParam)); });
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

std::string EntryText(HWND combo, int index) {
    const LRESULT len = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len <= 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data());
}

} // namespace

std::vector<std::string> VireoBrowser::AddressHistory() const {
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(m_cmbURL, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        entries.push_back(EntryText(m_cmbURL, static_cast<int>(i)));
    return entries;
}

void VireoBrowser::SetUpAddressBox() {
    m_imlToolBar = std::make_unique<KeyedImageList>(16, 16, RGB(192, 192, 192));
    SendMessageA(m_tBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlToolBar->Handle()));
    SendMessageA(m_tBar2, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlToolBar->Handle()));
    if (SendMessageA(m_tBar1, TB_BUTTONCOUNT, 0, 0) == 0) {
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = kLocationButton;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        SendMessageA(m_tBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(m_tBar1, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    if (HWND edit = FindWindowExA(m_cmbURL, nullptr, "Edit", nullptr))
        SubclassWindow(edit, AddressEditProc, this);
}

void VireoBrowser::AddressBoxKeyDown(int keyCode) {
    if (keyCode != VK_RETURN || AddressText().empty()) return;
    if (IsFolder(AddressText())) SetAddressText(AddTrailingSep(AddressText()));
    LONG_PTR pidl = 0;
    FindHistoryEntry(AddressText(), pidl);
    if (pidl != 0)
        NavigateTV(Variant::Long(pidl));
    else
        NavigateTV(Variant(AddressText()));
}

int16_t VireoBrowser::FindHistoryEntry(const std::string& text, LONG_PTR& nPidl) {
    const LRESULT count = SendMessageA(m_cmbURL, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        if (EntryText(m_cmbURL, i) != text) continue;
        SendMessageA(m_cmbURL, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        nPidl = static_cast<LONG_PTR>(SendMessageA(m_cmbURL, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        return static_cast<int16_t>(i);
    }
    return -1;
}

void VireoBrowser::AddLocationToHistory() {
    const std::string text = LocationDisplayText();
    LONG_PTR listed = 0;
    if (FindHistoryEntry(text, listed) >= 0 || text.empty()) return;
    const LRESULT index = SendMessageA(m_cmbURL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return;
    SendMessageA(m_cmbURL, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(m_cmbURL, CB_SETITEMDATA, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(m_CurFolder.nPidl));
}

void VireoBrowser::UpdateLocationIcon() {
    KeyedImageList& images = *m_imlToolBar;
    // The three indexes asked for once: a plain folder, a web page (key "URL") and the network.
    if (!m_nFolderIcon) m_nFolderIcon = IconIndexInList(images, Variant(Shared().g_sTempDir), 0);
    if (!m_nWebIcon) {
        PicturePtr web = GetFileIconPicture(Variant(".htm"), 0, kByFileType);
        images.Add(web.get(), "URL");
        m_nWebIcon = images.IndexOf("URL");
    }
    if (!m_nNetworkIcon) {
        const UniquePidl network(SpecialFolderPidl(nullptr, CSIDL_NETWORK));
        m_nNetworkIcon = IconIndexInList(images, Variant::Long(network.get()), 0);
    }

    const std::string& url = m_CurFolder.sURL;
    LONG index = 0;
    if (IsHttpURL(url))
        index = m_nWebIcon;
    else if (IsUNCPath(url))
        index = m_nNetworkIcon;
    else if (IsFile(url))
        index = IconIndexInList(images, Variant(url), kByFileType);
    else if (m_CurFolder.nPidl != 0)
        index = IconIndexInList(images, Variant::Long(m_CurFolder.nPidl), 0);
    else if (IsFolder(url))
        index = IconIndexInList(images, Variant(url), 0);
    else
        return;
    if (index == 0) return;
    // A plain folder on a drive shows its drive's icon.
    if (IsDrivePath(url) && index == m_nFolderIcon)
        index = IconIndexInList(images, Variant(url.substr(0, 3)), 0);

    TBBUTTON first{};
    if (SendMessageA(m_tBar1, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first))) {
        // The list counts its pictures from 1, the toolbar from 0.
        const LPARAM image = index > 0 ? static_cast<LPARAM>(index - 1) : LPARAM(I_IMAGENONE);
        SendMessageA(m_tBar1, TB_CHANGEBITMAP, static_cast<WPARAM>(first.idCommand), image);
    }
    DoEvents();
}

} // namespace vireo
