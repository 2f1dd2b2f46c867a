// Movement commands: every one first stops a navigation that is still running.
#include "support/IgnoreErrors.h"
#include "commands/mPopMenu.h"
#include "control/VireoBrowser.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmShellMacro.h"

namespace vireo {

void VireoBrowser::StopEx() {
    IgnoreErrors([&] {
        if (WebBrowser1().Busy()) {
            WebBrowser1().Stop();
            DoEvents();
        }
    });
}

} // namespace vireo

namespace vireo {

void VireoBrowser::GoBack() {
    StopEx();
    IgnoreErrors([&] { WebBrowser1().GoBack(); });
    DoEvents();
}

void VireoBrowser::GoForward() {
    StopEx();
    IgnoreErrors([&] { WebBrowser1().GoForward(); });
    DoEvents();
}

void VireoBrowser::GoUp() {
    StopEx();
    UpOneLevel();
    DoEvents();
}

bool VireoBrowser::UpOneLevel() {
    const Folder rec = SelFolder();
    const std::string& url = rec.sURL;
    if (IsFtpURL(url)) {
        const std::string s = RemoveTrailingSep(GetPathPart(RemoveTrailingSep(url)));
        if (s.size() >= 2 && s.compare(s.size() - 2, 2, "//") == 0)
            GoBack();
        else
            NavigateTV(Variant(s));
        return true;
    }
    if (rec.nPidl != 0) return GoToParent();
    if (IsUNCPath(url)) {
        const std::string s = RemoveTrailingSep(GetPathPart(RemoveTrailingSep(url)));
        if (s != "\\\\") {
            NavigateTV(Variant(s));
        } else {
            // A bare server: up is the network neighbourhood.
            const UniquePidl network(SpecialFolderPidl(nullptr, CSIDL_NETWORK));
            NavigateTV(Variant::Long(network.get()));
        }
        return false;
    }
    if (IsFile(url)) {
        NavigateTV(Variant(GetPathPart(url)));
        return true;
    }
    return false;
}

void VireoBrowser::GoToDriveRoot() {
    StopEx();
    const std::string url = m_CurFolder.sURL;
    if (IsDrivePath(url)) NavigateTV(Variant(url.substr(0, url.find(":\\") + 2)));
}

void VireoBrowser::Refresh() {
    StopEx();
    IgnoreErrors([&] {
        if (IsHttpURL(m_CurFolder.sURL))
            WebBrowser1().Refresh2(kRefreshCompletely);
        else
            WebBrowser1().Refresh();
    });
}

void VireoBrowser::Reload() {
    StopEx();
    if (m_CurFolder.nPidl != 0)
        NavigateWB(Variant::Long(m_CurFolder.nPidl));
    else if (!m_CurFolder.sURL.empty())
        NavigateWB(Variant(m_CurFolder.sURL));
}

void VireoBrowser::GoToNextDrive() {
    StopEx();
    const std::string next = NextDriveFolder(m_CurFolder.sURL);
    if (IsFolder(next)) NavigateTV(Variant(next));
}

} // namespace vireo
