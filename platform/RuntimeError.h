// Errors that reach the caller. RuntimeError is a run-time error as the control raises it (number,
// source, description); the dispatch layer turns it into a dispatch exception with that text.
// DispatchError is a failure of the dispatch call itself (unknown member, wrong argument count or kind).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vireo {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), m_number(number), m_source(std::move(source)),
          m_description(std::move(description)) {}

    int32_t Number() const { return m_number; }
    const std::string& Source() const { return m_source; }
    const std::string& Description() const { return m_description; }

private:
    int32_t m_number;
    std::string m_source;
    std::string m_description;
};

// HRESULTs of the dispatch layer, as IDispatch::Invoke returns them.
enum : int32_t {
    kDispUnknownInterface = int32_t(0x80020001u),
    kDispMemberNotFound = int32_t(0x80020003u),
    kDispParamNotFound = int32_t(0x80020004u),
    kDispTypeMismatch = int32_t(0x80020005u),
    kDispUnknownName = int32_t(0x80020006u),
    kDispNoNamedArgs = int32_t(0x80020007u),
    kDispBadVarType = int32_t(0x80020008u),
    kDispException = int32_t(0x80020009u),
    kDispOverflow = int32_t(0x8002000Au),
    kDispBadIndex = int32_t(0x8002000Bu),
    kDispBadParamCount = int32_t(0x8002000Eu),
    kDispParamNotOptional = int32_t(0x8002000Fu),
};

class DispatchError : public std::runtime_error {
public:
    DispatchError(int32_t hresult, const std::string& what, unsigned argIndex = 0)
        : std::runtime_error(what), m_hr(hresult), m_argIndex(argIndex) {}
    int32_t HResult() const { return m_hr; }
    // 0-based position of the offending argument, for type mismatches and overflows.
    unsigned ArgIndex() const { return m_argIndex; }

private:
    int32_t m_hr;
    unsigned m_argIndex;
};

} // namespace vireo
