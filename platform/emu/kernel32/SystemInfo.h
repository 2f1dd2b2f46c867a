#pragma once

namespace emu {

class Desktop;

class SystemInfo {
public:
    explicit SystemInfo(Desktop& desktop) : m_desktop(desktop) {}

private:
    [[maybe_unused]] Desktop& m_desktop;
};

} // namespace emu
