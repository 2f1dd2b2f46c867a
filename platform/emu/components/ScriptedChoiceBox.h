// The choice box as the emulated desktop shows it: the user's answer comes from the script (kind
// "ChoiceBox", the 0-based button); the box is recorded in the journal as prompt, title and the captions.
// With no answer scripted the box is closed without a button and Ask returns -1.
#pragma once
#include "platform/IconMenu.h"

namespace emu {

class ScriptedChoiceBox : public vireo::ChoiceBox {
public:
    int32_t Ask(std::string& prompt, std::string& title, std::string& button1, std::string& button2,
                std::string& button3, std::string& button4, std::string& button5) override;
};

} // namespace emu
