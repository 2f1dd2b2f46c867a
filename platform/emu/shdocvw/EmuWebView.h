// The web view of the emulated desktop: a WebBrowser control as the control embeds it. At creation it
// makes its top window, "Shell Embedding", a child of the given parent. Each document it shows gets a new
// "Shell DocObject View" under it (the previous one is destroyed first); a folder's document window holds
// the shell's folder view (see FolderView.h).
//
// Navigation is asynchronous, as in the real control: Navigate and Navigate2 raise BeforeNavigate2 at
// once (the sink may cancel, and then nothing else happens); otherwise Busy becomes true and the rest
// runs from a message posted to "Shell Embedding", when the thread next pumps its queue. A later
// navigation or Stop drops one that is still pending. The rest runs in this order:
//   1. StatusTextChange and ProgressChange for each loading step (a page's registered texts and steps,
//      taken in turn; folders and documents have one progress step);
//   2. NavigateComplete2(url); from here on LocationName and LocationURL tell the new location, and the
//      history has the new entry;
//   3. the document window is built (for a folder, its list view is created and filled);
//   4. for a folder, the shell view's status texts: "N object(s)", then (file-system folders) the total
//      size of its files as StrFormatByteSize writes it ("12.5 KB"); the view tells them again after the
//      user changes the selection ("2 object(s) selected", the size of those files);
//   5. TitleChange(title);
//   6. CommandStateChange(2, can go back), CommandStateChange(1, can go forward);
//   7. Busy becomes false; DocumentComplete(url);
//   8. ProgressChange(-1, max): the load has ended.
// An event handler that starts another navigation or stops this one ends the sequence where it is.
//
// An unreachable address (a host with no registered page, a missing folder or file) leads to the web
// view's own error page: from the posted message it raises BeforeNavigate2 for
// "res://shdoclc.dll/dnserror.htm#<address>" (http_404.htm for a missing page on a known host), and when
// that is not cancelled shows it with the steps above. A file other than a text or HTML document is handed
// to the shell to open, and the view keeps its document.
#pragma once
#include "platform/WebView.h"
#include "platform/emu/shdocvw/FolderView.h"
#include "platform/emu/shdocvw/Location.h"
#include <optional>
#include <vector>

namespace emu {

class EmuWebView : public vireo::WebView, private FolderViewHost {
public:
    // A web view whose "Shell Embedding" window fills the parent's client area.
    static vireo::RefPtr<EmuWebView> Create(HWND parent);
    ~EmuWebView() override;

    void SetEvents(vireo::WebViewEvents* events) override { m_events = events; }
    HWND Window() override { return m_window; }
    void Navigate(const std::string& url) override;
    void Navigate2(const vireo::Variant& target) override;
    void Stop() override;
    bool Busy() override { return m_busy; }
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Refresh2(int32_t level) override;
    void ExecWB(int32_t cmd, int32_t options) override;
    std::string LocationName() override { return m_current.name; }
    std::string LocationURL() override { return m_current.locationUrl; }

    // The current "Shell DocObject View" (0 before the first document), and its list view (0 unless it
    // shows a folder).
    HWND DocumentWindow() const { return m_document; }
    HWND FolderList() const { return FolderListView(m_document); }

private:
    explicit EmuWebView(HWND parent);
    EmuWebView(const EmuWebView&) = delete;
    EmuWebView& operator=(const EmuWebView&) = delete;

    enum class Mode { New, History, Reload };
    // Where a history entry leads: a folder by its item-ID list, anything else by its address.
    struct Entry {
        std::string text;
        std::string pidl;
    };
    struct Pending {
        uint32_t serial = 0;
        Location location;
        Mode mode = Mode::New;
        int historyIndex = -1; // Mode::History: the entry it goes to
    };

    static LRESULT CALLBACK EmbeddingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OpenFolder(const std::string& pidl) override;
    void StatusChanged(const std::vector<std::string>& texts) override;
    void Start(Location location, Mode mode, int historyIndex);
    void Run(uint32_t serial);
    // Each of these returns or stops early when an event handler navigated elsewhere or stopped.
    bool RunSteps(uint32_t serial, const Location& location);
    void Complete(uint32_t serial, Pending pending);
    void Reload(uint32_t serial, const Location& location);
    void Reload();
    void ShowDocument(const Location& location);
    bool TellStatus(uint32_t serial, const std::vector<std::string>& texts);
    void GoTo(int index);
    bool Live(uint32_t serial) const { return m_serial == serial; }
    [[noreturn]] static void Fail(const char* method, int32_t hr);

    HWND m_window = nullptr;
    HWND m_document = nullptr;
    vireo::WebViewEvents* m_events = nullptr;
    uint32_t m_serial = 0; // changes with every navigation started and every stop
    std::optional<Pending> m_pending;
    bool m_busy = false;
    bool m_hasDocument = false;
    Location m_current;
    std::vector<Entry> m_history;
    int m_historyIndex = -1;
};

} // namespace emu
