// The emulated desktop's file system: drive letters and UNC shares mapped onto host folders. Windows paths
// resolve without regard to letter case (c:\WINDOWS finds C:\Windows), / works like \, and names keep the
// case they were created with. Nothing outside the mounted folders is ever reached.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace emu {

class Desktop;

class FileSystem {
public:
    explicit FileSystem(Desktop& desktop);
    ~FileSystem();

    // Drives. type is a GetDriveType value (2 removable, 3 fixed, 4 remote, 5 CD-ROM).
    void Mount(char letter, const std::filesystem::path& hostDir, unsigned type = 3, std::string label = "");
    // Creates the folder <scratch>/<letter> and mounts it; returns the host folder.
    std::filesystem::path MountScratch(char letter, unsigned type = 3, std::string label = "");
    void Unmount(char letter);
    // Removable and CD-ROM drives: whether a medium is in the drive (a drive without one is not ready).
    void SetMedia(char letter, bool present);
    // \\server\share mapped onto a host folder.
    void AddShare(std::string_view server, std::string_view share, const std::filesystem::path& hostDir);

    // The host path of an existing file or folder; none when missing, not ready or outside the mounts.
    std::optional<std::filesystem::path> Resolve(std::string_view winPath) const;
    // The host path for a file or folder to be created: its parent folder must exist.
    std::optional<std::filesystem::path> ResolveForCreate(std::string_view winPath) const;
    // The path made absolute against the current drive and directory, separators as backslashes, "." and
    // ".." parts resolved.
    std::string FullPath(std::string_view winPath) const;

    // Test conveniences: create a file (and its folders) or a folder at a Windows path.
    std::filesystem::path WriteFile(std::string_view winPath, std::string_view content = "");
    std::filesystem::path MakeDir(std::string_view winPath);

private:
    struct State;
    Desktop& m_desktop;
    std::unique_ptr<State> m_state;
};

} // namespace emu
