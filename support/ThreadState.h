// ThreadState: everything the controls of one user-interface thread share. The container runs every
// control, event and window procedure on its one thread, and the modules keep one copy of these values for
// all the controls on it: a second control sees what the first one set. What belongs to one control (its
// windows, its location, its view mode, its column width) lives in the control, never here.
//
// There is exactly one object per thread (Shared()); Reset() puts it back as a fresh thread has it, which
// is what a test does instead of clearing values one by one.
#pragma once
#include "platform/IconMenu.h"
#include "platform/RefCounted.h"
#include "platform/win32.h"
#include "support/mEnumExt.h"
#include <memory>
#include <string>
#include <vector>

namespace vireo {

class fRename;
class fNewFolder;

struct ThreadState {
    ThreadState() = default;
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(ThreadState&&) = default;

    // Every value below back to its start, and the shared dialogs and choice boxes let go. The shell's
    // allocator, desktop folder and the property atoms stay: they are the same for the whole process.
    void Reset();

    // Module-wide values of the control. The temporary directory (with its trailing separator) is taken
    // by Activate and SetTempDir for the whole thread; the font face and the small font are what the last
    // SetFontColor gave, and the dialogs of every control use them.
    std::string g_sTempDir;
    std::string g_sFontName;
    LONG_PTR g_hFontSmall = 0;
    // The platform flags: the system does not change under a running process, so every control's
    // initialisation sets the same values.
    bool g_bWinNT = false;   // the platform is NT
    bool g_bWin2000 = false; // NT major version 5
    bool g_bWinMe = false;   // Windows 9x version 4.90

    // The window procedures' static state, one copy for the procedures of every control.
    // The last document view whose first WM_WINDOWPOSCHANGING was handled: a document view of another
    // control that moves for the first time differs from it and is set up.
    HWND lastDocView = nullptr;
    // Shift and Ctrl held in a list view: there is one keyboard, whichever list view heard the key.
    bool shiftDown = false;
    bool ctrlDown = false;
    // False while a list view found at the creation of a document view is being set up, so that the
    // switch to details made there is not taken for the user's view mode.
    bool g_bViewReady = false;

    // The shell's type name of a file-system folder, taken once: it is the platform's wording.
    std::string g_sFolderTypeName;
    // The IContextMenu2 of the context menu being shown: there is one menu on screen at a time.
    IContextMenu* contextMenu2 = nullptr;

    // The drive roots of the last built drive menu, in menu order, and its CD-ROM drives: the drives are
    // the machine's, so every control's build gives the same list; cleared with the last control.
    std::vector<std::string> g_colDrives;
    int g_nCDDrives = 0;

    // The index of registered extensions: the registry's file types are the machine's; built once while
    // empty and cleared with the last control.
    ExtIndex g_ExtIndex;

    // The shared dialog and message-box instances: one of each serves every control, as one of them is
    // shown at a time. The forms are known here by name only (shared_ptr deletes them where they are
    // complete); each is made on first use.
    std::shared_ptr<fRename> renameForm;
    std::shared_ptr<fNewFolder> newFolderForm;
    RefPtr<ChoiceBox> urlTypeChoice;  // asks the kind of an address of no known form
    RefPtr<ChoiceBox> fileOperChoice; // asks before copying and moving

    // The shell's allocator and desktop folder, fetched once and kept (borrowed: never released).
    IMalloc* shellMalloc = nullptr;
    IShellFolder* desktopFolder = nullptr;
    // The global atoms of the property names "OldWndProc" and "ObjectPtr", added once by the first
    // subclassing and kept for the process (their references are never given back), so that the
    // properties are read by number.
    ATOM oldWndProcAtom = 0;
    ATOM objectPtrAtom = 0;
};

// The calling thread's shared state: the one per-thread object of the system. Inline, as the window
// procedures read it on every message they pass on.
inline ThreadState& Shared() {
    thread_local ThreadState state;
    return state;
}

} // namespace vireo
