# Warning flags for our own code, in TARVEX_WARNINGS; third-party headers come in as system
# headers. A plain build only warns, so a newer compiler's new warning does not stop a user's
# build; scripts/test turns TARVEX_WERROR on to keep the code warning-free.
if(MSVC)
    set(TARVEX_WARNINGS /W4)
    if(TARVEX_WERROR)
        list(APPEND TARVEX_WARNINGS /WX)
    endif()
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(TARVEX_WARNINGS -Wall -Wextra)
    if(TARVEX_WERROR)
        list(APPEND TARVEX_WARNINGS -Werror)
    endif()
else()
    set(TARVEX_WARNINGS)
endif()
