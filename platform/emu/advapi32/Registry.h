#pragma once

namespace emu {

class Desktop;

class Registry {
public:
    explicit Registry(Desktop& desktop) : m_desktop(desktop) {}

private:
    [[maybe_unused]] Desktop& m_desktop;
};

} // namespace emu
