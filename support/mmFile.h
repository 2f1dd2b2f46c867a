// mmFile: small stateless functions on location texts. Separator handling, splitting a path into folder,
// name and extension, the tests that classify a text (drive path, UNC name, web or FTP address, archive,
// HTML file, Internet shortcut), and thin wrappers over the current directory, the temporary folder,
// short paths and Internet shortcut files.
//
// The separator of a text is "\" when it holds a backslash anywhere, else "/" when it holds a slash, else
// none. Comparisons are exact; positions are 1-based in the comments.
#pragma once
#include <optional>
#include <string>

namespace vireo {

// Text operations.
std::string RemoveTrailingSep(const std::string& sPath); // C:\ and \\ stay; one trailing separator goes
std::string AddTrailingSep(const std::string& sPath);    // a text without separator stays as it is
std::string GetPathPart(const std::string& sPath);       // up to and with the last separator
std::string GetNamePart(const std::string& sPath);       // after the last separator
std::optional<std::string> GetExtension(const std::string& sPath); // after the last dot; none without one
std::string Quote(const std::string& sText);                       // 'text'
std::string StripNull(const std::string& sText);                   // up to the first NUL

// Tests; none of them fails.
bool IsFolder(const std::string& sPath);
bool IsFile(const std::string& sPath);
bool IsDrivePath(const std::string& sPath); // characters 2 and 3 are ":\"
bool IsUNCPath(const std::string& sPath);   // starts with "\\"
bool IsUNCServer(const std::string& sPath); // \\, \\server, \\server\ .
bool IsUNCShare(const std::string& sPath);  // \\server\share...
bool IsHttpURL(const std::string& sPath);
bool IsFtpURL(const std::string& sPath);
bool IsUrlShortcut(const std::string& sPath);
bool IsHtmlFile(const std::string& sPath);
bool IsArchive(const std::string& sPath);

// Platform wrappers.
// The temporary folder with a trailing separator; throws RuntimeError (number = the last error) when the
// platform has none.
std::string GetTempDir();
// The 8.3 form of an existing path; the text itself when there is none.
std::string GetShortPath(const std::string& sPath);
// The URL of an Internet shortcut file (.url); "" for other files, a missing file or a missing key.
std::string ReadUrlShortcut(const std::string& sFile);
// Errors ignored: a drive path changes the current drive first.
void SetCurrentDir(const std::string& sPath);
// The current directory of the current drive with a trailing separator; a drive path given makes its drive
// the current one first.
std::string GetCurrentDir(const std::string& sPath = "");
// A relative path made full against the current directory; none for the empty text.
std::optional<std::string> GetFullPath(const std::string& sPath);

} // namespace vireo
