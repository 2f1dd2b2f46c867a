// The web view on Windows: the WebBrowser control, placed in place in the control's window, with its
// events sunk through a BrowserSite.
#pragma once
#include "platform/WebView.h"

namespace vireo {

// The WebBrowser control in parent; null when the system cannot create or place one.
RefPtr<WebView> CreateBrowserWebView(HWND parent);

} // namespace vireo
