#include "platform/win32/FontObject.h"
#include <ocidl.h>

namespace vireo {

namespace {

void ReadFields(IFont* font, StdFont& into) {
    BSTR name = nullptr;
    if (SUCCEEDED(font->get_Name(&name)) && name) {
        const int n = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
        into.Name.assign(static_cast<size_t>(n > 1 ? n - 1 : 0), '\0');
        if (n > 1) WideCharToMultiByte(CP_ACP, 0, name, -1, into.Name.data(), n, nullptr, nullptr);
        SysFreeString(name);
    }
    CY size{};
    if (SUCCEEDED(font->get_Size(&size))) into.Size = static_cast<double>(size.int64) / 10000.0;
    BOOL flag = FALSE;
    if (SUCCEEDED(font->get_Bold(&flag))) into.Bold = flag;
    if (SUCCEEDED(font->get_Italic(&flag))) into.Italic = flag;
    if (SUCCEEDED(font->get_Underline(&flag))) into.Underline = flag;
    if (SUCCEEDED(font->get_Strikethrough(&flag))) into.Strikethrough = flag;
    SHORT n = 0;
    if (SUCCEEDED(font->get_Weight(&n))) into.Weight = n;
    if (SUCCEEDED(font->get_Charset(&n))) into.Charset = n;
}

} // namespace

// Hears the font object's change notices and copies its fields into the StdFont it stands for. The link
// that owns it clears target before it lets the StdFont go.
class ChangeSink final : public IPropertyNotifySink {
public:
    StdFont* target = nullptr;
    IFont* source = nullptr; // not counted: the link holds the object

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyNotifySink))
            return E_NOINTERFACE;
        *ppv = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --m_refs;
        if (n == 0) delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override {
        if (target && source) ReadFields(source, *target);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    ULONG m_refs = 1;
};

RefPtr<StdFont> FontFromInterface(IUnknown* unknown) {
    IFont* font = nullptr;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) return {};
    auto result = RefPtr<StdFont>::Make();
    ReadFields(font, *result);
    font->Release();
    return result;
}

IFontDisp* InterfaceFromFont(const StdFont& font) {
    const int n = MultiByteToWideChar(CP_ACP, 0, font.Name.c_str(), -1, nullptr, 0);
    BSTR name = SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n - 1 : 0));
    if (name && n > 0) MultiByteToWideChar(CP_ACP, 0, font.Name.c_str(), -1, name, n);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = name;
    // Sizes are in points as currency: four decimal places.
    desc.cySize.int64 = static_cast<LONGLONG>(font.Size * 10000.0 + 0.5);
    desc.sWeight = font.Bold && font.Weight < FW_BOLD ? static_cast<SHORT>(FW_BOLD) : font.Weight;
    desc.sCharset = font.Charset;
    desc.fItalic = font.Italic;
    desc.fUnderline = font.Underline;
    desc.fStrikethrough = font.Strikethrough;
    IFontDisp* result = nullptr;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&result))))
        result = nullptr;
    SysFreeString(name);
    return result;
}

IFontDisp* FontLink::ObjectFor(const RefPtr<StdFont>& font) {
    if (!font) return nullptr;
    if (font != m_font) {
        IFontDisp* made = InterfaceFromFont(*font);
        Link(font, made);
        if (made) made->Release();
    }
    IFontDisp* result = nullptr;
    if (!m_object || FAILED(m_object->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&result))))
        return nullptr;
    return result;
}

void FontLink::Link(const RefPtr<StdFont>& font, IUnknown* object) {
    Unlink();
    if (!font || !object || FAILED(object->QueryInterface(IID_IFont, reinterpret_cast<void**>(&m_object)))) {
        m_object = nullptr;
        return;
    }
    m_font = font;
    m_sink = new ChangeSink;
    m_sink->target = m_font.get();
    m_sink->source = m_object;
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(
            m_object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &m_point)) &&
            FAILED(m_point->Advise(m_sink, &m_cookie))) {
            m_point->Release();
            m_point = nullptr;
        }
        container->Release();
    }
}

void FontLink::Unlink() {
    if (m_sink) {
        m_sink->target = nullptr;
        m_sink->source = nullptr;
    }
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    if (m_sink) m_sink->Release();
    m_sink = nullptr;
    if (m_object) m_object->Release();
    m_object = nullptr;
    m_font.reset();
}

} // namespace vireo
