#include "tests/wine/Scratch.h"
#include <windows.h>

namespace winecheck {

Scratch::Scratch(std::string root) : m_root(std::move(root)) {
    // The parents first; a parent already there is kept when the folder goes.
    for (size_t sep = m_root.find('\\', 3); sep != std::string::npos; sep = m_root.find('\\', sep + 1))
        CreateDirectoryA(m_root.substr(0, sep).c_str(), nullptr);
    m_ok = CreateDirectoryA(m_root.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

Scratch::~Scratch() {
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
        if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
    RemoveDirectoryA(m_root.c_str());
}

bool Scratch::Folder(const std::string& relative) {
    std::string path = m_root + "\\" + relative;
    bool ok = CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    if (ok) m_made.push_back(path);
    m_ok = m_ok && ok;
    return ok;
}

bool Scratch::File(const std::string& relative, const std::string& contents) {
    std::string path = m_root + "\\" + relative;
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = h != INVALID_HANDLE_VALUE;
    if (ok) {
        DWORD written = 0;
        ok = WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
             written == contents.size();
        CloseHandle(h);
        m_made.push_back(path);
    }
    m_ok = m_ok && ok;
    return ok;
}

} // namespace winecheck
