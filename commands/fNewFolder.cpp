#include "commands/fNewFolder.h"
#include "support/ThreadState.h"

namespace vireo {

fNewFolder::fNewFolder() : NameForm("New Folder", "New folder ") {}

fNewFolder& NewFolderForm() {
    std::shared_ptr<fNewFolder>& form = Shared().newFolderForm;
    if (!form) form = std::make_shared<fNewFolder>();
    return *form;
}

} // namespace vireo
