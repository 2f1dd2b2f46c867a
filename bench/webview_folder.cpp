// How fast the emulated web view shows a big folder: a navigation to a folder of 100,000 files (the
// shell's folder view listed through IShellFolder and filled into its list view, pumped to the end),
// and the folder view's refresh of the same folder.
#include "bench/BenchClock.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/emu/user32/WindowManager.h"
#include "platform/win32.h"
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using bench::Clock;
using bench::Seconds;

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::stoi(argv[1]) : 100000;
    emu::Desktop desktop;
    std::filesystem::path c = desktop.Files().MountScratch('C');
    std::filesystem::create_directories(c / "big");
    const char* extensions[] = {".txt", ".htm", ".bin", ".doc", ".xyz"};
    for (int i = 0; i < files; ++i)
        std::ofstream(c / "big" / ("file" + std::to_string(i) + extensions[i % 5])) << i;

    HWND form = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                nullptr, nullptr);
    auto web = emu::EmuWebView::Create(form);
    auto start = Clock::now();
    web->Navigate("C:\\big");
    desktop.Windows().PumpOnce();
    double navigate = Seconds(start);
    LRESULT items = SendMessageA(web->FolderList(), LVM_GETITEMCOUNT, 0, 0);
    std::printf("navigation to a folder of %d files: %ld items listed in %.3f s\n", files, long(items),
                navigate);

    start = Clock::now();
    web->Refresh();
    std::printf("refresh of the folder view: %.3f s\n", Seconds(start));
    web.reset();
    DestroyWindow(form);
    return items == files ? 0 : 1;
}
