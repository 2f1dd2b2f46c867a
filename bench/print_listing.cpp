// How long the folder listing PrintEx has the command interpreter write takes for big folders: "dir /o
// /a/ogen" over 10,000 and 100,000 files, against a plain FindFirstFileA walk of the same folder in the
// same run (the floor every listing pays).
#include "bench/BenchClock.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/CommandInterpreter.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using bench::Clock;
using bench::Seconds;

size_t PlainWalk(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do
        ++count;
    while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

} // namespace

int main() {
    emu::Desktop desktop;
    std::filesystem::path c = desktop.Files().MountScratch('C');
    std::printf("%-8s %10s %10s %8s %12s\n", "files", "walk s", "listing s", "ratio", "bytes");
    for (int files : {10000, 100000}) {
        const std::string name = "F" + std::to_string(files);
        std::filesystem::create_directories(c / name);
        const char* extensions[] = {".txt", ".doc", ".htm", ".log", ""};
        // Names in reverse order of their sort key, so the sort has work to do.
        for (int i = files; i > 0; --i)
            std::ofstream(c / name / ("item" + std::to_string(i) + extensions[i % 5])) << i;
        const std::string folder = "C:\\" + name;
        PlainWalk(folder + "\\*"); // the host's directory cache warmed for both
        auto start = Clock::now();
        size_t walked = PlainWalk(folder + "\\*");
        double walk = Seconds(start);
        start = Clock::now();
        std::string listing = emu::DirListing("/o /a/ogen/-p", folder, emu::ListingStyle::NT);
        double list = Seconds(start);
        std::printf("%-8zu %10.3f %10.3f %8.2f %12zu\n", walked - 2, walk, list, list / walk, listing.size());
    }
    return 0;
}
