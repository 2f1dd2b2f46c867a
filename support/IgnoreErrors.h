// "Errors are ignored statement by statement": a step that fails is skipped and the next one runs.
// Platform calls report failure by their result; only the steps that call outside components can throw.
#pragma once
#include <exception>

namespace vireo {

template <class F> bool IgnoreErrors(F&& step) noexcept {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vireo
