// What a choice box on the screen shows, read from its windows: the prompt, the title and the captions
// of the five buttons ("" where there is none). Tests read the active box when the desktop's script
// plays the user's action on it.
#pragma once
#include "components/PipitIconMenu/ChoiceBox.h"
#include "platform/win32.h"
#include <optional>
#include <string>
#include <vector>

namespace choicebox {

inline std::string WindowText(HWND hwnd) {
    if (!hwnd) return "";
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Prompt, title and the five captions, when the window is a choice box.
inline std::optional<std::vector<std::string>> Read(HWND box) {
    char cls[64] = "";
    if (!box || !GetClassNameA(box, cls, sizeof cls) || std::string(cls) != vireo::pipit::kChoiceBoxClass)
        return std::nullopt;
    std::vector<std::string> texts{WindowText(GetDlgItem(box, vireo::pipit::kPromptId)), WindowText(box)};
    for (int n = 0; n < vireo::pipit::kButtonCount; ++n)
        texts.push_back(WindowText(GetDlgItem(box, vireo::pipit::kFirstButtonId + n)));
    return texts;
}

// The same as one line: "prompt | title | caption | ... | caption".
inline std::optional<std::string> Line(HWND box) {
    auto texts = Read(box);
    if (!texts) return std::nullopt;
    std::string line;
    for (size_t i = 0; i < texts->size(); ++i)
        line += (i ? " | " : "") + (*texts)[i];
    return line;
}

} // namespace choicebox
