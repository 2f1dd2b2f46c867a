#include "tests/wine/ShellViewHost.h"

namespace winecheck {

namespace {

// The browser around one view: its window is the document-view host; it offers no menus, toolbars or
// navigation of its own.
class Browser : public IShellBrowser {
public:
    explicit Browser(HWND window) : m_window(window) {}
    void SetView(IShellView* view) { m_view = view; } // not owned: the view holds the browser

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellBrowser) {
            *out = static_cast<IShellBrowser*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = m_window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModelessSB(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream** stream) override {
        if (stream) *stream = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND* window) override {
        if (window) *window = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) override {
        if (result) *result = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
        if (!view) return E_POINTER;
        *view = m_view;
        if (!m_view) return E_FAIL;
        m_view->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return S_OK; }

private:
    virtual ~Browser() = default;
    ULONG m_refs = 1;
    HWND m_window;
    IShellView* m_view = nullptr;
};

LRESULT CALLBACK DocViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        if (HWND view = FindWindowExA(hwnd, nullptr, "SHELLDLL_DefView", nullptr))
            return SendMessageA(view, msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterShellHostClasses() {
    const struct {
        const char* name;
        WNDPROC proc;
    } classes[] = {{"Shell Embedding", DefWindowProcA}, {"Shell DocObject View", DocViewProc}};
    for (const auto& c : classes) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = c.proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = c.name;
        RegisterClassExA(&wc);
    }
}

ShellViewHost::ShellViewHost(HWND docView, const std::wstring& path, UINT viewMode) {
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
    LPITEMIDLIST pidl = ILCreateFromPathW(path.c_str());
    m_hr = pidl ? SHGetDesktopFolder(&desktop) : E_INVALIDARG;
    if (SUCCEEDED(m_hr))
        m_hr = desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    if (SUCCEEDED(m_hr))
        m_hr = folder->CreateViewObject(docView, IID_IShellView, reinterpret_cast<void**>(&m_shellView));
    if (SUCCEEDED(m_hr)) {
        auto* browser = new Browser(docView);
        browser->SetView(m_shellView);
        m_browser = browser;
        RECT rect;
        GetClientRect(docView, &rect);
        FOLDERSETTINGS settings{viewMode, 0};
        m_hr = m_shellView->CreateViewWindow(nullptr, &settings, m_browser, &rect, &m_view);
        if (SUCCEEDED(m_hr) && !m_view) m_hr = E_FAIL;
        if (SUCCEEDED(m_hr)) ShowWindow(m_view, SW_SHOW);
    }
    if (folder) folder->Release();
    if (desktop) desktop->Release();
    ILFree(pidl);
}

ShellViewHost::~ShellViewHost() {
    Close();
}

void ShellViewHost::Close() {
    if (m_shellView) {
        if (m_view) m_shellView->DestroyViewWindow();
        m_shellView->Release();
    }
    if (m_browser) m_browser->Release();
    m_shellView = nullptr;
    m_browser = nullptr;
    m_view = nullptr;
}

HWND ShellViewHost::ListView() const {
    return m_view ? FindWindowExA(m_view, nullptr, "SysListView32", nullptr) : nullptr;
}

} // namespace winecheck
