// Where the emulated desktop meets the host's files: the host keeps names (and the host's scripts their
// text) in UTF-8, Windows sees them in the ANSI code page (Windows-1252). A name the code page holds
// round-trips exactly; any other character reads as "?", as Windows' ANSI functions show it, and that
// text names no file (Windows refuses "?" in a name).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emu {

// The host's spelling of an ANSI name or text.
std::string ToHostName(std::string_view ansi);
// The ANSI spelling of a host name or text: "?" for each character the code page cannot hold (each half
// of a character beyond UTF-16's first plane on its own); a stray byte that is no UTF-8 reads as the
// Windows-1252 character of that byte.
std::string ToWindowsName(std::string_view utf8);

// A host folder's path and a name in it, as text ("/a" and "b" give "/a/b", as "/a/" does): what a path
// object's operator/ gives, without making one.
std::string JoinHostPath(const std::string& dir, std::string_view name);

// The names a host folder holds (without "." and ".."), in the order the host lists them; none when the
// folder cannot be read.
std::optional<std::vector<std::string>> ReadHostFolder(const std::string& dir);

} // namespace emu
