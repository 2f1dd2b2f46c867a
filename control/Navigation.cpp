// Navigation dispatch: every request to show a location ends here. NavigateTV decides what kind of
// location it is and sends it to the tree, the web view, the shell or back to the host; NavigateWB points
// the web view at a location and remembers it as the pending one.
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"
#include "support/CaseFold.h"
#include "support/ThreadState.h"
#include "support/mmFile.h"
#include "support/mmShellExe.h"
#include "support/mmShellMacro.h"

namespace vireo {

namespace {

// Whether text starts with head regardless of case.
bool StartsNoCase(const std::string& text, std::string_view head) {
    return SameTextNoCase(std::string_view(text).substr(0, head.size()), head);
}

} // namespace

void VireoBrowser::RequireList(const Variant& URL, const char* member) const {
    if (!URL.IsLong()) return;
    const int64_t number = URL.LongValue();
    const auto pidl = static_cast<LONG_PTR>(number);
    if (number == 0 || (pidl == number && (pidl == m_CurFolder.nPidl || pidl == m_nPendingPidl))) return;
    if (pidl == number && IsAllocatedPidl(pidl)) return;
    throw RuntimeError(5, "VireoBR",
                       std::string(member) + ": " + std::to_string(number) + " is not an item-ID list");
}

void VireoBrowser::NavigateWB(const Variant& URL) {
    StopEx();
    if (URL.HoldsText()) {
        m_nPendingPidl = 0;
        m_sPendingURL = URL.Text();
        IgnoreErrors([&] { WebBrowser1().Navigate(m_sPendingURL); });
    } else if (URL.IsLong()) {
        m_nPendingPidl = static_cast<LONG_PTR>(URL.LongValue());
        m_sPendingURL.clear();
        IgnoreErrors([&] { WebBrowser1().Navigate2(PidlToBytes(m_nPendingPidl)); });
    }
}

void VireoBrowser::SetURL(const std::string& url) {
    NavigateTV(Variant(url));
}

void VireoBrowser::RestoreAddressBox() {
    SetAddressText(LocationDisplayText());
}

LONG_PTR VireoBrowser::NavigateTV(const Variant& URL, bool* bSuccess) {
    auto succeed = [&](bool value) {
        if (bSuccess) *bSuccess = value;
    };
    LONG_PTR result = 0;

    if (URL.IsLong()) {
        // An item-ID list: the tree shows it.
        IgnoreErrors([&] {
            Variant folder = URL;
            result = TreeView().SelectFolder(folder);
        });
        succeed(result != 0);
        return result;
    }

    const std::string url = URL.Text();
    if (url.empty()) return 0;
    if (StartsNoCase(url, "about:")) return 0;

    if (IsFolder(url)) {
        if (IsDrivePath(url)) {
            IgnoreErrors([&] {
                Variant folder(url);
                result = TreeView().SelectFolder(folder);
            });
            succeed(result != 0);
        } else if (IsUNCPath(url)) {
            NavigateWB(Variant(url));
            succeed(true);
        }
        // An existing folder named by a relative path: nothing.
    } else if (IsFile(url)) {
        if (IsHtmlFile(url)) {
            NavigateWB(Variant(url));
            succeed(true);
        } else if (IsArchive(url)) {
            OpenArchiveEx(url);
            succeed(true);
        } else if (IsUrlShortcut(url)) {
            const std::string target = ReadUrlShortcut(url);
            if (m_events) m_events->OpenURL(target);
            succeed(true);
        } else if (ShellOpen(url, true)) {
            succeed(true);
        }
    } else if (IsUNCServer(url)) {
        NavigateWB(Variant(url));
        succeed(true);
    } else if (IsUNCShare(url) || IsDrivePath(url)) {
        SetStatusText(Quote(url) + " is currently unavailable !!!");
        RestoreAddressBox();
        succeed(true);
    } else if (IsFtpURL(url)) {
        if (m_events) m_events->OpenFTP(url);
        RestoreAddressBox();
        succeed(true);
    } else if (IsHttpURL(url)) {
        NavigateWB(Variant(url));
        succeed(true);
    } else if (!IsFolder(GetPathPart(url))) {
        if (StartsNoCase(url, "www.")) {
            NavigateWB(Variant("http://" + url));
            succeed(true);
        } else if (url.find("://") != std::string::npos) {
            NavigateWB(Variant(url));
            succeed(true);
        } else {
            if (AskUrlType(url)) succeed(true);
        }
    }
    return result;
}

bool VireoBrowser::AskUrlType(const std::string& url) {
    int32_t answer = -1;
    IgnoreErrors([&] {
        // The module's choice box, made on first use and kept with the thread's shared state.
        RefPtr<ChoiceBox>& choice = Shared().urlTypeChoice;
        if (!choice) choice = NewChoiceBox();
        std::string prompt = "Select URL Type of " + Quote(url), title = "Linnet", http = "&HTTP URL",
                    ftp = "&FTP URL", cancel = "&Cancel", none1, none2;
        answer = choice->Ask(prompt, title, http, ftp, cancel, none1, none2);
    });
    switch (answer) {
    case 0:
        NavigateWB(Variant(url));
        break;
    case 1:
        if (m_events) m_events->OpenFTP(url);
        RestoreAddressBox();
        break;
    case 2:
        RestoreAddressBox();
        break;
    default:
        return false; // closed without a button: a refusal that changes nothing
    }
    return true;
}

} // namespace vireo
