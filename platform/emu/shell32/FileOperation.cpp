// SHFileOperationA: the shell's file-operation engine (copy, move, rename, delete) over the mounted
// folders, built on kernel32's file functions.
//
// How Windows behaves, and so this engine:
// - pFrom is a list of names, each ended by NUL, the list ended by a second NUL; relative names resolve
//   against the current directory. pTo is read the same way (its first name is the target).
// - Copy and move put each source into pTo when pTo is an existing folder. When pTo does not exist, a single
//   source is copied or moved under that name; several sources make the shell ask whether to create the
//   folder (unless FOF_NOCONFIRMMKDIR).
// - Without FOF_NOCONFIRMATION the shell asks before it replaces a file or merges into an existing folder
//   (Yes, Yes to all, No, Cancel) and before it deletes. The user's answer comes from the desktop's script
//   (kind "FileOperationQuestion", button 0 Yes, 1 Yes to all, 2 No, 3 Cancel); an unanswered question is
//   No. Every question is journalled as "FileOperationQuestion: text | answer".
// - No skips that item and sets fAnyOperationsAborted; Cancel also stops the whole operation and returns
//   DE_OPCANCELLED. The result is 0 on success, otherwise the first failure: one of the shell's own DE_
//   codes below, or the Win32 error of the file function that failed. The operation stops there.
// - A source whose name part holds "*" or "?" is a pattern: it stands for every entry of its folder that
//   matches (FindFirstFile's matching), in the order the folder lists them; a pattern that matches nothing
//   is a missing source.
// - A move never loses a file: across volumes, or onto an existing entry, everything is copied first and
//   the source is removed only when all of it arrived.
// - A failure (not a cancel) is shown in the shell's error box, as the user sees it, unless FOF_NOERRORUI
//   is set: "Cannot copy a.txt: There is not enough space on the disk.", titled "Error Copying File or
//   Folder" (moving, renaming, deleting alike), with the stop icon; the system's text of a Win32 error, the
//   shell's own text of its DE_ codes.
// Each call is journalled as "FileOperation: hwnd | wFunc | pFrom | pTo | fFlags | result | aborted", the
// lists written with every NUL as the two characters \0, up to and with their closing double NUL.
#include "platform/emu/Desktop.h"
#include "platform/emu/api/shlobj_notify.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/win32.h"
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The shell's own results (they are not in the SDK headers; the SHFileOperation documentation lists them).
constexpr int DE_SAMEFILE = 0x71;           // source and destination are the same file
constexpr int DE_MANYSRC1DEST = 0x72;       // several sources, and the destination is one file
constexpr int DE_DIFFDIR = 0x73;            // a rename into another folder
constexpr int DE_OPCANCELLED = 0x75;        // the user cancelled
constexpr int DE_DESTSUBTREE = 0x76;        // the destination is inside the source folder
constexpr int DE_INVALIDFILES = 0x7C;       // no usable source or destination
constexpr int DE_FLDDESTISFILE = 0x7E;      // a folder onto an existing file
constexpr int DE_FILEDESTISFLD = 0x80;      // a file onto an existing folder
constexpr FILEOP_FLAGS kNoErrorUi = 0x0400; // FOF_NOERRORUI: no error box

// The text the error box gives for a result.
std::string ResultText(int result) {
    switch (result) {
    case DE_SAMEFILE:
        return "The source and destination file names are the same.";
    case DE_MANYSRC1DEST:
        return "There are several sources and the destination is one file.";
    case DE_DIFFDIR:
        return "The new name is in another folder.";
    case DE_DESTSUBTREE:
        return "The destination folder is a subfolder of the source folder.";
    case DE_INVALIDFILES:
        return "The source or destination is not valid.";
    case DE_FLDDESTISFILE:
        return "A file with the name of the folder already exists.";
    case DE_FILEDESTISFLD:
        return "A folder with the name of the file already exists.";
    default:
        break;
    }
    char text[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                   static_cast<DWORD>(result), 0, text, sizeof text, nullptr);
    std::string out(text, n);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out.empty() ? "Error " + std::to_string(result) + "." : out;
}

// The shell's error box for a failed operation on the item.
void ShowError(HWND owner, UINT wFunc, const std::string& item, int result) {
    static const char* const verbs[][2] = {
        {"move", "Moving"}, {"copy", "Copying"}, {"delete", "Deleting"}, {"rename", "Renaming"}};
    if (wFunc < FO_MOVE || wFunc > FO_RENAME) return;
    const auto& verb = verbs[wFunc - FO_MOVE];
    const std::string text = std::string("Cannot ") + verb[0] + " " + item + ": " + ResultText(result);
    const std::string title = std::string("Error ") + verb[1] + " File or Folder";
    MessageBoxA(owner, text.c_str(), title.c_str(), MB_ICONERROR | MB_OK);
}

std::vector<std::string> ReadList(LPCSTR list) {
    std::vector<std::string> names;
    if (!list) return names;
    while (*list) {
        std::string name(list);
        list += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

// The list as the journal shows it: names, each followed by \0, and the closing \0.
std::string ListText(LPCSTR list) {
    if (!list) return "";
    std::string text;
    for (const std::string& name : ReadList(list))
        text += name + "\\0";
    return text + "\\0";
}

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string Join(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string NameOf(const std::string& path) {
    size_t pos = path.find_last_of('\\');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string FolderOf(const std::string& path) {
    size_t pos = path.find_last_of('\\');
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string Folded(const std::string& path) {
    std::string upper = emu::AnsiUpper(path);
    while (upper.size() > 3 && upper.back() == '\\')
        upper.pop_back();
    return upper;
}

bool SamePath(const std::string& a, const std::string& b) {
    return Folded(a) == Folded(b);
}

bool Inside(const std::string& path, const std::string& folder) {
    std::string p = Folded(path), f = Folded(folder);
    if (f.back() != '\\') f += '\\';
    return p.size() > f.size() && p.compare(0, f.size(), f) == 0;
}

// "C:" for a drive path, "\\SERVER\SHARE" for a UNC path.
std::string VolumeOf(const std::string& full) {
    std::string upper = emu::AnsiUpper(full);
    if (upper.size() >= 2 && upper[1] == ':') return upper.substr(0, 2);
    size_t server = upper.find('\\', 2);
    size_t share = server == std::string::npos ? server : upper.find('\\', server + 1);
    return upper.substr(0, share);
}

// The names a search pattern finds, "." and ".." left out; nothing when the search finds no entry at all.
std::optional<std::vector<std::string>> Search(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::string> names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::vector<std::string> Children(const std::string& folder) {
    return Search(Join(folder, "*")).value_or(std::vector<std::string>{});
}

// What the engine changed, told to the shell's views as the real engine tells them.
bool Told(LONG event, const std::string& item, const std::string& renamedTo = "") {
    SHChangeNotify(event, SHCNF_PATHA, item.c_str(), renamedTo.empty() ? nullptr : renamedTo.c_str());
    return true;
}

LONG RenameEvent(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? SHCNE_RENAMEFOLDER : SHCNE_RENAMEITEM;
}

// The sources with every pattern replaced by the entries it matches.
std::vector<std::string> Expanded(const std::vector<std::string>& sources) {
    std::vector<std::string> out;
    for (const std::string& source : sources) {
        if (NameOf(source).find_first_of("*?") == std::string::npos) {
            out.push_back(source);
            continue;
        }
        std::optional<std::vector<std::string>> names = Search(source);
        if (!names) {
            out.push_back(source);
            continue;
        }
        const std::string folder = FolderOf(source);
        for (const std::string& name : *names)
            out.push_back(Join(folder, name));
    }
    return out;
}

class Engine {
public:
    explicit Engine(emu::Desktop& desk) : m_desk(desk) {}

    int Run(const SHFILEOPSTRUCTA& op) {
        std::vector<std::string> sources = ReadList(op.pFrom);
        std::vector<std::string> targets = ReadList(op.pTo);
        for (std::string& s : sources)
            s = FullPath(s);
        if (op.wFunc != FO_RENAME) sources = Expanded(sources);
        if (!sources.empty()) m_current = sources.front();
        m_confirm = !(op.fFlags & FOF_NOCONFIRMATION);
        switch (op.wFunc) {
        case FO_COPY:
        case FO_MOVE:
            return Transfer(sources, targets, op.wFunc == FO_MOVE, !(op.fFlags & FOF_NOCONFIRMMKDIR));
        case FO_RENAME:
            return Rename(sources, targets);
        case FO_DELETE:
            return Delete(sources);
        default:
            return ERROR_INVALID_PARAMETER;
        }
    }

    bool Aborted() const { return m_aborted; }
    // The name of the item the operation was working on when it stopped.
    std::string FailedItem() const { return NameOf(m_current); }

private:
    emu::Desktop& m_desk;
    bool m_confirm = true;
    bool m_yesToAll = false;
    bool m_aborted = false;
    bool m_cancelled = false;
    int m_error = 0;
    std::string m_current;

    int Result() const { return m_error ? m_error : m_cancelled ? DE_OPCANCELLED : 0; }
    bool Stopped() const { return m_error || m_cancelled; }
    bool Fail(int code) {
        if (!m_error) m_error = code;
        return false;
    }
    bool FailLast() { return Fail(static_cast<int>(GetLastError())); }

    // The shell's question; true to go on with this item.
    bool Confirm(const std::string& text) {
        if (!m_confirm || m_yesToAll) return true;
        std::optional<emu::Answer> answer = m_desk.Answers().Take("FileOperationQuestion");
        int button = answer ? answer->button : 2;
        static const char* const names[] = {"yes", "yes to all", "no", "cancel"};
        if (button < 0 || button > 3) button = 2;
        m_desk.Log().Add("FileOperationQuestion", {text, names[button]});
        if (button == 1) m_yesToAll = true;
        if (button <= 1) return true;
        m_aborted = true;
        if (button == 3) m_cancelled = true;
        return false;
    }

    int Transfer(const std::vector<std::string>& sources, const std::vector<std::string>& targets, bool move,
                 bool askMkdir) {
        if (sources.empty() || targets.empty()) return DE_INVALIDFILES;
        std::string target = FullPath(targets.front());
        if (target.empty()) return DE_INVALIDFILES;
        DWORD attributes = GetFileAttributesA(target.c_str());
        bool intoFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (attributes == INVALID_FILE_ATTRIBUTES && sources.size() > 1) {
            if (askMkdir && !Confirm("The folder '" + target + "' does not exist. Do you want to create it?"))
                return Result();
            if (!CreateDirectoryA(target.c_str(), nullptr)) return static_cast<int>(GetLastError());
            Told(SHCNE_MKDIR, target);
            intoFolder = true;
        } else if (!intoFolder && attributes != INVALID_FILE_ATTRIBUTES && sources.size() > 1) {
            return DE_MANYSRC1DEST;
        }
        for (const std::string& source : sources) {
            m_current = source;
            std::string destination = intoFolder ? Join(target, NameOf(source)) : target;
            if (move)
                MoveItem(source, destination);
            else
                CopyItem(source, destination);
            if (Stopped()) break;
        }
        return Result();
    }

    // True when all of the item arrived.
    bool CopyItem(const std::string& source, const std::string& destination) {
        DWORD from = GetFileAttributesA(source.c_str());
        if (from == INVALID_FILE_ATTRIBUTES) return Fail(ERROR_FILE_NOT_FOUND);
        if (SamePath(source, destination)) return Fail(DE_SAMEFILE);
        DWORD to = GetFileAttributesA(destination.c_str());
        const bool exists = to != INVALID_FILE_ATTRIBUTES;
        if (from & FILE_ATTRIBUTE_DIRECTORY) {
            if (Inside(destination, source)) return Fail(DE_DESTSUBTREE);
            if (exists && !(to & FILE_ATTRIBUTE_DIRECTORY)) return Fail(DE_FLDDESTISFILE);
            if (exists && !Confirm("This folder already contains a folder named '" + NameOf(destination) +
                                   "'. Do you still want to move or copy the folder?"))
                return false;
            if (!exists && !CreateDirectoryA(destination.c_str(), nullptr)) return FailLast();
            if (!exists) Told(SHCNE_MKDIR, destination);
            bool all = true;
            for (const std::string& child : Children(source)) {
                if (!CopyItem(Join(source, child), Join(destination, child))) all = false;
                if (Stopped()) return false;
            }
            return all;
        }
        if (exists && (to & FILE_ATTRIBUTE_DIRECTORY)) return Fail(DE_FILEDESTISFLD);
        if (exists && !Confirm("This folder already contains a file named '" + NameOf(destination) +
                               "'. Would you like to replace the existing file?"))
            return false;
        if (!CopyFileA(source.c_str(), destination.c_str(), FALSE)) return FailLast();
        return Told(exists ? SHCNE_UPDATEITEM : SHCNE_CREATE, destination);
    }

    bool MoveItem(const std::string& source, const std::string& destination) {
        DWORD from = GetFileAttributesA(source.c_str());
        if (from == INVALID_FILE_ATTRIBUTES) return Fail(ERROR_FILE_NOT_FOUND);
        if (SamePath(source, destination)) return Fail(DE_SAMEFILE);
        if ((from & FILE_ATTRIBUTE_DIRECTORY) && Inside(destination, source)) return Fail(DE_DESTSUBTREE);
        bool exists = GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!exists && VolumeOf(source) == VolumeOf(destination)) {
            if (!MoveFileA(source.c_str(), destination.c_str())) return FailLast();
            return Told(RenameEvent(from), source, destination);
        }
        // Copy everything first; the source goes only when all of it arrived.
        if (!CopyItem(source, destination)) return false;
        return RemoveItem(source);
    }

    bool RemoveItem(const std::string& path) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(ERROR_FILE_NOT_FOUND);
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return DeleteFileA(path.c_str()) ? Told(SHCNE_DELETE, path) : FailLast();
        for (const std::string& child : Children(path))
            if (!RemoveItem(Join(path, child))) return false;
        return RemoveDirectoryA(path.c_str()) ? Told(SHCNE_RMDIR, path) : FailLast();
    }

    int Rename(const std::vector<std::string>& sources, const std::vector<std::string>& targets) {
        if (sources.empty() || targets.empty()) return DE_INVALIDFILES;
        if (sources.size() > 1) return DE_MANYSRC1DEST;
        const std::string& source = sources.front();
        m_current = source;
        std::string target = FullPath(targets.front());
        if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) return ERROR_FILE_NOT_FOUND;
        if (target.empty() || !SamePath(FolderOf(source), FolderOf(target))) return DE_DIFFDIR;
        DWORD attributes = GetFileAttributesA(source.c_str());
        if (!MoveFileA(source.c_str(), target.c_str())) return static_cast<int>(GetLastError());
        Told(RenameEvent(attributes), source, target);
        return 0;
    }

    int Delete(const std::vector<std::string>& sources) {
        if (sources.empty()) return DE_INVALIDFILES;
        std::string text =
            sources.size() == 1
                ? "Are you sure you want to delete '" + NameOf(sources.front()) + "'?"
                : "Are you sure you want to delete these " + std::to_string(sources.size()) + " items?";
        if (!Confirm(text)) return Result();
        for (const std::string& source : sources) {
            m_current = source;
            if (!RemoveItem(source)) break;
        }
        return Result();
    }
};

} // namespace

int WINAPI SHFileOperationA(LPSHFILEOPSTRUCTA lpFileOp) {
    if (!lpFileOp) return ERROR_INVALID_PARAMETER;
    emu::Desktop& desk = emu::Desktop::Current();
    Engine engine(desk);
    int result = lpFileOp->pFrom ? engine.Run(*lpFileOp) : ERROR_INVALID_PARAMETER;
    lpFileOp->fAnyOperationsAborted = engine.Aborted() ? TRUE : FALSE;
    if (result != 0 && result != DE_OPCANCELLED && !(lpFileOp->fFlags & kNoErrorUi))
        ShowError(lpFileOp->hwnd, lpFileOp->wFunc, engine.FailedItem(), result);
    char hwnd[32];
    std::snprintf(hwnd, sizeof hwnd, "%llX", static_cast<unsigned long long>(ULONG_PTR(lpFileOp->hwnd)));
    desk.Log().Add("FileOperation", {hwnd, std::to_string(lpFileOp->wFunc), ListText(lpFileOp->pFrom),
                                     ListText(lpFileOp->pTo), std::to_string(lpFileOp->fFlags),
                                     std::to_string(result), lpFileOp->fAnyOperationsAborted ? "1" : "0"});
    return result;
}
