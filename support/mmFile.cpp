#include "support/mmFile.h"
#include "support/CaseFold.h"
#include "platform/RuntimeError.h"
#include "platform/win32.h"
#include <array>
#include <cctype>
#include <string_view>

namespace vireo {

namespace {

// "\" when the text holds a backslash, else "/" when it holds a slash, else none.
char SeparatorOf(const std::string& s) {
    if (s.find('\\') != std::string::npos) return '\\';
    if (s.find('/') != std::string::npos) return '/';
    return 0;
}

std::string_view Left(const std::string& s, size_t n) {
    return std::string_view(s).substr(0, n);
}

std::string_view Right(const std::string& s, size_t n) {
    return n >= s.size() ? std::string_view(s) : std::string_view(s).substr(s.size() - n);
}

DWORD Attributes(const std::string& sPath) {
    return GetFileAttributesA(sPath.c_str());
}

// Windows keeps a single current directory; each drive's own is kept, as the C runtime keeps it, in the
// hidden environment variable "=X:", which a change to "X:" goes back to. Called before leaving a drive
// and after arriving in a folder.
void RememberDriveDirectory() {
    char dir[MAX_PATH] = "";
    DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
    if (n < 3 || n >= MAX_PATH || dir[1] != ':') return; // a UNC folder has no drive
    char letter = dir[0] >= 'a' && dir[0] <= 'z' ? static_cast<char>(dir[0] - 'a' + 'A') : dir[0];
    const char name[] = {'=', letter, ':', '\0'};
    SetEnvironmentVariableA(name, dir);
}

// The change of drive: "X:" goes to that drive's own current directory.
void ChangeDrive(const std::string& sPath) {
    RememberDriveDirectory();
    if (SetCurrentDirectoryA(sPath.substr(0, 2).c_str())) RememberDriveDirectory();
}

} // namespace

std::string RemoveTrailingSep(const std::string& sPath) {
    if ((sPath.size() == 3 && sPath.compare(1, 2, ":\\") == 0) || sPath == "\\\\") return sPath;
    char sep = SeparatorOf(sPath);
    if (sep && sPath.back() == sep) return sPath.substr(0, sPath.size() - 1);
    return sPath;
}

std::string AddTrailingSep(const std::string& sPath) {
    char sep = SeparatorOf(sPath);
    if (sep && sPath.back() != sep) return sPath + sep;
    return sPath;
}

std::string GetPathPart(const std::string& sPath) {
    char sep = SeparatorOf(sPath);
    if (!sep) return sPath;
    return sPath.substr(0, sPath.rfind(sep) + 1);
}

std::string GetNamePart(const std::string& sPath) {
    char sep = SeparatorOf(sPath);
    if (!sep) return sPath;
    return sPath.substr(sPath.rfind(sep) + 1);
}

std::optional<std::string> GetExtension(const std::string& sPath) {
    std::string s = RemoveTrailingSep(sPath);
    size_t dot = s.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    return s.substr(dot + 1);
}

std::string Quote(const std::string& sText) {
    return "'" + sText + "'";
}

std::string StripNull(const std::string& sText) {
    return sText.substr(0, sText.find('\0'));
}

bool IsFolder(const std::string& sPath) {
    DWORD a = Attributes(sPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& sPath) {
    DWORD a = Attributes(sPath);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDrivePath(const std::string& sPath) {
    return sPath.size() >= 3 && sPath.compare(1, 2, ":\\") == 0;
}

bool IsUNCPath(const std::string& sPath) {
    return sPath.starts_with("\\\\");
}

bool IsUNCServer(const std::string& sPath) {
    if (!IsUNCPath(sPath)) return false;
    std::string_view rest = std::string_view(sPath).substr(2);
    size_t slash = rest.find('\\');
    return slash == std::string_view::npos || slash + 1 == rest.size();
}

bool IsUNCShare(const std::string& sPath) {
    return IsUNCPath(sPath) && !IsUNCServer(sPath);
}

bool IsHttpURL(const std::string& sPath) {
    return SameTextNoCase(Left(sPath, 7), "http://");
}

bool IsFtpURL(const std::string& sPath) {
    return SameTextNoCase(Left(sPath, 6), "ftp://") ||
           (SameTextNoCase(Left(sPath, 3), "ftp") && sPath.find('.') != std::string::npos);
}

bool IsUrlShortcut(const std::string& sPath) {
    return SameTextNoCase(Right(sPath, 4), ".url");
}

bool IsHtmlFile(const std::string& sPath) {
    return SameTextNoCase(Right(sPath, 5), ".html") || SameTextNoCase(Right(sPath, 4), ".htm");
}

bool IsArchive(const std::string& sPath) {
    static constexpr std::array<std::string_view, 11> kArchives = {"ZIP", "ARJ", "RAR", "LZH", "CAB", "ACE",
                                                                   "TAR", "TGZ", "BZ2", "GZ",  "Z"};
    auto ext = GetExtension(sPath);
    if (!ext) return false;
    for (std::string_view a : kArchives)
        if (SameTextNoCase(*ext, a)) return true;
    return false;
}

std::string GetTempDir() {
    std::string buffer(MAX_PATH, '\0');
    DWORD n = GetTempPathA(MAX_PATH, buffer.data());
    if (n == 0)
        throw RuntimeError(static_cast<int32_t>(GetLastError()), "VireoBR", "Method 'GetTempDir' failed");
    return AddTrailingSep(StripNull(buffer));
}

std::string GetShortPath(const std::string& sPath) {
    std::string buffer(MAX_PATH, '\0');
    DWORD n = GetShortPathNameA(sPath.c_str(), buffer.data(), MAX_PATH);
    return n ? StripNull(buffer) : sPath;
}

std::string ReadUrlShortcut(const std::string& sFile) {
    if (!IsUrlShortcut(sFile)) return {};
    constexpr DWORD kSize = 2048;
    std::string buffer(kSize, ' ');
    DWORD n = GetPrivateProfileStringA("InternetShortcut", "URL", "", buffer.data(), kSize, sFile.c_str());
    return n ? StripNull(buffer) : std::string();
}

void SetCurrentDir(const std::string& sPath) {
    if (IsDrivePath(sPath)) ChangeDrive(sPath);
    RememberDriveDirectory();
    if (SetCurrentDirectoryA(sPath.c_str())) RememberDriveDirectory();
}

std::string GetCurrentDir(const std::string& sPath) {
    if (IsDrivePath(sPath)) ChangeDrive(sPath);
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string buffer(needed ? needed : 1, '\0');
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    buffer.resize(n < buffer.size() ? n : 0);
    return AddTrailingSep(buffer);
}

std::optional<std::string> GetFullPath(const std::string& sPath) {
    std::string cur = GetCurrentDir(sPath);
    if (sPath.empty()) return std::nullopt;
    if (sPath.find('\\') == std::string::npos) return cur + sPath;
    if (IsUNCPath(sPath) || IsDrivePath(sPath)) return sPath;
    if (sPath[0] == '\\') return cur.substr(0, 2) + sPath;
    if (sPath.starts_with(".\\")) return cur + sPath.substr(2);
    // Only one leading "..\" is resolved; further ones stay in the result.
    if (sPath.starts_with("..\\")) return GetPathPart(RemoveTrailingSep(cur)) + sPath.substr(3);
    return cur + sPath;
}

} // namespace vireo
