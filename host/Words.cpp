#include "host/Words.h"
#include "platform/RuntimeError.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace host {

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

namespace {

// Digits in the base, with an optional sign in decimal; nothing else.
bool AllDigits(const std::string& s, int base) {
    size_t i = (base == 10 && !s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i >= s.size()) return false;
    for (; i < s.size(); ++i)
        if (!(base == 16 ? std::isxdigit(static_cast<unsigned char>(s[i]))
                         : std::isdigit(static_cast<unsigned char>(s[i]))))
            return false;
    return true;
}

// The value of well-formed digits; out of the range of 64 bits it saturates (and is then out of range).
long long Value(const std::string& digits, int base) {
    errno = 0;
    if (base == 16) {
        const unsigned long long u = std::strtoull(digits.c_str(), nullptr, 16);
        return errno == ERANGE || u > uint64_t(std::numeric_limits<long long>::max())
                   ? std::numeric_limits<long long>::max()
                   : static_cast<long long>(u);
    }
    return std::strtoll(digits.c_str(), nullptr, 10);
}

[[noreturn]] void Overflow(const char* type, unsigned argIndex) {
    throw vireo::DispatchError(vireo::kDispOverflow, std::string("Overflow converting to ") + type, argIndex);
}

} // namespace

vireo::Variant ParseArgument(const Token& t, unsigned argIndex) {
    if (t.quoted) return vireo::Variant(t.text);
    const std::string low = Lower(t.text);
    if (low == "empty") return {};
    if (low == "true" || low == "false") return vireo::Variant::Boolean(low == "true");
    if (low.rfind("int:", 0) == 0) {
        const std::string digits = t.text.substr(4);
        if (!AllDigits(digits, 10)) throw ScriptError(t.text + ": expected an Integer such as int:12");
        const long long n = Value(digits, 10);
        if (n < INT16_MIN || n > INT16_MAX) Overflow("Integer", argIndex);
        return vireo::Variant::Integer(int16_t(n));
    }
    if (low.rfind("&h", 0) == 0) {
        // &H digits are the Long's 32 bits: &HFFFFFFFF is -1.
        const std::string digits = t.text.substr(2);
        if (!AllDigits(digits, 16)) throw ScriptError(t.text + ": expected a hexadecimal Long such as &HFF");
        const long long n = Value(digits, 16);
        if (n > int64_t(UINT32_MAX)) Overflow("Long", argIndex);
        return vireo::Variant::Long(int32_t(uint32_t(n)));
    }
    if (AllDigits(t.text, 10)) {
        const long long n = Value(t.text, 10);
        if (errno == ERANGE || n < INT32_MIN || n > INT32_MAX) Overflow("Long", argIndex);
        return vireo::Variant::Long(n);
    }
    char* end = nullptr;
    const double d = std::strtod(t.text.c_str(), &end);
    const bool numeric =
        end && *end == '\0' &&
        (std::isdigit(static_cast<unsigned char>(low[0])) || low[0] == '-' || low[0] == '+' || low[0] == '.');
    if (numeric && low.find_first_of(".e") != std::string::npos) return vireo::Variant::Double(d);
    return vireo::Variant(t.text);
}

int64_t ParseNumber(const std::string& word, const std::string& what, int64_t min, int64_t max, bool hex) {
    const bool isHex = hex && Lower(word).rfind("&h", 0) == 0;
    const std::string digits = isHex ? word.substr(2) : word;
    if (!AllDigits(digits, isHex ? 16 : 10))
        throw ScriptError(what + ": expected a whole number" + (hex ? " (or &H hexadecimal)" : "") +
                          ", not " + (word.empty() ? "nothing" : word));
    const long long n = Value(digits, isHex ? 16 : 10);
    if ((!isHex && errno == ERANGE) || n < min || n > max)
        throw ScriptError(what + ": " + word + " is out of range (" + std::to_string(min) + " to " +
                          std::to_string(max) + ")");
    return n;
}

} // namespace host
