// The Windows build's choice box while the icon-menu library's own box is not part of the build: every
// question is answered as if the user closed the box without pressing a button (-1), so a copy or move
// that would ask is not done and an address of unknown form is not opened. The build drops this file as
// soon as components/PipitIconMenu provides NewChoiceBox.
#include "platform/IconMenu.h"

namespace vireo {

namespace {

class NoChoiceBox : public ChoiceBox {
public:
    int32_t Ask(std::string&, std::string&, std::string&, std::string&, std::string&, std::string&,
                std::string&) override {
        return -1;
    }
};

} // namespace

RefPtr<ChoiceBox> NewChoiceBox() {
    return RefPtr<ChoiceBox>::Adopt(new NoChoiceBox);
}

} // namespace vireo
