// FindFirstFileA / FindNextFileA over a big folder against its floor (readdir + lstat of the same host
// folder) in one run, each the best of three: a listing with 8.3 aliases (the first of a desktop makes the
// folder's index and alias table; after a long name came and went in the folder the alias table is made
// again; after a name of 8.3 form without "~" came and went, which moves no alias, it is kept; a second
// listing reuses it) and one without (FindFirstFileExA with FindExInfoBasic, as the shell's folder view
// lists). 10,000 files; 100,000 with --big (or VIREO_BENCH_BIG=1), made once and kept (vireo-bench/find-N in
// the temporary folder).
#include "bench/BenchClock.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/findex.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

using bench::Clock;
using bench::Seconds;

std::string g_folder; // the folder's name on C:

// Lists the folder; returns the time and checks the count.
double List(bool aliases, size_t expected) {
    WIN32_FIND_DATAA data{};
    size_t found = 0, withAlias = 0;
    auto start = Clock::now();
    const std::string pattern = "C:\\" + g_folder + "\\*";
    HANDLE find = aliases ? FindFirstFileA(pattern.c_str(), &data)
                          : FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                             nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        ++found;
        if (data.cAlternateFileName[0]) ++withAlias;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    const double seconds = Seconds(start);
    if (found != expected || (withAlias != 0) != aliases)
        std::printf("unexpected: %zu entries (%zu with an alias), %zu expected\n", found, withAlias,
                    expected);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const int files = bench::WantBig(argc, argv) ? 100000 : 10000;
    // Names too long for 8.3, so that every entry has an alias.
    const std::filesystem::path folder = bench::SampleFolder("find", files, "longname");
    g_folder = folder.filename().string();
    const size_t expected = size_t(files) + 2; // "." and ".."

    double floor = 1e9, basic = 1e9, warm = 1e9, changedLong = 1e9, changedShort = 1e9, cold = 1e9;
    for (int round = 0; round < 3; ++round) { // each desktop makes the index and the alias table anew
        emu::Desktop fresh;
        fresh.Files().Mount('C', folder.parent_path());
        cold = std::min(cold, List(true, expected));
    }
    emu::Desktop desktop;
    desktop.Files().Mount('C', folder.parent_path());
    List(true, expected);
    for (int round = 0; round < 3; ++round) { // the best of three: the machine is shared
        // A file made and removed again on the host: after a long name the aliases are made anew, after a
        // plain 8.3 name they are kept.
        for (const char* name : {"passing file.tmp", "passing.tmp"}) {
            const std::filesystem::path passing = folder / name;
            std::ofstream(passing) << round;
            std::filesystem::remove(passing);
            double& changed = passing.filename() == "passing.tmp" ? changedShort : changedLong;
            changed = std::min(changed, List(true, expected));
        }
        auto start = Clock::now();
        bench::ReadDirAndLstat(folder);
        floor = std::min(floor, Seconds(start));
        basic = std::min(basic, List(false, expected));
        warm = std::min(warm, List(true, expected));
    }
    std::printf("listing %d files            time      x floor\n", files);
    std::printf("readdir + lstat (floor)   %7.4f s\n", floor);
    std::printf("FindFirstFileExA, basic   %7.4f s   %5.2f\n", basic, basic / floor);
    std::printf("FindFirstFileA, warm      %7.4f s   %5.2f\n", warm, warm / floor);
    std::printf("FindFirstFileA, changed   %7.4f s   %5.2f  (a long name came and went: alias table made)\n",
                changedLong, changedLong / floor);
    std::printf("FindFirstFileA, changed   %7.4f s   %5.2f  (an 8.3 name came and went: alias table kept)\n",
                changedShort, changedShort / floor);
    std::printf("FindFirstFileA, first     %7.4f s   %5.2f  (index and alias table made)\n", cold,
                cold / floor);
    return 0;
}
