#include "platform/emu/shdocvw/Location.h"
#include "platform/emu/shdocvw/WebPages.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/win32.h"
#include <algorithm>
#include <cctype>

namespace emu {

namespace {

constexpr const char* kResPrefix = "res://shdoclc.dll/";

bool StartsNoCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

bool EndsNoCase(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() && StartsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsDriveOrUnc(const std::string& text) {
    if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') return true;
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
           text[2] == '\\';
}

Location Unreachable(const std::string& address, bool hostAnswers) {
    Location loc;
    loc.kind = LocationKind::Unreachable;
    loc.url = address;
    loc.errorUrl = ErrorPageUrl(address, hostAnswers);
    return loc;
}

// The absolute list of a parsing name, as the desktop folder parses it; "" when it names nothing.
std::string ParsePidl(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) return "";
    std::vector<WCHAR> wide(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return "";
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
    desktop->Release();
    if (FAILED(hr) || !pidl) return "";
    std::string bytes(reinterpret_cast<const char*>(pidl), ILGetSize(pidl));
    ILFree(pidl);
    return bytes;
}

std::string FileNameOf(const std::string& path) {
    size_t sep = path.find_last_of('\\');
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

} // namespace

std::string ErrorPageUrl(const std::string& address, bool hostAnswers) {
    return std::string(kResPrefix) + (hostAnswers ? "http_404.htm#" : "dnserror.htm#") + address;
}

Location ErrorPage(const std::string& resUrl) {
    Location loc;
    loc.kind = LocationKind::Page;
    loc.url = loc.locationUrl = resUrl;
    std::string file = resUrl.substr(0, resUrl.find('#'));
    if (EndsNoCase(file, "/dnserror.htm"))
        loc.title = "Cannot find server";
    else if (EndsNoCase(file, "/http_404.htm"))
        loc.title = "The page cannot be found";
    else
        loc.title = FileNameOf(file.substr(file.find_last_of('/') + 1));
    loc.name = loc.title;
    loc.progressSteps = {kWebProgressMax / 2};
    return loc;
}

Location ResolvePidl(const std::string& pidl) {
    auto list = reinterpret_cast<LPCITEMIDLIST>(pidl.data());
    std::string path = pidl.size() >= 2 ? ShellNamespace::DisplayPath(list) : "";
    if (path.empty()) return Unreachable("", false);
    Location loc;
    if (ShellNamespace::IsFolder(list)) {
        loc.kind = LocationKind::Folder;
        bool root = path.size() == 3 && path[1] == ':';
        if (!root && path.size() > 1 && path.back() == '\\') path.pop_back();
        loc.url = loc.locationUrl = path;
        loc.name = loc.title = ShellNamespace::DisplayName(list);
        loc.pidl = pidl;
        loc.progressSteps = {kWebProgressMax / 2};
        return loc;
    }
    loc.url = loc.locationUrl = path;
    loc.name = loc.title = FileNameOf(path);
    bool document = EndsNoCase(path, ".txt") || EndsNoCase(path, ".htm") || EndsNoCase(path, ".html");
    loc.kind = document ? LocationKind::Document : LocationKind::Program;
    if (document) loc.progressSteps = {kWebProgressMax / 2};
    return loc;
}

Location ResolveText(const std::string& text, const WebPages& web) {
    if (text.size() >= 2 && text.compare(0, 2, "::") == 0) {
        std::string pidl = ParsePidl(text);
        return pidl.empty() ? Unreachable(text, false) : ResolvePidl(pidl);
    }
    if (StartsNoCase(text, "res://")) return ErrorPage(text);
    if (StartsNoCase(text, "about:")) {
        Location loc;
        loc.url = loc.locationUrl = loc.name = loc.title = text;
        return loc;
    }
    if (IsDriveOrUnc(text)) {
        std::string pidl = ParsePidl(text);
        if (pidl.empty()) return Unreachable(text, false);
        Location loc = ResolvePidl(pidl);
        if (loc.kind == LocationKind::Unreachable) return Unreachable(text, false);
        return loc;
    }
    if (!IsWebAddress(text)) return ResolveText("http://" + text, web);
    const WebPage* page = web.Find(text);
    if (!page) return Unreachable(text, web.HostKnown(text));
    Location loc;
    loc.url = loc.locationUrl = text;
    loc.name = loc.title = page->title;
    loc.statusTexts = page->statusTexts;
    loc.progressSteps = page->progressSteps;
    return loc;
}

} // namespace emu
