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
    std::string folded = FoldCase(sType);
    auto found = Shared().g_ExtIndex.byType.find(folded);
    std::string text = sExt + "\r\n";
    const std::string& key = sType;
    if (found != Shared().g_ExtIndex.byType.end()) {
        // The entry is removed and added again under the same key: it moves to the end.
        text = found->second->second + text;
        Shared().g_ExtIndex.entries.erase(found->second);
        Shared().g_ExtIndex.byType.erase(found);
    }
    Shared().g_ExtIndex.entries.emplace_back(key, std::move(text));
    Shared().g_ExtIndex.byType.emplace(std::move(folded), std::prev(Shared().g_ExtIndex.entries.end()));
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
