#include "support/mEnumExt.h"
#include "platform/win32.h"
#include "support/mmShellMacro.h"
#include <iterator>
#include <list>
#include <map>

namespace vireo {

namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }
};

// Entries in the order their types were last extended, found by type through the map.
struct ExtIndex {
    std::list<std::pair<std::string, std::string>> entries;
    std::map<std::string, std::list<std::pair<std::string, std::string>>::iterator, NoCaseLess> byType;
};

thread_local ExtIndex g_ExtIndex;

void LetPendingEventsRun() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

void BuildExtensionIndex() {
    if (!g_ExtIndex.entries.empty()) return;
    for (DWORD index = 0;; ++index) {
        char name[260] = "";
        char className[260] = "";
        DWORD cchName = sizeof name, cchClass = sizeof className;
        if (RegEnumKeyExA(HKEY_CLASSES_ROOT, index, name, &cchName, nullptr, className, &cchClass, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (name[0] != '.') continue;
        std::string ext(name); // cut at the first NUL
        std::string type = GetTypeName(ext, SHGFI_USEFILEATTRIBUTES);
        if (!type.empty()) AddExtension(type, ext);
    }
    LetPendingEventsRun();
}

void AddExtension(const std::string& sType, const std::string& sExt) {
    auto found = g_ExtIndex.byType.find(sType);
    std::string text = sExt + "\r\n";
    const std::string& key = sType;
    if (found != g_ExtIndex.byType.end()) {
        // The entry is removed and added again under the same key: it moves to the end.
        text = found->second->second + text;
        g_ExtIndex.entries.erase(found->second);
        g_ExtIndex.byType.erase(found);
    }
    g_ExtIndex.entries.emplace_back(key, std::move(text));
    g_ExtIndex.byType.emplace(key, std::prev(g_ExtIndex.entries.end()));
}

void ClearExtensionIndex() {
    g_ExtIndex.byType.clear();
    g_ExtIndex.entries.clear();
}

std::optional<std::string> ExtensionsOfType(const std::string& sType) {
    auto found = g_ExtIndex.byType.find(sType);
    if (found == g_ExtIndex.byType.end()) return std::nullopt;
    return found->second->second;
}

std::vector<std::pair<std::string, std::string>> ExtensionIndexEntries() {
    return std::vector<std::pair<std::string, std::string>>(g_ExtIndex.entries.begin(),
                                                            g_ExtIndex.entries.end());
}

} // namespace vireo
