// Where a navigation of the web view leads: what a target (an address, a path, a parsing name or an
// item-ID list) names, with the texts the web view reports for it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

class WebPages;

enum class LocationKind {
    Folder,      // a folder of the shell namespace, shown through the shell's folder view
    Document,    // a text or HTML file, shown as a document
    Page,        // a web page, about:blank, or one of the web view's own res:// pages
    Program,     // another file: the shell opens it with its program, the web view shows nothing new
    Unreachable, // a host that does not answer, a missing page, folder or file: an error page follows
};

struct Location {
    LocationKind kind = LocationKind::Page;
    // The URL the events carry. Folders: the parsing name, that is the path without a trailing
    // separator (a drive root keeps its "C:\") or a virtual folder's "::{clsid}" path.
    std::string url;
    std::string name;        // LocationName: the folder's display name, the page's title, the file's name
    std::string locationUrl; // LocationURL: the same as url (a virtual folder's parsing name, so it can be
                             // navigated to again)
    std::string title;       // what TitleChange reports
    std::string pidl;        // folders: the absolute item-ID list's bytes, terminator included
    std::string errorUrl;    // unreachable: the error page the web view goes on to
    std::vector<std::string> statusTexts;
    std::vector<int32_t> progressSteps;
};

// What a text target names: "::{clsid}..." parsing names, web addresses (text with no scheme, drive or
// UNC prefix is taken as an http address, as the web view does), about: and res:// addresses, drive and
// UNC paths.
Location ResolveText(const std::string& text, const WebPages& web);
// What an absolute item-ID list (its bytes, terminator included) names.
Location ResolvePidl(const std::string& pidl);

// The web view's own error page for an address: dnserror.htm when the host does not answer or a path is
// missing, http_404.htm for a missing page on a host that answers.
std::string ErrorPageUrl(const std::string& address, bool hostAnswers);
// The page at a res:// address of the web view (title "Cannot find server" and the like).
Location ErrorPage(const std::string& resUrl);

} // namespace emu
