#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/emu/shdocvw/WindowClass.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/shdocvw/WebPages.h"
#include <algorithm>

namespace emu {

namespace {

constexpr const char* kEmbeddingClass = "Shell Embedding";
// The posted message that runs a navigation; wParam is its serial number.
constexpr UINT kRunNavigation = WM_USER + 0x0100;
constexpr int32_t kNotSupported = int32_t(0x80040100u); // OLECMDERR_E_NOTSUPPORTED

// The item-ID list at the start of a byte array, terminator included; "" when the array ends before
// the list does (its items' sizes are read without reading past the array).
std::string ListInArray(const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    while (at + 2 <= bytes.size()) {
        size_t cb = bytes[at] | (size_t(bytes[at + 1]) << 8);
        if (cb == 0) return std::string(bytes.begin(), bytes.begin() + static_cast<long>(at + 2));
        if (cb < 2) return "";
        at += cb;
    }
    return "";
}

void RegisterEmbedding(WNDPROC proc) {
    RegisterClassOnce(kEmbeddingClass, proc, sizeof(LONG_PTR));
}

} // namespace

vireo::RefPtr<EmuWebView> EmuWebView::Create(HWND parent) {
    return vireo::RefPtr<EmuWebView>::Adopt(new EmuWebView(parent));
}

EmuWebView::EmuWebView(HWND parent) {
    RegisterEmbedding(EmbeddingProc);
    RECT rc{};
    GetClientRect(parent, &rc);
    m_window = CreateWindowExA(0, kEmbeddingClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                               0, 0, rc.right, rc.bottom, parent, nullptr, GetModuleHandleA(nullptr), this);
}

EmuWebView::~EmuWebView() {
    ++m_serial;
    m_pending.reset();
    HWND window = std::exchange(m_window, nullptr);
    m_document = nullptr;
    if (window && Desktop::TryCurrent() && IsWindow(window)) {
        SetWindowLongPtrA(window, 0, 0);
        DestroyWindow(window);
    }
}

LRESULT CALLBACK EmuWebView::EmbeddingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EmuWebView*>(GetWindowLongPtrA(hwnd, 0));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrA(
            hwnd, 0, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_SIZE:
        if (self && self->m_document)
            MoveWindow(self->m_document, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case kRunNavigation:
        if (self) self->Run(static_cast<uint32_t>(wParam));
        return 0;
    case WM_NCDESTROY:
        // The parent went first: the web view has no window any more, and nothing left to load.
        if (self) {
            ++self->m_serial;
            self->m_pending.reset();
            self->m_busy = false;
            self->m_window = self->m_document = nullptr;
        }
        SetWindowLongPtrA(hwnd, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void EmuWebView::Fail(const char* method, int32_t hr) {
    vireo::WebViewCallFailed(method, hr);
}

void EmuWebView::Navigate(const std::string& url) {
    if (!m_window) Fail("Navigate", E_FAIL);
    Start(ResolveText(url, Desktop::Current().Web()), Mode::New, -1);
}

void EmuWebView::Navigate2(const vireo::Variant& target) {
    if (!m_window) Fail("Navigate2", E_FAIL);
    if (target.Type() == vireo::VarType::Bytes) {
        std::string pidl = ListInArray(target.BytesValue());
        if (pidl.empty()) Fail("Navigate2", E_INVALIDARG);
        Start(ResolvePidl(pidl), Mode::New, -1);
        return;
    }
    if (!target.HoldsText()) Fail("Navigate2", E_INVALIDARG);
    Start(ResolveText(target.Text(), Desktop::Current().Web()), Mode::New, -1);
}

void EmuWebView::OpenFolder(const std::string& pidl) {
    if (m_window) Start(ResolvePidl(pidl), Mode::New, -1);
}

// BeforeNavigate2 first. A cancelled navigation leaves everything as it was, the one already pending
// included; otherwise this one replaces it and runs when the queue is pumped.
void EmuWebView::Start(Location location, Mode mode, int historyIndex) {
    vireo::RefPtr<EmuWebView> keep(this);
    uint32_t serial = ++m_serial;
    bool cancel = false;
    if (m_events) m_events->BeforeNavigate2(vireo::Variant(location.url), cancel);
    if (!Live(serial)) return; // the handler navigated elsewhere or stopped
    if (cancel) {
        m_serial = serial - 1; // a sequence that was running goes on
        return;
    }
    if (!m_window) return;
    m_pending = Pending{serial, std::move(location), mode, historyIndex};
    m_busy = true;
    PostMessageA(m_window, kRunNavigation, serial, 0);
}

void EmuWebView::Stop() {
    if (!m_busy && !m_pending) return;
    ++m_serial;
    m_pending.reset();
    m_busy = false;
}

void EmuWebView::Run(uint32_t serial) {
    if (!m_pending || m_pending->serial != serial) return; // stopped or replaced since it was posted
    Pending pending = std::move(*m_pending);
    m_pending.reset();
    vireo::RefPtr<EmuWebView> keep(this);
    serial = m_serial;
    if (pending.location.kind == LocationKind::Unreachable) {
        // The real control goes on to its error page, with a navigation of its own.
        pending.location = ErrorPage(pending.location.errorUrl);
        bool cancel = false;
        if (m_events) m_events->BeforeNavigate2(vireo::Variant(pending.location.url), cancel);
        if (!Live(serial)) return;
        if (cancel) {
            m_busy = false;
            return;
        }
    }
    if (pending.location.kind == LocationKind::Program) {
        m_busy = false;
        ShellExecuteA(m_window, nullptr, pending.location.url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    if (pending.mode == Mode::Reload)
        Reload(serial, pending.location);
    else
        Complete(serial, std::move(pending));
}

bool EmuWebView::RunSteps(uint32_t serial, const Location& location) {
    size_t steps = std::max(location.statusTexts.size(), location.progressSteps.size());
    for (size_t i = 0; i < steps; ++i) {
        if (i < location.statusTexts.size() && m_events) m_events->StatusTextChange(location.statusTexts[i]);
        if (!Live(serial)) return false;
        if (i < location.progressSteps.size() && m_events)
            m_events->ProgressChange(location.progressSteps[i], kWebProgressMax);
        if (!Live(serial)) return false;
    }
    return true;
}

void EmuWebView::Complete(uint32_t serial, Pending pending) {
    const Location& location = pending.location;
    if (!RunSteps(serial, location)) return;
    m_current = location;
    m_hasDocument = true;
    if (pending.mode == Mode::History && pending.historyIndex >= 0 &&
        pending.historyIndex < static_cast<int>(m_history.size())) {
        m_historyIndex = pending.historyIndex;
    } else {
        m_history.resize(static_cast<size_t>(m_historyIndex + 1));
        m_history.push_back(location.kind == LocationKind::Folder ? Entry{"", location.pidl}
                                                                  : Entry{location.url, ""});
        m_historyIndex = static_cast<int>(m_history.size()) - 1;
    }
    if (m_events) m_events->NavigateComplete2(vireo::Variant(location.url));
    if (!Live(serial)) return;
    ShowDocument(location);
    if (!Live(serial)) return;
    if (location.kind == LocationKind::Folder && !TellStatus(serial, FolderStatus(m_document))) return;
    if (m_events) m_events->TitleChange(location.title);
    if (!Live(serial)) return;
    if (m_events) m_events->CommandStateChange(vireo::kCscNavigateBack, m_historyIndex > 0);
    if (!Live(serial)) return;
    if (m_events)
        m_events->CommandStateChange(vireo::kCscNavigateForward,
                                     m_historyIndex + 1 < static_cast<int>(m_history.size()));
    if (!Live(serial)) return;
    m_busy = false;
    if (m_events) m_events->DocumentComplete(vireo::Variant(location.url));
    if (!Live(serial)) return;
    if (m_events) m_events->ProgressChange(-1, kWebProgressMax);
}

// A page or document loaded again: its steps and title, no navigation events.
void EmuWebView::Reload(uint32_t serial, const Location& location) {
    if (!RunSteps(serial, location)) return;
    m_current.title = location.title;
    m_current.name = location.name;
    if (m_events) m_events->TitleChange(location.title);
    if (!Live(serial)) return;
    m_busy = false;
    if (m_events) m_events->ProgressChange(-1, kWebProgressMax);
}

void EmuWebView::ShowDocument(const Location& location) {
    if (HWND old = std::exchange(m_document, nullptr); old && IsWindow(old)) DestroyWindow(old);
    if (!m_window) return;
    m_document =
        CreateDocumentWindow(m_window, this, location.kind == LocationKind::Folder ? location.pidl : "");
}

bool EmuWebView::TellStatus(uint32_t serial, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        if (m_events) m_events->StatusTextChange(text);
        if (!Live(serial)) return false;
    }
    return true;
}

void EmuWebView::StatusChanged(const std::vector<std::string>& texts) {
    vireo::RefPtr<EmuWebView> keep(this);
    TellStatus(m_serial, texts);
}

void EmuWebView::GoBack() {
    if (!m_window || m_historyIndex <= 0) Fail("GoBack", E_FAIL);
    GoTo(m_historyIndex - 1);
}

void EmuWebView::GoForward() {
    if (!m_window || m_historyIndex + 1 >= static_cast<int>(m_history.size())) Fail("GoForward", E_FAIL);
    GoTo(m_historyIndex + 1);
}

void EmuWebView::GoTo(int index) {
    Entry entry = m_history[static_cast<size_t>(index)];
    Start(entry.pidl.empty() ? ResolveText(entry.text, Desktop::Current().Web()) : ResolvePidl(entry.pidl),
          Mode::History, index);
}

void EmuWebView::Refresh() {
    if (!m_window) Fail("Refresh", E_FAIL);
    Desktop::Current().Log().Add("WebView", {"Refresh", m_current.url});
    Reload();
}

void EmuWebView::Refresh2(int32_t level) {
    if (!m_window) Fail("Refresh2", E_FAIL);
    Desktop::Current().Log().Add("WebView", {"Refresh2", std::to_string(level), m_current.url});
    Reload();
}

// A folder is listed again at once, in the same list view, and tells its status again; a page or a
// document loads again from a posted message. Neither raises BeforeNavigate2, NavigateComplete2 or
// DocumentComplete (the real control does not either).
void EmuWebView::Reload() {
    if (!m_hasDocument) return;
    if (m_current.kind == LocationKind::Folder) {
        uint32_t serial = m_serial;
        vireo::RefPtr<EmuWebView> keep(this);
        RefreshFolder(m_document);
        TellStatus(serial, FolderStatus(m_document));
        return;
    }
    Location location = m_current;
    if (const WebPage* page = Desktop::Current().Web().Find(location.url)) {
        location.name = location.title = page->title;
        location.statusTexts = page->statusTexts;
        location.progressSteps = page->progressSteps;
    }
    uint32_t serial = ++m_serial;
    m_pending = Pending{serial, std::move(location), Mode::Reload, -1};
    m_busy = true;
    PostMessageA(m_window, kRunNavigation, serial, 0);
}

// Print and save-as reach the document; the shell's folder view supports neither, and without a
// document the call fails, as the real control's does.
void EmuWebView::ExecWB(int32_t cmd, int32_t options) {
    if (!m_window || !m_hasDocument) Fail("ExecWB", E_FAIL);
    if (m_current.kind == LocationKind::Folder) Fail("ExecWB", kNotSupported);
    Desktop::Current().Log().Add("WebView",
                                 {"ExecWB", std::to_string(cmd), std::to_string(options), m_current.url});
}

} // namespace emu
