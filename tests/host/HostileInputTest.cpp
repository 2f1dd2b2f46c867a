// Scripts a careless or hostile host might run: each must end, print an answer and leave the control usable.
#include "HostScript.h"
#include <gtest/gtest.h>

namespace {

const char* kScene = R"(mount C:
file C:\Temp\a.txt one
file C:\Temp\b.txt two
create
address C:\Temp
)";

// A location long enough that its length no longer fits the low 16 bits of the status bar's answer.
TEST(HostileInputTest, AVeryLongLocationIsShownWhole) {
    for (size_t length : {65510u, 65536u, 70000u}) {
        SCOPED_TRACE(length);
        const std::string path = "C:\\" + std::string(length, 'z');
        std::string upper = "C:\\" + std::string(length, 'Z');
        int bad = 0;
        auto out = RunHost(std::string(kScene) + "invoke NavigateTV \"" + path + "\"\ninvoke let URL \"" +
                               path + "\"\ninvoke NavigateTV C:\\Temp\\a.txt\n",
                           false, &bad);
        EXPECT_EQ(bad, 0);
        EXPECT_TRUE(Contains(out, "status \"'" + upper + "' IS CURRENTLY UNAVAILABLE !!!\""));
    }
}

// Numbers that are not item-ID lists: each call is refused with a run-time error and the control goes on.
TEST(HostileInputTest, ANumberThatIsNoListIsRefused) {
    const char* calls[] = {"invoke NavigateTV 12", "invoke NavigateTV -1", "invoke NavigateTV &HFFFFFFFF",
                           "invoke NavigateWB 12", "invoke NavigateTV 12 false"};
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        auto out = RunHost(std::string(kScene) + call + "\ninvoke GetSelectedCount \"\"\n");
        EXPECT_TRUE(Contains(out, "is not an item-ID list")) << out.back();
        EXPECT_FALSE(Contains(out, "byref bSuccess"));
        EXPECT_TRUE(Contains(out, "result Long 0")) << "the control still answers";
    }
}

// Window fields set to something that is not a list view: the selection members end and find nothing.
TEST(HostileInputTest, AListViewFieldThatIsNoListViewDoesNotHang) {
    const char* fields[] = {"12", "-1", "0"};
    for (const char* field : fields) {
        SCOPED_TRACE(field);
        int bad = 0;
        auto out = RunHost(std::string(kScene) + "invoke let m_hwndLV " + field +
                               "\ninvoke SetSelectedFiles \"a.txt\"\ninvoke InvertSelection\n"
                               "invoke GetSelectedFileList \"\"\nshow view\n",
                           false, &bad);
        EXPECT_EQ(bad, 0);
        EXPECT_TRUE(Contains(out, "byref FileList \"\""));
    }
}

} // namespace
