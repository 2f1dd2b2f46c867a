// The command interpreters the emulated desktop plays: "cmd.exe" (the NT family) and "command.com"
// (Windows 9x). They know "/c" followed by one command, with its output redirected by ">" (replace) or
// ">>" (append) into a file; the commands are "dir" and "ver". What a command writes to its standard
// output goes to the redirection's file, or nowhere; error messages go nowhere.
#pragma once
#include "platform/emu/kernel32/SystemInfo.h"
#include <string>

namespace emu {

enum class ListingStyle { NT, Win9x };

// Plays a start of cmd.exe (NT) or command.com (Win9x); returns the exit code (0, or 1 when the command is
// unknown or fails).
uint32_t RunCommandInterpreter(const ProcessStart& start, ListingStyle style);

// What "dir" with the given arguments writes, run in currentDirectory; empty when the folder cannot be
// read. Switches: /A (hidden and system files too), /O[order] (letters N name, E extension, S size, D
// date, G folders first, each reversed by a leading "-"; /O alone is GN), /P and /-P (no effect when the
// output is redirected). A later switch of the same kind replaces an earlier one.
std::string DirListing(const std::string& arguments, const std::string& currentDirectory, ListingStyle style);

} // namespace emu
