# Windows build (mingw-w64): Tavix.exe, the Win32 test binary and the probe used
# by the end-to-end tests (and by `make run` for its screenshot). Everything links statically so that no DLL beyond the
# system's own is needed.
# The cross toolchain searches only below its find roots: let the prefixes given
# on the command line (our static libpng) count as roots too.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
# FindZLIB prefers the import library libz.dll.a, and -static does not turn a
# library named by its path into a static one: the program would need
# zlib1.dll, which Windows does not have (Wine has a builtin one, which hides
# it). A build folder configured before this still caches the import library.
set(ZLIB_USE_STATIC_LIBS ON)
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
endif()
find_package(ZLIB QUIET)
find_package(PNG QUIET)
if(NOT PNG_FOUND)
    message(FATAL_ERROR "libpng for Windows not found: run tools/setup.sh or pass CMAKE_PREFIX_PATH")
endif()

set(TAVIX_STATIC_LINK -static -static-libgcc -static-libstdc++)
# comdlg32 is loaded when a file is first chosen (alarms/file_choice_win.cpp):
# imported, it would bring the printing libraries into every running clock.
set(TAVIX_WIN_LIBS gdi32 user32 comctl32 shell32 advapi32 ole32 winmm msimg32)

# The Win32 layer and the resource header are folders like the others; every
# folder above them builds its _win.cpp files against them.
tavix_folder(win)
target_compile_definitions(tavix_win PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(tavix_win PUBLIC tavix_core ${TAVIX_WIN_LIBS})
add_library(tavix_res INTERFACE)
tavix_include_root(tavix_res INTERFACE res)

tavix_folder(core)
# The plug-in records, shared with plug-in authors: a header folder of its own.
add_library(tavix_sdk INTERFACE)
tavix_include_root(tavix_sdk INTERFACE sdk)
tavix_folder(render DEPENDS tavix_sdk tavix_core tavix_win tavix_res PNG::PNG)
tavix_folder(alarms DEPENDS tavix_core tavix_win tavix_res)
tavix_folder(options DEPENDS tavix_sdk tavix_render tavix_alarms tavix_core tavix_win tavix_res)
tavix_folder(app DEPENDS tavix_options tavix_render tavix_alarms tavix_core tavix_win tavix_res)

if(NOT TAVIX_GENERATED_DIR)
    message(FATAL_ERROR "TAVIX_GENERATED_DIR must name the data made by the native build")
endif()
set(rc_flags "-I${TAVIX_GENERATED_DIR} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR}")
if(EXISTS ${TAVIX_GENERATED_DIR}/tavix.ico)
    string(APPEND rc_flags " -DTAVIX_HAVE_ICON")
else()
    message(WARNING "No generated icon in ${TAVIX_GENERATED_DIR}: build the native generators first")
endif()
# windres reports no dependencies of its own: name what the script pulls in,
# so that a changed header, manifest, icon or generated picture rebuilds it.
file(GLOB rc_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.h ${CMAKE_SOURCE_DIR}/res/*.manifest
     ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico)
file(GLOB generated_rc_inputs ${TAVIX_GENERATED_DIR}/*.ico ${TAVIX_GENERATED_DIR}/*.bmp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/tavix.rc PROPERTIES COMPILE_FLAGS "${rc_flags}"
    OBJECT_DEPENDS "${rc_inputs};${generated_rc_inputs}")
if(EXISTS ${CMAKE_SOURCE_DIR}/app/main.cpp)
    add_executable(Tavix WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${CMAKE_SOURCE_DIR}/res/tavix.rc)
    target_link_libraries(Tavix PRIVATE tavix_app)
    # Sections at page boundaries in the file as well: the loader can then map
    # the program instead of copying it, and only the pages in use (not the
    # pictures of the resources) stay resident.
    target_link_options(Tavix PRIVATE ${TAVIX_STATIC_LINK} -Wl,--file-alignment,4096)
    target_compile_options(Tavix PRIVATE ${TAVIX_WARNINGS})
endif()

# GoogleTest built from its sources for the target (Debian ships them in
# /usr/src/googletest); where a toolchain packages GoogleTest itself, that is used.
set(TAVIX_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources to build for the target")
if(EXISTS ${TAVIX_GOOGLETEST_SOURCE}/CMakeLists.txt)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${TAVIX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(TAVIX_GTEST_LIBS gtest gtest_main)
else()
    find_package(GTest REQUIRED)
    set(TAVIX_GTEST_LIBS GTest::gtest GTest::gtest_main)
endif()

file(GLOB wine_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
# Not part of "all": `make dist` and `make run` build only what ships.
add_executable(tavix_wine_tests EXCLUDE_FROM_ALL ${wine_test_sources} ${CMAKE_SOURCE_DIR}/res/tavix.rc)
target_include_directories(tavix_wine_tests PRIVATE ${CMAKE_SOURCE_DIR})
# psapi: the soak test reads the process's private bytes.
target_link_libraries(tavix_wine_tests PRIVATE tavix_app ${TAVIX_GTEST_LIBS} psapi)
target_link_options(tavix_wine_tests PRIVATE ${TAVIX_STATIC_LINK})
# GoogleTest and the Windows headers, compiled once for all the test files.
target_precompile_headers(tavix_wine_tests PRIVATE <gtest/gtest.h> <windows.h> <string> <vector>)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/tavix.rc PROPERTIES SKIP_PRECOMPILE_HEADERS ON)

# The shipped language files, beside the test binary (Lang\), for the tests
# that measure their texts in the dialogs.
file(GLOB shipped_languages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/Lang/*.lng)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Lang/.stamp
    COMMAND ${CMAKE_COMMAND} -E remove_directory ${CMAKE_BINARY_DIR}/Lang
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/Lang ${CMAKE_BINARY_DIR}/Lang
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/Lang/.stamp
    DEPENDS ${shipped_languages}
    COMMENT "Copying the language files for the Wine tests")
add_custom_target(wine_test_languages DEPENDS ${CMAKE_BINARY_DIR}/Lang/.stamp)
add_dependencies(tavix_wine_tests wine_test_languages)

include(cmake/plugins.cmake)
# The tests load our plug-ins from plugins\ and test-plugins\ beside the test binary.
add_dependencies(tavix_wine_tests ${TAVIX_PLUGINS_UNDER_TEST})

add_executable(probe ${CMAKE_SOURCE_DIR}/tests/e2e/probe.cpp)
target_compile_definitions(probe PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(probe PRIVATE user32 gdi32 advapi32 shell32)
target_link_options(probe PRIVATE ${TAVIX_STATIC_LINK})
