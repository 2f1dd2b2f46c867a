// The system image lists: one icon per kind of place and per registered file type, small (16 x 16) and
// large (32 x 32), kept per emulated desktop. Indexes are handed out in the order types are first asked
// for, after the fixed ones of folders, drives and the virtual folders.
#pragma once
#include "platform/emu/api/types.h"
#include "platform/emu/shell32/Namespace.h"
#include <string>

namespace emu::shell {

int IconIndexOf(const Node& node, FileTypes& types, bool open);
int IconIndexOfFile(const std::string& name, bool folder, FileTypes& types, bool open);
HIMAGELIST SystemImageList(bool small);
// A new icon handle (to be destroyed by the caller) for an index of a system image list.
HICON SystemIcon(int index, bool small);

} // namespace emu::shell
