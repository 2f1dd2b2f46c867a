// The control's life in its container: properties for a new or a stored control, saving them, the first
// paint, fonts and colours, the temporary directory, and shutting down.
#include "commands/fNewFolder.h"
#include "commands/fRename.h"
#include "commands/mPopMenu.h"
#include "support/ThreadState.h"
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "support/mEnumExt.h"
#include "support/mmEvents.h"
#include "platform/RuntimeError.h"
#include "support/mmFile.h"

namespace vireo {

namespace {
constexpr LONG kDefaultStyle = 3;
constexpr char kHint[] = "Double-click empty space to go upward. Thanks !!!";
} // namespace

void VireoBrowser::UserControl_InitProperties() {
    m_nStyle = kDefaultStyle;
    m_nForeColor = 0;
    m_nBackColor = 0;
    m_Font = m_container.AmbientFont();
}

void VireoBrowser::UserControl_ReadProperties(PropertyBag& bag) {
    m_nStyle = static_cast<LONG>(ToLong(bag.ReadProperty("Style", Variant::Long(kDefaultStyle))));
    m_nForeColor = static_cast<LONG>(ToLong(bag.ReadProperty("ForeColor", Variant::Long(0))));
    m_nBackColor = static_cast<LONG>(ToLong(bag.ReadProperty("BackColor", Variant::Long(0))));
    const Variant font = bag.ReadProperty("Font", Variant::Object(m_container.AmbientFont()));
    RefPtr<StdFont> stored;
    if (font.Type() == VarType::Object)
        stored = RefPtr<StdFont>(dynamic_cast<StdFont*>(font.ObjectValue().get()));
    if (!stored) throw DispatchError(kDispTypeMismatch, "Font is not a font object");
    m_Font = stored;
    if (m_container.UserMode()) {
        Activate();
    } else {
        // In a form designer the web view shows the tree's start folder.
        NavigateWB(Variant::Long(TreeView().StartFolder().nPidl));
    }
}

void VireoBrowser::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty("Style", Variant::Long(m_nStyle), Variant::Long(kDefaultStyle));
    bag.WriteProperty("ForeColor", Variant::Long(m_nForeColor), Variant::Long(0));
    bag.WriteProperty("BackColor", Variant::Long(m_nBackColor), Variant::Long(0));
    bag.WriteProperty("Font", Variant::Object(m_Font), Variant::Object(m_container.AmbientFont()));
}

void VireoBrowser::UserControl_Paint() {
    if (m_bPainted) return;
    m_bPainted = true;
    UserControl_Resize();
    SetStatusText(kHint);
}

void VireoBrowser::SetFontColor(const std::string& sFontName, LONG_PTR hFontLarge, LONG_PTR hFontSmall,
                                LONG BackColor, LONG ForeColor) {
    m_hFont = hFontLarge;
    m_nBackColor = BackColor;
    m_nForeColor = ForeColor;
    Shared().g_sFontName = sFontName;
    Shared().g_hFontSmall = hFontSmall;
    UserControl_Resize();
    LONG_PTR hFont = hFontLarge;
    TreeView().SetFont(Shared().g_sFontName, hFont);
    if (m_cP) m_cP->SetFontName(Shared().g_sFontName);
    // The folder view takes the font and colours when its window comes up: a reload rebuilds it.
    if (!IsHttpURL(m_CurFolder.sURL)) Reload();
}

void VireoBrowser::SetTempDir(std::string& sTempDir) {
    std::string dir;
    IgnoreErrors([&] { dir = AddTrailingSep(GetShortPath(sTempDir)); });
    Shared().g_sTempDir = dir;
    CreateDirectoryA(dir.c_str(), nullptr);
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}

// The component's dialogs are shared by every control on the thread; a nested call while they unload
// returns at once.
void VireoBrowser::UnloadAllForms() {
    if (m_bUnloadingForms) return;
    m_bUnloadingForms = true;
    IgnoreErrors([] { RenameForm().Unload(); });
    IgnoreErrors([] { NewFolderForm().Unload(); });
    m_bUnloadingForms = false;
}

void VireoBrowser::Terminate(const Variant& bClearAll) {
    IgnoreErrors([&] { WebBrowser1().Stop(); });
    bool clearAll = false;
    IgnoreErrors([&] { clearAll = ToBoolean(bClearAll); });
    // The shared lists serve every control on the thread; the host clears them with the last one.
    if (clearAll) {
        ClearExtensionIndex();
        ClearDriveList();
    }
    KillTimer(m_hWnd, kStatusTimer);
    IgnoreErrors([&] { TreeView().Terminate(); });
    // The item-ID lists of the current and pending locations and of the address box's entries are the tree's,
    // borrowed: until now the tree kept each of them, even one whose folder had left it; it has just freed
    // them all, so none of the numbers may be used again.
    m_CurFolder.nPidl = 0;
    m_nPendingPidl = 0;
    const LRESULT entries = SendMessageA(m_cmbURL, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < entries; ++i)
        SendMessageA(m_cmbURL, CB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    ReleaseFolderViewWindows(true);
    if (m_cP) IgnoreErrors([&] { m_cP->RefreshMenu(); });
    m_cP.reset();
    UnloadAllForms();
    DoEvents();
    m_com.reset();
}

} // namespace vireo
