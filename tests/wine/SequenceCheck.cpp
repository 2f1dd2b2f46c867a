// The folder view's message-sequence tables on real windows: Wine's user32 and comctl32 under the
// control's procedures, and for the later folder view shell32's own IShellView. The flows and tables are
// the native suite's (tests/sequences).
#include "commands/fRename.h"
#include "tests/sequences/ViewScene.h"
#include "tests/wine/Checker.h"
#include "tests/wine/ShellViewHost.h"
#include <memory>

namespace winecheck {

namespace {

// The rename dialog as the user meets it: a thread timer finds it shown and cancels it.
bool t_dialogShown = false;

void CALLBACK CancelDialog(HWND, UINT, UINT_PTR, DWORD) {
    vireo::fRename& form = vireo::RenameForm();
    if (!form.Hwnd() || !IsWindowVisible(form.Hwnd())) return;
    t_dialogShown = true;
    SendMessageA(form.CancelButton(), BM_CLICK, 0, 0);
}

class WineEnvironment : public seq::Environment {
public:
    ~WineEnvironment() override {
        CloseFolderView();
        if (m_timer) KillTimer(nullptr, m_timer);
    }
    void Pass(DWORD ms) override { Sleep(ms); }
    void CancelNextDialog() override {
        t_dialogShown = false;
        if (!m_timer) m_timer = SetTimer(nullptr, 0, 100, CancelDialog);
    }
    bool DialogShown() override {
        if (m_timer) KillTimer(nullptr, m_timer);
        m_timer = 0;
        return t_dialogShown;
    }
    HWND MakeFolderView(HWND docView) override {
        m_view = std::make_unique<ShellViewHost>(docView, L"C:\\vireo-seq", FVM_DETAILS);
        return m_view->View();
    }
    void CloseFolderView() override { m_view.reset(); }

private:
    UINT_PTR m_timer = 0;
    std::unique_ptr<ShellViewHost> m_view;
};

void Report(const std::vector<seq::Outcome>& outcomes) {
    for (const seq::Outcome& o : outcomes)
        Check("sequence: " + o.name, o.failure.empty(), o.failure);
}

} // namespace

void CheckSequences() {
    WineEnvironment env;
    Report(seq::TakeOverSequences(env));
    Report(seq::SubclassSequences(env));
    Report(seq::SelectionNoticeSequences(env));
    Report(seq::ListViewSequences(env));
}

} // namespace winecheck
