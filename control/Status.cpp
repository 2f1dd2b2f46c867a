// The status bar's text and the address box's text.
#include "control/VireoBrowser.h"
#include <vector>

namespace vireo {

void VireoBrowser::SetStatusText(const std::string& text) {
    std::string upper = text;
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    SendMessageA(m_sBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(upper.c_str()));
}

std::string VireoBrowser::StatusText() const {
    const LRESULT len = LOWORD(SendMessageA(m_sBar1, SB_GETTEXTLENGTHA, 0, 0));
    std::vector<char> buf(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(m_sBar1, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data());
}

std::string VireoBrowser::AddressText() const {
    const int len = GetWindowTextLengthA(m_cmbURL);
    std::vector<char> buf(static_cast<size_t>(len > 0 ? len : 0) + 1, '\0');
    GetWindowTextA(m_cmbURL, buf.data(), static_cast<int>(buf.size()));
    return std::string(buf.data());
}

void VireoBrowser::SetAddressText(const std::string& text) {
    SetWindowTextA(m_cmbURL, text.c_str());
}

} // namespace vireo
