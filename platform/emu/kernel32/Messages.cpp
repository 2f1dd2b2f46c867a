// FormatMessageA over the system's message table (the English texts of Windows XP for the errors the
// desktop gives), and the local heap that FORMAT_MESSAGE_ALLOCATE_BUFFER uses.
#include "platform/emu/kernel32/Kernel.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using emu::k32::Fail;

namespace {

struct Message {
    DWORD id;
    const char* text;
};

// Sorted by id. Each system message ends with a line break, as in the system's message table.
constexpr Message kMessages[] = {
    {0, "The operation completed successfully.\r\n"},
    {1, "Incorrect function.\r\n"},
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {4, "The system cannot open the file.\r\n"},
    {5, "Access is denied.\r\n"},
    {6, "The handle is invalid.\r\n"},
    {8, "Not enough storage is available to process this command.\r\n"},
    {12, "The access code is invalid.\r\n"},
    {13, "The data is invalid.\r\n"},
    {14, "Not enough storage is available to complete this operation.\r\n"},
    {15, "The system cannot find the drive specified.\r\n"},
    {16, "The directory cannot be removed.\r\n"},
    {17, "The system cannot move the file to a different disk drive.\r\n"},
    {18, "There are no more files.\r\n"},
    {19, "The media is write protected.\r\n"},
    {21, "The device is not ready.\r\n"},
    {24, "The program issued a command but the command length is incorrect.\r\n"},
    {32, "The process cannot access the file because it is being used by another process.\r\n"},
    {38, "Reached the end of the file.\r\n"},
    {50, "The request is not supported.\r\n"},
    {53, "The network path was not found.\r\n"},
    {67, "The network name cannot be found.\r\n"},
    {80, "The file exists.\r\n"},
    {82, "The directory or file cannot be created.\r\n"},
    {87, "The parameter is incorrect.\r\n"},
    {112, "There is not enough space on the disk.\r\n"},
    {120, "This function is not supported on this system.\r\n"},
    {122, "The data area passed to a system call is too small.\r\n"},
    {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {126, "The specified module could not be found.\r\n"},
    {127, "The specified procedure could not be found.\r\n"},
    {131, "An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {144, "The directory is not a subdirectory of the root directory.\r\n"},
    {145, "The directory is not empty.\r\n"},
    {161, "The specified path is invalid.\r\n"},
    {183, "Cannot create a file when that file already exists.\r\n"},
    {203, "The system could not find the environment option that was entered.\r\n"},
    {206, "The filename or extension is too long.\r\n"},
    {234, "More data is available.\r\n"},
    {259, "No more data is available.\r\n"},
    {267, "The directory name is invalid.\r\n"},
    {317, "The system cannot find message text for message number 0x%1 in the message file for %2.\r\n"},
    {998, "Invalid access to memory location.\r\n"},
    {1004, "Invalid flags.\r\n"},
    {1010, "The configuration registry key is invalid.\r\n"},
    {1011, "The configuration registry key could not be opened.\r\n"},
    {1012, "The configuration registry key could not be read.\r\n"},
    {1013, "The configuration registry key could not be written.\r\n"},
    {1018, "Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
    {1113, "No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {1155, "No application is associated with the specified file for this operation.\r\n"},
    {1168, "Element not found.\r\n"},
    {1223, "The operation was canceled by the user.\r\n"},
    {1400, "Invalid window handle.\r\n"},
    {1410, "Class already exists.\r\n"},
    {1411, "Class does not exist.\r\n"},
    {15100, "The specified resource language ID cannot be found in the image file.\r\n"},
};

const char* SystemMessage(DWORD id) {
    // An HRESULT made from a Windows error finds that error's text.
    if ((id & 0xFFFF0000u) == 0x80070000u) id &= 0xFFFF;
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), id,
                               [](const Message& m, DWORD v) { return m.id < v; });
    return it != std::end(kMessages) && it->id == id ? it->text : nullptr;
}

bool KnownLanguage(DWORD lang) {
    return lang == 0 || lang == LANG_USER_DEFAULT || lang == LANG_SYSTEM_DEFAULT ||
           lang == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) ||
           lang == MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL);
}

// Breaks a text made of one line into lines of at most `width` characters at blanks.
std::string Wrap(const std::string& text, unsigned width) {
    std::string out;
    size_t lineStart = 0, lastBlank = std::string::npos;
    for (char c : text) {
        out += c;
        if (c == '\n') {
            lineStart = out.size();
            lastBlank = std::string::npos;
            continue;
        }
        if (c == ' ') lastBlank = out.size() - 1;
        if (out.size() - lineStart > width && lastBlank != std::string::npos && lastBlank >= lineStart) {
            out.replace(lastBlank, 1, "\r\n");
            lineStart = lastBlank + 2;
            lastBlank = std::string::npos;
        }
    }
    return out;
}

// Expands a message template. Line ends of the template are "soft": kept with width 0, a blank otherwise
// (so a system message formatted with FORMAT_MESSAGE_MAX_WIDTH_MASK ends with a blank instead of CR LF);
// %n is a hard line break, %0 ends the text without one, %% %. %! %t %r %b are literal, and %1..%99 are
// inserts: kept as written with FORMAT_MESSAGE_IGNORE_INSERTS, else replaced by the arguments, taken as
// strings. Returns false when an insert has no argument.
bool Expand(const char* tmpl, DWORD flags, va_list* args, std::string& out) {
    unsigned width = flags & FORMAT_MESSAGE_MAX_WIDTH_MASK;
    bool ignoreInserts = flags & FORMAT_MESSAGE_IGNORE_INSERTS;
    std::vector<const char*> inserts;
    auto insert = [&](unsigned n) -> const char* {
        if (!args) return nullptr;
        if (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) return reinterpret_cast<const char* const*>(args)[n - 1];
        while (inserts.size() < n)
            inserts.push_back(va_arg(*args, const char*));
        return inserts[n - 1];
    };
    for (const char* p = tmpl; *p;) {
        if (*p == '\r' || *p == '\n') {
            p += (p[0] == '\r' && p[1] == '\n') ? 2 : 1;
            out += width == 0 ? "\r\n" : " ";
            continue;
        }
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '0') return true;
        if (*p >= '1' && *p <= '9') {
            unsigned n = static_cast<unsigned>(*p++ - '0');
            if (*p >= '0' && *p <= '9') n = n * 10 + static_cast<unsigned>(*p++ - '0');
            if (*p == '!') { // a printf format of the insert, taken as !s!
                const char* close = std::strchr(p + 1, '!');
                p = close ? close + 1 : p + std::strlen(p);
            }
            if (ignoreInserts) {
                out.append(start, p);
                continue;
            }
            const char* s = insert(n);
            if (!s) return false;
            out += s;
            continue;
        }
        switch (*p) {
        case 'n':
            out += "\r\n";
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'b':
            out += ' ';
            break;
        case '\0':
            out += '%';
            continue;
        default:
            out += *p;
            break; // %% %. %! and the like
        }
        ++p;
    }
    if (width && width != FORMAT_MESSAGE_MAX_WIDTH_MASK) out = Wrap(out, width);
    return true;
}

} // namespace

DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                            LPSTR lpBuffer, DWORD nSize, va_list* Arguments) {
    const char* tmpl = nullptr;
    if (dwFlags & FORMAT_MESSAGE_FROM_STRING) {
        tmpl = static_cast<const char*>(lpSource);
        if (!tmpl) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    } else if (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) {
        // The emulated libraries carry no message tables of their own, so FROM_HMODULE adds nothing.
        if (!KnownLanguage(dwLanguageId)) return Fail(ERROR_RESOURCE_LANG_NOT_FOUND, DWORD(0));
        tmpl = SystemMessage(dwMessageId);
        if (!tmpl) return Fail(ERROR_MR_MID_NOT_FOUND, DWORD(0));
    } else {
        return Fail(dwFlags & FORMAT_MESSAGE_FROM_HMODULE ? ERROR_MR_MID_NOT_FOUND : ERROR_INVALID_PARAMETER,
                    DWORD(0));
    }
    std::string text;
    if (!Expand(tmpl, dwFlags, Arguments, text)) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    if (!lpBuffer) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        size_t bytes = std::max<size_t>(nSize, text.size() + 1);
        auto* p = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
        if (!p) return Fail(ERROR_NOT_ENOUGH_MEMORY, DWORD(0));
        std::memcpy(p, text.c_str(), text.size() + 1);
        *reinterpret_cast<LPSTR*>(lpBuffer) = p;
    } else {
        if (text.size() + 1 > nSize) return Fail(ERROR_INSUFFICIENT_BUFFER, DWORD(0));
        std::memcpy(lpBuffer, text.c_str(), text.size() + 1);
    }
    return static_cast<DWORD>(text.size());
}

// Local memory is fixed: the handle is the address, as with LMEM_FIXED.
HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    void* p =
        (uFlags & LMEM_ZEROINIT) ? std::calloc(uBytes ? uBytes : 1, 1) : std::malloc(uBytes ? uBytes : 1);
    if (!p) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return p;
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    std::free(hMem);
    return nullptr;
}
