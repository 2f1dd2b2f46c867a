#pragma once

namespace emu {

class Desktop;

class WindowManager {
public:
    explicit WindowManager(Desktop& desktop) : m_desktop(desktop) {}

private:
    [[maybe_unused]] Desktop& m_desktop;
};

} // namespace emu
