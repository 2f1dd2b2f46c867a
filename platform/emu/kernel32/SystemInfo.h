// kernel32's view of the machine: the Windows version GetVersionExA reports (or its failure), the
// version of shlwapi, the environment, the programs "started" and the handlers that play them, the
// loadable libraries and the kernel handle table.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace emu {

class Desktop;
class HandleTable;
class ModuleTable;

enum class WinVersion { Win98, WinMe, NT4, Win2000, XP };

// What GetVersionExA reports for a system.
struct VersionData {
    uint32_t major;
    uint32_t minor;
    uint32_t build; // dwBuildNumber as reported: on Windows 9x the high word repeats major and minor
    uint32_t platformId;
    const char* csdVersion;
    uint16_t servicePackMajor;
    uint16_t servicePackMinor;
};
// Windows 98 SE 4.10.2222 " A ", Me 4.90.3000, NT 4.0.1381 "Service Pack 6", 2000 5.0.2195
// "Service Pack 4", XP 5.1.2600 "Service Pack 2".
const VersionData& VersionTable(WinVersion version);

// A library version as DllGetVersion gives it.
struct DllVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

// A program start: CreateProcessA, WinExec, or the shell launching something.
struct ProcessStart {
    std::string commandLine;
    std::string program; // the program's file name as the command line names it ("cmd.exe")
    unsigned show = 1;   // the show state (SW_ value)
    std::string currentDirectory;
};
// Plays a program: runs at the start and returns the exit code.
using ProcessHandler = std::function<uint32_t(const ProcessStart&)>;

struct ProcessRecord {
    uint32_t pid = 0;
    ProcessStart start;
    uint32_t exitCode = 0;
};

class SystemInfo {
public:
    explicit SystemInfo(Desktop& desktop);
    ~SystemInfo();

    // The system GetVersionExA reports: XP by default.
    void SetVersion(WinVersion version) { m_version = version; }
    WinVersion Version() const { return m_version; }
    bool IsNT() const;
    // Makes GetVersionExA fail (FALSE, ERROR_INVALID_PARAMETER) whatever it is given.
    void SetVersionFails(bool fails) { m_versionFails = fails; }
    bool VersionFails() const { return m_versionFails; }

    // shlwapi.dll: its DllGetVersion answer (6.0.2900 by default); none leaves the library without a
    // DllGetVersion entry (as before version 4.71). SetShlwapiPresent(false) removes the library itself.
    void SetShlwapiVersion(std::optional<DllVersion> version) { m_shlwapi = version; }
    const std::optional<DllVersion>& ShlwapiVersion() const { return m_shlwapi; }
    void SetShlwapiPresent(bool present) { m_shlwapiPresent = present; }
    bool ShlwapiPresent() const { return m_shlwapiPresent; }

    // The environment. Names compare without regard to case. By default: SystemRoot and windir
    // C:\WINDOWS, SystemDrive C:, TEMP and TMP C:\WINDOWS\TEMP, USERPROFILE C:\Documents and
    // Settings\User, ComSpec, PATH, ProgramFiles, APPDATA, HOMEDRIVE, HOMEPATH, USERNAME, COMPUTERNAME, OS.
    std::optional<std::string> Environment(std::string_view name) const;
    void SetEnvironment(std::string_view name, std::optional<std::string> value);
    // %NAME% replaced by the variable's value; unknown names and a lone % stay as they are.
    std::string ExpandEnvironment(std::string_view text) const;
    std::string WindowsDirectory() const; // %SystemRoot%
    std::string SystemDirectory() const;  // system32 below it on NT, SYSTEM on Windows 9x

    // Programs. A start is recorded in the journal as ("Process", command line, show state) and played
    // by the handler registered for its program's name (compared without regard to case, ".exe"
    // optional); without one it does nothing and exits with 0. Processes end at once.
    void SetProcessHandler(std::string_view program, ProcessHandler handler);
    uint32_t StartProcess(std::string commandLine, unsigned show, std::string currentDirectory = "");
    // The same with every field given; an empty program is taken from the command line.
    uint32_t StartProcess(ProcessStart start);
    const ProcessRecord* FindProcess(uint32_t pid) const;
    uint32_t CurrentProcessId() const { return 1000; }
    // The program's file name of a command line: the first (possibly quoted) token, without its folder.
    static std::string ProgramOf(std::string_view commandLine);

    // The user's number format, as GetLocaleInfoA gives it: "." and "," by default.
    void SetNumberSeparators(std::string decimal, std::string thousand) {
        m_decimal = std::move(decimal);
        m_thousand = std::move(thousand);
    }
    const std::string& DecimalSeparator() const { return m_decimal; }
    const std::string& ThousandSeparator() const { return m_thousand; }

    ModuleTable& Modules() { return *m_modules; }
    HandleTable& Handles() { return *m_handles; }

private:
    Desktop& m_desktop;
    WinVersion m_version = WinVersion::XP;
    bool m_versionFails = false;
    std::optional<DllVersion> m_shlwapi = DllVersion{6, 0, 2900};
    bool m_shlwapiPresent = true;
    std::string m_decimal = ".";
    std::string m_thousand = ",";
    std::map<std::string, std::pair<std::string, std::string>> m_env; // upper name -> (name, value)
    std::map<std::string, ProcessHandler> m_handlers;                 // upper program without .EXE
    std::map<uint32_t, ProcessRecord> m_processes;
    uint32_t m_nextPid = 1100;
    std::unique_ptr<ModuleTable> m_modules;
    std::unique_ptr<HandleTable> m_handles;
};

} // namespace emu
