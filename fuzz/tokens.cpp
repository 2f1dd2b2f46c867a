// The host's script parser: any line splits into words or is refused as an unterminated quote, and a
// whole script runs line by line with every bad line reported.
#include "FuzzScene.h"
#include "host/Tokens.h"
#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line = fuzzscene::Text(data, size);
    try {
        size_t letters = 0;
        for (const host::Token& t : host::Tokenize(line))
            letters += t.text.size();
        if (letters > line.size()) std::abort(); // a word is never longer than the line
    } catch (const std::invalid_argument&) {}
    return 0;
}
