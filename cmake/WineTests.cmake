# Test executables run under Wine in a disposable win32 prefix inside the build tree.
# tools/test.sh creates the prefix and keeps one wineserver alive while ctest runs.
set(VARNOOK_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
set(VARNOOK_SCRATCH "${CMAKE_BINARY_DIR}/scratch")
file(MAKE_DIRECTORY "${VARNOOK_SCRATCH}")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VARNOOK_WINEARCH win64)
    set(VARNOOK_WINELOADER /usr/lib/wine/wine64)
else()
    set(VARNOOK_WINEARCH win32)
    set(VARNOOK_WINELOADER /usr/lib/wine/wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${VARNOOK_WINEPREFIX} WINEARCH=${VARNOOK_WINEARCH} WINELOADER=${VARNOOK_WINELOADER}
    WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d ${VARNOOK_WINELOADER})

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

function(varnook_gtest_framework)
    if(TARGET gtest_main)
        return()
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_compile_options(gtest PRIVATE -Wno-error)
    target_compile_options(gtest_main PRIVATE -Wno-error)
endfunction()

include(GoogleTest)

# varnook_add_test(NAME SOURCES sources... LIBS libs... [LOCK resource] [FIXTURES fixtures...])
# Every test process runs with its current directory in the scratch folder: a folder delete that goes
# wrong under Wine empties the current directory, and that must never be the source tree.
function(varnook_add_test name)
    cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS;FIXTURES" ${ARGN})
    varnook_gtest_framework()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest_main)
    set(props "")
    if(ARG_LOCK)
        list(APPEND props RESOURCE_LOCK ${ARG_LOCK})
    endif()
    if(ARG_FIXTURES)
        list(APPEND props FIXTURES_REQUIRED "${ARG_FIXTURES}")
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${VARNOOK_SCRATCH}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${props})
endfunction()
