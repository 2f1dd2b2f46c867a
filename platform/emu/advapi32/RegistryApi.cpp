// The advapi32 registry functions over the current desktop's registry, with the buffer rules and error
// codes of Windows NT's ANSI entry points.
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include <algorithm>
#include <cstring>

using emu::RegKey;
using emu::RegValue;

namespace {

emu::Registry& Reg() {
    return emu::Desktop::Current().Reg();
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The data part shared by RegQueryValueEx and RegEnumValue. The size always comes back as the stored size;
// the data only when the buffer holds it all (else ERROR_MORE_DATA). Text stored without its terminating NUL
// gets one in the caller's buffer when there is room for it, uncounted, as NT does.
LSTATUS CopyData(const RegValue& v, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    DWORD size = DWORD(v.data.size());
    LSTATUS rc = ERROR_SUCCESS;
    if (lpType) *lpType = v.type;
    if (lpData) {
        if (*lpcbData < size) {
            rc = ERROR_MORE_DATA;
        } else {
            if (size) std::memcpy(lpData, v.data.data(), size);
            if (IsStringType(v.type) && size && v.data.back() != 0 && *lpcbData > size) lpData[size] = 0;
        }
    }
    if (lpcbData) *lpcbData = size;
    return rc;
}

// A name into a character buffer: ERROR_MORE_DATA, and the count left alone, when the name and its NUL do
// not fit; otherwise the count becomes the name's length.
LSTATUS CopyName(const std::string& name, LPSTR buffer, LPDWORD cch) {
    if (name.size() >= *cch) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *cch = DWORD(name.size());
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return Reg().OpenKey(hKey, lpSubKey ? lpSubKey : "", samDesired, phkResult);
}

// The old form: an empty subkey gives back the key itself, without a new handle.
LSTATUS WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    if (!lpSubKey || !*lpSubKey) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    return RegOpenKeyExA(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD,
                               REGSAM samDesired, LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
    if (Reserved || !phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return Reg().CreateKey(hKey, lpSubKey ? lpSubKey : "", lpClass ? lpClass : "", samDesired, phkResult,
                           lpdwDisposition);
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    return Reg().CloseKey(hKey);
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    return Reg().DeleteKey(hKey, lpSubKey);
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_SET_VALUE, key)) return rc;
    return key->DeleteValue(lpValueName ? lpValueName : "") ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_QUERY_VALUE, key)) return rc;
    // A key's default value that was never set does not exist either.
    const RegValue* value = key->FindValue(lpValueName ? lpValueName : "");
    if (!value) return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                              DWORD cbData) {
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_SET_VALUE, key)) return rc;
    if (!lpData && cbData) return ERROR_NOACCESS;
    // NT counts the terminating NUL of text that a caller left out of the size: when the last byte given
    // is not NUL and the byte after it is, that byte is stored too.
    if (IsStringType(dwType) && cbData && lpData[cbData - 1] && !lpData[cbData]) ++cbData;
    key->SetValue(lpValueName ? lpValueName : "", dwType,
                  lpData ? std::vector<uint8_t>(lpData, lpData + cbData) : std::vector<uint8_t>{});
    return ERROR_SUCCESS;
}

// The default value of a subkey. A default value that was never set reads as the empty text.
LSTATUS WINAPI RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData) {
    HKEY key = hKey;
    if (lpSubKey && *lpSubKey)
        if (LSTATUS rc = RegOpenKeyExA(hKey, lpSubKey, 0, KEY_QUERY_VALUE, &key)) return rc;
    DWORD count = lpcbData ? DWORD(*lpcbData) : 0;
    LSTATUS rc = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(lpData),
                                  lpcbData ? &count : nullptr);
    if (key != hKey) RegCloseKey(key);
    if (rc == ERROR_FILE_NOT_FOUND) {
        if (lpData) *lpData = 0;
        count = 1;
        rc = ERROR_SUCCESS;
    }
    if (lpcbData) *lpcbData = LONG(count);
    return rc;
}

// Sets the default value of a subkey (created when missing) to a text; the size given is not used, the
// text's own length and NUL are stored.
LSTATUS WINAPI RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD) {
    if (dwType != REG_SZ || !lpData) return ERROR_INVALID_PARAMETER;
    HKEY key = hKey;
    if (lpSubKey && *lpSubKey)
        if (LSTATUS rc =
                RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
            return rc;
    LSTATUS rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                                DWORD(std::strlen(lpData) + 1));
    if (key != hKey) RegCloseKey(key);
    return rc;
}

LSTATUS WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    return RegEnumKeyExA(hKey, dwIndex, lpName, &cchName, nullptr, nullptr, nullptr, nullptr);
}

// The registry keeps no write times: a last write time asked for comes back as 0.
LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                             LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    if (lpReserved) return ERROR_INVALID_PARAMETER;
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_ENUMERATE_SUB_KEYS, key)) return rc;
    const RegKey* child = key->ChildAt(dwIndex);
    if (!child) return ERROR_NO_MORE_ITEMS;
    if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
    // Both buffers are checked before either is written.
    if (child->Name().size() >= *lpcchName ||
        (lpClass && lpcchClass && child->ClassName().size() >= *lpcchClass))
        return ERROR_MORE_DATA;
    CopyName(child->Name(), lpName, lpcchName);
    if (lpClass && lpcchClass) CopyName(child->ClassName(), lpClass, lpcchClass);
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_QUERY_VALUE, key)) return rc;
    if (dwIndex >= key->Values().size()) return ERROR_NO_MORE_ITEMS;
    if (!lpValueName || !lpcchValueName) return ERROR_INVALID_PARAMETER;
    const RegValue& value = key->Values()[dwIndex];
    // A name too long for the buffer comes back cut to fit (the count unchanged) with ERROR_MORE_DATA;
    // the type, data and size are still reported.
    LSTATUS nameRc = CopyName(value.name, lpValueName, lpcchValueName);
    if (nameRc && *lpcchValueName) {
        std::memcpy(lpValueName, value.name.data(), *lpcchValueName - 1);
        lpValueName[*lpcchValueName - 1] = 0;
    }
    LSTATUS dataRc = CopyData(value, lpType, lpData, lpcbData);
    return nameRc ? nameRc : dataRc;
}

// The class comes back like a name; the security descriptor's size is 0, as the emulated registry keeps
// none; the last write time is 0, as no write times are kept.
LSTATUS WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    if (lpReserved || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
    RegKey* key = nullptr;
    if (LSTATUS rc = Reg().Use(hKey, KEY_QUERY_VALUE, key)) return rc;
    LSTATUS rc = ERROR_SUCCESS;
    if (lpClass) {
        DWORD cch = *lpcchClass;
        rc = CopyName(key->ClassName(), lpClass, &cch);
    }
    if (lpcchClass) *lpcchClass = DWORD(key->ClassName().size());
    size_t maxName = 0, maxClass = 0;
    for (size_t i = 0; const RegKey* child = key->ChildAt(i); ++i) {
        maxName = std::max(maxName, child->Name().size());
        maxClass = std::max(maxClass, child->ClassName().size());
    }
    size_t maxValueName = 0, maxValue = 0;
    for (const RegValue& v : key->Values()) {
        maxValueName = std::max(maxValueName, v.name.size());
        maxValue = std::max(maxValue, v.data.size());
    }
    if (lpcSubKeys) *lpcSubKeys = DWORD(key->ChildCount());
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = DWORD(maxName);
    if (lpcbMaxClassLen) *lpcbMaxClassLen = DWORD(maxClass);
    if (lpcValues) *lpcValues = DWORD(key->Values().size());
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = DWORD(maxValueName);
    if (lpcbMaxValueLen) *lpcbMaxValueLen = DWORD(maxValue);
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return rc;
}
