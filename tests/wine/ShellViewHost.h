// A folder shown the way the web view shows it: the folder's own IShellView (a "SHELLDLL_DefView" window
// with its "SysListView32") created inside a window of class "Shell DocObject View", under a window of
// class "Shell Embedding". A minimal IShellBrowser stands in for the browser around the view.
#pragma once
#include <shlobj.h>
#include <string>

namespace winecheck {

// Registers "Shell Embedding" and "Shell DocObject View" for this program. The document-view host hands
// the view commands it is sent (WM_COMMAND) on to the shell view inside it, as the web view's does.
void RegisterShellHostClasses();

class ShellViewHost {
public:
    // Creates the view of path inside docView in the given mode (FVM_DETAILS, FVM_LIST, ...).
    ShellViewHost(HWND docView, const std::wstring& path, UINT viewMode);
    ShellViewHost(const ShellViewHost&) = delete;
    ShellViewHost& operator=(const ShellViewHost&) = delete;
    // Destroys the view window and releases the view, the folder and the browser.
    ~ShellViewHost();

    // S_OK once the view window exists; else the first failure.
    HRESULT Result() const { return m_hr; }
    HWND View() const { return m_view; }
    // The list view directly under the view window, 0 when there is none.
    HWND ListView() const;
    // Lets the view go now (the destructor does it otherwise).
    void Close();

private:
    HRESULT m_hr = E_FAIL;
    IShellBrowser* m_browser = nullptr;
    IShellView* m_shellView = nullptr;
    HWND m_view = nullptr;
};

} // namespace winecheck
