// The control's persisted properties through IPersistPropertyBag and IPersistStreamInit: InitNew is a
// newly placed control, Load a stored one, Save writes the four properties.
#include "com/DispatchCall.h"
#include "com/Guids.h"
#include "com/PropertyBags.h"
#include "com/VireoControl.h"
#include "platform/RuntimeError.h"

namespace vireo::com {

template <class Fn> HRESULT VireoControl::Guarded(Fn fn) {
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));
    try {
        fn();
        return S_OK;
    } catch (const DispatchError& e) {
        return e.HResult();
    } catch (const RuntimeError& e) {
        return ErrorNumberResult(e.Number());
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT VireoControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_VireoBrowser;
    return S_OK;
}

HRESULT VireoControl::InitNew() {
    return Guarded([&] {
        m_control->UserControl_InitProperties();
        m_dirty = false;
    });
}

HRESULT VireoControl::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    return Guarded([&] {
        ContainerPropertyBag properties(bag, log);
        m_control->UserControl_ReadProperties(properties);
        m_dirty = false;
    });
}

HRESULT VireoControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    return Guarded([&] {
        ContainerPropertyBag properties(bag, nullptr);
        m_control->UserControl_WriteProperties(properties);
        if (clearDirty) m_dirty = false;
    });
}

HRESULT VireoControl::IsDirty() {
    return m_dirty ? S_OK : S_FALSE;
}

HRESULT VireoControl::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    StreamPropertyBag properties;
    HRESULT hr = properties.Load(stream);
    if (FAILED(hr)) return hr;
    return Guarded([&] {
        m_control->UserControl_ReadProperties(properties);
        m_dirty = false;
    });
}

HRESULT VireoControl::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    StreamPropertyBag properties;
    HRESULT hr = Guarded([&] { m_control->UserControl_WriteProperties(properties); });
    if (SUCCEEDED(hr)) hr = properties.Save(stream);
    if (SUCCEEDED(hr) && clearDirty) m_dirty = false;
    return hr;
}

HRESULT VireoControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    StreamPropertyBag properties;
    HRESULT hr = Guarded([&] { m_control->UserControl_WriteProperties(properties); });
    size->QuadPart = properties.Size();
    return hr;
}

} // namespace vireo::com
