// The path and URL tests and NavigateTV's decision on arbitrary text: every test answers, and the control
// sends the text to one place or refuses it without failing.
#include "FuzzScene.h"
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"
#include "support/mmFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::Host& scene = fuzzscene::Scene();
    std::string text = fuzzscene::Text(data, size);
    text = text.substr(0, text.find('\0')); // the control receives texts through NUL-terminated strings
    using namespace vireo;
    (void)(IsFolder(text) + IsFile(text) + IsDrivePath(text) + IsUNCPath(text) + IsUNCServer(text) +
           IsUNCShare(text) + IsHttpURL(text) + IsFtpURL(text) + IsUrlShortcut(text) + IsHtmlFile(text) +
           IsArchive(text));
    (void)GetPathPart(text);
    (void)Quote(text);
    (void)AddTrailingSep(text);
    (void)RemoveTrailingSep(text);
    if (VireoBrowser* control = scene.Control()) {
        bool success = false;
        control->NavigateTV(Variant(text), &success);
        control->SetURL(text);
    }
    return 0;
}
