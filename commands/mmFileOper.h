// mmFileOper: file operations on the folder view's selection. Copy and move go through the shell's
// file-operation engine after a confirmation box, rename through the shell as well, and new folders are
// created with every missing parent. The two name dialogs are shown by RenameByDialog and NewFolderDialog.
//
// Lists: a selection list is names each followed by CR LF; the shell's source list is the same text with
// every CR LF replaced by NUL, ended by two more NULs. Names are relative to the current directory, which
// an operation first sets to the folder it works in (and leaves there).
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <string>

namespace vireo {

class fRename;
class fNewFolder;

// One call of SHFileOperationA with the lists given (two NULs are appended to each) and every other field
// 0. True when the shell answered 0 and no operation was aborted. Pending messages run afterwards.
bool ShellFileOp(HWND hwnd, UINT wFunc, const std::string& pFrom, const std::string& pTo, int16_t fFlags);

// Ask through the module's choice box, then copy or move the listed items of sFolder into sTarget. Nothing
// is asked or done unless sList is not empty and both folders exist. sTarget comes back with a trailing
// separator when the operation was attempted.
bool CopyItems(HWND hwnd, const std::string& sFolder, std::string& sTarget, const std::string& sList);
bool MoveItems(HWND hwnd, const std::string& sFolder, std::string& sTarget, const std::string& sList);

// Renames an existing file or folder (sNew is its new full path) through the shell.
bool RenameItem(HWND hwnd, const std::string& sOld, const std::string& sNew);

// Creates the folder with every missing parent (drive and UNC paths). A failure shows the system's error
// text in an exclamation box and stops. True when the folder exists at the end.
bool CreateFolderPath(const std::string& sPath);

// Shows the rename dialog for the item at sPath and renames it; the new name, or "" when nothing changed.
std::string RenameByDialog(HWND hwnd, fRename& form, const std::string& sPath);

// Shows the new-folder dialog for the folder sParent (which comes back with a trailing separator) and
// creates the folder; its name, or "" when none was created.
std::string NewFolderDialog(std::string& sParent, fNewFolder& form);

// Releases the module's choice box (it is otherwise kept until the library unloads).
void ReleaseFileOperChoiceBox();

} // namespace vireo
