#include "platform/emu/kernel32/FileSystem.h"

namespace emu {

struct FileSystem::State {};

FileSystem::FileSystem(Desktop& desktop) : m_desktop(desktop), m_state(std::make_unique<State>()) {}
FileSystem::~FileSystem() = default;

} // namespace emu
