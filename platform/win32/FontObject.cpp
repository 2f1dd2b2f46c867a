#include "platform/win32/FontObject.h"

namespace vireo {

RefPtr<StdFont> FontFromInterface(IUnknown* unknown) {
    IFont* font = nullptr;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) return {};
    auto result = RefPtr<StdFont>::Make();
    BSTR name = nullptr;
    if (SUCCEEDED(font->get_Name(&name)) && name) {
        const int n = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
        if (n > 1) {
            result->Name.assign(static_cast<size_t>(n - 1), '\0');
            WideCharToMultiByte(CP_ACP, 0, name, -1, result->Name.data(), n, nullptr, nullptr);
        }
        SysFreeString(name);
    }
    CY size{};
    if (SUCCEEDED(font->get_Size(&size))) result->Size = static_cast<double>(size.int64) / 10000.0;
    BOOL flag = FALSE;
    if (SUCCEEDED(font->get_Bold(&flag))) result->Bold = flag;
    if (SUCCEEDED(font->get_Italic(&flag))) result->Italic = flag;
    if (SUCCEEDED(font->get_Underline(&flag))) result->Underline = flag;
    if (SUCCEEDED(font->get_Strikethrough(&flag))) result->Strikethrough = flag;
    SHORT n = 0;
    if (SUCCEEDED(font->get_Weight(&n))) result->Weight = n;
    if (SUCCEEDED(font->get_Charset(&n))) result->Charset = n;
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

} // namespace vireo
