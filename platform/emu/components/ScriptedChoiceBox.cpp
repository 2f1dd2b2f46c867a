#include "platform/emu/components/ScriptedChoiceBox.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"

namespace emu {

int32_t ScriptedChoiceBox::Ask(std::string& prompt, std::string& title, std::string& button1,
                               std::string& button2, std::string& button3, std::string& button4,
                               std::string& button5) {
    Desktop& desk = Desktop::Current();
    std::vector<std::string> fields{prompt, title, button1, button2, button3, button4, button5};
    auto answer = desk.Answers().Take("ChoiceBox");
    // Only a button that is shown can be pressed; anything else closes the box.
    int32_t pressed = -1;
    if (answer && answer->button >= 0 && answer->button < 5 && !fields[2 + answer->button].empty())
        pressed = answer->button;
    fields.push_back(pressed < 0 ? "closed" : "pressed " + std::to_string(pressed));
    desk.Log().Add("ChoiceBox", std::move(fields));
    return pressed;
}

} // namespace emu

vireo::RefPtr<vireo::ChoiceBox> vireo::NewChoiceBox() {
    return vireo::RefPtr<emu::ScriptedChoiceBox>::Make();
}
