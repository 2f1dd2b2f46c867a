// The web as the emulated desktop knows it: the pages a test or the host registers, each with its
// address, title, and what the web view reports while it loads it (status texts, progress steps). An
// address on a host that has no page here cannot be reached; the web view then shows its error page.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace emu {

struct WebPage {
    std::string url; // as registered
    std::string title;
    std::vector<std::string> statusTexts; // StatusTextChange texts while it loads, in order
    std::vector<int32_t> progressSteps;   // ProgressChange values while it loads, out of kWebProgressMax
};

// The ProgressMax of every load.
constexpr int32_t kWebProgressMax = 10000;

class WebPages {
public:
    // Registers (or replaces) the page at url, an http, https or ftp address.
    void AddPage(std::string url, std::string title, std::vector<std::string> statusTexts = {},
                 std::vector<int32_t> progressSteps = {});
    // The page registered at url; the scheme and host match without regard to case, and "http://host"
    // is the same address as "http://host/". Null when there is none.
    const WebPage* Find(std::string_view url) const;
    // Whether any page is registered on url's scheme and host.
    bool HostKnown(std::string_view url) const;
    size_t Count() const { return m_pages.size(); }

private:
    std::unordered_map<std::string, WebPage> m_pages;
    std::unordered_set<std::string> m_hosts;
};

// Whether text is a web address the web view loads itself: "http://", "https://" or "ftp://" in any case.
bool IsWebAddress(std::string_view text);
// "http://Host:81" of "HTTP://Host:81/dir/page.htm": the scheme lower-cased and the host as written;
// "" when text is not a web address.
std::string SchemeAndHost(std::string_view url);

} // namespace emu
