#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/shell32/ShellExecute.h"
#include "platform/win32.h"
#include <cctype>

namespace emu {

namespace {

// Parameters split the way a program's command line splits: at blanks outside double quotes.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i == text.size()) break;
        size_t start = i;
        bool quoted = false;
        while (i < text.size() && (quoted || text[i] != ' '))
            quoted ^= text[i++] == '"';
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::optional<std::string> CommandOf(const Registry& reg, const std::string& cls, std::string_view verb) {
    std::optional<RegValue> value =
        reg.GetValue("HKCR\\" + cls + "\\shell\\" + std::string(verb) + "\\command", "");
    if (!value) return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    text = text.substr(0, text.find('\0'));
    if (value->type != REG_EXPAND_SZ) return text;
    char probe[1] = "";
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), probe, 0);
    std::string expanded(size, '\0');
    ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    return expanded.substr(0, expanded.find('\0'));
}

} // namespace

std::vector<std::string> ItemClasses(const Registry& reg, std::string_view fullPath, bool isFolder) {
    if (isFolder) {
        bool driveRoot = fullPath.size() <= 3 && fullPath.size() >= 2 && fullPath[1] == ':';
        return {driveRoot ? "Drive" : "Directory", "Folder"};
    }
    std::string_view name = fullPath.substr(fullPath.find_last_of("\\/") + 1);
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::optional<std::string> cls = reg.GetString("HKCR\\" + std::string(name.substr(dot)), "");
    if (!cls || cls->empty()) return {};
    return {*cls};
}

std::optional<std::string> UrlProtocol(const Registry& reg, std::string_view text) {
    size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    for (char c : text.substr(0, colon))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
    std::string scheme(text.substr(0, colon));
    if (!reg.GetValue("HKCR\\" + scheme, "URL Protocol")) return std::nullopt;
    return scheme;
}

std::optional<ShellCommand> FindCommand(const Registry& reg, const std::vector<std::string>& classes,
                                        std::string_view verb) {
    if (!verb.empty()) {
        for (const std::string& cls : classes)
            if (auto command = CommandOf(reg, cls, verb)) return ShellCommand{std::string(verb), *command};
        return std::nullopt;
    }
    // The default verb, looked for across the classes in three rounds, so that a folder's "Directory" verbs
    // (find, a command prompt) do not win over the "Folder" class's open.
    for (int round = 0; round < 3; ++round)
        for (const std::string& cls : classes) {
            std::vector<std::string> candidates;
            if (round == 0) {
                if (auto named = reg.GetString("HKCR\\" + cls + "\\shell", ""); named && !named->empty())
                    candidates.push_back(*named);
            } else if (round == 1) {
                candidates.push_back("open");
            } else {
                candidates = reg.Subkeys("HKCR\\" + cls + "\\shell");
            }
            for (const std::string& candidate : candidates)
                if (auto command = CommandOf(reg, cls, candidate)) return ShellCommand{candidate, *command};
        }
    return std::nullopt;
}

std::string BuildCommandLine(std::string_view command, std::string_view item, std::string_view parameters) {
    std::string out;
    bool placed = false;
    std::vector<std::string_view> words;
    for (size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%' || i + 1 == command.size()) {
            out += command[i];
            continue;
        }
        char c = command[++i];
        switch (c) {
        case '1':
        case 'L':
        case 'l':
        case 'D':
        case 'd':
            out += item;
            placed = true;
            break;
        case '*':
        case '~':
            out += parameters;
            break;
        case '%':
            out += '%';
            break;
        case 'I':
        case 'i':
            break;
        default:
            if (c >= '2' && c <= '9') {
                if (words.empty()) words = Words(parameters);
                if (size_t n = size_t(c - '2'); n < words.size()) out += words[n];
            } else {
                out += '%';
                out += c;
            }
        }
    }
    if (!placed && !item.empty()) {
        bool blank = item.find(' ') != std::string_view::npos;
        out += blank ? " \"" : " ";
        out += item;
        if (blank) out += '"';
    }
    return out;
}

std::string CommandProgram(std::string_view commandLine) {
    size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    commandLine.remove_prefix(start);
    if (commandLine.front() == '"') {
        commandLine.remove_prefix(1);
        return std::string(commandLine.substr(0, commandLine.find('"')));
    }
    return std::string(commandLine.substr(0, commandLine.find(' ')));
}

} // namespace emu
