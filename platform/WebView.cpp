#include "platform/WebView.h"
#include "platform/RuntimeError.h"

namespace vireo {

void WebViewCallFailed(const char* method, int32_t hr) {
    throw RuntimeError(hr, "WebBrowser",
                       std::string("Method '") + method + "' of object 'IWebBrowser2' failed");
}

} // namespace vireo
