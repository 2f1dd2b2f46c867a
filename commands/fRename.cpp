#include "commands/fRename.h"
#include "support/ThreadState.h"

namespace vireo {

fRename::fRename() : NameForm("Rename", "Rename to ") {}

void fRename::OldName(const std::string& sOldName, const std::string&) {
    Load();
    m_oldName = sOldName;
    SetText(sOldName);
    SendMessageA(TextBox(), EM_SETSEL, 0, static_cast<LPARAM>(sOldName.size()));
}

fRename& RenameForm() {
    std::shared_ptr<fRename>& form = Shared().renameForm;
    if (!form) form = std::make_shared<fRename>();
    return *form;
}

} // namespace vireo
