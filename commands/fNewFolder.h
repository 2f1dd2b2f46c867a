// fNewFolder: the dialog that asks for the name of a folder to create. It starts empty, and cmdOK is
// enabled exactly when the text is not empty.
#pragma once
#include "commands/NameForm.h"

namespace vireo {

class fNewFolder : public NameForm {
public:
    fNewFolder();
    // The name confirmed at the last showing; empty means cancelled.
    const std::string& NewFolder() const { return m_result; }

protected:
    bool CanConfirm(const std::string& text) const override { return !text.empty(); }
    void OnLoad() override { SetText(""); }
};

// The shared instance.
fNewFolder& NewFolderForm();

} // namespace vireo
