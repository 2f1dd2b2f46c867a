// The web view of the Windows build until the WebBrowser host is written: it has no window, is never
// busy, and refuses every navigation with a run-time error, which the control's callers pass on or
// ignore as they do any failure of the web view.
#pragma once
#include "platform/WebView.h"

namespace vireo {

RefPtr<WebView> CreateUnavailableWebView();

} // namespace vireo
