#include "platform/emu/user32/Atoms.h"
#include "platform/emu/user32/Cp1252.h"
#include <array>
#include <cstring>

namespace emu {

namespace {
constexpr size_t kMaxAtomName = 255;
constexpr unsigned kMaxIntegerAtom = 0xBFFF;

// CharUpperA of every byte, as the atom table compares names.
const std::array<unsigned char, 256>& Upper() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (unsigned c = 0; c < 256; ++c)
            t[c] = cp1252::ToUpper(static_cast<unsigned char>(c));
        return t;
    }();
    return table;
}
} // namespace

size_t AtomTable::FoldedHash::operator()(std::string_view name) const {
    const auto& upper = Upper();
    size_t h = 14695981039346656037ull;
    for (char c : name)
        h = (h ^ upper[static_cast<unsigned char>(c)]) * 1099511628211ull;
    return h;
}

bool AtomTable::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    const auto& upper = Upper();
    for (size_t i = 0; i < a.size(); ++i)
        if (upper[static_cast<unsigned char>(a[i])] != upper[static_cast<unsigned char>(b[i])]) return false;
    return true;
}

ATOM AtomTable::IntegerAtom(LPCSTR name, bool& bad) {
    bad = false;
    if (IS_INTRESOURCE(name)) {
        auto n = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
        bad = n == 0 || n > kMaxIntegerAtom;
        return bad ? 0 : static_cast<ATOM>(n);
    }
    // "#123" is the integer atom 123, when every character after '#' is a digit.
    if (name[0] != '#' || name[1] == '\0') return 0;
    unsigned n = 0;
    for (const char* p = name + 1; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        n = n * 10 + static_cast<unsigned>(*p - '0');
        if (n > 0xFFFF) break;
    }
    bad = n == 0 || n > kMaxIntegerAtom;
    return bad ? 0 : static_cast<ATOM>(n);
}

ATOM AtomTable::Add(LPCSTR name) {
    if (!name) return 0;
    bool bad = false;
    if (ATOM atom = IntegerAtom(name, bad); atom || bad) return atom;
    size_t length = std::strlen(name);
    if (length == 0 || length > kMaxAtomName || m_next == 0) return 0;
    auto [it, added] = m_byName.try_emplace(std::string(name, length), m_next);
    if (added) ++m_next; // 0xFFFF is the last string atom: m_next wraps to 0 and the table is full
    return it->second;
}

ATOM AtomTable::Find(LPCSTR name) const {
    if (!name) return 0;
    bool bad = false;
    if (ATOM atom = IntegerAtom(name, bad); atom || bad) return atom;
    Recent& recent = m_recent[(reinterpret_cast<uintptr_t>(name) >> 3) % std::size(m_recent)];
    if (recent.where == name && std::strcmp(recent.text.c_str(), name) == 0) return recent.atom;
    auto it = m_byName.find(std::string_view(name));
    if (it == m_byName.end()) return 0;
    recent = Recent{name, name, it->second}; // atoms are never deleted, so what is kept stays true
    return it->second;
}

AtomTable& GlobalAtoms() {
    thread_local AtomTable table;
    return table;
}

} // namespace emu

ATOM WINAPI GlobalAddAtomA(LPCSTR lpString) {
    const ATOM atom = emu::GlobalAtoms().Add(lpString);
    if (!atom) SetLastError(ERROR_INVALID_PARAMETER);
    return atom;
}

ATOM WINAPI GlobalFindAtomA(LPCSTR lpString) {
    const ATOM atom = emu::GlobalAtoms().Find(lpString);
    if (!atom) SetLastError(ERROR_FILE_NOT_FOUND);
    return atom;
}
