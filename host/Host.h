// The scripting host: an emulated desktop with the control placed on a form, driven line by line.
#pragma once
#include "control/VireoBrowser.h"
#include "host/HostContainer.h"
#include "host/Output.h"
#include "host/ScriptError.h"
#include "host/Tokens.h"
#include "platform/emu/Desktop.h"
#include <istream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace emu {
struct Record;
}

namespace host {

class Host {
public:
    explicit Host(Output& out);
    ~Host();

    // Runs one line; throws ScriptError for a line it does not understand, and lets a call's dispatch or
    // run-time error through.
    void RunLine(const std::string& line);
    // Runs every line; a failure is reported with its line number and the script goes on. Returns the
    // number of failures: lines that could not be carried out, calls that raised an error (unless the next
    // line expects it) and expectations that did not hold.
    int RunScript(std::istream& in);

    emu::Desktop& Desk() { return m_desk; }
    vireo::VireoBrowser* Control() { return m_control.get(); }

private:
    class Events;
    friend class Events;
    vireo::VireoBrowserEvents* EventSink();
    void Close();
    void Dispatch(const std::vector<Token>& t, const std::string& line);
    void Setup(const std::vector<Token>& t);
    void Create(const std::vector<Token>& t);
    void FormAction(const std::string& cmd, const std::vector<Token>& t);
    void UserAction(const std::string& cmd, const std::vector<Token>& t);
    void Invoke(const std::vector<Token>& t);
    void Show(const std::vector<Token>& t);
    void Handler(const std::vector<Token>& t, const std::string& line);
    void RunHandler(const std::string& event);
    // Checks an expect line against what the line before printed; false when it did not hold.
    bool Expect(const std::vector<Token>& t);
    void PrintRecord(const emu::Record& r);
    void ReportStatusChange();
    vireo::VireoBrowser& RequireControl();

    Output& m_out;
    emu::Desktop m_desk;
    std::unique_ptr<HostContainer> m_container;
    std::unique_ptr<Events> m_events;
    vireo::RefPtr<vireo::VireoBrowser> m_control;
    std::string m_lastStatus;
    int m_lineNo = 0;                              // the script line running
    std::map<std::string, std::string> m_handlers; // event name -> the line its handler runs
    std::set<std::string> m_handling;              // the events whose handler is running
};

// Reports a failed line (or handler) the way the host prints errors: a dispatch error with its HRESULT, a
// run-time error with its number and source, anything else with its text after prefix.
void ReportError(Output& out, int line, const std::string& prefix, const std::exception& e);

// Lists the dispatch table.
void PrintMembers(Output& out);

// The built-in tour: a sample drive and a script that shows what the control does.
int RunDemo(Output& out);

} // namespace host
