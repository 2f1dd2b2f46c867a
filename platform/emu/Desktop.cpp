#include "platform/emu/Desktop.h"
#include "platform/emu/ole32/Com.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/shdocvw/WebPages.h"
#include "platform/emu/user32/WindowManager.h"
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace emu {

namespace {
thread_local Desktop* t_current = nullptr;

std::filesystem::path MakeScratchDir() {
    static std::atomic<unsigned> counter{0};
    auto base = std::filesystem::temp_directory_path() /
                ("vireo-emu-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base);
    return base;
}
} // namespace

Desktop::Desktop() : m_scratch(MakeScratchDir()) {
    if (t_current) {
        std::fprintf(stderr, "emu::Desktop: a desktop already exists on this thread\n");
        std::abort();
    }
    t_current = this;
    m_script = std::make_unique<Script>();
    m_journal = std::make_unique<Journal>();
    m_system = std::make_unique<SystemInfo>(*this);
    m_files = std::make_unique<FileSystem>(*this);
    m_registry = std::make_unique<Registry>(*this);
    m_windows = std::make_unique<WindowManager>(*this);
    m_web = std::make_unique<WebPages>();
}

Desktop::~Desktop() {
    // Windows go first: their procedures may still call into the other areas while being destroyed.
    m_windows.reset();
    m_registry.reset();
    m_files.reset();
    m_system.reset();
    ResetThreadCom();
    t_current = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(m_scratch, ec);
}

Desktop& Desktop::Current() {
    if (!t_current) {
        std::fprintf(stderr, "emu: a Windows function was called with no emu::Desktop on this thread\n");
        std::abort();
    }
    return *t_current;
}

Desktop* Desktop::TryCurrent() {
    return t_current;
}

} // namespace emu
