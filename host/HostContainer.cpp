#include "host/HostContainer.h"
#include "components/VireoTV/VireoTreeView.h"
#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/RuntimeError.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"

namespace host {

namespace {

void Record(const char* kind, std::vector<std::string> fields) {
    emu::Desktop::Current().Log().Add(kind, std::move(fields));
}

} // namespace

HostContainer::HostContainer() {
    m_form = CreateWindowExA(0, "Static", "vireo-host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                             nullptr, nullptr, nullptr, nullptr);
}

HostContainer::~HostContainer() {
    if (IsWindow(m_form)) DestroyWindow(m_form);
}

void HostContainer::PropertyChanged(const std::string& name) {
    Record("PropertyChanged", {name});
}

vireo::RefPtr<vireo::StdFont> HostContainer::AmbientFont() {
    // The form's font: the dialog font of the desktop.
    auto font = vireo::RefPtr<vireo::StdFont>::Make();
    font->Name = "Tahoma";
    return font;
}

void HostContainer::SetMousePointer(int32_t pointer) {
    Record("MousePointer", {std::to_string(pointer)});
}

vireo::RefPtr<vireo::WebView> HostContainer::CreateWebView(HWND parent) {
    return emu::EmuWebView::Create(parent);
}

vireo::RefPtr<vireo::FolderTree> HostContainer::CreateFolderTree(HWND parent) {
    return vireo::CreateVireoTreeView(parent);
}

vireo::RefPtr<vireo::IconMenu> HostContainer::CreateIconMenu() {
    return vireo::NewIconMenu();
}

} // namespace host
