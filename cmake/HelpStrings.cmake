# The type library's help strings from the member and event tables of docs/reference.md: one
# "#define HELP_<name> "<text>"" for each row, the text of its last column without Markdown's backticks.
# Usage: cmake -DREFERENCE=<docs/reference.md> -DOUTPUT=<HelpStrings.h> -P HelpStrings.cmake
file(READ "${REFERENCE}" text)
# Semicolons would split CMake's lists: they are kept aside while the text is cut into lines.
string(REPLACE ";" "<semicolon>" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
set(out "// Made from docs/reference.md by cmake/HelpStrings.cmake at build time.\n")
foreach(line IN LISTS lines)
    if(NOT line MATCHES "^\\| `([A-Za-z_0-9]+)` \\| (0x[0-9A-F]+|[0-9]+) \\|.* \\| ([^|]*) \\|$")
        continue()
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(help "${CMAKE_MATCH_3}")
    string(REPLACE "<semicolon>" ";" help "${help}")
    string(REPLACE "`" "" help "${help}")
    string(REPLACE "\\" "\\\\" help "${help}")
    string(REPLACE "\"" "\\\"" help "${help}")
    string(APPEND out "#define HELP_${name} \"${help}\"\n")
endforeach()
file(WRITE "${OUTPUT}" "${out}")
