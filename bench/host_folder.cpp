// The control end to end on a big mapped folder, driven as a vireo-host script drives it: navigate to a
// folder of files, select all (Ctrl+A in the folder view), GetSelectedFileList, InvertSelection and
// SetSelectedFiles with every name. Each step is timed at two sizes in one run, and reported as the ratio
// of the times (10 is linear) and against its floor measured in the same run: a readdir + lstat of the
// folder for the navigation, one LVM_GETNEXTITEM walk fetching every item's text for the selection
// members. Every step is timed five times and the best time kept (the machine is shared, and a step of
// a few milliseconds at the small size is easily disturbed); what a step changes is put back, untimed,
// before it runs again, and each navigation is the first of a new host. GetSelectedFileList is also set
// against the walk plus the file-system lookups the control's real-name rule makes for each item (the shown
// name, then the name with the extension the type column stands for when the shown one is not a file), made
// here as one host lstat each: what the list costs on any faithful file system, where the walk alone leaves
// the lookups out. Sizes 1,000 and 10,000; with
// --big (or VIREO_BENCH_BIG=1) 10,000 and 100,000. The folders are made once and kept (vireo-bench/host-N in
// the temporary folder); the drive C: maps vireo-bench.
#include "bench/BenchClock.h"
#include "bench/ListViewWalk.h"
#include "control/Dispatch.h"
#include "host/Host.h"
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unordered_map>

namespace {

using bench::Clock;
using bench::Seconds;

struct Times {
    double listFloor = 0, navigate = 0, walkFloor = 0, probeFloor = 0, selectAll = 0, getList = 0, invert = 0,
           setAll = 0;
};

// The host names by the text the view shows for them (the name without its extension where the view
// hides it), taken before the timing starts.
std::unordered_map<std::string, std::string> NamesByShownText(const std::filesystem::path& folder) {
    std::unordered_map<std::string, std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        names.emplace(name, name);
        names.emplace(entry.path().stem().string(), name);
    }
    return names;
}

// The walk with every item's text, and for each item an lstat of the shown name and, when that is no
// file, of the real name: the lookups the real-name rule makes, at the host's own cost.
size_t WalkAndProbe(HWND lv, const std::filesystem::path& folder,
                    const std::unordered_map<std::string, std::string>& names) {
    std::string path = folder.string() + "/";
    const size_t base = path.size();
    size_t found = 0;
    struct stat st;
    auto exists = [&](std::string_view name) {
        path.resize(base);
        path += name;
        return ::lstat(path.c_str(), &st) == 0;
    };
    ForEachItemText(lv, [&](std::string_view text) {
        if (exists(text)) {
            ++found;
            return;
        }
        auto real = names.find(std::string(text));
        if (real != names.end() && exists(real->second)) ++found;
    });
    return found;
}

// Calls a member through the dispatch table as the host's "invoke" does (without printing the result),
// then lets what the call started run, as the host does after every line.
double Call(host::Host& h, const char* member, std::vector<vireo::Variant>& args) {
    const vireo::DispMember* m = vireo::FindMember(member);
    auto start = Clock::now();
    vireo::Invoke(*h.Control(), m->id, vireo::kDispMethod, args);
    h.RunLine("clock 0");
    return Seconds(start);
}

constexpr int kTries = 5;

// The best of kTries runs of step; before each run but the first, reset puts back what the step changed.
template <class Step, class Reset> double Best(Step step, Reset reset) {
    double best = 1e30;
    for (int i = 0; i < kTries; ++i) {
        if (i > 0) reset();
        best = std::min(best, step());
    }
    return best;
}

// Runs a timed body, returning its time.
template <class Body> double Time(Body body) {
    const auto start = Clock::now();
    body();
    return Seconds(start);
}

Times Run(int n) {
    std::ostringstream sink;
    host::Output out(sink, false);
    const std::filesystem::path folder = bench::SampleFolder("host", n);
    Times t;
    auto nothing = [] {};
    size_t listed = 0;
    t.listFloor = Best([&] { return Time([&] { listed = bench::ReadDirAndLstat(folder); }); }, nothing);
    // The first navigation of a host reads the folder into its index: each try starts a new host, and the
    // last one goes on with the other steps. The host lets whatever the line started run to the end.
    std::unique_ptr<host::Host> last;
    t.navigate = Best(
        [&] {
            auto h = std::make_unique<host::Host>(out);
            h->RunLine("mount C: at \"" + folder.parent_path().string() + "\"");
            h->RunLine("create");
            const double seconds =
                Time([&] { h->RunLine("invoke NavigateTV \"C:\\" + folder.filename().string() + "\""); });
            last = std::move(h);
            return seconds;
        },
        [&] { last.reset(); });
    host::Host& h = *last;

    vireo::VireoBrowser& control = *h.Control();
    const HWND lv = control.m_hwndLV;
    size_t chars = 0, probed = 0;
    t.walkFloor = Best([&] { return Time([&] { chars = FetchEveryText(lv); }); }, nothing);
    const auto hostNames = NamesByShownText(folder);
    t.probeFloor = Best([&] { return Time([&] { probed = WalkAndProbe(lv, folder, hostNames); }); }, nothing);

    auto selectNone = [&] {
        LVITEMA clear{};
        clear.stateMask = LVIS_SELECTED;
        SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        h.RunLine("clock 0");
    };
    t.selectAll = Best(
        [&] {
            return Time([&] {
                h.RunLine("key ctrl");
                h.RunLine("key A");
                h.RunLine("release ctrl");
            });
        },
        selectNone);
    const LRESULT allSelected = SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0);

    std::vector<vireo::Variant> list{vireo::Variant(std::string())};
    t.getList = Best([&] { return Call(h, "GetSelectedFileList", list); }, nothing);
    const std::string names = list[0].Str();

    std::vector<vireo::Variant> none;
    t.invert =
        Best([&] { return Call(h, "InvertSelection", none); }, [&] { Call(h, "InvertSelection", none); });
    const LRESULT afterInvert = SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0);

    std::vector<vireo::Variant> every{vireo::Variant(names)};
    t.setAll = Best([&] { return Call(h, "SetSelectedFiles", every); }, selectNone);
    const LRESULT afterSet = SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0);

    // Names whose extension the view hides match only as shown: .bin and .xyz, two in five.
    if (listed < size_t(n) || chars == 0 || probed != size_t(n) || allSelected != n || afterInvert != 0 ||
        afterSet != n / 5 * 2)
        std::printf(
            "unexpected at %d files: %zu listed, %zu chars, %zu probed, %ld selected, %ld after invert, "
            "%ld after set\n",
            n, listed, chars, probed, long(allSelected), long(afterInvert), long(afterSet));
    return t;
}

} // namespace

int main(int argc, char** argv) {
    const bool big = bench::WantBig(argc, argv);
    const int small = big ? 10000 : 1000, large = small * 10;
    const Times a = Run(small), b = Run(large);
    std::printf("%-36s %10d %10d   ratio   x floor (%d)\n", "end to end through the host", small, large,
                large);
    auto row = [&](const char* what, double x, double y, double floor) {
        std::printf("%-36s %8.3f s %8.3f s   %5.1f", what, x, y, x > 0 ? y / x : 0.0);
        if (floor > 0)
            std::printf("   %7.1f\n", y / floor);
        else
            std::printf("\n");
    };
    row("floor: readdir + lstat", a.listFloor, b.listFloor, 0);
    row("floor: walk, text of every item", a.walkFloor, b.walkFloor, 0);
    row("floor: walk + real-name lookups", a.probeFloor, b.probeFloor, 0);
    row("navigate (NavigateTV)", a.navigate, b.navigate, b.listFloor);
    row("select all (Ctrl+A)", a.selectAll, b.selectAll, b.walkFloor);
    row("GetSelectedFileList (all)", a.getList, b.getList, b.walkFloor);
    row("  against walk + lookups", a.getList, b.getList, b.probeFloor);
    row("InvertSelection", a.invert, b.invert, b.walkFloor);
    row("SetSelectedFiles (every name)", a.setAll, b.setAll, b.walkFloor);
    return 0;
}
