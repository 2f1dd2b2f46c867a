// The shell's change notices: which registrations a notice reaches, what they read back through
// SHChangeNotification_Lock, and how long a notice lives.
#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/api/shlobj_notify.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/emu/user32/WindowManager.h"

namespace {

constexpr UINT kNotice = WM_APP + 7;

// What a sink window read from each notice it was posted or sent: "event path1 > path2".
std::vector<std::string> t_received;

LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kNotice) return DefWindowProcA(hwnd, msg, wParam, lParam);
    LPITEMIDLIST* pidls = nullptr;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam),
                                            &pidls, &event);
    if (!lock) {
        t_received.push_back("no notice");
        return 0;
    }
    std::string line = std::to_string(event) + " " + emu::ShellNamespace::DisplayPath(pidls[0]);
    if (pidls[1]) line += " > " + emu::ShellNamespace::DisplayPath(pidls[1]);
    t_received.push_back(line);
    EXPECT_TRUE(SHChangeNotification_Unlock(lock));
    EXPECT_FALSE(SHChangeNotification_Unlock(lock)) << "a notice is unlocked once";
    return 0;
}

class ChangeNotifyTest : public shelltest::ShellTest {
protected:
    ChangeNotifyTest() {
        desk.Files().WriteFile("C:\\watched\\inside\\deep.txt");
        desk.Files().WriteFile("C:\\watched\\file.txt");
        desk.Files().MakeDir("C:\\elsewhere");
        WNDCLASSA wc{};
        wc.lpfnWndProc = SinkProc;
        wc.lpszClassName = "NoticeSink";
        RegisterClassA(&wc);
        sink = CreateWindowExA(0, "NoticeSink", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        t_received.clear();
    }
    ~ChangeNotifyTest() override { DestroyWindow(sink); }

    ULONG Register(const char* folder, bool recursive, LONG events = SHCNE_ALLEVENTS) {
        LPITEMIDLIST pidl = folder ? Parse(folder) : nullptr;
        SHChangeNotifyEntry entry{pidl, recursive};
        ULONG id =
            SHChangeNotifyRegister(sink, SHCNRF_ShellLevel | SHCNRF_NewDelivery, events, kNotice, 1, &entry);
        ILFree(pidl);
        return id;
    }
    std::vector<std::string> Received() {
        desk.Windows().PumpOnce();
        return std::exchange(t_received, {});
    }

    HWND sink = nullptr;
};

using Lines = std::vector<std::string>;

// What the sink reads of a notice.
std::string Read(LONG event, const char* item1, const char* item2 = nullptr) {
    return std::to_string(event) + " " + item1 + (item2 ? std::string(" > ") + item2 : "");
}

TEST_F(ChangeNotifyTest, ANoticeReachesTheRegistrationsWatchingEitherItem) {
    const char *watched = "C:\\watched", *file = "C:\\watched\\file.txt",
               *deep = "C:\\watched\\inside\\deep.txt", *gone = "C:\\watched\\gone.txt",
               *elsewhere = "C:\\elsewhere", *away = "C:\\elsewhere\\x.txt";
    const LONG all = SHCNE_ALLEVENTS, create = SHCNE_CREATE, remove = SHCNE_DELETE, rename = SHCNE_RENAMEITEM;
    const struct {
        const char* folder;
        bool recursive;
        LONG events, event;
        const char *item1, *item2;
        Lines want;
    } cases[] = {
        {watched, false, all, create, file, nullptr, {Read(create, file)}},
        {watched, false, all, create, "c:/WATCHED/file.txt", nullptr, {Read(create, file)}},
        {watched, false, all, create, deep, nullptr, {}},
        {watched, true, all, create, deep, nullptr, {Read(create, deep)}},
        {watched, false, all, SHCNE_UPDATEDIR, watched, nullptr, {Read(SHCNE_UPDATEDIR, watched)}},
        {watched, false, create, remove, gone, nullptr, {}},
        {watched, false, remove, remove, gone, nullptr, {Read(remove, gone)}},
        {watched, false, all, rename, away, file, {Read(rename, away, file)}},
        {elsewhere, false, all, rename, away, file, {Read(rename, away, file)}},
        {elsewhere, false, all, create, file, nullptr, {}},
        {nullptr, true, all, create, deep, nullptr, {Read(create, deep)}},
    };
    for (const auto& c : cases) {
        ULONG id = Register(c.folder, c.recursive, c.events);
        ASSERT_NE(id, 0u);
        SHChangeNotify(c.event, SHCNF_PATHA, c.item1, c.item2);
        EXPECT_EQ(t_received, Lines{}) << "posted, not sent";
        EXPECT_EQ(Received(), c.want) << (c.folder ? c.folder : "all") << " " << c.item1;
        EXPECT_TRUE(SHChangeNotifyDeregister(id));
    }
}

TEST_F(ChangeNotifyTest, FlushedNoticesAreSentBeforeTheCallReturns) {
    ULONG id = Register("C:\\watched", false);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA | SHCNF_FLUSH, "C:\\watched\\inside", nullptr);
    EXPECT_EQ(t_received, Lines{Read(SHCNE_MKDIR, "C:\\watched\\inside")});
    t_received.clear();
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA | SHCNF_FLUSHNOWAIT, "C:\\watched\\inside", nullptr);
    EXPECT_EQ(t_received, Lines{});
    EXPECT_EQ(Received().size(), 1u);
    SHChangeNotifyDeregister(id);
}

TEST_F(ChangeNotifyTest, ANoticeLivesUntilItsRegistrationGoes) {
    ULONG id = Register("C:\\watched", false);
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, "C:\\watched\\file.txt", nullptr);
    EXPECT_TRUE(SHChangeNotifyDeregister(id));
    EXPECT_FALSE(SHChangeNotifyDeregister(id));
    EXPECT_EQ(Received(), Lines{"no notice"}) << "the message still comes; its notice is gone";
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, "C:\\watched\\file.txt", nullptr);
    EXPECT_EQ(Received(), Lines{});
}

TEST_F(ChangeNotifyTest, RegistrationsThatCannotBeMade) {
    SHChangeNotifyEntry entry{nullptr, TRUE};
    EXPECT_EQ(SHChangeNotifyRegister(sink, SHCNRF_ShellLevel, SHCNE_ALLEVENTS, kNotice, 1, &entry), 0u)
        << "this desktop delivers the new way only";
    EXPECT_EQ(SHChangeNotifyRegister(nullptr, SHCNRF_NewDelivery, SHCNE_ALLEVENTS, kNotice, 1, &entry), 0u);
    EXPECT_EQ(SHChangeNotifyRegister(sink, SHCNRF_NewDelivery, SHCNE_ALLEVENTS, kNotice, 0, &entry), 0u);
    EXPECT_EQ(SHChangeNotification_Lock(reinterpret_cast<HANDLE>(0x1234), 0, nullptr, nullptr), nullptr);
}

} // namespace
