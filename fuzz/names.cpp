// The selection-list matcher: for any item texts and any list, a text is found exactly when the text
// followed by CR LF occurs in the list. The input holds the texts, each ended by a 0x01 byte, up to the
// first 0x00; the rest is the list. Sizes stay small enough for the plain search to judge every answer.
#include "FuzzScene.h"
#include "shellview/NameMatch.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192) return 0;
    const std::string input = fuzzscene::Text(data, size);
    const size_t split = input.find('\0');
    const std::string head = input.substr(0, split);
    const std::string list = split == std::string::npos ? std::string() : input.substr(split + 1);
    std::vector<std::string> texts;
    for (size_t start = 0, end; (end = head.find('\x01', start)) != std::string::npos; start = end + 1)
        texts.push_back(head.substr(start, end - start));
    const std::vector<bool> found = vireo::TextsInList(texts, list);
    if (found.size() != texts.size()) std::abort();
    for (size_t i = 0; i < texts.size(); ++i)
        if (found[i] != (list.find(texts[i] + "\r\n") != std::string::npos)) std::abort();
    return 0;
}
