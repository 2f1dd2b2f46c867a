// The status bar's text and the address box's text.
#include "control/VireoBrowser.h"
#include "support/CaseFold.h"
#include <vector>

namespace vireo {

void VireoBrowser::SetStatusText(const std::string& text) {
    const std::string upper = UpperText(text);
    SendMessageA(m_sBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(upper.c_str()));
}

namespace {

// A window's whole text. WM_GETTEXTLENGTH answers the full length (a status bar's SB_GETTEXTLENGTH keeps only
// its low 16 bits beside the drawing flags, too short for a text of 65,536 characters or more), and
// WM_GETTEXT copies no more than the buffer holds, so a text that grew in between is cut, never overrun.
std::string WindowText(HWND hwnd) {
    const LRESULT len = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buf(static_cast<size_t>(len > 0 ? len : 0) + 1, '\0');
    SendMessageA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    buf.back() = '\0';
    return std::string(buf.data());
}

} // namespace

// The status bar shows one part, so its window text is the status text.
std::string VireoBrowser::StatusText() const {
    return WindowText(m_sBar1);
}

std::string VireoBrowser::AddressText() const {
    return WindowText(m_cmbURL);
}

void VireoBrowser::SetAddressText(const std::string& text) {
    SetWindowTextA(m_cmbURL, text.c_str());
}

} // namespace vireo
