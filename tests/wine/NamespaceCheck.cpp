// The shell namespace helpers against Wine's shell32: item-ID lists of real folders and files, the
// desktop, a "::{...}" parsing name and missing paths; display names, attributes, binding, enumeration
// and the extension index. Every list the checks get is freed.
#include "support/mEnumExt.h"
#include "support/mmShellMacro.h"
#include "tests/wine/Checker.h"
#include "tests/wine/Scratch.h"
#include <algorithm>
#include <shlobj.h>

namespace winecheck {

namespace {

using namespace vireo;

const std::string kRoot = "C:\\vireo\\nsscratch";

// One list, freed when it goes.
struct List {
    LONG_PTR p;
    explicit List(LONG_PTR pidl) : p(pidl) {}
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List() { FreePidl(p); }
};

std::string PathOf(LONG_PTR pidl) {
    char path[MAX_PATH] = "";
    if (!pidl || !SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(pidl), path)) return "<none>";
    return path;
}

bool SameList(LONG_PTR a, LONG_PTR b) {
    return a && b && PidlToBytes(a) == PidlToBytes(b);
}

// Windows hides the extensions of known types in display names by default; the checks ask for that
// explicitly (Wine shows them unless told), and put the user's setting back afterwards.
class HiddenExtensions {
public:
    HiddenExtensions() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        DWORD size = sizeof m_old;
        m_had = RegQueryValueExA(m_key, "HideFileExt", nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old),
                                 &size) == ERROR_SUCCESS;
        DWORD hide = 1;
        RegSetValueExA(m_key, "HideFileExt", 0, REG_DWORD, reinterpret_cast<BYTE*>(&hide), sizeof hide);
    }
    ~HiddenExtensions() {
        if (m_had)
            RegSetValueExA(m_key, "HideFileExt", 0, REG_DWORD, reinterpret_cast<BYTE*>(&m_old), sizeof m_old);
        else
            RegDeleteValueA(m_key, "HideFileExt");
        RegCloseKey(m_key);
    }
    HiddenExtensions(const HiddenExtensions&) = delete;
    HiddenExtensions& operator=(const HiddenExtensions&) = delete;

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_had = false;
};

// Counts the task allocator's blocks (the shell allocator is the task allocator) while it is registered:
// blocks allocated minus blocks freed of those it saw allocated.
class AllocationCounter : public IMallocSpy {
public:
    long outstanding = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T cb) override { return cb; }
    void* STDMETHODCALLTYPE PostAlloc(void* p) override {
        if (p) ++outstanding;
        return p;
    }
    void* STDMETHODCALLTYPE PreFree(void* p, BOOL spied) override {
        if (p && spied) --outstanding;
        return p;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* p, SIZE_T cb, void** out, BOOL) override {
        *out = p;
        return cb;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* p, BOOL) override { return p; }
    void* STDMETHODCALLTYPE PreGetSize(void* p, BOOL) override { return p; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T cb, BOOL) override { return cb; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* p, BOOL) override { return p; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

// Every list the helpers return, freed: the walk by display names, joining, copying, naming.
void UseLists() {
    for (const std::string& path : {kRoot + "\\sub\\deep\\inner", kRoot + "\\", std::string("C:\\")}) {
        List pidl(PidlFromPathEx(nullptr, path));
        List last(CopyPidlItem(pidl.p, -1));
        List joined(ConcatPidls(CopyPidlItem(pidl.p, 1), CopyPidlItem(pidl.p, 2), true, true));
        PidlDisplayPath(pidl.p);
        DisplayNameOfPath(Variant::Long(pidl.p));
        List child(ChildPidlByName(pidl.p, "sub"));
        IsFolderAccessible(nullptr, path);
    }
}

void CheckNothingLeaks() {
    UseLists(); // the shell's own caches are filled first
    // It stays alive with the process: a spy with blocks outstanding is only revoked when they are freed.
    static AllocationCounter counter;
    counter.outstanding = 0;
    if (FAILED(CoRegisterMallocSpy(&counter))) {
        Check("the allocator can be counted", false);
        return;
    }
    UseLists();
    CoRevokeMallocSpy();
    Check("no item-ID list is left allocated", counter.outstanding == 0, std::to_string(counter.outstanding));
}

void CheckPaths() {
    const struct {
        std::string in;
        std::string path; // what the list names; "" for no list
    } cases[] = {
        {kRoot, kRoot},
        {kRoot + "\\", kRoot}, // a trailing separator names the same folder
        {"c:\\VIREO\\NSSCRATCH\\SUB", kRoot + "\\sub"},
        {kRoot + "\\notes.ini", kRoot + "\\notes.ini"},
        {kRoot + "\\notes", kRoot + "\\notes.ini"}, // the name shown without its hidden extension
        {kRoot + "\\sub\\deep\\inner", kRoot + "\\sub\\deep\\inner.ini"},
        {"C:\\", "C:\\"},
        {kRoot + "\\missing", ""},
        {kRoot + "\\missing\\deeper", ""},
        {"Q:\\nothing", ""},
        {"", ""},
    };
    for (const auto& t : cases) {
        List pidl(PidlFromPathEx(nullptr, t.in));
        std::string got = pidl.p ? PathOf(pidl.p) : "";
        Check("PidlFromPathEx \"" + t.in + "\"", got == t.path, got);
    }

    List plain(PidlFromPath(nullptr, kRoot)), slash(PidlFromPathEx(nullptr, kRoot + "\\"));
    Check("PidlFromPathEx with a separator gives the list without it", SameList(plain.p, slash.p));
    List hidden(PidlFromPath(nullptr, kRoot + "\\notes"));
    Check("PidlFromPath does not parse a name without its extension", hidden.p == 0, PathOf(hidden.p));

    // Arithmetic on a real list: My Computer, C:, vireo, nsscratch.
    int16_t count = PidlItemCount(plain.p);
    int total = 2;
    for (LONG_PTR item = plain.p; PidlItemSize(item); item = NextPidlItem(item))
        total += PidlItemSize(item);
    Check("PidlItemCount of a folder three levels below the drive", count == 4, std::to_string(count));
    Check("PidlSize is the items and the terminator", PidlSize(plain.p) == total, std::to_string(total));
    List last(CopyPidlItem(plain.p, -1)), fifth(CopyPidlItem(plain.p, 5));
    Check("CopyPidlItem past the end copies the last item",
          SameList(last.p, fifth.p) && PidlItemCount(last.p) == 1);
    List parent(PidlFromPath(nullptr, "C:\\vireo"));
    List joined(ConcatPidls(parent.p, last.p, false, false));
    Check("ConcatPidls of the parent and the last item names the folder", PathOf(joined.p) == kRoot,
          PathOf(joined.p));

    List child(ChildPidlByName(plain.p, "LONG FOLDER NAME"));
    Check("ChildPidlByName compares without regard to case", PathOf(child.p) == kRoot + "\\Long Folder Name",
          PathOf(child.p));
    List none(ChildPidlByName(plain.p, "absent"));
    Check("ChildPidlByName of a missing name", none.p == 0);

    std::string shown = PidlDisplayPath(plain.p);
    Check("PidlDisplayPath names every level",
          shown.ends_with("\\vireo\\nsscratch\\") && std::count(shown.begin(), shown.end(), '\\') == 5,
          shown);
    Check("FreePidl answers 0", FreePidl(PidlFromPath(nullptr, kRoot)) == 0 && FreePidl(0) == 0);
}

void CheckSpecialNames() {
    List desktop(SpecialFolderPidl(nullptr, CSIDL_DESKTOP));
    Check("the desktop is the empty list",
          desktop.p && PidlSize(desktop.p) == 2 && PidlItemCount(desktop.p) == 0);
    IShellFolder* bound = BindToFolder(GetDesktopFolder(), 0);
    Check("BindToFolder of no list is the desktop", bound && bound == GetDesktopFolder());
    if (bound) bound->Release();

    List computer(SpecialFolderPidl(nullptr, CSIDL_DRIVES));
    List parsed(PidlFromPath(nullptr, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    Check("a \"::{...}\" parsing name gives the special folder's list",
          SameList(computer.p, parsed.p) && PidlItemCount(parsed.p) == 1);
    IShellFolder* drives = BindToFolder(GetDesktopFolder(), computer.p);
    Check("BindToFolder of My Computer is not the desktop", drives && drives != GetDesktopFolder());
    List cdrive(PidlFromPath(nullptr, "C:\\"));
    std::string c = drives ? DisplayNameOf(drives, NextPidlItem(cdrive.p), SHGDN_FORPARSING) : "";
    Check("DisplayNameOf the drive for parsing", c == "C:\\", c);
    if (drives) drives->Release();
    Check("CanEnumerate My Computer", CanEnumerate(nullptr, computer.p));
    Check("IsFolderAccessible of a folder and of a missing one",
          IsFolderAccessible(nullptr, kRoot) && !IsFolderAccessible(nullptr, kRoot + "\\missing"));
}

void CheckFileInformation() {
    List folder(PidlFromPath(nullptr, kRoot + "\\sub"));
    const struct {
        std::string what;
        Variant item;
        std::string name;
        bool folder, fileSystem;
    } cases[] = {
        {"folder path", Variant(kRoot + "\\sub"), "sub", true, true},
        {"folder list", Variant::Long(folder.p), "sub", true, true},
        {"file path", Variant(kRoot + "\\notes.ini"), "notes", false, true},
        {"missing path", Variant(kRoot + "\\missing"), "", false, false},
    };
    for (const auto& t : cases) {
        LONG attributes = FileAttributes(t.item);
        std::string name = DisplayNameOfPath(t.item);
        bool isFolder = attributes & SFGAO_FOLDER, isFileSystem = attributes & SFGAO_FILESYSTEM;
        Check("file information of " + t.what,
              name == t.name && isFolder == t.folder && isFileSystem == t.fileSystem,
              "\"" + name + "\" " + Hex(attributes));
    }
    std::string byType = GetTypeName(".ini", SHGFI_USEFILEATTRIBUTES);
    std::string byFile = GetTypeName(kRoot + "\\notes.ini", 0);
    Check("GetTypeName by extension alone is the file's", !byType.empty() && byType == byFile,
          byType + " / " + byFile);

    ClearExtensionIndex();
    BuildExtensionIndex();
    auto txt = ExtensionsOfType(byType);
    Check("the extension index files .ini under its type",
          txt && txt->find(".ini\r\n") != std::string::npos &&
              (txt->starts_with(".ini") || txt->find("\n.ini\r\n") != std::string::npos),
          txt ? *txt : "<none>");
    ClearExtensionIndex();
}

} // namespace

void CheckNamespace() {
    HiddenExtensions hide;
    Scratch scratch(kRoot);
    scratch.Folder("sub");
    scratch.Folder("sub\\deep");
    scratch.Folder("Long Folder Name");
    scratch.File("notes.ini", "notes");
    scratch.File("sub\\deep\\inner.ini", "inner");
    Check("namespace scratch folder made", scratch.Ok(), kRoot);
    CheckPaths();
    CheckSpecialNames();
    CheckFileInformation();
    CheckNothingLeaks();
}

} // namespace winecheck
