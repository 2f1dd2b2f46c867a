// File icons, the keyed image list and shell execution against Wine's shell32, comctl32 and oleaut32.
// Only harmless targets are started: missing files, unknown types and a command line that ends at once.
#include "support/KeyedImageList.h"
#include "support/mmFileIcon.h"
#include "support/mmShellExe.h"
#include "tests/wine/Checker.h"
#include "tests/wine/Scratch.h"
#include <commctrl.h>

namespace winecheck {

namespace {

using namespace vireo;

const std::string kRoot = "C:\\vireo\\iconscratch";

// The picture's type and its width in pixels (pictures measure in HIMETRIC, 2540 to the inch).
std::string Described(const PicturePtr& picture) {
    if (!picture) return "<none>";
    SHORT type = 0;
    OLE_XSIZE_HIMETRIC width = 0;
    picture.get()->get_Type(&type);
    picture.get()->get_Width(&width);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return "type " + std::to_string(type) + ", " + std::to_string((width * dpi + 1270) / 2540) + " px";
}

void CheckIcons() {
    const int small = GetSystemMetrics(SM_CXSMICON), large = GetSystemMetrics(SM_CXICON);
    const struct {
        std::string what;
        Variant item;
        LONG large;
        UINT flags;
        int width; // 0: no picture
    } cases[] = {
        {"a file, small", Variant(kRoot + "\\a.ini"), 0, 0, small},
        {"a file, large", Variant(kRoot + "\\a.ini"), 1, 0, large},
        {"a folder", Variant(kRoot), 1, 0, large},
        {"a bare extension by its type", Variant(".htm"), 0, SHGFI_USEFILEATTRIBUTES, small},
        {"a missing file", Variant(kRoot + "\\missing.txt"), 0, 0, 0},
        {"a missing file by its type", Variant(kRoot + "\\missing.txt"), 0, SHGFI_USEFILEATTRIBUTES, small},
    };
    for (const auto& t : cases) {
        PicturePtr picture = GetFileIconPicture(t.item, t.large, t.flags);
        std::string want =
            t.width ? "type " + std::to_string(PICTYPE_ICON) + ", " + std::to_string(t.width) + " px"
                    : "<none>";
        Check("GetFileIconPicture of " + t.what, Described(picture) == want, Described(picture));
    }
    Check("IconToPicture of no icon", !IconToPicture(nullptr));

    // Each distinct shell icon enters a list once; the list's size decides small or large.
    for (int size : {16, 32}) {
        KeyedImageList list(size, size);
        const std::string n = std::to_string(size);
        LONG first = IconIndexInList(list, Variant(kRoot + "\\a.ini"), 0);
        LONG second = IconIndexInList(list, Variant(kRoot + "\\b.ini"), 0);
        LONG folder = IconIndexInList(list, Variant(kRoot), 0);
        LONG missing = IconIndexInList(list, Variant(kRoot + "\\missing.txt"), 0);
        Check("IconIndexInList " + n + ": two settings files share one picture", first == 1 && second == 1,
              std::to_string(first) + " " + std::to_string(second));
        Check("IconIndexInList " + n + ": a folder gets the next", folder == 2, std::to_string(folder));
        Check("IconIndexInList " + n + ": a missing file gets none", missing == 0, std::to_string(missing));
        Check("IconIndexInList " + n + ": the image list holds two pictures",
              list.Count() == 2 && ImageList_GetImageCount(list.Handle()) == 2 &&
                  list.Key(1).starts_with("A"),
              std::to_string(ImageList_GetImageCount(list.Handle())) + " " + list.Key(1));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list.Handle(), &cx, &cy);
        Check("IconIndexInList " + n + ": the pictures keep the list's size", cx == size && cy == size,
              std::to_string(cx));
    }
}

void CheckExecution() {
    const struct {
        std::string file;
        bool associated;
    } associations[] = {
        {kRoot + "\\a.ini", true},
        {kRoot + "\\c.vireonoassoc", false},
        {kRoot + "\\missing.txt", false},
        {"", false},
    };
    for (const auto& t : associations)
        Check("HasAssociation \"" + t.file + "\"", HasAssociation(t.file) == t.associated);

    // Nothing is started by these.
    Check("ShellOpen with the check of a type with no program", !ShellOpen(kRoot + "\\c.vireonoassoc", true));
    Check("ShellOpen of a missing file", !ShellOpen(kRoot + "\\missing.txt", false));
    Check("ShowProperties of no list", !ShowProperties(nullptr, Variant::Long(0)));
    Check("ShowProperties of a missing path", !ShowProperties(nullptr, Variant(kRoot + "\\missing.txt")));

    const DWORD start = GetTickCount();
    ShellAndWait("cmd.exe /c exit 3", SW_HIDE);
    Check("ShellAndWait returns when the program ends", GetTickCount() - start < 20000);

    // The line break that ends a system message becomes a blank. Wine's kernel32 words its messages in its
    // own way ("File not found." where Windows says "The system cannot find the file specified."); the
    // module passes the platform's text through, so under Wine Wine's wording is the right answer.
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    const struct {
        int32_t code;
        std::string windows, wine;
    } messages[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified. ", "File not found. "},
        {ERROR_ACCESS_DENIED, "Access is denied. ", "Access denied. "},
        {0x7FFFFFF0, "", ""},
    };
    for (const auto& m : messages) {
        std::string got = ApiErrorText(m.code);
        Check("ApiErrorText " + std::to_string(m.code), got == (wine ? m.wine : m.windows),
              "\"" + got + "\"");
    }

    const WCHAR wide[] = {u'a', u'\x00E9', u'\x4E2D', u'z', 0};
    std::string narrow = StrFromPtrW(wide);
    CPINFO info{};
    GetCPInfo(CP_ACP, &info);
    Check("StrFromPtrW puts the digit 0 for what the code page lacks",
          info.MaxCharSize != 1 ||
              (narrow.size() == 4 && narrow[0] == 'a' && narrow[2] == '0' && narrow[3] == 'z'),
          narrow);
    Check("StrFromPtrA", StrFromPtrA("plain text") == "plain text" && StrFromPtrA("").empty());
}

} // namespace

void CheckIconsAndExecution() {
    Scratch scratch(kRoot);
    scratch.File("a.ini", "a");
    scratch.File("b.ini", "b");
    scratch.File("c.vireonoassoc", "c");
    Check("icon scratch folder made", scratch.Ok(), kRoot);
    CheckIcons();
    CheckExecution();
}

} // namespace winecheck
