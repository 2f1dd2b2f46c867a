// The web view's events: where a navigation, whoever started it, becomes the current location. The
// handlers keep the tree and the web view on the same folder, refuse or redirect what the web view should
// not show itself, drive the progress bar and tell the host. The frame an event comes from is not looked
// at: a frame inside a page counts as the page. Errors are skipped statement by statement.
#include "support/IgnoreErrors.h"
#include "control/SizeText.h"
#include "control/VireoBrowser.h"
#include "support/CaseFold.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmShellExe.h"
#include "support/mmShellMacro.h"

namespace vireo {

namespace {

bool Contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool IsVisible(HWND hwnd) {
    return (static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)) & WS_VISIBLE) != 0;
}

} // namespace

void VireoBrowser::ShowUnavailable() {
    if (!m_sPendingURL.empty())
        SetStatusText(Quote(m_sPendingURL) + " is currently unavailable !!!");
    else
        SetStatusText("The page you are looking for is currently unavailable !!!");
}

void VireoBrowser::RaisePanelProperty() {
    if (!m_hwndWB || !m_events) return;
    const bool up = CanGoUp();
    m_events->PanelProperty(m_sTitle, m_bCanBack, m_bCanForward, up);
}

void VireoBrowser::BeforeNavigate2(const Variant& URL, bool& Cancel) {
    RefPtr<VireoBrowser> hold(this);
    const std::string url = URL.Text();
    const std::string lower = FoldCase(url);
    if (Contains(lower, "res://")) {
        // The web view is about to show one of its own error pages.
        ShowUnavailable();
        RestoreAddressBox();
        Cancel = true;
    }
    // The column widths of the folder view being left.
    IgnoreErrors([&] { GetColWidth(); });

    if (IsDrivePath(url) && IsFolder(url)) {
        // The tree leads for drive folders: a folder it does not show goes to it first, and comes back
        // here by item-ID list.
        const std::string folder = AddTrailingSep(url);
        IgnoreErrors([&] {
            if (folder != TreeView().SelectedFolder().sPath) {
                NavigateTV(Variant(folder));
                Cancel = true;
            }
        });
    } else if (IsFile(url)) {
        // Text and HTML files are shown here; every other file is opened by its program.
        Cancel = !(EndsWith(lower, ".txt") || IsHtmlFile(url));
        if (Cancel) ShellOpen(url, true);
    } else if (url.compare(0, 2, "::") == 0 && m_nPendingPidl == 0) {
        // A shell parsing name typed or followed in the view: the tree selects it by item-ID list.
        const UniquePidl pidl(PidlFromPath(m_hwndLV, url));
        IgnoreErrors([&] {
            Variant folder = Variant::Long(pidl.get());
            TreeView().SelectFolder(folder);
        });
        Cancel = true;
    }

    ShowWindow(m_pBar1, Cancel ? SW_HIDE : SW_SHOW);
    if (!Cancel) {
        // The folder view that owns these windows is about to be replaced.
        ReleaseFolderViewWindows(false);
    }
}

void VireoBrowser::NavigateComplete2(const Variant& URL) {
    const std::string url = URL.Text();
    if (IsHttpURL(url)) SetAddressText(url);
}

void VireoBrowser::DocumentComplete(const Variant& URL) {
    RefPtr<VireoBrowser> hold(this);
    DoEvents();
    std::string url = URL.Text();
    const std::string head = FoldCase(url.substr(0, 6));
    // Error and blank pages never become the location, and leave the pending one in place.
    if (head == "res://" || head == "about:") return;

    ShowWindow(m_pBar1, SW_HIDE);
    SetStatusText("");
    if (!IsHttpURL(url)) {
        if (IsFile(url)) {
            SetCurrentDir(GetPathPart(url));
        } else if (IsFolder(url)) {
            url = AddTrailingSep(url);
            SetCurrentDir(url);
        }
    }

    m_CurFolder.nPidl = m_nPendingPidl;
    m_nPendingPidl = 0;
    m_CurFolder.sURL = url;
    IgnoreErrors([&] { m_CurFolder.sLocName = WebBrowser1().LocationName(); });
    IgnoreErrors([&] { m_CurFolder.sLocURL = WebBrowser1().LocationURL(); });
    m_CurFolder.nAttr = 0;

    bool report = true;
    if (!IsHttpURL(url)) {
        if (m_CurFolder.nPidl == 0) FindHistoryEntry(LocationDisplayText(), m_CurFolder.nPidl);
        if (m_CurFolder.nPidl != 0) {
            IgnoreErrors([&] {
                if (m_CurFolder.nPidl != TreeView().SelectedFolder().nPidl) {
                    // The tree must confirm this folder first; its FolderChanged brings the web view back
                    // by the tree's own list, and that completion reports.
                    report = false;
                    m_CurFolder.nPidl = NavigateTV(Variant::Long(m_CurFolder.nPidl));
                }
            });
        }
        if (report && m_CurFolder.nPidl != 0)
            IgnoreErrors([&] { m_CurFolder.nAttr = TreeView().SelectedFolder().nAttr; });
    }

    if (report) {
        AddLocationToHistory();
        UpdateLocationIcon();
        if (m_events)
            m_events->NotifyURL(m_CurFolder.sURL, m_CurFolder.sLocName, m_CurFolder.sLocURL,
                                m_CurFolder.nPidl, m_CurFolder.nAttr);
        IgnoreErrors([&] { RaisePanelProperty(); });
    }

    m_sPendingURL.clear();
    m_nPendingPidl = 0;
    DoEvents();
}

void VireoBrowser::StatusTextChange(const std::string& Text) {
    m_sSizeText.clear();
    const std::string text = UpperText(Text);
    if (text.empty()) return;
    if (IsHttpURL(m_CurFolder.sURL)) {
        SetStatusText(text);
    } else if (IsSizeText(text)) {
        m_sSizeText = text;
        return;
    }
    if (Contains(FoldCase(text), "res://")) {
        ShowUnavailable();
        ShowWindow(m_pBar1, SW_HIDE);
        RestoreAddressBox();
    }
}

void VireoBrowser::ProgressChange(int32_t Progress, int32_t ProgressMax) {
    if (!IsVisible(m_pBar1) || ProgressMax < 1) return;
    SendMessageA(m_pBar1, PBM_SETRANGE32, 0, ProgressMax);
    if (Progress < 1 || Progress >= ProgressMax) {
        // The end of a load (the web view reports -1): a full bar, then none.
        SendMessageA(m_pBar1, PBM_SETPOS, static_cast<WPARAM>(ProgressMax), 0);
        ShowWindow(m_pBar1, SW_HIDE);
    } else {
        SendMessageA(m_pBar1, PBM_SETPOS, static_cast<WPARAM>(Progress), 0);
    }
}

void VireoBrowser::CommandStateChange(int32_t Command, bool Enable) {
    // The flags reach the host with the next PanelProperty.
    if (Command == kCscNavigateForward)
        m_bCanForward = Enable;
    else if (Command == kCscNavigateBack)
        m_bCanBack = Enable;
}

void VireoBrowser::TitleChange(const std::string& Text) {
    if (Text.empty()) return;
    RefPtr<VireoBrowser> hold(this);
    m_sTitle = Text;
    IgnoreErrors([&] { RaisePanelProperty(); });
}

} // namespace vireo
