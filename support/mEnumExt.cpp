#include "support/mEnumExt.h"
#include "platform/win32.h"
#include "support/ThreadState.h"
#include "support/mmShellMacro.h"
#include <iterator>

namespace vireo {

namespace {

void LetPendingEventsRun() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

void BuildExtensionIndex() {
    if (!Shared().g_ExtIndex.entries.empty()) return;
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
    ExtIndex& index = Shared().g_ExtIndex;
    auto [found, added] = index.byType.try_emplace(FoldCase(sType));
    if (added) {
        found->second = index.entries.emplace(index.entries.end(), sType, std::string());
    } else { // the entry moves to the end, under the type as given last
        index.entries.splice(index.entries.end(), index.entries, found->second);
        found->second->first = sType;
    }
    found->second->second += sExt + "\r\n";
}

void ClearExtensionIndex() {
    Shared().g_ExtIndex.byType.clear();
    Shared().g_ExtIndex.entries.clear();
}

std::optional<std::string> ExtensionsOfType(const std::string& sType) {
    auto found = Shared().g_ExtIndex.byType.find(FoldCase(sType));
    if (found == Shared().g_ExtIndex.byType.end()) return std::nullopt;
    return found->second->second;
}

std::vector<std::pair<std::string, std::string>> ExtensionIndexEntries() {
    return std::vector<std::pair<std::string, std::string>>(Shared().g_ExtIndex.entries.begin(),
                                                            Shared().g_ExtIndex.entries.end());
}

} // namespace vireo
