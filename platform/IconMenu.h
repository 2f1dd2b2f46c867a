// The icon-menu library (PipitIconMenu): an owner-drawn popup menu with pictures, and a modal box with
// caller-given buttons. Only the members the control calls.
#pragma once
#include "platform/RefCounted.h"
#include "platform/win32.h"
#include <string>

namespace vireo {

class IconMenu : public RefCounted {
public:
    virtual void SetMenuImages(HIMAGELIST images) = 0;
    virtual void SetOwnerHwnd(HWND owner) = 0;
    virtual void SetFontName(const std::string& face) = 0;
    virtual void SetFontSize(int32_t size) = 0;
    virtual int32_t AddMenuItem(const std::string& caption, const std::string& text2, int32_t a,
                                int32_t parentId, int32_t picture, int32_t b, bool flag,
                                const std::string& key) = 0;
    virtual void RefreshMenu() = 0;
    virtual int32_t PopupAt(int32_t xTwips, int32_t yTwips, int32_t n1, int32_t n2, int32_t n3, int32_t n4,
                            bool flag) = 0;
    virtual std::string ItemKey(int32_t index) = 0;
};

class ChoiceBox : public RefCounted {
public:
    // Shows the box modally; returns the 0-based index of the button pressed. An empty caption means
    // no button.
    virtual int32_t Ask(std::string& prompt, std::string& title, std::string& button1, std::string& button2,
                        std::string& button3, std::string& button4, std::string& button5) = 0;
};

// A new, empty icon menu of the icon-menu library.
RefPtr<IconMenu> NewIconMenu();

// A new choice box of the icon-menu library.
RefPtr<ChoiceBox> NewChoiceBox();

} // namespace vireo
