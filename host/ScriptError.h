// A script line the host cannot carry out.
#pragma once
#include <stdexcept>

namespace host {

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace host
