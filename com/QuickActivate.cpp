// Quick activation: a container hands the control its site, its sinks and its ambient values in one call
// instead of the separate SetClientSite, SetAdvise and Advise calls, and gets back the control's status
// and the connections' cookies.
#include "com/VireoControl.h"
#include <cstddef>

namespace vireo::com {

namespace {

// Containers written before the last members were added send a shorter QACONTAINER; the control reads
// nothing past pUnkEventSink, so a structure that ends there is enough.
constexpr ULONG kContainerNeeds = offsetof(QACONTAINER, pUnkEventSink) + sizeof(IUnknown*);
// Likewise a QACONTROL without dwPointerActivationPolicy: that member is written only when it is there.
constexpr ULONG kControlNeeds = offsetof(QACONTROL, dwPointerActivationPolicy);
constexpr ULONG kControlWithPolicy = offsetof(QACONTROL, dwPointerActivationPolicy) + sizeof(DWORD);

// The control paints every pixel of its rectangle (its window erases its background, its children cover
// the rest).
constexpr DWORD kViewStatus = VIEWSTATUS_OPAQUE;

} // namespace

HRESULT VireoControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) return E_POINTER;
    // Checked before anything is taken or written.
    if (container->cbSize < kContainerNeeds || control->cbSize < kControlNeeds) return E_INVALIDARG;
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));

    // The ambient values in the structure are the site's own ambient properties: the control reads
    // UserMode and Font from the site when it needs them, as after SetClientSite.
    SetClientSite(container->pClientSite);
    if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    // A sink that cannot connect leaves its cookie 0, which tells the container so.
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    if (container->pUnkEventSink) m_events.Advise(container->pUnkEventSink, &control->dwEventCookie);
    if (container->pPropertyNotifySink)
        m_properties.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);

    GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
    control->dwViewStatus = kViewStatus;
    if (control->cbSize >= kControlWithPolicy) control->dwPointerActivationPolicy = 0;
    return S_OK;
}

// The content extent is the one IOleObject keeps.
HRESULT VireoControl::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT VireoControl::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

} // namespace vireo::com
