// What the host's user does with the control on the emulated desktop: types into the address box, clicks
// and presses keys in the folder view, and looks at what the views show.
#pragma once
#include "control/VireoBrowser.h"
#include "platform/emu/Desktop.h"
#include <string>
#include <vector>

namespace host {

// Types text into the address box's edit field and presses Enter there.
void EnterAddress(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& text);
// A click ("click", "dblclick" or "rclick") on the folder view's item shown as name, or on empty space
// below the items when name is "-". Throws ScriptError when there is no folder view or no such item.
void ClickInView(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& how,
                 const std::string& name);
// Presses a key (enter, backspace, shift, ctrl, or a letter) in the folder view; shift and ctrl stay held
// until "release shift" / "release ctrl".
void KeyInView(emu::Desktop& desk, vireo::VireoBrowser& control, const std::string& key, bool release);
// The folder view's items in order, a selected one in brackets; empty without a folder view.
std::vector<std::string> ViewItems(vireo::VireoBrowser& control);
// Clicks a toolbar button: "select" is tBar1's "Select Folder..." (its menu takes the script's
// "PopupMenu" answer), "tree" is tBar2's "Tree". Throws ScriptError for another name.
void ClickToolbar(vireo::VireoBrowser& control, const std::string& which);
// Lets every queued message and every due timer run (navigations complete this way). Throws ScriptError
// when more than kSettleLimit messages run in one settle: a window keeps posting to itself.
constexpr size_t kSettleLimit = 100000;
void Settle(emu::Desktop& desk);

} // namespace host
