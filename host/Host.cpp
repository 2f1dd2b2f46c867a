#include "host/Host.h"
#include "host/FormActions.h"
#include "host/PropertyFile.h"
#include "host/UserActions.h"
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

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsInteger(const std::string& s) {
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i >= s.size()) return false;
    for (; i < s.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

// A typed argument: "text" String, 12 Long, &HFF Long, int:12 Integer, 1.5 Double, true/false Boolean,
// empty Empty; any other bare word is a String.
vireo::Variant ParseArgument(const Token& t) {
    if (t.quoted) return vireo::Variant(t.text);
    const std::string low = Lower(t.text);
    if (low == "empty") return {};
    if (low == "true" || low == "false") return vireo::Variant::Boolean(low == "true");
    if (low.rfind("int:", 0) == 0) return vireo::Variant::Integer(int16_t(std::stoi(t.text.substr(4))));
    if (low.rfind("&h", 0) == 0 && t.text.size() > 2)
        return vireo::Variant::Long(int32_t(uint32_t(std::stoul(t.text.substr(2), nullptr, 16))));
    if (IsInteger(t.text)) return vireo::Variant::Long(std::stoll(t.text));
    char* end = nullptr;
    double d = std::strtod(t.text.c_str(), &end);
    if (end && *end == '\0' && (low.find('.') != std::string::npos || low.find('e') != std::string::npos))
        return vireo::Variant::Double(d);
    return vireo::Variant(t.text);
}

char DriveLetter(const std::string& s) {
    if (s.size() < 2 || s[1] != ':' || !std::isalpha(static_cast<unsigned char>(s[0])))
        throw ScriptError("expected a drive such as C:, not " + s);
    return char(std::toupper(static_cast<unsigned char>(s[0])));
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

// Prints every event of the control as one line.
class Host::Events : public vireo::VireoBrowserEvents {
public:
    explicit Events(Output& out) : m_out(out) {}
    void PanelProperty(const std::string& t, bool b, bool f, bool u) override {
        m_out.Event("PanelProperty", {vireo::Variant(t), vireo::Variant::Boolean(b),
                                      vireo::Variant::Boolean(f), vireo::Variant::Boolean(u)});
    }
    void OpenURL(const std::string& s) override { m_out.Event("OpenURL", {vireo::Variant(s)}); }
    void OpenArchive(const std::string& s) override { m_out.Event("OpenArchive", {vireo::Variant(s)}); }
    void OpenFTP(const std::string& s) override { m_out.Event("OpenFTP", {vireo::Variant(s)}); }
    void CombUrlGotFocus() override { m_out.Event("CombUrlGotFocus", {}); }
    void CombUrlLostFocus() override { m_out.Event("CombUrlLostFocus", {}); }
    void NotifyURL(const std::string& u, const std::string& n, const std::string& l, LONG_PTR p,
                   LONG a) override {
        m_out.Event("NotifyURL", {vireo::Variant(u), vireo::Variant(n), vireo::Variant(l),
                                  vireo::Variant::Long(p), vireo::Variant::Long(a)});
    }
    void NotifySelection(LONG n, const std::string& f) override {
        m_out.Event("NotifySelection", {vireo::Variant::Long(n), vireo::Variant(f)});
    }

private:
    Output& m_out;
};

Host::Host(Output& out) : m_out(out), m_events(std::make_unique<Events>(out)) {
    m_desk.Log().SetObserver([this](const emu::Record& r) { m_out.Desktop(r.kind, r.fields); });
}

Host::~Host() {
    // The host closes its only control: the lists shared by the thread's controls go with it.
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
    int bad = 0, lineNo = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        try {
            RunLine(line);
        } catch (const ScriptError& e) {
            m_out.Error("line " + std::to_string(lineNo) + ": " + e.what());
            ++bad;
        } catch (const std::exception& e) {
            m_out.Error("line " + std::to_string(lineNo) + ": " + e.what());
            ++bad;
        }
    }
    return bad;
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
    else if (cmd == "address" || cmd == "click" || cmd == "dblclick" || cmd == "rclick" || cmd == "key" ||
             cmd == "release" || cmd == "toolbar")
        UserAction(cmd, t);
    else if (cmd == "resize" || cmd == "drag" || cmd == "save" || cmd == "dialog")
        FormAction(cmd, t);
    else
        Setup(t);
    // Whatever the line started (a navigation, a timer's work) runs before the next line.
    Settle(m_desk);
    ReportStatusChange();
}

void Host::Setup(const std::vector<Token>& t) {
    const std::string cmd = Lower(t[0].text);
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= t.size()) throw ScriptError(t[0].text + ": missing argument " + std::to_string(i));
        return t[i].text;
    };
    if (cmd == "mount") {
        const char letter = DriveLetter(arg(1));
        static const std::map<std::string, unsigned> kTypes = {
            {"removable", 2}, {"fixed", 3}, {"remote", 4}, {"cdrom", 5}, {"ramdisk", 6}};
        unsigned type = 3;
        std::string label, at;
        for (size_t i = 2; i < t.size(); ++i) {
            const std::string w = Lower(t[i].text);
            if (kTypes.count(w))
                type = kTypes.at(w);
            else if (w == "label")
                label = arg(++i);
            else if (w == "at")
                at = arg(++i);
            else
                throw ScriptError("mount: unknown word " + t[i].text);
        }
        if (at.empty())
            m_desk.Files().MountScratch(letter, type, label);
        else
            m_desk.Files().Mount(letter, at, type, label);
    } else if (cmd == "share") {
        const std::string unc = arg(1);
        const size_t sep = unc.find('\\', 2);
        if (unc.rfind("\\\\", 0) != 0 || sep == std::string::npos)
            throw ScriptError("share: expected \\\\server\\share");
        const std::string server = unc.substr(2, sep - 2), share = unc.substr(sep + 1);
        std::filesystem::path dir = t.size() > 3 && Lower(t[2].text) == "at"
                                        ? std::filesystem::path(t[3].text)
                                        : m_desk.ScratchDir() / "shares" / server / share;
        std::filesystem::create_directories(dir);
        m_desk.Files().AddShare(server, share, dir);
    } else if (cmd == "mkdir") {
        m_desk.Files().MakeDir(arg(1));
    } else if (cmd == "file") {
        std::string content;
        for (size_t i = 2; i < t.size(); ++i)
            content += t[i].text + "\r\n";
        m_desk.Files().WriteFile(arg(1), content);
    } else if (cmd == "cd") {
        if (!SetCurrentDirectoryA(arg(1).c_str())) throw ScriptError("cd: no such folder " + t[1].text);
    } else if (cmd == "system") {
        static const std::map<std::string, emu::WinVersion> kSystems = {{"98", emu::WinVersion::Win98},
                                                                        {"me", emu::WinVersion::WinMe},
                                                                        {"nt4", emu::WinVersion::NT4},
                                                                        {"2000", emu::WinVersion::Win2000},
                                                                        {"xp", emu::WinVersion::XP}};
        auto it = kSystems.find(Lower(arg(1)));
        if (it == kSystems.end()) throw ScriptError("system: one of 98, me, nt4, 2000, xp");
        m_desk.System().SetVersion(it->second);
    } else if (cmd == "filetype") {
        // filetype .ext class "Type name" "open command"
        const std::string ext = arg(1), cls = arg(2), name = arg(3), command = t.size() > 4 ? t[4].text : "";
        auto set = [](const std::string& key, const std::string& value) {
            HKEY k = nullptr;
            if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                                nullptr) != ERROR_SUCCESS)
                throw ScriptError("filetype: cannot create " + key);
            RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           DWORD(value.size() + 1));
            RegCloseKey(k);
        };
        set(ext, cls);
        set(cls, name);
        if (!command.empty()) set(cls + "\\shell\\open\\command", command);
    } else if (cmd == "answer") {
        // answer KIND BUTTON [TEXT]
        emu::Answer a;
        try {
            a.button = std::stoi(arg(2));
        } catch (const std::logic_error&) {
            throw ScriptError("answer: the button is a number");
        }
        if (t.size() > 3) a.text = t[3].text;
        m_desk.Answers().Push(arg(1), a);
    } else if (cmd == "page") {
        // page URL TITLE [STATUS...]: a web page the web view can reach
        std::vector<std::string> texts;
        for (size_t i = 3; i < t.size(); ++i)
            texts.push_back(t[i].text);
        m_desk.Web().AddPage(arg(1), arg(2), texts);
    } else if (cmd == "clock") {
        m_desk.Windows().Advance(DWORD(std::stoul(arg(1))));
    } else {
        throw ScriptError("unknown command " + t[0].text);
    }
}

void Host::UserAction(const std::string& cmd, const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    if (t.size() < 2) throw ScriptError(cmd + ": what?");
    const std::string& what = t[1].text;
    if (cmd == "address")
        EnterAddress(m_desk, control, what);
    else if (cmd == "key" || cmd == "release")
        KeyInView(m_desk, control, Lower(what), cmd == "release");
    else if (cmd == "toolbar")
        ClickToolbar(control, Lower(what));
    else
        ClickInView(m_desk, control, cmd, what);
}

void Host::FormAction(const std::string& cmd, const std::vector<Token>& t) {
    vireo::VireoBrowser& control = RequireControl();
    auto number = [&](size_t i) {
        if (i >= t.size() || !IsInteger(t[i].text)) throw ScriptError(cmd + ": a number is missing");
        return std::stoi(t[i].text);
    };
    if (cmd == "resize") {
        ResizeForm(m_container->ParentWindow(), control, number(1), number(2));
    } else if (cmd == "drag") {
        // drag splitter DY
        if (t.size() < 2 || Lower(t[1].text) != "splitter") throw ScriptError("drag splitter DY");
        DragSplitter(control, number(2));
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
    m_control->SetEvents(m_events.get());
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
        // A control a host places at run time without stored properties is activated by the host.
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
    const vireo::DispMember* m = name[0] == '#'
                                     ? vireo::FindMember(int32_t(std::stoul(name.substr(1), nullptr, 0)))
                                     : vireo::FindMember(name);
    if (!m) throw ScriptError("invoke: no member " + name);
    std::vector<vireo::Variant> args;
    for (++i; i < t.size(); ++i)
        args.push_back(ParseArgument(t[i]));
    if (kind == 0)
        kind = (m->kinds & vireo::kDispMethod) ? vireo::kDispMethod
               : args.empty()                  ? vireo::kDispGet
                              : (m->kinds & vireo::kDispLet ? vireo::kDispLet : vireo::kDispSet);
    try {
        vireo::Variant result = vireo::Invoke(control, m->id, kind, args);
        if (m->result != vireo::ParamType::None && (kind & (vireo::kDispMethod | vireo::kDispGet)))
            m_out.Result(result);
        for (size_t a = 0; a < args.size(); ++a)
            if (m->params[a].byRef) m_out.ByRef(m->params[a].name, args[a]);
    } catch (const vireo::DispatchError& e) {
        m_out.Error(e.what(), e.HResult());
    } catch (const vireo::RuntimeError& e) {
        m_out.Error(e.Source() + ": " + e.Description(), e.Number());
    }
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
