// The document window of the web view, class "Shell DocObject View", a child of "Shell Embedding". For a
// folder it holds the shell's folder view, a "SysListView32" created during the document window's own
// WM_CREATE and filled from the shell namespace with the columns Name, Size, Type and Modified; for a
// page or a document it holds an "Internet Explorer_Server" window.
//
// The list view's notifications reach the document window's procedure (which the control may subclass).
// What the shell's view does with them when they get there: an item activated (double-click or Enter,
// LVN_ITEMACTIVATE) opens a folder in the web view or runs a file through the shell. WM_COMMAND with the
// shell view's menu commands changes the list view's view type in its style.
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <string>

namespace emu {

// The shell view's view commands (WM_COMMAND identifiers sent to the document window).
enum : WORD {
    kViewLargeIcons = 0x7029,
    kViewSmallIcons = 0x702A,
    kViewList = 0x702B,
    kViewDetails = 0x702C,
    kViewThumbnails = 0x7031, // shown as large icons
};

// Who the folder view asks to show a folder the user opened.
class FolderViewHost {
public:
    virtual void OpenFolder(const std::string& pidl) = 0; // absolute list bytes, terminator included
protected:
    ~FolderViewHost() = default;
};

// What the shell view's status bar tells about a folder: its items, and the bytes of its files.
struct FolderSummary {
    size_t objects = 0;
    uint64_t fileBytes = 0;
    bool fileSystem = false; // a file-system folder: its size is told too
};

// Creates the document window filling the embedding window. folderPidl empty: a page or a document.
HWND CreateDocumentWindow(HWND embedding, FolderViewHost* host, const std::string& folderPidl);
// The folder view's list view; 0 for a page or a document.
HWND FolderListView(HWND document);
FolderSummary SummaryOf(HWND document);
// Lists the folder again into the same list view (the shell view's refresh).
FolderSummary RefreshFolder(HWND document);

} // namespace emu
