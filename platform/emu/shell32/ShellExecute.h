// How the emulated shell decides what to run for an item: the classes under HKEY_CLASSES_ROOT whose verbs
// apply to it, the command of a verb, and the command line made from the command's template. The
// emulated desktop does not search the path: a command's program is taken as the command names it.
//
// What the shell records in the desktop's journal:
//   "ShellExecuteEx"  fMask (hex) | hwnd | lpVerb | lpFile | lpParameters | lpDirectory | nShow | hInstApp |
//                     lpIDList — the structure as ShellExecuteExA was given it; pointers in hex ("0x0"),
//                     absent texts as "(null)", the list as PidlJournalText names it;
//   "ShellExecute"    verb | item | parameters | directory | show command | command line — a program
//                     started for an item (followed by kernel32's "Process" record of the start); for an
//                     item-ID list without a path the command line is empty and nothing starts;
//   "Properties"      item — a property sheet shown;
//   "ShellError"      code | item | message — the message Windows shows for a failure when the caller did
//                     not ask for SEE_MASK_FLAG_NO_UI.
// Items are full paths, URLs, or item-ID lists without a file-system path (named as PidlJournalText does).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emu {

class Registry;

// The classes whose verbs apply to an item, most specific first: the class a file's extension names; for
// a folder "Directory" then "Folder", for a drive's root "Drive" then "Folder".
std::vector<std::string> ItemClasses(const Registry& reg, std::string_view fullPath, bool isFolder);

// The protocol key of a URL ("http" for http://host/): a scheme of two or more characters registered under
// HKEY_CLASSES_ROOT with a "URL Protocol" value. None for anything else, drive paths included.
std::optional<std::string> UrlProtocol(const Registry& reg, std::string_view text);

struct ShellCommand {
    std::string verb;    // the verb whose command this is
    std::string command; // its template, environment variables expanded
};

// The command of a verb in the first class that has it. An empty verb asks for the default verb: the one
// the class's shell key names, else "open", else the first verb with a command.
std::optional<ShellCommand> FindCommand(const Registry& reg, const std::vector<std::string>& classes,
                                        std::string_view verb);

// The command line from a template: %1, %L and %D are the item; %* and %~ the parameters, %2 to %9 their
// words; %% a percent sign; %I (the shared item-ID list) nothing. When the template does not place the
// item, it is appended after a blank, in quotes if it holds one.
std::string BuildCommandLine(std::string_view command, std::string_view item, std::string_view parameters);

// The program a command line starts: its first token, without its quotes.
std::string CommandProgram(std::string_view commandLine);

// An item-ID list as the journal names it: "pidl:<address in hex>:<size in bytes with the terminator>".
std::string PidlJournalText(const void* pidl);

} // namespace emu
