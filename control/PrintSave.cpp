// PrintEx and SaveAs: a page or a file goes to the web view's own print and save-as commands; a folder is
// printed as a directory listing written by the command interpreter and opened in Notepad.
#include "support/ThreadState.h"
#include "support/IgnoreErrors.h"
#include "control/PrintSave.h"
#include "control/VireoBrowser.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmShellExe.h"

namespace vireo {

namespace {

constexpr int32_t kOleCmdIdSaveAs = 4;          // OLECMDID_SAVEAS
constexpr int32_t kOleCmdIdPrint = 6;           // OLECMDID_PRINT
constexpr int32_t kOleCmdExecOptPromptUser = 1; // OLECMDEXECOPT_PROMPTUSER

} // namespace

std::string ListingFile() {
    return Shared().g_sTempDir + kListingTitle + ".txt";
}

std::string ListingCommand(bool bWinNT, const std::string& sFile) {
    // The two spaces around ">" and the unquoted path are what the interpreter has always been given.
    return std::string(bWinNT ? "cmd.exe" : "command.com") + " /c dir /o /a/ogen/-p  >  " + sFile;
}

void VireoBrowser::PrintEx() {
    const std::string sURL = m_CurFolder.sURL;
    if (!IsHttpURL(sURL) && !IsFile(sURL)) {
        if (IsFolder(sURL)) {
            const std::string sFile = ListingFile();
            SetCurrentDir(sURL);
            // Hidden, and waited for: Notepad must find the listing complete.
            ShellAndWait(ListingCommand(Shared().g_bWinNT, sFile), SW_HIDE);
            const std::string sViewer = "Notepad.exe " + sFile;
            WinExec(sViewer.c_str(), SW_SHOWNORMAL);
        }
    } else if (m_WebBrowser1) {
        IgnoreErrors([&] { WebBrowser1().ExecWB(kOleCmdIdPrint, kOleCmdExecOptPromptUser); });
    }
    DoEvents();
}

void VireoBrowser::SaveAs() {
    if (!IsHttpURL(m_CurFolder.sURL)) return;
    if (m_WebBrowser1) IgnoreErrors([&] { WebBrowser1().ExecWB(kOleCmdIdSaveAs, kOleCmdExecOptPromptUser); });
    DoEvents();
}

} // namespace vireo
