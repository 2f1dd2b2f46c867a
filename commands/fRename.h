// fRename: the dialog that asks for the new name of a file or folder. cmdOK is enabled exactly when the
// text differs from the old name (case counts), so an unchanged name cannot be confirmed.
#pragma once
#include "commands/NameForm.h"

namespace vireo {

class fRename : public NameForm {
public:
    fRename();
    // Stores the old name and puts it, all selected, into txtName. sSep is accepted and not used.
    void OldName(const std::string& sOldName, const std::string& sSep = "");
    // The name confirmed at the last showing; empty means no change.
    const std::string& NewName() const { return m_result; }

protected:
    bool CanConfirm(const std::string& text) const override { return text != m_oldName; }

private:
    std::string m_oldName;
};

// The shared instance.
fRename& RenameForm();

} // namespace vireo
