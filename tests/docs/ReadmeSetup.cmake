# The README's set-up commands and the main window's picture stand in its first 40 lines,
# before the feature tour, where a newcomer looks first. Run with -DREADME=path.
cmake_policy(SET CMP0007 NEW)
file(STRINGS "${README}" lines LIMIT_COUNT 40)
foreach(wanted "^scripts/run " "^scripts/test " "docs/screenshot\\.png")
    set(found ${lines})
    list(FILTER found INCLUDE REGEX "${wanted}")
    if(NOT found)
        message(FATAL_ERROR "README.md: nothing matching '${wanted}' in its first 40 lines")
    endif()
endforeach()
