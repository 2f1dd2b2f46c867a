// The path helpers, drives and system version against Wine's kernel32 and shlwapi: a scratch folder under
// C:\vireo holds real files and folders, and every answer is compared with what Windows gives for them.
#include "support/CaseFold.h"
#include "support/mDrive.h"
#include "support/mmFile.h"
#include "support/mmWinVersion.h"
#include "tests/conformance/CaseFoldTable.h"
#include "tests/conformance/PropertyNameTable.h"
#include "tests/wine/Checker.h"
#include "tests/wine/Scratch.h"
#include <optional>

namespace winecheck {

namespace {

using vireo::GetCurrentDir;
using vireo::SetCurrentDir;

const std::string kRoot = "C:\\vireo\\scratch";

std::string Shown(const std::optional<std::string>& s) {
    return s ? "\"" + *s + "\"" : "<none>";
}

// Each part of a short path is an 8.3 name: at most eight characters, a dot and three, no blank. Windows
// makes "LONGFO~1" of "Long Folder Name"; Wine hashes the name ("LONGF~AB"), both are 8.3 names.
bool IsShortForm(const std::string& path) {
    size_t start = path.find('\\');
    while (start != std::string::npos) {
        size_t end = path.find('\\', start + 1);
        std::string part =
            path.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        size_t dot = part.find('.');
        std::string base = part.substr(0, dot);
        std::string ext = dot == std::string::npos ? "" : part.substr(dot + 1);
        if (part.find(' ') != std::string::npos || base.size() > 8 || ext.size() > 3 ||
            ext.find('.') != std::string::npos)
            return false;
        start = end;
    }
    return true;
}

// The one case fold, as the native suite runs it, against Wine's CharLowerBuffA and CharUpperBuffA.
void CheckCaseFold() {
    for (const conformance::FoldCase& c : conformance::kFoldCases) {
        Check(std::string("case fold: ") + c.note, vireo::SameTextNoCase(c.a, c.b) == c.same &&
                                                       vireo::FoldCase(c.a) == c.lower &&
                                                       vireo::UpperText(c.a) == c.upper);
    }
}

// Window property names, as the native suite runs them, against Wine's user32 and its global atom table:
// read back by name and by the atom GlobalAddAtomA gives (the subclassing reads "OldWndProc" that way).
void CheckPropertyNames() {
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const conformance::PropertyNameCase& c : conformance::kPropertyNameCases) {
        if (c.wineDiffers) {
            std::printf("skip property name: %s: Wine differs from Windows here\n", c.note);
            continue;
        }
        HWND w = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        const conformance::PropertyNameOutcome o = conformance::RunPropertyNameCase(c, w, other);
        const HANDLE want = conformance::WantedProperty(c);
        const bool byAtomOk = !o.atomMade || o.byAtom == want;
        Check(std::string("property name: ") + c.note,
              o.set == c.setWorks && o.byName == want && byAtomOk && !o.onOther,
              std::string("set ") + (o.set ? "yes" : "no") + ", by name " +
                  Hex(long(reinterpret_cast<LONG_PTR>(o.byName))) + (byAtomOk ? "" : ", by atom differs"));
        DestroyWindow(w);
    }
    DestroyWindow(other);
}

void CheckFileTests() {
    SetCurrentDir(kRoot);
    const struct {
        std::string path;
        bool folder, file;
    } cases[] = {
        {kRoot, true, false},
        {"c:\\VIREO\\SCRATCH\\", true, false},
        {kRoot + "\\f.txt", false, true},
        {"C:\\VIREO\\SCRATCH\\F.TXT", false, true},
        {"f.txt", false, true}, // relative to the current directory
        {"sub", true, false},
        {kRoot + "\\f.txt\\", false, false}, // a file named as a folder is not found
        {kRoot + "\\missing", false, false},
        {kRoot + "\\missing\\deeper", false, false},
        {"", false, false},
        {"not a path", false, false},
        {"http://host/", false, false},
        {kRoot + "\\*", false, false},
        {"C:\\", true, false},
        {"C:", true, false}, // the current directory of drive C:
    };
    for (const auto& t : cases) {
        bool folder = vireo::IsFolder(t.path), file = vireo::IsFile(t.path);
        Check("IsFolder/IsFile \"" + t.path + "\"", folder == t.folder && file == t.file,
              "folder " + std::to_string(folder) + ", file " + std::to_string(file));
    }
}

void CheckCurrentDirectory() {
    const std::string sub = kRoot + "\\sub";
    SetCurrentDir(sub);
    Check("SetCurrentDir to a folder", GetCurrentDir() == sub + "\\", GetCurrentDir());
    SetCurrentDir(kRoot + "\\missing");
    Check("SetCurrentDir to a missing folder changes nothing", GetCurrentDir() == sub + "\\",
          GetCurrentDir());
    SetCurrentDir(kRoot + "\\f.txt");
    Check("SetCurrentDir to a file changes nothing", GetCurrentDir() == sub + "\\", GetCurrentDir());
    SetCurrentDir("Q:\\");
    Check("SetCurrentDir to a missing drive changes nothing", GetCurrentDir() == sub + "\\", GetCurrentDir());

    const struct {
        std::string in;
        std::optional<std::string> want;
    } cases[] = {
        {"f", sub + "\\f"},          {"a\\f", sub + "\\a\\f"},
        {".\\f\\g", sub + "\\f\\g"}, {"..\\f\\g", kRoot + "\\f\\g"},
        {"\\tmp\\f", "C:\\tmp\\f"},  {"\\\\srv\\s", "\\\\srv\\s"},
        {"", std::nullopt},          {"C:\\x", "C:\\x"},
    };
    for (const auto& t : cases) {
        auto got = vireo::GetFullPath(t.in);
        Check("GetFullPath \"" + t.in + "\"", got == t.want, Shown(got));
    }

    // Every drive keeps its own current directory: moving to Z: and back to C: finds sub again.
    SetCurrentDir("Z:\\tmp");
    Check("SetCurrentDir to another drive", GetCurrentDir() == "Z:\\tmp\\", GetCurrentDir());
    Check("GetCurrentDir with a drive path goes back to that drive's folder",
          GetCurrentDir("C:\\anything") == sub + "\\", GetCurrentDir());
    Check("the change of drive stays", GetCurrentDir() == sub + "\\", GetCurrentDir());
    Check("the other drive kept its folder", GetCurrentDir("Z:\\") == "Z:\\tmp\\", GetCurrentDir());
    SetCurrentDir(kRoot);
}

void CheckPlatformWrappers() {
    char raw[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, raw);
    std::string temp = vireo::GetTempDir();
    Check("GetTempDir is the temporary folder with its separator",
          temp == vireo::AddTrailingSep(raw) && temp.back() == '\\' && vireo::IsFolder(temp), temp);
    Check("GetTempDir is a drive path", vireo::IsDrivePath(temp), temp);

    const std::string longFile = kRoot + "\\Long Folder Name\\readme.txt";
    std::string shortFile = vireo::GetShortPath(longFile);
    Check("GetShortPath gives 8.3 names", shortFile != longFile && IsShortForm(shortFile), shortFile);
    Check("GetShortPath keeps the short parts and the file name",
          shortFile.starts_with(kRoot + "\\") && shortFile.ends_with("\\readme.txt"), shortFile);
    Check("GetShortPath names the same file", vireo::IsFile(shortFile), shortFile);
    const std::string plain[] = {kRoot + "\\f.txt", kRoot + "\\missing file name", ""};
    for (const auto& p : plain)
        Check("GetShortPath \"" + p + "\" is the text itself", vireo::GetShortPath(p) == p,
              vireo::GetShortPath(p));

    const struct {
        std::string file, want;
    } urls[] = {
        {kRoot + "\\site.url", "http://example.org/"},
        {"C:\\VIREO\\SCRATCH\\SITE.URL", "http://example.org/"},
        {kRoot + "\\case.URL", "http://x/"},   // section and key in any case, blanks trimmed
        {kRoot + "\\quoted.url", "http://q/"}, // a quoted value loses its quotes
        {kRoot + "\\long.url", "http://" + std::string(2040, 'x')}, // 2047 characters fit the buffer
        {kRoot + "\\broken.url", ""},
        {kRoot + "\\nokey.url", ""},
        {kRoot + "\\missing.url", ""},
        {kRoot + "\\a.txt", ""}, // not a shortcut by its name
    };
    for (const auto& t : urls) {
        std::string got = vireo::ReadUrlShortcut(t.file);
        Check("ReadUrlShortcut \"" + t.file + "\"", got == t.want,
              Shown(got.substr(0, 40)) + " (" + std::to_string(got.size()) + " characters)");
    }
}

void CheckDrivesAndVersion() {
    // The drive list is the bit mask of drives written out: "C:\", NUL, ... and a final NUL.
    std::string want;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) want += std::string(1, char('A' + i)) + ":\\" + '\0';
    want += '\0';
    std::string got = vireo::LogicalDriveString();
    std::string shown = got;
    for (char& c : shown)
        if (c == '\0') c = '|';
    Check("LogicalDriveString lists every drive", got == want && want.size() > 1, shown);

    OSVERSIONINFOA osv{};
    osv.dwOSVersionInfoSize = sizeof osv;
    GetVersionExA(&osv);
    std::string version = std::to_string(static_cast<unsigned long>(osv.dwMajorVersion)) + "." +
                          std::to_string(static_cast<unsigned long>(osv.dwMinorVersion));
    Check("IsWinNT on an NT system", vireo::IsWinNT(), version);
    Check("IsWin2000 only on NT 5.x", vireo::IsWin2000() == (osv.dwMajorVersion == 5), version);
    Check("IsWinMe is false on NT", !vireo::IsWinMe(), version);
    int32_t shlwapi = vireo::ShlwapiMajorVersion();
    Check("ShlwapiMajorVersion is 5 or more", shlwapi >= 5, std::to_string(shlwapi));
}

} // namespace

void CheckSupport() {
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, saved);
    Scratch scratch(kRoot);
    scratch.Folder("sub");
    scratch.Folder("Long Folder Name");
    scratch.File("f.txt", "x");
    scratch.File("Long Folder Name\\readme.txt", "readme");
    scratch.File("site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    scratch.File("case.URL", "[other]\r\nURL=wrong\r\n[internetshortcut]\r\n  url = http://x/  \r\n");
    scratch.File("quoted.url", "[InternetShortcut]\r\nURL=\"http://q/\"\r\n");
    scratch.File("long.url", "[InternetShortcut]\r\nURL=http://" + std::string(3000, 'x') + "\r\n");
    scratch.File("broken.url", "this is not an ini file");
    scratch.File("nokey.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
    scratch.File("a.txt", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    Check("scratch folder made", scratch.Ok(), kRoot);

    CheckCaseFold();
    CheckPropertyNames();
    CheckFileTests();
    CheckCurrentDirectory();
    CheckPlatformWrappers();
    CheckDrivesAndVersion();

    SetCurrentDirectoryA(saved);
}

} // namespace winecheck
