#include "commands/fNewFolder.h"

namespace vireo {

fNewFolder::fNewFolder() : NameForm("New Folder", "New folder ") {}

fNewFolder& NewFolderForm() {
    thread_local fNewFolder form;
    return form;
}

} // namespace vireo
