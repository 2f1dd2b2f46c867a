#include "platform/emu/shdocvw/WebPages.h"
#include <algorithm>
#include <cctype>

namespace emu {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The length of the scheme with its "://", 0 when text is not a web address.
size_t SchemeLength(std::string_view text) {
    for (std::string_view scheme : {"http://", "https://", "ftp://"})
        if (text.size() >= scheme.size() && Lower(text.substr(0, scheme.size())) == scheme)
            return scheme.size();
    return 0;
}

// The address as a key: scheme and host lower-cased, one trailing slash dropped.
std::string Key(std::string_view url) {
    size_t scheme = SchemeLength(url);
    size_t hostEnd = url.find('/', scheme);
    if (hostEnd == std::string_view::npos) hostEnd = url.size();
    std::string key = Lower(url.substr(0, hostEnd)) + std::string(url.substr(hostEnd));
    if (key.size() > hostEnd && key.back() == '/') key.pop_back();
    return key;
}

} // namespace

bool IsWebAddress(std::string_view text) {
    return SchemeLength(text) != 0;
}

std::string SchemeAndHost(std::string_view url) {
    size_t scheme = SchemeLength(url);
    if (!scheme) return "";
    size_t hostEnd = url.find('/', scheme);
    if (hostEnd == std::string_view::npos) hostEnd = url.size();
    return Lower(url.substr(0, scheme)) + std::string(url.substr(scheme, hostEnd - scheme));
}

void WebPages::AddPage(std::string url, std::string title, std::vector<std::string> statusTexts,
                       std::vector<int32_t> progressSteps) {
    m_hosts.insert(Lower(SchemeAndHost(url)));
    std::string key = Key(url);
    m_pages[key] =
        WebPage{std::move(url), std::move(title), std::move(statusTexts), std::move(progressSteps)};
}

const WebPage* WebPages::Find(std::string_view url) const {
    if (!IsWebAddress(url)) return nullptr;
    auto it = m_pages.find(Key(url));
    return it == m_pages.end() ? nullptr : &it->second;
}

bool WebPages::HostKnown(std::string_view url) const {
    return IsWebAddress(url) && m_hosts.count(Lower(SchemeAndHost(url))) != 0;
}

} // namespace emu
