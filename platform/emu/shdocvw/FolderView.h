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
#include <vector>

namespace emu {

// The shell view's view commands (WM_COMMAND identifiers sent to the document window).
enum : WORD {
    kViewLargeIcons = 0x7029,
    kViewSmallIcons = 0x702A,
    kViewList = 0x702B,
    kViewDetails = 0x702C,
    kViewThumbnails = 0x7031, // shown as large icons
};

// Who the folder view tells what the user did in it: a folder to show, and new status texts.
class FolderViewHost {
public:
    virtual void OpenFolder(const std::string& pidl) = 0; // absolute list bytes, terminator included
    virtual void StatusChanged(const std::vector<std::string>& texts) = 0;

protected:
    ~FolderViewHost() = default;
};

// Creates the document window filling the embedding window. folderPidl empty: a page or a document.
HWND CreateDocumentWindow(HWND embedding, FolderViewHost* host, const std::string& folderPidl);
// The folder view's list view; 0 for a page or a document.
HWND FolderListView(HWND document);
// What the shell view's status bar says: with nothing selected "N object(s)", else "N object(s)
// selected"; then, in a file-system folder, the size of those files ("12.5 KB"). The view tells its host
// again when the selection has changed, once for all the changes made before the queue is next pumped.
std::vector<std::string> FolderStatus(HWND document);
// Lists the folder again into the same list view (the shell view's refresh).
void RefreshFolder(HWND document);

} // namespace emu
