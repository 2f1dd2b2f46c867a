// FileOperation: the host's file operations on the folder view's selection.
#include "commands/fNewFolder.h"
#include "commands/mmFileOper.h"
#include "control/VireoBrowser.h"
#include "shellview/mmListView.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmShellExe.h"
#include "support/mmShellMacro.h"
#include <vector>

namespace vireo {

namespace {

// The selection list split at CR LF; the last element is the empty text after the last name.
std::vector<std::string> SplitList(const std::string& sList) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t pos; (pos = sList.find("\r\n", start)) != std::string::npos; start = pos + 2)
        names.push_back(sList.substr(start, pos - start));
    names.push_back(sList.substr(start));
    return names;
}

} // namespace

void VireoBrowser::FileOperation(int16_t& Index, const std::string& TargetDir) {
    std::string sList;
    LONG count = BuildSelectedList(*this, sList);
    std::vector<std::string> names = SplitList(sList);
    if (Index != 5 && count == 0) return;
    const Folder folder = SelFolder();
    SetCurrentDir(folder.sURL);
    std::string target = TargetDir;
    switch (Index) {
    case 0:
        SendMessageA(m_hwndLV, LVM_EDITLABELW, static_cast<WPARAM>(FirstSelectedItem(m_hwndLV)), 0);
        break;
    case 1:
        ExecuteListItem(*this, FirstSelectedItem(m_hwndLV));
        break;
    case 2: {
        std::string command = "Notepad.exe " + names[0];
        WinExec(command.c_str(), SW_SHOWNORMAL);
        break;
    }
    case 3:
        CopyItems(m_hwndLV, folder.sURL, target, sList);
        break;
    case 4:
        MoveItems(m_hwndLV, folder.sURL, target, sList);
        break;
    case 5: {
        std::string parent = folder.sURL;
        std::string name = NewFolderDialog(parent, NewFolderForm());
        if (!name.empty()) {
            Refresh();
            DoEvents();
            SelectItemByName(m_hwndLV, name);
        }
        break;
    }
    case 6:
        if (folder.nPidl != 0) {
            const UniquePidl pidl(ChildPidlByName(folder.nPidl, names[0]));
            ShowProperties(m_hwndLV, Variant::Long(pidl.get()));
        } else {
            ShowProperties(m_hwndLV, Variant(folder.sURL + names[0]));
        }
        break;
    default:
        break;
    }
    ShellNotify();
}

} // namespace vireo
