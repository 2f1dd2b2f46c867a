#include "commands/mmFileOper.h"
#include "commands/fNewFolder.h"
#include "commands/fRename.h"
#include "platform/IconMenu.h"
#include "support/ThreadState.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmFormStyle.h"
#include "support/mmShellExe.h"
#include <algorithm>
#include <exception>
#include <vector>

namespace vireo {

namespace {

// The module's choice box, made on first use and kept.
ChoiceBox& Choice() {
    RefPtr<ChoiceBox>& choice = Shared().fileOperChoice;
    if (!choice) choice = NewChoiceBox();
    return *choice;
}

std::string CrLfToNul(const std::string& sList) {
    std::string out;
    out.reserve(sList.size());
    for (size_t i = 0; i < sList.size(); ++i) {
        if (sList[i] == '\r' && i + 1 < sList.size() && sList[i + 1] == '\n') {
            out += '\0';
            ++i;
        } else {
            out += sList[i];
        }
    }
    return out;
}

// The first name of a selection list holding "?" or "*", or "" when none does. Windows allows neither in a
// file name, so such a name is one the code page could not hold (the list shows "?" in its place), and the
// shell's engine would take it as a wildcard reaching other files.
std::string LossyName(const std::string& sList) {
    for (size_t start = 0; start < sList.size();) {
        const size_t end = std::min(sList.find("\r\n", start), sList.size());
        const std::string name = sList.substr(start, end - start);
        if (name.find_first_of("?*") != std::string::npos) return name;
        start = end + 2;
    }
    return std::string();
}

// Copy (wFunc FO_COPY) or move (FO_MOVE) after the user said "&Yes". A selection holding a lossy name does
// nothing to any file: the user is told which item, and nothing is asked.
bool Transfer(HWND hwnd, UINT wFunc, const std::string& sFolder, std::string& sTarget,
              const std::string& sList) {
    bool result = false;
    try {
        const bool copy = wFunc == FO_COPY;
        std::string title = copy ? "Copying..." : "Moving...";
        const std::string lossy = LossyName(sList);
        if (!lossy.empty()) {
            const std::string text = "'" + lossy + "' cannot be " + (copy ? "copied" : "moved") +
                                     ": its name holds characters this system cannot show, and it would be "
                                     "taken as a pattern matching other files. Nothing was " +
                                     (copy ? "copied." : "moved.");
            MessageBoxA(hwnd, text.c_str(), title.c_str(), MB_ICONEXCLAMATION | MB_OK);
        } else if (!sList.empty() && IsFolder(sFolder) && IsFolder(sTarget)) {
            std::string prompt =
                std::string(copy ? "Copy" : "Move") + " following files and folders ? \r\n\r\n" + sList;
            std::string yes = "&Yes", no = "&No", b3, b4, b5;
            if (Choice().Ask(prompt, title, yes, no, b3, b4, b5) == 0) {
                SetCurrentDir(AddTrailingSep(sFolder));
                sTarget = AddTrailingSep(sTarget);
                result = ShellFileOp(hwnd, wFunc, CrLfToNul(sList), sTarget, 0);
            }
        }
    } catch (const std::exception&) {
        result = false;
    }
    DoEvents();
    return result;
}

} // namespace

bool ShellFileOp(HWND hwnd, UINT wFunc, const std::string& pFrom, const std::string& pTo, int16_t fFlags) {
    // std::string keeps one more NUL after its text, so each list ends in at least three.
    std::string from = pFrom + std::string(2, '\0');
    std::string to = pTo + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = hwnd;
    op.wFunc = wFunc;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>(fFlags);
    int result = SHFileOperationA(&op);
    DoEvents();
    return result == 0 && !op.fAnyOperationsAborted;
}

bool CopyItems(HWND hwnd, const std::string& sFolder, std::string& sTarget, const std::string& sList) {
    return Transfer(hwnd, FO_COPY, sFolder, sTarget, sList);
}

bool MoveItems(HWND hwnd, const std::string& sFolder, std::string& sTarget, const std::string& sList) {
    return Transfer(hwnd, FO_MOVE, sFolder, sTarget, sList);
}

bool RenameItem(HWND hwnd, const std::string& sOld, const std::string& sNew) {
    try {
        if (!IsFile(sOld) && !IsFolder(sOld)) return false;
        return ShellFileOp(hwnd, FO_RENAME, sOld, sNew, 0);
    } catch (const std::exception&) {
        return false;
    }
}

bool CreateFolderPath(const std::string& sPath) {
    const std::string p = RemoveTrailingSep(GetFullPath(sPath).value_or(""));
    if (IsFolder(p)) return true;
    std::string root, rest;
    if (p.find(":\\") != std::string::npos) {
        root = p.substr(0, 3);
        rest = p.size() > 3 ? p.substr(3) : "";
    } else if (p.starts_with("\\\\")) {
        size_t pos = p.find('\\', 2);
        if (pos == std::string::npos) return IsFolder(p);
        root = p.substr(0, pos + 1);
        rest = p.substr(pos + 1);
    } else {
        return IsFolder(p);
    }
    std::vector<std::string> levels;
    for (size_t start = 0;;) {
        size_t end = rest.find('\\', start);
        levels.push_back(rest.substr(start, end == std::string::npos ? std::string::npos : end - start) +
                         "\\");
        if (end == std::string::npos) break;
        start = end + 1;
    }
    std::string cur = root;
    for (const std::string& level : levels) {
        cur += level;
        if (IsFolder(cur)) continue;
        SECURITY_ATTRIBUTES attributes{};
        attributes.nLength = sizeof attributes; // 12 on the 32-bit build
        if (!CreateDirectoryA(cur.c_str(), &attributes)) {
            std::string text = ApiErrorText(static_cast<int32_t>(GetLastError()));
            MessageBoxA(nullptr, text.c_str(), nullptr, MB_ICONEXCLAMATION | MB_OK);
            break;
        }
    }
    return IsFolder(p);
}

std::string RenameByDialog(HWND hwnd, fRename& form, const std::string& sPath) {
    if (!IsFile(sPath) && !IsFolder(sPath)) return "";
    CenterForm(form.Load(), nullptr);
    form.OldName(GetNamePart(sPath));
    form.ShowModal();
    const std::string sNew = form.NewName();
    if (!sNew.empty() && RenameItem(hwnd, sPath, GetPathPart(sPath) + sNew)) return sNew;
    return "";
}

std::string NewFolderDialog(std::string& sParent, fNewFolder& form) {
    sParent = AddTrailingSep(sParent);
    if (!IsFolder(sParent)) return "";
    CenterForm(form.Load(), nullptr);
    form.ShowModal();
    const std::string sName = form.NewFolder();
    if (!sName.empty() && CreateFolderPath(sParent + sName)) return sName;
    return "";
}

void ReleaseFileOperChoiceBox() {
    Shared().fileOperChoice.reset();
}

} // namespace vireo
