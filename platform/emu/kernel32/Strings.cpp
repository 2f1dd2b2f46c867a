// The ANSI code page and the text functions: conversions between Windows-1252, UTF-16 and UTF-8 with the
// buffer rules of Windows, the lstr family and MulDiv.
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/Kernel.h"
#include <cstring>

using emu::k32::Fail;

namespace {

enum class Page { Ansi, Utf8, Unknown };

Page PageOf(UINT cp) {
    if (cp == CP_ACP || cp == CP_THREAD_ACP || cp == emu::kAnsiCodePage) return Page::Ansi;
    if (cp == CP_UTF8) return Page::Utf8;
    return Page::Unknown;
}

size_t WideLength(LPCWSTR s) {
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

// Hands a converted text to the caller: its size when the caller asks for it (size 0), else the text
// when it fits; a buffer too small is filled as far as it goes and the call fails.
template <class Char> int Deliver(const std::basic_string<Char>& out, Char* dst, int dstLen) {
    if (dstLen == 0) return static_cast<int>(out.size());
    if (out.size() > static_cast<size_t>(dstLen)) {
        std::memcpy(dst, out.data(), static_cast<size_t>(dstLen) * sizeof(Char));
        return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
    }
    std::memcpy(dst, out.data(), out.size() * sizeof(Char));
    return static_cast<int>(out.size());
}

} // namespace

UINT WINAPI GetACP(void) {
    return emu::kAnsiCodePage;
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar && !lpWideCharStr))
        return Fail(ERROR_INVALID_PARAMETER, 0);
    Page page = PageOf(CodePage);
    if (page == Page::Unknown) return Fail(ERROR_INVALID_PARAMETER, 0);
    if (page == Page::Utf8 && (dwFlags & ~DWORD(MB_ERR_INVALID_CHARS))) return Fail(ERROR_INVALID_FLAGS, 0);
    // -1: the text and its NUL, which is converted too.
    size_t len = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    std::string_view in(lpMultiByteStr, len);
    std::u16string out;
    if (page == Page::Ansi) {
        out = emu::AnsiToWide(in);
    } else {
        if ((dwFlags & MB_ERR_INVALID_CHARS) && !emu::IsValidUtf8(in))
            return Fail(ERROR_NO_UNICODE_TRANSLATION, 0);
        out = emu::Utf8ToWide(in);
    }
    return Deliver(out, lpWideCharStr, cchWideChar);
}

// Characters Windows-1252 cannot hold become lpDefaultChar's first character ("?" without one) and set
// *lpUsedDefaultChar; the emulation has no best-fit table, so it behaves as with WC_NO_BEST_FIT_CHARS.
// For UTF-8 both of those must be NULL.
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte && !lpMultiByteStr))
        return Fail(ERROR_INVALID_PARAMETER, 0);
    Page page = PageOf(CodePage);
    if (page == Page::Unknown) return Fail(ERROR_INVALID_PARAMETER, 0);
    size_t len = cchWideChar == -1 ? WideLength(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    std::u16string_view in(lpWideCharStr, len);
    if (page == Page::Utf8) {
        if (lpDefaultChar || lpUsedDefaultChar) return Fail(ERROR_INVALID_PARAMETER, 0);
        return Deliver(emu::WideToUtf8(in), lpMultiByteStr, cbMultiByte);
    }
    // The code page has one byte for each UTF-16 unit: the text is converted straight into the buffer,
    // as far as it goes, or only measured.
    if (cbMultiByte == 0 && !lpUsedDefaultChar) return static_cast<int>(len);
    const bool used = emu::WideToAnsiInto(in, lpMultiByteStr, static_cast<size_t>(cbMultiByte),
                                          lpDefaultChar ? lpDefaultChar[0] : '?');
    if (lpUsedDefaultChar) *lpUsedDefaultChar = used ? TRUE : FALSE;
    if (cbMultiByte != 0 && len > static_cast<size_t>(cbMultiByte)) return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
    return static_cast<int>(len);
}

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

int WINAPI lstrlenW(LPCWSTR lpString) {
    return lpString ? static_cast<int>(WideLength(lpString)) : 0;
}

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2) return nullptr;
    return std::strcpy(lpString1, lpString2);
}

// At most iMaxLength - 1 characters and a NUL.
LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2) return nullptr;
    if (iMaxLength <= 0) return lpString1;
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i)
        lpString1[i] = lpString2[i];
    lpString1[i] = 0;
    return lpString1;
}

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2) return nullptr;
    return std::strcat(lpString1, lpString2);
}

// Word order of the user's locale, approximated: letters compare without regard to case first, and at
// the first difference of case alone the lower-case letter sorts first.
int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
    std::string_view a = lpString1 ? lpString1 : "", b = lpString2 ? lpString2 : "";
    if (int c = emu::AnsiCompareNoCase(a, b)) return c;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return emu::AnsiLower(a.substr(i, 1)) == a.substr(i, 1) ? -1 : 1;
    return 0;
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    return emu::AnsiCompareNoCase(lpString1 ? lpString1 : "", lpString2 ? lpString2 : "");
}

// (a * b) / c with the 64-bit product, rounded half away from zero; -1 for c = 0 or an overflow.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    int64_t a = nNumber, b = nNumerator, c = nDenominator;
    if (c < 0) {
        a = -a;
        c = -c;
    }
    int64_t product = a * b;
    int64_t r = product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
    if (r > 2147483647 || r < -2147483647) return -1;
    return static_cast<int>(r);
}
