// The selection calls on folders of 100 and 5,000 files against the real list view, timed.
#include "tests/wine/ListViewScene.h"
#include "support/mmShellMacro.h"
#include <functional>

namespace winecheck {

// The selection calls on folders of many files, timed; printed, not checked, except what they select.
void TimeLargeFolder(Scene& scene, int files) {
    const std::string dir = std::string(kDir) + "-" + std::to_string(files);
    std::vector<Entry> entries;
    std::vector<std::string> names(static_cast<size_t>(files));
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%05d.txt", i);
        names[static_cast<size_t>(i)] = name;
    }
    for (const std::string& n : names)
        entries.push_back({n.c_str(), false});
    auto tree = MakeTree(dir, entries);
    std::vector<std::string> half;
    for (size_t i = 0; i < names.size(); i += 2)
        half.push_back(names[i]);
    const std::string list = Lines(half);
    if (scene.Show(dir, FVM_DETAILS)) {
        vireo::VireoBrowser& c = *scene.control;
        scene.TakeListView();
        LARGE_INTEGER freq, t0, t1, t2, t3;
        QueryPerformanceFrequency(&freq);
        ClearSelection(c.m_hwndLV);
        QueryPerformanceCounter(&t0);
        c.SetSelectedFiles(list);
        QueryPerformanceCounter(&t1);
        std::string selected;
        const LONG count = c.GetSelectedFileList(selected);
        QueryPerformanceCounter(&t2);
        c.InvertSelection();
        QueryPerformanceCounter(&t3);
        const auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
            return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
        };
        Check("list view: " + std::to_string(files) + " files, every other one selected by name",
              vireo::ItemCount(c.m_hwndLV) == files && count == static_cast<LONG>(half.size()) &&
                  selected == list,
              std::to_string(count));
        // What one selected item costs in the list: its two column texts from the list view, and the shell's
        // type name of its path (ItemName's steps), each over the first 100 items. The texts cost the same
        // in both folders; Wine's SHGetFileInfo on a path costs more the more entries its folder holds.
        const auto perItem = [&](const std::function<void(LONG)>& step) {
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            for (LONG i = 0; i < 100; ++i)
                step(i);
            QueryPerformanceCounter(&b);
            return 10.0 * ms(a, b); // microseconds per item
        };
        const double name = perItem([&](LONG i) { vireo::ItemText(c.m_hwndLV, i, 0); });
        const double type = perItem([&](LONG i) { vireo::ItemText(c.m_hwndLV, i, 2); });
        const double shell =
            perItem([&](LONG i) { vireo::GetTypeName(dir + "\\" + names[i], SHGFI_TYPENAME); });
        std::printf(
            "# list view, %d files: SetSelectedFiles(%zu names) %.1f ms, GetSelectedFileList %.1f ms, "
            "InvertSelection %.1f ms; per item: name %.0f us, type %.0f us, shell type name %.0f us\n",
            files, half.size(), ms(t0, t1), ms(t1, t2), ms(t2, t3), name, type, shell);
        std::fflush(stdout);
    }
    scene.Close();
    tree.reset();
}

} // namespace winecheck
