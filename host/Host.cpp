#include "host/Host.h"
#include "host/FormActions.h"
#include "host/PropertyFile.h"
#include "host/UserActions.h"
#include "host/Words.h"
#include "platform/emu/shdocvw/WebPages.h"
#include "control/Dispatch.h"
#include "platform/RuntimeError.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/user32/WindowManager.h"
#include <cctype>
#include <map>
#include <optional>

namespace host {

namespace {

bool PrintedError(const std::vector<std::string>& records) {
    for (const std::string& r : records)
        if (r.rfind("error ", 0) == 0) return true;
    return false;
}

bool IsExpectLine(const std::vector<Token>& t) {
    return !t.empty() && !t[0].quoted && Lower(t[0].text) == "expect";
}

// What a member's Long result stands for, by the member's name: m_hwndLV is a window, ParentPidl an
// item-ID list, and so is what NavigateTV returns (the folder the tree now shows).
NameKind ResultKind(const std::string& member) {
    const std::string low = Lower(member);
    return low.find("hwnd") != std::string::npos                          ? NameKind::Window
           : low.find("pidl") != std::string::npos || low == "navigatetv" ? NameKind::Pidl
                                                                          : NameKind::None;
}

// The script is UTF-8 text, as the host's files are; the control and the emulated desktop take the ANSI
// code page, so every word is turned into it, except the host's own paths (the folder of a mount or a
// share, a property file), which stay as written.
void ToWindowsText(std::vector<Token>& t) {
    const std::string cmd = Lower(t[0].text);
    for (size_t i = 1; i < t.size(); ++i) {
        bool hostPath = ((cmd == "mount" || cmd == "share") && Lower(t[i - 1].text) == "at") ||
                        (cmd == "save" && i == 1) || (cmd == "create" && i == 2);
        if (!hostPath) t[i].text = emu::ToWindowsName(t[i].text);
    }
}

} // namespace

void ReportError(Output& out, int line, const std::string& prefix, const std::exception& e) {
    if (auto* d = dynamic_cast<const vireo::DispatchError*>(&e))
        out.Error(line, prefix + d->what(), d->HResult());
    else if (auto* r = dynamic_cast<const vireo::RuntimeError*>(&e))
        out.Error(line, prefix + r->Source() + ": " + r->Description(), r->Number());
    else
        out.Error(line, prefix + e.what());
}

void Host::Close() {
    // The host closes its only control: the lists shared by the thread's controls go with it.
    m_handlers.clear();
    if (m_control) {
        m_control->SetEvents(nullptr);
        try {
            m_control->Terminate(vireo::Variant::Boolean(true));
        } catch (const std::exception&) {}
    }
    m_control.reset();
    m_container.reset();
    m_desk.Log().SetObserver(nullptr);
}

int Host::RunScript(std::istream& in) {
    int failures = 0;
    bool unexpectedError = false; // the last line reported an error no expect line has taken yet
    m_lineNo = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++m_lineNo;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue; // blank or a comment
        std::vector<Token> t;
        try {
            t = Tokenize(line);
        } catch (const std::invalid_argument&) {
            // An unreadable line is run anyway: running it reports the error in its place.
        }
        if (IsExpectLine(t)) {
            if (!Expect(t))
                ++failures;
            else if (t.size() > 1 && Lower(t[1].text) == "error")
                unexpectedError = false;
            continue;
        }
        failures += unexpectedError;
        m_out.StartLine();
        try {
            RunLine(line);
        } catch (const std::exception& e) {
            ReportError(m_out, m_lineNo, "", e);
        }
        unexpectedError = PrintedError(m_out.LineRecords());
    }
    return failures + unexpectedError;
}

void Host::RunLine(const std::string& line) {
    std::vector<Token> t;
    try {
        t = Tokenize(line);
    } catch (const std::invalid_argument& e) {
        throw ScriptError(e.what());
    }
    if (t.empty() || (!t[0].quoted && t[0].text[0] == '#')) return;
    ToWindowsText(t);
    Dispatch(t, line);
    // A handler's line runs inside the event: what it posts runs after the event, with the line that
    // raised it.
    if (!m_handling.empty()) return;
    // Whatever the line started (a navigation, a timer's work) runs before the next line.
    Settle(m_desk);
    ReportStatusChange();
}

void Host::Dispatch(const std::vector<Token>& t, const std::string& line) {
    const std::string cmd = Lower(t[0].text);
    if (cmd == "create")
        Create(t);
    else if (cmd == "invoke")
        Invoke(t);
    else if (cmd == "show")
        Show(t);
    else if (cmd == "members")
        PrintMembers(m_out);
    else if (cmd == "say")
        m_out.Note(emu::ToWindowsName(
            line.substr(line.find(t[0].text) + t[0].text.size() + (t.size() > 1 ? 1 : 0))));
    else if (cmd == "on" || cmd == "off")
        Handler(t, line);
    else if (cmd == "expect")
        throw ScriptError("expect: only in a script, after the line it checks");
    else if (cmd == "address" || cmd == "click" || cmd == "dblclick" || cmd == "rclick" || cmd == "key" ||
             cmd == "release" || cmd == "toolbar")
        UserAction(cmd, t);
    else if (cmd == "resize" || cmd == "drag" || cmd == "save" || cmd == "dialog")
        FormAction(cmd, t);
    else
        Setup(t);
}

void Host::UserAction(const std::string& cmd, const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    if (t.size() < 2) throw ScriptError(cmd + ": what?");
    const std::string& what = t[1].text;
    if (cmd == "address")
        EnterAddress(m_desk, control, what);
    else if (cmd == "release" && Lower(what) != "shift" && Lower(what) != "ctrl")
        throw ScriptError("release: expected shift or ctrl, not " + what);
    else if (cmd == "key" || cmd == "release")
        KeyInView(m_desk, control, Lower(what), cmd == "release");
    else if (cmd == "toolbar")
        ClickToolbar(control, Lower(what));
    else
        ClickInView(m_desk, control, cmd, what);
}

void Host::FormAction(const std::string& cmd, const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    // Sizes and moves are in pixels, as a window takes them (16 bits).
    auto number = [&](size_t i, const char* what, int min) {
        return int(ParseNumber(i < t.size() ? t[i].text : "", cmd + ": " + what, min, 32767));
    };
    if (cmd == "resize") {
        ResizeForm(m_container->ParentWindow(), control, number(1, "the width", 0),
                   number(2, "the height", 0));
    } else if (cmd == "drag") {
        // drag splitter DY
        if (t.size() < 2 || Lower(t[1].text) != "splitter") throw ScriptError("drag splitter DY");
        DragSplitter(control, number(2, "the distance", -32768));
    } else if (cmd == "save") {
        if (t.size() != 2) throw ScriptError("save FILE");
        PropertyFile bag;
        control.UserControl_WriteProperties(bag);
        try {
            bag.Save(t[1].text);
        } catch (const std::runtime_error& e) {
            throw ScriptError(std::string("save: ") + e.what());
        }
        m_out.Desktop("PropertyBag", {bag.Values().dump()});
    } else {
        // dialog ACTION [TEXT]: the user's next action at a modal window (type, enter, escape, clear,
        // press CAPTION, close).
        if (t.size() < 2)
            throw ScriptError("dialog type TEXT | enter | escape | clear | press CAPTION | close");
        std::string action = Lower(t[1].text);
        if (t.size() > 2) action += " " + t[2].text;
        m_desk.Answers().Push("Dialog", emu::Answer{0, action});
    }
}

void Host::Create(const std::vector<Token>& t) {
    if (m_control) throw ScriptError("create: the control exists already");
    // "create from FILE": the form's stored properties come from a property file.
    std::optional<PropertyFile> bag;
    if (t.size() > 1) {
        if (t.size() != 3 || Lower(t[1].text) != "from") throw ScriptError("create [from FILE]");
        try {
            bag = PropertyFile::Load(t[2].text);
        } catch (const std::runtime_error& e) {
            throw ScriptError(std::string("create: ") + e.what());
        }
    }
    m_container = std::make_unique<HostContainer>();
    m_control = vireo::RefPtr<vireo::VireoBrowser>::Make(*m_container);
    m_control->SetEvents(EventSink());
    // The control fills the form.
    RECT form{};
    GetClientRect(m_container->ParentWindow(), &form);
    MoveWindow(m_control->Window(), 0, 0, form.right, form.bottom, TRUE);
    if (bag) {
        // Reading the stored properties at run time activates the control; a value of the wrong type
        // fails the load as it fails a form's, and the control is taken away again.
        try {
            m_control->UserControl_ReadProperties(*bag);
        } catch (const std::exception& e) {
            m_control->Terminate(vireo::Variant::Boolean(true));
            m_control.reset();
            m_container.reset();
            throw ScriptError("create: " + t[2].text + ": " + e.what());
        }
    } else {
        // A control a host places at run time without stored properties is a new control: its properties
        // take their initial values, and the host activates it.
        m_control->UserControl_InitProperties();
        m_control->Activate();
    }
    // The form gives the control the focus: the first activation builds the extension index.
    m_control->ThisGotFocus();
    // The form shows the control before the script goes on.
    Settle(m_desk);
    m_lastStatus = m_control->StatusText();
}

vireo::VireoBrowser& Host::RequireControl() {
    if (!m_control) throw ScriptError("no control yet: use create first");
    return *m_control;
}

void Host::Invoke(const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    size_t i = 1;
    unsigned kind = 0;
    if (i < t.size()) {
        const std::string w = Lower(t[i].text);
        if (w == "get" || w == "let" || w == "set") {
            kind = w == "get" ? vireo::kDispGet : w == "let" ? vireo::kDispLet : vireo::kDispSet;
            ++i;
        }
    }
    if (i >= t.size()) throw ScriptError("invoke: which member?");
    const std::string& name = t[i].text;
    const vireo::DispMember* m = nullptr;
    if (name[0] == '#') {
        // #0x60030308, #&H60030308 or a decimal identifier.
        std::string id = name.substr(1);
        if (Lower(id).rfind("0x", 0) == 0) id = "&H" + id.substr(2);
        m = vireo::FindMember(
            int32_t(ParseNumber(id, "invoke: the dispatch identifier " + name, INT32_MIN, UINT32_MAX, true)));
    } else {
        m = vireo::FindMember(name);
    }
    if (!m) throw ScriptError("invoke: no member " + name);
    std::vector<vireo::Variant> args;
    for (++i; i < t.size(); ++i)
        args.push_back(ParseArgument(t[i], unsigned(args.size())));
    if (kind == 0)
        kind = (m->kinds & vireo::kDispMethod) ? vireo::kDispMethod
               : args.empty()                  ? vireo::kDispGet
                              : (m->kinds & vireo::kDispLet ? vireo::kDispLet : vireo::kDispSet);
    // A dispatch or run-time error goes to the script's report with the line's number.
    vireo::Variant result = vireo::Invoke(control, m->id, kind, args);
    if (m->result != vireo::ParamType::None && (kind & (vireo::kDispMethod | vireo::kDispGet)))
        m_out.Result(Field(result, ResultKind(m->name)));
    for (size_t a = 0; a < args.size() && a < m->params.size(); ++a)
        if (m->params[a].byRef) m_out.ByRef(m->params[a].name, args[a]);
}

void Host::Show(const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    const std::string what = t.size() > 1 ? Lower(t[1].text) : "status";
    if (what == "status")
        m_out.Status(control.StatusText());
    else if (what == "address")
        m_out.Result(vireo::Variant(control.AddressText()));
    else if (what == "list")
        m_out.Desktop("AddressList", control.AddressHistory());
    else if (what == "view")
        m_out.Desktop("View", ViewItems(control));
    else if (what == "layout")
        m_out.Desktop("Layout", LayoutLines(control));
    else
        throw ScriptError("show: status, address, list, view or layout");
}

void Host::ReportStatusChange() {
    if (!m_control) return;
    const std::string now = m_control->StatusText();
    if (now != m_lastStatus) m_out.Status(now);
    m_lastStatus = now;
}

void PrintMembers(Output& out) {
    for (const vireo::DispMember& m : vireo::DispatchTable())
        out.Member(m.name, m.id, vireo::KindsText(m.kinds), vireo::ParamsText(m),
                   m.result == vireo::ParamType::None ? "" : vireo::ParamTypeName(m.result));
}

} // namespace host
