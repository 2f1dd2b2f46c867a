// PipitChoiceBox: a modal box with a title, a prompt and up to five buttons with the caller's captions.
// Button n of the five (0-based) is shown only when its caption is not empty, left to right in that
// order, with the identifier kFirstButtonId + n; the first button shown is the default one.
//
// Ask disables the window that was active, shows the box and runs its messages until a button is
// pressed (its index is the answer) or the box is closed (-1). Enter presses the default button; Escape
// and the close box close the box. Afterwards the box is destroyed and the owner enabled and activated.
#pragma once
#include "platform/IconMenu.h"
#include "platform/win32.h"
#include <string>

namespace vireo::pipit {

inline constexpr char kChoiceBoxClass[] = "PipitChoiceBox";
inline constexpr int kPromptId = 100;
inline constexpr int kFirstButtonId = 1;
inline constexpr int kButtonCount = 5;

class PipitChoiceBox final : public ChoiceBox {
public:
    int32_t Ask(std::string& prompt, std::string& title, std::string& button1, std::string& button2,
                std::string& button3, std::string& button4, std::string& button5) override;
};

} // namespace vireo::pipit
