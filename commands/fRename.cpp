#include "commands/fRename.h"

namespace vireo {

fRename::fRename() : NameForm("Rename", "Rename to ") {}

void fRename::OldName(const std::string& sOldName, const std::string&) {
    Load();
    m_oldName = sOldName;
    SetText(sOldName);
    SendMessageA(TextBox(), EM_SETSEL, 0, static_cast<LPARAM>(sOldName.size()));
}

fRename& RenameForm() {
    thread_local fRename form;
    return form;
}

} // namespace vireo
