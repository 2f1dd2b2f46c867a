#include "tests/conformance/HostNumbers.h"
#include "support/mmShellMacro.h"
#include "tests/emu/shell32/ListBytes.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace conformance {

namespace {

using testlists::Packed;

struct BlockRow {
    const char* what;
    std::vector<uint8_t> bytes;
    bool readable;
};

std::vector<BlockRow> BlockRows() {
    return {
        {"the desktop", {0, 0}, true},
        {"two items", Packed({20, 14}), true},
        {"room to spare after the terminator", {4, 0, 9, 9, 0, 0, 7, 7}, true},
        {"the longest list (32766 bytes)", Packed({32000, 764}), true},
        {"one byte past the longest", Packed({32000, 765}), false},
        {"no terminator", {4, 0, 9, 9}, false},
        {"half a terminator", {4, 0, 9, 9, 0}, false},
        {"an item running past the block", {10, 0, 1, 1, 0, 0}, false},
        {"an item of one byte", {1, 0, 0, 0}, false},
        {"an empty block", {}, false},
        {"one byte", {0}, false},
    };
}

int DidAlloc(const void* p) {
    IMalloc* malloc = nullptr;
    if (FAILED(CoGetMalloc(1, &malloc)) || !malloc) return -2;
    const int answer = malloc->DidAlloc(const_cast<void*>(p));
    malloc->Release();
    return answer;
}

LONG_PTR N(const void* p) {
    return reinterpret_cast<LONG_PTR>(p);
}

} // namespace

std::string HostNumberOutcome::Describe() const {
    return what + ": readable " + (readable ? "yes" : "no") + " (want " + (wantReadable ? "yes" : "no") +
           "), DidAlloc " + std::to_string(didAlloc) + " (want " + std::to_string(wantDidAlloc) + ")";
}

std::vector<HostNumberOutcome> RunHostNumberRows() {
    std::vector<HostNumberOutcome> out;
    auto row = [&](std::string what, const void* p, bool wantReadable, int wantDidAlloc) {
        out.push_back(
            {std::move(what), vireo::IsAllocatedPidl(N(p)), wantReadable, DidAlloc(p), wantDidAlloc});
    };
    for (const BlockRow& b : BlockRows()) {
        void* block = CoTaskMemAlloc(b.bytes.size());
        if (!block) continue;
        if (!b.bytes.empty()) std::memcpy(block, b.bytes.data(), b.bytes.size());
        row(std::string("a task-allocator block: ") + b.what, block, b.readable, 1);
        CoTaskMemFree(block);
    }
    // Numbers that are no block of the task allocator; none of them may be read.
    void* list = CoTaskMemAlloc(8);
    std::memcpy(list, Packed({4, 2}).data(), 8);
    row("a number inside a live list", static_cast<uint8_t*>(list) + 4, false, 0);
    CoTaskMemFree(list);
    row("NULL", nullptr, false, -1);
    row("the number 12", reinterpret_cast<void*>(12), false, 0);
    uint8_t onStack[] = {4, 0, 9, 9};
    row("a stack buffer", onStack, false, 0);
    // The C runtime's own heap may be the process heap the task allocator also uses, so DidAlloc may
    // answer either way; a block holding no whole list is refused on every system.
    void* runtime = std::malloc(4);
    std::memcpy(runtime, onStack, 4);
    const int runtimeAnswer = DidAlloc(runtime);
    row("a C-runtime block without a whole list", runtime, false, runtimeAnswer == 1 ? 1 : 0);
    std::free(runtime);
    return out;
}

} // namespace conformance
