// What a Windows path of the emulated desktop holds, read from the host: a file's bytes, "<dir>" for a
// folder, none when nothing is there.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

inline std::optional<std::string> FileContent(emu::Desktop& desk, const std::string& path) {
    auto host = desk.Files().Resolve(path);
    if (!host) return std::nullopt;
    if (std::filesystem::is_directory(*host)) return "<dir>";
    std::ifstream in(*host, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
