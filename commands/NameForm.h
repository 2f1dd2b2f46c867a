// NameForm: the design the rename and new-folder dialogs share. A small modal form with the text box
// txtName and the buttons cmdOK ("&Ok") and cmdCancel ("&Cancel"); the form keeps its fields between
// showings, its window lives from Load to Unload.
//
// Events: at load the font's face becomes the control's font face name (g_sFontName, when one is set);
// activation puts the focus in txtName; a change of the text enables cmdOK as the form decides; Enter in
// txtName clicks an enabled cmdOK; cmdOK refuses a name holding \ / : ? ' < > with the form's message and
// keeps the dialog open, else stores the text as the result and unloads; cmdCancel and the close box
// unload with an empty result. Neither button is a default or cancel button: Escape does nothing.
#pragma once
#include "platform/Owners.h"
#include "platform/win32.h"
#include <string>

namespace vireo {

class NameForm {
public:
    NameForm(const NameForm&) = delete;
    NameForm& operator=(const NameForm&) = delete;
    virtual ~NameForm();

    // Creates the (hidden) window when it is not loaded; returns it.
    HWND Load();
    // Destroys the window; the fields stay.
    void Unload();
    HWND Hwnd() const { return m_hwnd; }
    // Empties the result, shows the form and runs its messages until it is unloaded.
    void ShowModal();

    HWND TextBox() const { return m_txtName; }
    HWND OkButton() const { return m_cmdOK; }
    HWND CancelButton() const { return m_cmdCancel; }

    // The characters a name may not hold here; true when text has one of them.
    static bool HasForbiddenCharacter(const std::string& text);

protected:
    // caption: the form's title; refusal: the message's text before the quoted name.
    NameForm(const char* caption, const char* refusal);
    std::string Text() const;
    void SetText(const std::string& text);
    // Whether cmdOK is enabled for this text.
    virtual bool CanConfirm(const std::string& text) const = 0;
    // The form's own part of the Load event, before the font is applied.
    virtual void OnLoad() {}

    std::string m_result;

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void ApplyFont();
    void OnCommand(HWND from, UINT code);
    void OkClick();
    void CancelClick();
    void Destroyed();

    const char* m_caption;
    const char* m_refusal;
    HWND m_hwnd = nullptr;
    HWND m_txtName = nullptr;
    HWND m_cmdOK = nullptr;
    HWND m_cmdCancel = nullptr;
    WNDPROC m_oldTextProc = nullptr;
    UniqueFont m_font;
};

} // namespace vireo
