// The selection notice: list-view notifications arm tmrStatus, and its tick tells the host what is
// selected and shows it on the status bar. A burst of notifications gives one notice.
#include "control/VireoBrowser.h"
#include "shellview/mmListView.h"

namespace vireo {

void VireoBrowser::FireStatus() {
    // Arming the timer again restarts its interval: the notice runs 200 ms after the last notification.
    SetTimer(m_hWnd, kStatusTimer, kStatusInterval, nullptr);
}

void VireoBrowser::tmrStatus_Timer() {
    KillTimer(m_hWnd, kStatusTimer);
    UpdateSelectionStatus();
}

void VireoBrowser::UpdateSelectionStatus() {
    const LONG nSel = SelectedCount(m_hwndLV);
    const LONG nFirst = FirstSelectedItem(m_hwndLV);
    const LONG nCount = ItemCount(m_hwndLV);
    const std::string sFile = nFirst > -1 ? ItemName(*this, nFirst) : std::string();
    if (m_events) m_events->NotifySelection(nSel, sFile);

    if (nSel != 1) {
        if (nCount < 1) return;
        SetStatusText(std::to_string(nSel) + "/" + std::to_string(nCount) + " Objects selected");
        // The folder's size keeps its own letter case: it goes to the bar directly.
        if (!m_sSizeText.empty()) {
            const std::string text = StatusText() + " (" + m_sSizeText + ")";
            SendMessageA(m_sBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        return;
    }
    // One item: the columns after its name, as "header=value" (or the value alone under a header-less
    // column), the empty ones left out.
    std::string details;
    for (LONG column = 1; column <= 3; ++column) {
        const std::string value = ItemText(m_hwndLV, nFirst, column);
        if (value.empty()) continue;
        const std::string header = ColumnText(m_hwndLV, column);
        details += header.empty() ? value + ", " : header + "=" + value + ", ";
    }
    if (details.size() >= 2) details.resize(details.size() - 2);
    if (!details.empty()) SetStatusText(details);
}

} // namespace vireo
