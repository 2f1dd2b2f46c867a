// The scene of the list-view checks: a scratch folder on C: shown by its own IShellView inside the
// window tree the control looks for (a "Shell Embedding" window holding a "Shell DocObject View"), the
// control activated over it with its window procedures on the windows, and the helpers the groups share.
#pragma once
#include "com/MessagePump.h"
#include "support/ThreadState.h"
#include "control/VireoBrowser.h"
#include "shellview/mWndProc.h"
#include "shellview/mmListView.h"
#include "support/mEnumExt.h"
#include "tests/wine/Checker.h"
#include "tests/wine/Scratch.h"
#include "tests/wine/ShellViewHost.h"
#include <algorithm>
#include <memory>
#include <vector>

namespace winecheck {

// The control's container for this program: a plain parent window, run-time mode, no components (the
// control skips what it would ask of them).
class CheckContainer : public vireo::Container {
public:
    void SetParent(HWND parent) { m_parent = parent; }
    HWND ParentWindow() override { return m_parent; }
    bool UserMode() override { return true; }
    void PropertyChanged(const std::string&) override {}
    vireo::RefPtr<vireo::StdFont> AmbientFont() override { return {}; }
    void SetMousePointer(int32_t) override {}
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND) override { return {}; }
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND) override { return {}; }
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override { return {}; }

private:
    HWND m_parent = nullptr;
};

inline std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

inline std::string Lines(const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names)
        s += n + "\r\n";
    return s;
}

// A list on one line: CR LF shown as "|".
inline std::string Shown(const std::string& list) {
    std::string s;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list.compare(i, 2, "\r\n") == 0) {
            s.push_back('|');
            ++i;
        } else {
            s.push_back(list[i]);
        }
    }
    return s;
}

// The folder the checks look at. Its names test the matching: case (Case.TXT), a space, a name that is a
// prefix of another (note, notes.txt), one that ends another (a.txt, xa.txt), a file without extension
// and a folder with one.
inline const char kDir[] = "C:\\vireo-lv";
struct Entry {
    const char* name;
    bool folder;
    // The name ItemName gives when the extension is hidden: the extension comes back as registered (a
    // case-blind file system takes Case.txt for Case.TXT); null for the name itself.
    const char* restored = nullptr;
};
inline const Entry kEntries[] = {{"data.txt", true},
                                 {"sub", true},
                                 {"sub two", true},
                                 {"a.txt", false},
                                 {"Case.TXT", false, "Case.txt"},
                                 {"My File.txt", false},
                                 {"note", false},
                                 {"notes.txt", false},
                                 {"readme", false},
                                 {"xa.txt", false}};
constexpr LONG kEntryCount = sizeof kEntries / sizeof kEntries[0];

// The entries made in dir; they go with the folder when the returned scratch folder goes.
inline std::unique_ptr<Scratch> MakeTree(const std::string& dir, const std::vector<Entry>& entries) {
    auto scratch = std::make_unique<Scratch>(dir);
    for (const Entry& e : entries)
        if (e.folder)
            scratch->Folder(e.name);
        else
            scratch->File(e.name, "");
    return scratch;
}

// Explorer's "hide extensions for known file types", set for the life of the object and put back after.
// Windows hides only the extensions of registered types; Wine's shell32 hides every extension, so the
// folder holds no file of an unregistered type (ItemName could not give its extension back under Wine).
class HideExtensions {
public:
    explicit HideExtensions(bool hide) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                        nullptr);
        DWORD size = sizeof m_old;
        m_had = RegQueryValueExA(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                ERROR_SUCCESS;
        const DWORD value = hide ? 1 : 0;
        RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    HideExtensions(const HideExtensions&) = delete;
    HideExtensions& operator=(const HideExtensions&) = delete;
    ~HideExtensions() {
        if (m_had)
            RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_old), sizeof m_old);
        else
            RegDeleteValueA(m_key, kValue);
        RegCloseKey(m_key);
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    static constexpr const char* kValue = "HideFileExt";
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_had = false;
};

// Windows always associates .txt with its "Text Document" class; a fresh Wine prefix has the class but
// not the extension's key. The key is added for the checks (and removed after), so that the shell names
// the type of a .txt file as Windows does and the extension index lists .txt under that name.
class TextExtension {
public:
    TextExtension() {
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_WRITE, nullptr, &m_key,
                            &disposition) != ERROR_SUCCESS)
            return;
        m_created = disposition == REG_CREATED_NEW_KEY;
        if (m_created) RegSetValueExA(m_key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), 8);
        vireo::ClearExtensionIndex();
        vireo::BuildExtensionIndex();
    }
    TextExtension(const TextExtension&) = delete;
    TextExtension& operator=(const TextExtension&) = delete;
    ~TextExtension() {
        if (m_key) RegCloseKey(m_key);
        if (m_created) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
        vireo::ClearExtensionIndex();
    }

private:
    HKEY m_key = nullptr;
    bool m_created = false;
};

// The control on a form, activated on a "Shell Embedding" child, with the document-view host created in
// it; Show puts a folder's shell view in the host and makes the folder the control's current location.
class Scene {
public:
    Scene() {
        RegisterShellHostClasses();
        m_form = CreateWindowExA(0, "Static", "form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 560,
                                 nullptr, nullptr, nullptr, nullptr);
        m_container.SetParent(m_form);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(m_container);
        embedding = CreateWindowExA(0, "Shell Embedding", "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480,
                                    control->Window(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowPos(control->Window(), HWND_TOP, 0, 0, 660, 500, SWP_SHOWWINDOW);
        control->Activate();
        docView = CreateWindowExA(0, "Shell DocObject View", "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480,
                                  embedding, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene() {
        Close();
        control.reset();
        DestroyWindow(m_form);
    }

    // The shell view of dir in the given mode; true when it was made.
    bool Show(const std::string& dir, UINT mode) {
        Close();
        control->m_hwndLV = control->m_hwndLV2 = nullptr;
        view = std::make_unique<ShellViewHost>(docView, Wide(dir), mode);
        vireo::PumpMessages(100); // a view that fills its list in the background has done so
        m_pidl = ILCreateFromPathA(dir.c_str());
        vireo::Folder folder;
        folder.sURL = dir + "\\";
        folder.nPidl = reinterpret_cast<LONG_PTR>(m_pidl);
        control->SetCurrentFolder(folder);
        return SUCCEEDED(view->Result());
    }
    // The list view the document view's procedure found, made the control's list view as the embedding
    // window's procedure makes the one it finds: the setup is over, style changes are recorded. (The
    // embedding window's procedure takes only a list view lying directly in the document-view host; a real
    // shell view puts it one level down, in SHELLDLL_DefView.)
    HWND TakeListView() {
        control->m_hwndLV = control->m_hwndLV2;
        vireo::Shared().g_bViewReady = true;
        return control->m_hwndLV;
    }
    void Close() {
        if (view) view->Close();
        view.reset();
        if (control) control->SetCurrentFolder(vireo::Folder());
        ILFree(m_pidl);
        m_pidl = nullptr;
    }

    vireo::RefPtr<vireo::VireoBrowser> control;
    HWND embedding = nullptr;
    HWND docView = nullptr;
    std::unique_ptr<ShellViewHost> view;

private:
    HWND m_form = nullptr;
    CheckContainer m_container;
    LPITEMIDLIST m_pidl = nullptr;
};

inline std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

inline LONG_PTR Prop(HWND hwnd, const char* name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name));
}

inline LONG_PTR Proc(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

inline void ClearSelection(HWND lv) {
    vireo::SetItemSelected(lv, -1, false); // index -1: every item
}

// The real names of all items, sorted.
inline std::vector<std::string> AllNames(vireo::VireoBrowser& control) {
    std::vector<std::string> names;
    for (LONG i = 0; i < vireo::ItemCount(control.m_hwndLV); ++i)
        names.push_back(vireo::ItemName(control, i));
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<std::string> EntryNames(bool hidden) {
    std::vector<std::string> names;
    for (const Entry& e : kEntries)
        names.push_back(hidden && e.restored ? e.restored : e.name);
    std::sort(names.begin(), names.end());
    return names;
}

// The groups that look at the windows and the timing, run by CheckListView on the same scene.
void CheckContextMenu(Scene& scene);
void CheckSubclassing(Scene& scene);
void CheckTermination(Scene& scene);
void CheckLabelEditing(Scene& scene);
void CheckSelectionNotice(Scene& scene);
void TimeLargeFolder(Scene& scene, int files);

} // namespace winecheck
