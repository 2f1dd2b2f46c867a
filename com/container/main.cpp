// vireo-container: a minimal ActiveX container for manual checks. It places the control registered under
// a ProgID (VireoBR.VireoBrowser unless another is given) in a window, activates it in place, prints its
// events and property change notices, and runs lines from standard input:
//   invoke NAME [ARG...]   calls a member through IDispatch by its dispatch identifier (method or read)
//   put NAME VALUE         writes a property
//   wait MS                lets the window messages and timers run for MS milliseconds
//   click X Y              clicks the left button at X, Y of the window's client area (a negative
//                          coordinate counts from the right or bottom edge)
//   shot FILE              saves what the window shows as a BMP file
//   quit
// Arguments are "quoted text", numbers (decimal or &H hexadecimal), True and False.
#include "com/container/ChangePrinter.h"
#include "com/container/ContainerSite.h"
#include "com/container/EventPrinter.h"
#include "com/container/Snapshot.h"
#include "com/MessagePump.h"
#include <cstdio>
#include <cstdlib>
#include <ocidl.h>
#include <string>
#include <vector>

using namespace vireo::container;

namespace {

std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n'))
            ++i;
        if (i >= line.size()) break;
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            out.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i + 1));
            i = end == std::string::npos ? line.size() : end + 1;
        } else {
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r' &&
                   line[end] != '\n')
                ++end;
            out.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

VARIANT Argument(const std::string& token) {
    VARIANT v;
    VariantInit(&v);
    if (token.size() >= 1 && token[0] == '"') {
        std::string text =
            token.substr(1, token.size() >= 2 && token.back() == '"' ? token.size() - 2 : std::string::npos);
        const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, V_BSTR(&v), n);
    } else if (token == "True" || token == "False") {
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = token == "True" ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        const bool hex = token.size() > 2 && (token[0] == '&') && (token[1] == 'H' || token[1] == 'h');
        V_VT(&v) = VT_I4;
        V_I4(&v) = static_cast<LONG>(std::strtoul(token.c_str() + (hex ? 2 : 0), nullptr, hex ? 16 : 10));
    }
    return v;
}

void Run(IDispatch* control, const std::vector<std::string>& t) {
    const std::wstring name(t[1].begin(), t[1].end());
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        std::printf("%s: unknown name (0x%08lX)\n", t[1].c_str(), static_cast<unsigned long>(hr));
        return;
    }
    std::vector<VARIANT> args;
    for (size_t i = t.size(); i > 2; --i)
        args.push_back(Argument(t[i - 1])); // last to first
    const bool put = t[0] == "put";
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args.empty() ? nullptr : args.data(), put ? &named : nullptr,
                      static_cast<UINT>(args.size()), put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                         put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                         &result, &excep, &argErr);
    if (SUCCEEDED(hr))
        std::printf("%s -> %s\n", t[1].c_str(), TextOf(result).c_str());
    else
        std::printf("%s failed 0x%08lX %s\n", t[1].c_str(), static_cast<unsigned long>(hr),
                    Narrow(excep.bstrDescription).c_str());
    std::fflush(stdout);
    VariantClear(&result);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    for (VARIANT& v : args)
        VariantClear(&v);
}

// The default source interface of the control's class, from IProvideClassInfo2 and its class information.
ITypeInfo* EventInterface(IUnknown* control, IID* iid) {
    IProvideClassInfo2* info = nullptr;
    if (FAILED(control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info))))
        return nullptr;
    info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, iid);
    ITypeInfo* coclass = nullptr;
    ITypeInfo* events = nullptr;
    if (SUCCEEDED(info->GetClassInfo(&coclass))) {
        ITypeLib* lib = nullptr;
        UINT index = 0;
        if (SUCCEEDED(coclass->GetContainingTypeLib(&lib, &index))) {
            lib->GetTypeInfoOfGuid(*iid, &events);
            lib->Release();
        }
        coclass->Release();
    }
    info->Release();
    return events;
}

// A left click as the window under the point receives it: the deepest visible child there gets the
// button's down and up messages at its own coordinates.
void Click(HWND form, int x, int y) {
    RECT client{};
    GetClientRect(form, &client);
    POINT p{x < 0 ? client.right + x : x, y < 0 ? client.bottom + y : y};
    HWND target = form;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target) break;
        MapWindowPoints(target, child, &p, 1);
        target = child;
    }
    const LPARAM at = MAKELPARAM(p.x, p.y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
    std::printf("click %s\n", target == form ? "the window" : "a child window");
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    const std::string progId = argc > 1 ? argv[1] : "VireoBR.VireoBrowser";
    OleInitialize(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"VireoContainerForm";
    RegisterClassW(&wc);
    HWND form = CreateWindowExW(0, wc.lpszClassName, L"vireo-container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                0, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
    ContainerSite site(form);

    CLSID clsid{};
    const std::wstring wide(progId.begin(), progId.end());
    IOleObject* ole = nullptr;
    HRESULT hr = CLSIDFromProgID(wide.c_str(), &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&ole));
    if (FAILED(hr)) {
        std::printf("cannot create %s: 0x%08lX\n", progId.c_str(), static_cast<unsigned long>(hr));
        return 1;
    }
    ole->SetClientSite(&site);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(ole->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        persist->InitNew();
        persist->Release();
    }
    RECT rect;
    GetClientRect(form, &rect);
    hr = ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, form, &rect);
    std::printf("created %s, in place: 0x%08lX\n", progId.c_str(), static_cast<unsigned long>(hr));

    IID iid{};
    ITypeInfo* events = EventInterface(ole, &iid);
    EventPrinter printer(events, iid);
    if (events) events->Release();
    IConnectionPointContainer* cpc = nullptr;
    IConnectionPoint* cp = nullptr;
    DWORD cookie = 0;
    if (SUCCEEDED(ole->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc))) &&
        SUCCEEDED(cpc->FindConnectionPoint(iid, &cp)))
        cp->Advise(&printer, &cookie);
    std::printf("events connected: cookie %lu\n", static_cast<unsigned long>(cookie));
    ChangePrinter changes;
    std::printf("property notices connected: cookie %lu\n", static_cast<unsigned long>(changes.Connect(ole)));
    std::fflush(stdout);

    IDispatch* control = nullptr;
    ole->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&control));
    char buffer[4096];
    while (control && std::fgets(buffer, sizeof buffer, stdin)) {
        const std::vector<std::string> t = Tokens(buffer);
        if (t.empty() || t[0][0] == '#') continue;
        if (t[0] == "quit") break;
        if (t[0] == "wait" && t.size() == 2)
            vireo::PumpMessages(static_cast<DWORD>(std::strtoul(t[1].c_str(), nullptr, 10)));
        else if ((t[0] == "invoke" || t[0] == "put") && t.size() >= 2)
            Run(control, t);
        else if (t[0] == "click" && t.size() == 3)
            Click(form, std::atoi(t[1].c_str()), std::atoi(t[2].c_str()));
        else if (t[0] == "shot" && t.size() == 2)
            std::printf("shot %s: %s\n", t[1].c_str(), SaveWindowBitmap(form, t[1]) ? "saved" : "failed");
        else
            std::printf("? %s", buffer);
        vireo::PumpMessages(0);
    }
    changes.Disconnect();
    if (cp) cp->Unadvise(cookie), cp->Release();
    if (cpc) cpc->Release();
    if (control) control->Release();
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole->Release();
    DestroyWindow(form);
    OleUninitialize();
    return 0;
}
