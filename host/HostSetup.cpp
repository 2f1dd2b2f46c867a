// The lines that set up the emulated desktop: drives, shares, folders and files, the current directory,
// the system version, file types, the user's answers, web pages and the clock.
#include "host/Host.h"
#include "host/Words.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/shdocvw/WebPages.h"
#include "platform/emu/user32/WindowManager.h"
#include <cctype>
#include <chrono>
#include <map>

namespace host {

namespace {

char DriveLetter(const std::string& s) {
    if (s.size() != 2 || s[1] != ':' || !std::isalpha(static_cast<unsigned char>(s[0])))
        throw ScriptError("mount: expected a drive such as C:, not " + s);
    return char(std::toupper(static_cast<unsigned char>(s[0])));
}

// \\server\share: both names present, no further separator.
std::pair<std::string, std::string> ShareName(const std::string& unc) {
    const size_t sep = unc.rfind("\\\\", 0) == 0 ? unc.find('\\', 2) : std::string::npos;
    const std::string server = sep == std::string::npos ? "" : unc.substr(2, sep - 2);
    const std::string share = sep == std::string::npos ? "" : unc.substr(sep + 1);
    if (server.empty() || share.empty() || share.find('\\') != std::string::npos)
        throw ScriptError("share: expected \\\\server\\share, not " + unc);
    return {server, share};
}

void SetClassesKey(const std::string& key, const std::string& value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        throw ScriptError("filetype: cannot create " + key);
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(k);
}

// What the script makes is dated by the virtual clock, so that two runs show the same times: the desktop
// boots at 12:00 on 1 January 2001 (UTC, which is also the desktop's local time).
void DateByClock(const std::filesystem::path& made, uint64_t clockMs) {
    using namespace std::chrono;
    const sys_time<milliseconds> boot = sys_days{year{2001} / January / 1} + hours{12};
    std::error_code ec;
    std::filesystem::last_write_time(
        made, std::filesystem::file_time_type::clock::from_sys(boot + milliseconds(clockMs)), ec);
}

} // namespace

void Host::Setup(const std::vector<Token>& t) {
    const std::string cmd = Lower(t[0].text);
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= t.size()) throw ScriptError(t[0].text + ": missing argument " + std::to_string(i));
        return t[i].text;
    };
    if (cmd == "mount") {
        const char letter = DriveLetter(arg(1));
        static const std::map<std::string, unsigned> kTypes = {
            {"removable", 2}, {"fixed", 3}, {"remote", 4}, {"cdrom", 5}, {"ramdisk", 6}};
        unsigned type = 3;
        std::string label, at;
        for (size_t i = 2; i < t.size(); ++i) {
            const std::string w = Lower(t[i].text);
            if (kTypes.count(w))
                type = kTypes.at(w);
            else if (w == "label")
                label = arg(++i);
            else if (w == "at")
                at = arg(++i);
            else
                throw ScriptError("mount: expected a drive type, label or at, not " + t[i].text);
        }
        if (at.empty())
            m_desk.Files().MountScratch(letter, type, label);
        else
            m_desk.Files().Mount(letter, at, type, label);
    } else if (cmd == "share") {
        const auto [server, share] = ShareName(arg(1));
        if (t.size() > 2 && (t.size() != 4 || Lower(t[2].text) != "at"))
            throw ScriptError("share: expected at HOSTDIR after the share");
        std::filesystem::path dir = t.size() == 4 ? std::filesystem::path(t[3].text)
                                                  : m_desk.ScratchDir() / "shares" / server / share;
        std::filesystem::create_directories(dir);
        m_desk.Files().AddShare(server, share, dir);
    } else if (cmd == "mkdir") {
        DateByClock(m_desk.Files().MakeDir(arg(1)), m_desk.Windows().Now());
    } else if (cmd == "file") {
        std::string content;
        for (size_t i = 2; i < t.size(); ++i)
            content += t[i].text + "\r\n";
        DateByClock(m_desk.Files().WriteFile(arg(1), content), m_desk.Windows().Now());
    } else if (cmd == "cd") {
        if (!SetCurrentDirectoryA(arg(1).c_str())) throw ScriptError("cd: no such folder " + t[1].text);
    } else if (cmd == "system") {
        static const std::map<std::string, emu::WinVersion> kSystems = {{"98", emu::WinVersion::Win98},
                                                                        {"me", emu::WinVersion::WinMe},
                                                                        {"nt4", emu::WinVersion::NT4},
                                                                        {"2000", emu::WinVersion::Win2000},
                                                                        {"xp", emu::WinVersion::XP}};
        auto it = kSystems.find(Lower(arg(1)));
        if (it == kSystems.end())
            throw ScriptError("system: expected 98, me, nt4, 2000 or xp, not " + t[1].text);
        m_desk.System().SetVersion(it->second);
    } else if (cmd == "filetype") {
        // filetype .ext class "Type name" "open command"
        const std::string ext = arg(1), cls = arg(2), name = arg(3), command = t.size() > 4 ? t[4].text : "";
        SetClassesKey(ext, cls);
        SetClassesKey(cls, name);
        if (!command.empty()) SetClassesKey(cls + "\\shell\\open\\command", command);
    } else if (cmd == "answer") {
        // answer KIND BUTTON [TEXT]
        emu::Answer a;
        a.button = int(ParseNumber(arg(2), "answer: the button", INT32_MIN, INT32_MAX));
        if (t.size() > 3) a.text = t[3].text;
        m_desk.Answers().Push(arg(1), a);
    } else if (cmd == "page") {
        // page URL TITLE [STATUS...]: a web page the web view can reach
        std::vector<std::string> texts;
        for (size_t i = 3; i < t.size(); ++i)
            texts.push_back(t[i].text);
        m_desk.Web().AddPage(arg(1), arg(2), texts);
    } else if (cmd == "clock") {
        m_desk.Windows().Advance(uint64_t(ParseNumber(arg(1), "clock: the milliseconds", 0, UINT32_MAX)));
    } else {
        throw ScriptError("unknown command " + t[0].text);
    }
}

} // namespace host
