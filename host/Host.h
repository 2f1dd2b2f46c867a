// The scripting host: an emulated desktop with the control placed on a form, driven line by line.
#pragma once
#include "control/VireoBrowser.h"
#include "host/HostContainer.h"
#include "host/Output.h"
#include "host/Tokens.h"
#include "platform/emu/Desktop.h"
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// A script line the host cannot carry out.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Host {
public:
    explicit Host(Output& out);
    ~Host();

    // Runs one line; throws ScriptError for a line it does not understand.
    void RunLine(const std::string& line);
    // Runs every line; a bad line is reported and the script goes on. Returns the number of bad lines.
    int RunScript(std::istream& in);

    emu::Desktop& Desk() { return m_desk; }
    vireo::VireoBrowser* Control() { return m_control.get(); }

private:
    class Events;
    void Setup(const std::vector<Token>& t);
    void Create(const std::vector<Token>& t);
    void FormAction(const std::string& cmd, const std::vector<Token>& t);
    void UserAction(const std::string& cmd, const std::vector<Token>& t);
    void Invoke(const std::vector<Token>& t);
    void Show(const std::vector<Token>& t);
    void ReportStatusChange();
    vireo::VireoBrowser& RequireControl();

    Output& m_out;
    emu::Desktop m_desk;
    std::unique_ptr<HostContainer> m_container;
    std::unique_ptr<Events> m_events;
    vireo::RefPtr<vireo::VireoBrowser> m_control;
    std::string m_lastStatus;
};

// Lists the dispatch table.
void PrintMembers(Output& out);

// The built-in tour: a sample drive and a script that shows what the control does.
int RunDemo(Output& out);

} // namespace host
