// emu::Desktop: the one object through which tests and the host set up the emulated Windows (drives,
// system version, registry, scripted answers, the clock) and read what happened. Each test makes a fresh
// one; it becomes the current desktop of its thread, which the emulated API functions work on.
#pragma once
#include <filesystem>
#include <memory>

namespace emu {

class FileSystem;    // kernel32: drives, folders, current directories, temporary path, ini files
class SystemInfo;    // kernel32: system version, code page, last error, processes
class Registry;      // advapi32: the registry hives
class WindowManager; // user32: windows, classes, messages, timers and the virtual clock, focus, cursor
class WebPages;      // shdocvw: the web pages the web view can reach
class Script;
class Journal;

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The current desktop of this thread; aborts with a message when there is none.
    static Desktop& Current();
    static Desktop* TryCurrent();

    FileSystem& Files() { return *m_files; }
    SystemInfo& System() { return *m_system; }
    Registry& Reg() { return *m_registry; }
    WindowManager& Windows() { return *m_windows; }
    Script& Answers() { return *m_script; }
    Journal& Log() { return *m_journal; }
    WebPages& Web() { return *m_web; }

    // A fresh folder of the host, removed with the desktop: tests mount drives below it.
    const std::filesystem::path& ScratchDir() const { return m_scratch; }

private:
    std::filesystem::path m_scratch;
    std::unique_ptr<Script> m_script;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<SystemInfo> m_system;
    std::unique_ptr<FileSystem> m_files;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<WindowManager> m_windows;
    std::unique_ptr<WebPages> m_web;
};

} // namespace emu
