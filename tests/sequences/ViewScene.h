// The scene of the folder view's message sequences, built from the same source natively and under Wine:
// a control on a hidden form, its folder tree and host events recorded, and the web view's windows made
// by hand ("Shell Embedding" under the control's window, a "Shell DocObject View" under it holding a list
// view of a scratch folder), each with a procedure of its own that records what reaches it. The control's
// procedures sit in front of those, so the record shows what the control passed on, in the order it got
// there; what the control consumed never appears. The folder tree's calls and the host's selection notice
// go into the same record, as messages to two pseudo windows.
#pragma once
#include "control/VireoBrowser.h"
#include "platform/Container.h"
#include "tests/sequences/Sequence.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace seq {

// What each build supplies: its clock, the user at the rename dialog and the later folder views.
class Environment {
public:
    virtual ~Environment() = default;
    // Time passes while the thread does not look at its queue: due timers are signalled.
    virtual void Pass(DWORD ms) = 0;
    // The user cancels the next rename dialog; DialogShown tells afterwards whether one came up.
    virtual void CancelNextDialog() = 0;
    virtual bool DialogShown() = 0;
    // A folder view made inside the document-view host (its window holds its list view), and let go.
    virtual HWND MakeFolderView(HWND docView) = 0;
    virtual void CloseFolderView() = 0;
};

// The pseudo windows and their messages: the tree's GoToParent, GoToChild and Terminate, and the host's
// NotifySelection with the count in wParam.
HWND TreeWindow();
HWND HostWindow();
enum : UINT {
    kGoToParent = WM_APP + 1,
    kGoToChild,
    kTreeTerminate,
    kNotifySelection,
};

// Which messages a flow records.
using Filter = std::function<bool(const Message&)>;

// A folder view in the manner of the shell's: a window that makes a details list view of three items
// under itself while it is created. The native build's later folder views are these.
HWND MakeTestFolderView(HWND parent);

class ViewScene {
public:
    // shown: the form and the control's window are visible (else hidden, so showing a child moves nothing).
    explicit ViewScene(Environment& env, bool shown = false);
    ~ViewScene();
    ViewScene(const ViewScene&) = delete;
    ViewScene& operator=(const ViewScene&) = delete;

    // The first folder view as the web view brings it up: the document-view host is created under the
    // embedding window with its list view (large icons) made during its own WM_CREATE, then placed over the
    // embedding window's client area. The scratch folder becomes the control's location.
    void ShowFolder();

    // Recording from now on, of the messages keep accepts.
    void Record(Filter keep);
    std::vector<Message> Take();
    // Runs the queue as a message loop does (posted messages are marked as such).
    void Settle();
    // Settle, let ms pass, settle.
    void Wait(DWORD ms);
    void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The middle of an item's label, in the list view's client coordinates.
    LPARAM ItemPoint(int item) const;
    void SelectOnly(int item);

    vireo::VireoBrowser& Control() { return *m_control; }
    // The names the tree's GoToChild was asked for, in order.
    std::vector<std::string> Children() const;
    // The procedure of the scene's own behind each of its windows (0 for a window not its own).
    static LONG_PTR OwnProcedure(HWND hwnd);
    Environment& env;
    Names names;
    HWND embedding = nullptr;
    HWND docView = nullptr;
    HWND listView = nullptr;
    std::string folder;               // the scratch folder, with its trailing separator
    std::vector<std::string> notices; // the file of each NotifySelection, in order
    bool treeMoves = true;            // what the tree's GoToParent and GoToChild answer
    static const char* const kItems[3];

private:
    class Tree;
    class Events;
    class Host;
    HWND m_form = nullptr;
    std::unique_ptr<Host> m_host;
    vireo::RefPtr<vireo::VireoBrowser> m_control;
};

// The outcome of one check: its name and "" when it held, else what was seen.
struct Outcome {
    std::string name;
    std::string failure;
};

// The flows, each on a scene of its own, each giving its checks' outcomes.
std::vector<Outcome> TakeOverSequences(Environment& env);
std::vector<Outcome> SubclassSequences(Environment& env);
std::vector<Outcome> SelectionNoticeSequences(Environment& env);
std::vector<Outcome> ListViewSequences(Environment& env);

} // namespace seq
