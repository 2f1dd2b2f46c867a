#include "support/mmFileIcon.h"
#include "support/mmShellMacro.h"
#include <cstdio>

namespace vireo {

namespace {

// IPicture, {7BF80980-BF32-101A-8BBB-00AA00300CAB}.
GUID PictureIid() {
    GUID iid;
    MakeGuid(iid, 0x7BF80980, 0xBF32, 0x101A, 0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB);
    return iid;
}

// The shell's answer with the flags built as the two callers build them: the extra flags, plus the icon,
// plus the small size when not large (the pidl flag is FileInfo's to add for a list).
DWORD_PTR ShellIcon(const Variant& item, bool large, UINT extraFlags, SHFILEINFOA& info) {
    UINT flags = extraFlags + SHGFI_ICON + (large ? 0 : SHGFI_SMALLICON);
    return FileInfo(item, flags, info);
}

} // namespace

PicturePtr IconToPicture(HICON hIcon) {
    if (!hIcon) return PicturePtr();
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = hIcon;
    GUID iid = PictureIid();
    void* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, iid, TRUE, &picture)) || !picture) return PicturePtr();
    return PicturePtr::Adopt(static_cast<IPicture*>(picture));
}

PicturePtr GetFileIconPicture(const Variant& item, LONG bLarge, UINT extraFlags) {
    SHFILEINFOA info{};
    if (!ShellIcon(item, bLarge != 0, extraFlags, info)) return PicturePtr();
    PicturePtr picture = IconToPicture(info.hIcon);
    if (!picture && info.hIcon) DestroyIcon(info.hIcon);
    return picture;
}

LONG IconIndexInList(KeyedImageList& imageList, const Variant& item, UINT extraFlags) {
    SHFILEINFOA info{};
    if (!ShellIcon(item, imageList.ImageWidth() > 16, extraFlags, info)) return 0;
    char key[16];
    std::snprintf(key, sizeof key, "A%d", info.iIcon);
    if (int index = imageList.IndexOf(key)) {
        // The list has this icon already: the handle just given is not needed.
        if (info.hIcon) DestroyIcon(info.hIcon);
        return index;
    }
    PicturePtr picture = IconToPicture(info.hIcon);
    if (!picture) {
        if (info.hIcon) DestroyIcon(info.hIcon);
        return 0;
    }
    return imageList.Add(picture.get(), key);
}

} // namespace vireo
