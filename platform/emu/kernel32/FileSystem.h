#pragma once

namespace emu {

class Desktop;

class FileSystem {
public:
    explicit FileSystem(Desktop& desktop) : m_desktop(desktop) {}

private:
    [[maybe_unused]] Desktop& m_desktop;
};

} // namespace emu
