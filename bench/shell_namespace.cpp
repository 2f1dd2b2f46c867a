// How fast the emulated shell answers for big folders and big registries: the extension index built from
// 5,000 registered extensions, and a folder of 100,000 files listed through IShellFolder (EnumObjects and
// a display name per item) against a plain FindFirstFileA listing of the same folder in the same run.
#include "bench/BenchClock.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include "support/mEnumExt.h"
#include "support/mmShellMacro.h"
#include <cstdio>
#include <fstream>
#include <string>

using namespace vireo;

namespace {

using bench::Clock;
using bench::Seconds;

size_t PlainListing(const char* pattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do {
        if (data.cFileName[0] != '.' ||
            (data.cFileName[1] && (data.cFileName[1] != '.' || data.cFileName[2])))
            ++count;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

size_t ShellListing(const char* path) {
    LONG_PTR pidl = PidlFromPath(nullptr, path);
    IShellFolder* folder = BindToFolder(GetDesktopFolder(), pidl);
    FreePidl(pidl);
    IEnumIDList* items = nullptr;
    size_t count = 0;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items) ==
        S_OK) {
        LPITEMIDLIST item = nullptr;
        while (items->Next(1, &item, nullptr) == S_OK) {
            STRRET name;
            if (SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_INFOLDER, &name))) {
                if (name.uType == STRRET_WSTR) CoTaskMemFree(name.pOleStr);
                ++count;
            }
            CoTaskMemFree(item);
        }
        items->Release();
    }
    folder->Release();
    return count;
}

} // namespace

int main(int argc, char** argv) {
    const int extensions = 5000;
    const int files = argc > 1 ? std::stoi(argv[1]) : 100000;
    emu::Desktop desktop;
    std::filesystem::path c = desktop.Files().MountScratch('C');

    for (int i = 0; i < extensions; ++i) {
        int kind = i % 50;
        desktop.Reg().RegisterFileType(".b" + std::to_string(10000 + i), "Bench.Type" + std::to_string(kind),
                                       "Bench Type " + std::to_string(kind), "bench.exe \"%1\"");
    }
    auto start = Clock::now();
    BuildExtensionIndex();
    double indexTime = Seconds(start);
    std::printf("extension index: %zu types from %d registered extensions in %.3f s\n",
                ExtensionIndexEntries().size(), extensions, indexTime);

    std::filesystem::create_directories(c / "big");
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%06d.%s", i, i % 2 ? "txt" : "b10007");
        std::ofstream(c / "big" / name);
    }

    start = Clock::now();
    size_t plain = PlainListing("C:\\big\\*");
    double plainTime = Seconds(start);
    start = Clock::now();
    size_t shell = ShellListing("C:\\big");
    double shellTime = Seconds(start);

    std::printf("plain listing (FindFirstFileA): %zu files in %.3f s\n", plain, plainTime);
    std::printf("shell listing (EnumObjects + GetDisplayNameOf): %zu items in %.3f s\n", shell, shellTime);
    std::printf("ratio shell / plain: %.2f (goal: 3 or less)\n", plainTime > 0 ? shellTime / plainTime : 0.0);
    ClearExtensionIndex();
    return plain == static_cast<size_t>(files) && shell == static_cast<size_t>(files) ? 0 : 1;
}
