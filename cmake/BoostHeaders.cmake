# Boost.Math (header-only) gives the engine its statistical distributions. A native build
# finds Debian's libboost-dev in /usr/include. A cross build must not put /usr/include on its
# path (glibc's headers would shadow MinGW's), so it sees Boost alone: a folder in the build
# tree holding only a link to the host's boost/ headers, added as a system include.
set(TARVEX_BOOST_INCLUDE_DIR /usr/include CACHE PATH
    "Folder that holds boost/math (Debian: libboost-dev)")
if(NOT EXISTS ${TARVEX_BOOST_INCLUDE_DIR}/boost/math/distributions/chi_squared.hpp)
    message(FATAL_ERROR "Boost.Math headers not found in ${TARVEX_BOOST_INCLUDE_DIR} "
                        "(install libboost-dev, or set TARVEX_BOOST_INCLUDE_DIR)")
endif()

function(tarvex_use_boost target)
    if(CMAKE_CROSSCOMPILING)
        set(only ${CMAKE_BINARY_DIR}/boost-headers)
        if(NOT EXISTS ${only}/boost)
            file(MAKE_DIRECTORY ${only})
            file(CREATE_LINK ${TARVEX_BOOST_INCLUDE_DIR}/boost ${only}/boost SYMBOLIC)
        endif()
        target_include_directories(${target} SYSTEM PUBLIC ${only})
    elseif(NOT TARVEX_BOOST_INCLUDE_DIR STREQUAL "/usr/include")
        target_include_directories(${target} SYSTEM PUBLIC ${TARVEX_BOOST_INCLUDE_DIR})
    endif()
endfunction()
