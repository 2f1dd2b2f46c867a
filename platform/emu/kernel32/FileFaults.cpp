#include "platform/emu/kernel32/FileFaults.h"
#include "platform/emu/kernel32/Kernel.h"
#include <fstream>

namespace emu {

namespace {

struct PlanState {
    const Desktop* desk = nullptr; // the desktop the plan is for; none when no fault is planned
    unsigned step = 0;
    FileFault fault = FileFault::DiskFull;
    unsigned steps = 0;
    bool met = false;
    std::string touched;
};

PlanState& State() {
    static PlanState state;
    return state;
}

} // namespace

void FileFaults::Plan(unsigned step, FileFault fault) {
    State() = PlanState{&Desktop::Current(), step, fault, 0, false, {}};
}

void FileFaults::Clear() {
    State() = PlanState{};
}

unsigned FileFaults::Steps() {
    return State().steps;
}

bool FileFaults::Met() {
    return State().met;
}

const std::string& FileFaults::Touched() {
    return State().touched;
}

unsigned long FileFaults::Before(const char* source, const char* target) {
    PlanState& s = State();
    if (!s.desk || s.desk != Desktop::TryCurrent() || ++s.steps != s.step) return 0;
    s.met = true;
    switch (s.fault) {
    case FileFault::DiskFull:
        return ERROR_DISK_FULL;
    case FileFault::AccessDenied:
        return ERROR_ACCESS_DENIED;
    case FileFault::SourceVanishes:
        if (source) {
            if (auto host = k32::Files().Resolve(source)) {
                std::error_code ec;
                std::filesystem::remove_all(*host, ec);
                s.touched = k32::Files().FullPath(source);
            }
        }
        return 0;
    case FileFault::TargetAppears:
        if (target && !k32::Files().Resolve(target)) {
            if (auto host = k32::Files().ResolveForCreate(target)) {
                std::ofstream(*host) << "appeared";
                s.touched = k32::Files().FullPath(target);
            }
        }
        return 0;
    }
    return 0;
}

} // namespace emu
