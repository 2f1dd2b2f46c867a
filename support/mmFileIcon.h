// mmFileIcon: the shell's icon of a file, folder or item-ID list as a picture object, and image lists that
// keep each distinct shell icon once.
#pragma once
#include "platform/RefCounted.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include "support/KeyedImageList.h"

namespace vireo {

// One reference to a picture object; empty stands for "nothing".
using PicturePtr = RefPtr<IPicture>;

// A picture owning the icon; nothing when hIcon is 0.
PicturePtr IconToPicture(HICON hIcon);
// The shell's icon of item (a path as text, an item-ID list as a number), large when bLarge is nonzero;
// extraFlags are added to the request (SHGFI_USEFILEATTRIBUTES asks by the file type alone). Nothing when
// the shell has no icon for it.
PicturePtr GetFileIconPicture(const Variant& item, LONG bLarge, UINT extraFlags);
// The 1-based index of item's shell icon in the list, added under the key "A" and the system icon index
// the first time; large or small as the list's pictures are wider than 16 pixels or not. 0 on failure.
LONG IconIndexInList(KeyedImageList& imageList, const Variant& item, UINT extraFlags);

} // namespace vireo
