# The version is written once, in project(VERSION) at the top; everything that shows or
# stores it is configured from there:
#   TARVEX_VERSION       all four numbers (1.0.0.2): the application version, the Windows
#                        version block and the package;
#   TARVEX_VERSION_TEXT  what the About box shows (1.0.2): major.minor.tweak, the way the
#                        program has always written it.
if(PROJECT_VERSION_TWEAK STREQUAL "")
    message(FATAL_ERROR "project(VERSION) needs all four numbers, major.minor.patch.tweak")
endif()
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
    # The About box leaves the patch number out; a non-zero one would silently not show.
    message(FATAL_ERROR "The About box shows major.minor.tweak, so the patch number must be 0; "
                        "change TARVEX_VERSION_TEXT in cmake/Version.cmake to number otherwise")
endif()
set(TARVEX_VERSION ${PROJECT_VERSION})
set(TARVEX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")

set(TARVEX_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/src/app/shared/Version.h.in ${TARVEX_GENERATED_DIR}/app/shared/Version.h
               @ONLY)
# Linked by whatever includes "app/shared/Version.h".
add_library(tarvex_version INTERFACE)
target_include_directories(tarvex_version INTERFACE ${TARVEX_GENERATED_DIR})

if(WIN32)
    configure_file(${PROJECT_SOURCE_DIR}/res/tarvex.rc.in ${TARVEX_GENERATED_DIR}/tarvex.rc @ONLY)
    set(TARVEX_RC_FILE ${TARVEX_GENERATED_DIR}/tarvex.rc)
endif()
