#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/CommandInterpreter.h"
#include "platform/emu/kernel32/Handles.h"
#include "platform/emu/kernel32/Modules.h"

namespace emu {

void RegisterBuiltInLibraries(ModuleTable& modules, SystemInfo& system); // Libraries.cpp

namespace {

std::string StripExe(std::string upper) {
    if (upper.size() > 4 && upper.ends_with(".EXE")) upper.resize(upper.size() - 4);
    return upper;
}

} // namespace

const VersionData& VersionTable(WinVersion version) {
    // Windows 9x repeats major and minor version in the high word of dwBuildNumber.
    static const VersionData table[] = {
        {4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A ", 0, 0}, // 98 SE, build 2222
        {4, 90, 0x045A0BB8, VER_PLATFORM_WIN32_WINDOWS, " ", 0, 0},   // Me, build 3000
        {4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6", 6, 0},  // NT 4.0
        {5, 0, 2195, VER_PLATFORM_WIN32_NT, "Service Pack 4", 4, 0},  // 2000
        {5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 2", 2, 0},  // XP
    };
    return table[static_cast<int>(version)];
}

SystemInfo::SystemInfo(Desktop& desktop)
    : m_desktop(desktop), m_modules(std::make_unique<ModuleTable>()),
      m_handles(std::make_unique<HandleTable>()) {
    const char* defaults[][2] = {
        {"ALLUSERSPROFILE", "C:\\Documents and Settings\\All Users"},
        {"APPDATA", "C:\\Documents and Settings\\User\\Application Data"},
        {"CommonProgramFiles", "C:\\Program Files\\Common Files"},
        {"COMPUTERNAME", "VIREO"},
        {"ComSpec", "C:\\WINDOWS\\system32\\cmd.exe"},
        {"HOMEDRIVE", "C:"},
        {"HOMEPATH", "\\Documents and Settings\\User"},
        {"OS", "Windows_NT"},
        {"Path", "C:\\WINDOWS\\system32;C:\\WINDOWS"},
        {"PATHEXT", ".COM;.EXE;.BAT;.CMD"},
        {"ProgramFiles", "C:\\Program Files"},
        {"SystemDrive", "C:"},
        {"SystemRoot", "C:\\WINDOWS"},
        {"TEMP", "C:\\WINDOWS\\TEMP"},
        {"TMP", "C:\\WINDOWS\\TEMP"},
        {"USERNAME", "User"},
        {"USERPROFILE", "C:\\Documents and Settings\\User"},
        {"windir", "C:\\WINDOWS"},
    };
    for (auto& [name, value] : defaults)
        SetEnvironment(name, std::string(value));
    RegisterBuiltInLibraries(*m_modules, *this);
    // The two command interpreters play their listings; a test may replace either.
    SetProcessHandler("cmd",
                      [](const ProcessStart& s) { return RunCommandInterpreter(s, ListingStyle::NT); });
    SetProcessHandler("command.com",
                      [](const ProcessStart& s) { return RunCommandInterpreter(s, ListingStyle::Win9x); });
    ::SetLastError(0);
}

SystemInfo::~SystemInfo() = default;

bool SystemInfo::IsNT() const {
    return VersionTable(m_version).platformId == VER_PLATFORM_WIN32_NT;
}

std::optional<std::string> SystemInfo::Environment(std::string_view name) const {
    auto it = m_env.find(AnsiUpper(name));
    if (it == m_env.end()) return std::nullopt;
    return it->second.second;
}

void SystemInfo::SetEnvironment(std::string_view name, std::optional<std::string> value) {
    std::string key = AnsiUpper(name);
    if (!value)
        m_env.erase(key);
    else
        m_env[key] = {std::string(name), std::move(*value)};
}

std::string SystemInfo::ExpandEnvironment(std::string_view text) const {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        size_t end = text.find('%', i + 1);
        if (end == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        std::string_view name = text.substr(i + 1, end - i - 1);
        auto value = name.empty() ? std::nullopt : Environment(name);
        if (value) {
            out += *value;
            i = end + 1;
        } else {
            // An unknown name stays, and its closing % may open the next one.
            out.append(text.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

std::string SystemInfo::WindowsDirectory() const {
    return Environment("SystemRoot").value_or("C:\\WINDOWS");
}

std::string SystemInfo::SystemDirectory() const {
    return WindowsDirectory() + (IsNT() ? "\\system32" : "\\SYSTEM");
}

std::string SystemInfo::ProgramOf(std::string_view commandLine) {
    size_t i = commandLine.find_first_not_of(" \t");
    if (i == std::string_view::npos) return {};
    std::string_view token;
    if (commandLine[i] == '"') {
        size_t end = commandLine.find('"', i + 1);
        token =
            commandLine.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
    } else {
        size_t end = commandLine.find_first_of(" \t", i);
        token = commandLine.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    }
    size_t slash = token.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? token : token.substr(slash + 1));
}

void SystemInfo::SetProcessHandler(std::string_view program, ProcessHandler handler) {
    m_handlers[StripExe(AnsiUpper(program))] = std::move(handler);
}

uint32_t SystemInfo::StartProcess(std::string commandLine, unsigned show, std::string currentDirectory) {
    ProcessStart start;
    start.commandLine = std::move(commandLine);
    start.show = show;
    start.currentDirectory = std::move(currentDirectory);
    return StartProcess(std::move(start));
}

uint32_t SystemInfo::StartProcess(ProcessStart start) {
    uint32_t pid = m_nextPid;
    m_nextPid += 4;
    if (start.program.empty()) start.program = ProgramOf(start.commandLine);
    ProcessRecord& rec = m_processes[pid];
    rec.pid = pid;
    rec.start = std::move(start);
    m_desktop.Log().Add("Process", {rec.start.commandLine, std::to_string(rec.start.show)});
    auto it = m_handlers.find(StripExe(AnsiUpper(rec.start.program)));
    if (it != m_handlers.end()) {
        ProcessStart copy = rec.start; // the handler may start other processes
        uint32_t code = it->second(copy);
        m_processes[pid].exitCode = code;
    }
    return pid;
}

const ProcessRecord* SystemInfo::FindProcess(uint32_t pid) const {
    auto it = m_processes.find(pid);
    return it == m_processes.end() ? nullptr : &it->second;
}

} // namespace emu
