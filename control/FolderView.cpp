// The folder view's members: the first column's width, the selection as a count and a list, selecting by
// names, inverting the selection and the view mode. All of them work on the list view m_hwndLV (the
// view mode on the document-view host m_hwndSV) and do nothing without it.
#include "control/VireoBrowser.h"
#include "shellview/mmListView.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"

namespace vireo {

void VireoBrowser::GetColWidth() {
    if (!IsHttpURL(m_CurFolder.sURL) && m_nStyle == 1) m_nColWidth = ColumnWidth(m_hwndLV, 0);
}

void VireoBrowser::SetColWidth() {
    if (!IsHttpURL(m_CurFolder.sURL) && m_nStyle == 1 && m_nColWidth > 0)
        SetColumnWidth(m_hwndLV, 0, m_nColWidth);
}

LONG VireoBrowser::GetSelectedCount(std::string& sFile) {
    const LONG count = SelectedCount(m_hwndLV);
    if (count == 1) {
        std::string list;
        BuildSelectedList(*this, list);
        sFile = list.substr(0, list.find("\r\n"));
    }
    return count;
}

LONG VireoBrowser::GetSelectedFileList(std::string& FileList) {
    return BuildSelectedList(*this, FileList);
}

void VireoBrowser::SetSelectedFiles(const std::string& sFiles) {
    if (m_hwndLV) SelectItemsInList(m_hwndLV, sFiles);
}

void VireoBrowser::InvertSelection() {
    if (m_hwndLV) InvertItemSelection(m_hwndLV);
    DoEvents();
}

void VireoBrowser::SwitchView(LONG nStyle) {
    if (m_hwndSV) ShellViewCommand(m_hwndSV, nStyle);
}

} // namespace vireo
