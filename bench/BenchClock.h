// What the benchmarks share: a steady clock, and the floor of every folder listing (one readdir of the
// host folder and one lstat of each entry, the least any listing of it can cost).
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Returns how many entries were found.
inline size_t ReadDirAndLstat(const std::filesystem::path& dir) {
    size_t entries = 0;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return 0;
    std::string path = dir.string() + "/";
    const size_t base = path.size();
    while (dirent* e = ::readdir(d)) {
        path.resize(base);
        path += e->d_name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0) ++entries;
    }
    ::closedir(d);
    return entries;
}

// A host folder of n files named PREFIX<i>.EXT (five extensions in turn), made once in the folder
// vireo-bench of the temporary folder and kept for later runs: making 100,000 files takes far longer than
// anything measured here.
inline std::filesystem::path SampleFolder(const std::string& name, int n,
                                          const std::string& prefix = "file") {
    static const char* const extensions[] = {".txt", ".htm", ".bin", ".doc", ".xyz"};
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vireo-bench" / (name + "-" + std::to_string(n));
    const std::filesystem::path done = dir.string() + ".complete";
    if (std::filesystem::exists(done)) return dir;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (int i = 0; i < n; ++i)
        std::ofstream(dir / (prefix + std::to_string(i) + extensions[i % 5])) << i;
    std::ofstream(done) << n;
    return dir;
}

// Whether the large size was asked for: --big on the command line or VIREO_BENCH_BIG=1.
inline bool WantBig(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--big") return true;
    const char* env = std::getenv("VIREO_BENCH_BIG");
    return env && std::string(env) == "1";
}

} // namespace bench
