// What the host hears and checks: the control's eight events (each printed, then its handler's line run
// inside it), the desktop's records, and the expect lines that compare a line's records with the script's.
#include "host/Expect.h"
#include "host/Host.h"
#include "host/Words.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/HostNames.h"
#include <cctype>
#include <cstdlib>

namespace host {

namespace {

constexpr const char* kEventNames[] = {"PanelProperty", "OpenURL",         "OpenArchive",
                                       "OpenFTP",       "CombUrlGotFocus", "CombUrlLostFocus",
                                       "NotifyURL",     "NotifySelection"};

bool SameWord(const std::string& a, const std::string& b) {
    return Lower(a) == Lower(b);
}

// The event's name as the control raises it, for a name in any case.
std::string EventName(const std::string& word) {
    for (const char* name : kEventNames)
        if (SameWord(word, name)) return name;
    std::string all;
    for (const char* name : kEventNames)
        all += (all.empty() ? "" : ", ") + std::string(name);
    throw ScriptError("expected an event (" + all + "), not " + word);
}

// The desktop records whose field is a number of the run: (kind, field, what it is, its base).
constexpr struct {
    const char* kind;
    size_t field;
    NameKind name;
    int base;
} kNamedFields[] = {{"AutoComplete", 0, NameKind::Window, 10},
                    {"FileOperation", 0, NameKind::Window, 16},
                    {"MousePointer", 0, NameKind::Cursor, 10},
                    {"ShellExecuteEx", 1, NameKind::Window, 16},
                    {"ShellExecuteEx", 8, NameKind::Pidl, 16}};

// The number a record's field shows: "0x1005C" and "1005C" in base 16, an item-ID list's journal text
// "pidl:ADDRESS:SIZE" by its address; "(null)" is 0.
int64_t FieldNumber(const std::string& field, int base) {
    const char* text = field.c_str() + (field.rfind("pidl:", 0) == 0 ? 5 : 0);
    return std::strtoll(text, nullptr, base);
}

} // namespace

// Prints every event of the control as one line, then runs the script's handler for it.
class Host::Events : public vireo::VireoBrowserEvents {
public:
    explicit Events(Host& host) : m_host(host) {}
    void PanelProperty(const std::string& t, bool b, bool f, bool u) override {
        Raise("PanelProperty", {vireo::Variant(t), vireo::Variant::Boolean(b), vireo::Variant::Boolean(f),
                                vireo::Variant::Boolean(u)});
    }
    void OpenURL(const std::string& s) override { Raise("OpenURL", {vireo::Variant(s)}); }
    void OpenArchive(const std::string& s) override { Raise("OpenArchive", {vireo::Variant(s)}); }
    void OpenFTP(const std::string& s) override { Raise("OpenFTP", {vireo::Variant(s)}); }
    void CombUrlGotFocus() override { Raise("CombUrlGotFocus", {}); }
    void CombUrlLostFocus() override { Raise("CombUrlLostFocus", {}); }
    void NotifyURL(const std::string& u, const std::string& n, const std::string& l, LONG_PTR p,
                   LONG a) override {
        Raise("NotifyURL", {vireo::Variant(u), vireo::Variant(n), vireo::Variant(l),
                            Field(vireo::Variant::Long(p), NameKind::Pidl), vireo::Variant::Long(a)});
    }
    void NotifySelection(LONG n, const std::string& f) override {
        Raise("NotifySelection", {vireo::Variant::Long(n), vireo::Variant(f)});
    }

private:
    void Raise(const std::string& name, const std::vector<Field>& args) {
        m_host.m_out.Event(name, args);
        m_host.RunHandler(name);
    }
    Host& m_host;
};

Host::Host(Output& out) : m_out(out), m_events(std::make_unique<Events>(*this)) {
    m_desk.Log().SetObserver([this](const emu::Record& r) { PrintRecord(r); });
}

vireo::VireoBrowserEvents* Host::EventSink() {
    return m_events.get();
}

Host::~Host() {
    Close();
}

void Host::Handler(const std::vector<Token>& t, const std::string& line) {
    // on EVENT LINE / off EVENT
    const bool on = SameWord(t[0].text, "on");
    if (t.size() < 2) throw ScriptError(t[0].text + ": expected an event");
    const std::string event = EventName(t[1].text);
    if (!on) {
        if (t.size() != 2) throw ScriptError("off: expected only the event, not " + t[2].text);
        m_handlers.erase(event);
        return;
    }
    if (t.size() < 3) throw ScriptError("on " + event + ": expected the line to run");
    if (SameWord(t[2].text, "expect"))
        throw ScriptError("on " + event + ": an expect line cannot be a handler");
    // The handler is the rest of the line as written.
    const size_t at = line.find(t[1].text, line.find(t[0].text) + t[0].text.size()) + t[1].text.size();
    m_handlers[event] = line.substr(line.find_first_not_of(" \t", at));
}

void Host::RunHandler(const std::string& event) {
    auto it = m_handlers.find(event);
    // A handler does not run inside itself: an event its own line raises is printed and left alone.
    if (it == m_handlers.end() || m_handling.count(event)) return;
    const std::string line = it->second; // the line may take its own handler away
    m_handling.insert(event);
    try {
        RunLine(line);
    } catch (const std::exception& e) {
        ReportError(m_out, m_lineNo, "on " + event + ": ", e);
    }
    m_handling.erase(event);
}

bool Host::Expect(const std::vector<Token>& t) {
    std::vector<Token> pattern(t.begin() + 1, t.end());
    const bool no = !pattern.empty() && !pattern[0].quoted && SameWord(pattern[0].text, "no");
    if (no) pattern.erase(pattern.begin());
    if (pattern.empty()) {
        m_out.Error(m_lineNo, "expect: expected what a record shows, such as event NotifyURL * or no event",
                    0, false);
        return false;
    }
    const std::string wanted = std::string(no ? "no " : "") + Joined(pattern);
    // expect status TEXT: the status bar's text now, changed by the line before or not.
    if (!no && pattern.size() == 2 && pattern[0].text == "status") {
        const std::string now = "status " + Quote(emu::ToHostName(m_control ? m_control->StatusText() : ""));
        if (Matches(pattern, now, false)) return true;
        m_out.Error(m_lineNo, "expected " + wanted + ", the status bar shows " + now.substr(7), 0, false);
        return false;
    }
    bool found = false;
    for (const std::string& record : m_out.LineRecords())
        found = found || Matches(pattern, record, no);
    if (found != no) return true;
    std::string came;
    for (const std::string& record : m_out.LineRecords())
        came += (came.empty() ? "" : " | ") + record;
    m_out.Error(m_lineNo, "expected " + wanted + ", came: " + (came.empty() ? "nothing" : came), 0, false);
    return false;
}

void Host::PrintRecord(const emu::Record& r) {
    std::vector<std::string> fields = r.shown.empty() ? r.fields : r.shown;
    if (!m_out.Raw())
        for (const auto& named : kNamedFields)
            if (r.kind == named.kind && named.field < fields.size())
                fields[named.field] = m_out.Named(named.name, FieldNumber(fields[named.field], named.base));
    m_out.Desktop(r.kind, fields);
}

} // namespace host
