# One static library per folder. Includes are written from the source root
# ("render/png_decoder.h"), but a folder's headers are reachable only through
# an include root that its own target hands out: a folder sees its own headers
# and those of the folders it links, so an include that runs the wrong way
# fails to compile instead of waiting for a review.
#
#   core     portable types several subsystems use (clock time, settings store,
#            language table)
#   win      our thin Win32 layer (Windows only)
#   render   frame composition, image buffers, hands, presets, PNG
#   alarms   alarm record, storage, timing, actions, alarm dialogs
#   options  plug-in host, time zones, the options sheet and its pages
#   app      the application, the clock window and what it coordinates
#
# Portable logic is in plain name.cpp files and builds everywhere; files that
# call Win32 end in _win.cpp and build for Windows only.

set(TAVIX_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include_roots)

function(tavix_include_root target scope folder)
    set(root ${TAVIX_INCLUDE_ROOTS}/${folder})
    if(NOT EXISTS ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        # Where links cannot be made the folder is reached through a copy
        # refreshed at every configure.
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
    endif()
    target_include_directories(${target} ${scope} ${root})
endfunction()

# The Windows headers cost a second of every _win.cpp file: they are compiled
# once, with the win folder, and every folder's _win.cpp files use that copy.
# Portable files never see them.
function(tavix_precompile_windows_headers target)
    set(portable ${ARGN})
    list(FILTER portable EXCLUDE REGEX "_win\\.cpp$")
    if(NOT WIN32 OR portable STREQUAL "${ARGN}")
        return()
    endif()
    if(target STREQUAL "tavix_win")
        target_precompile_headers(${target} PRIVATE <windows.h> <string> <vector> <memory> <optional> <algorithm>)
    else()
        target_precompile_headers(${target} REUSE_FROM tavix_win)
    endif()
    if(portable)
        set_source_files_properties(${portable} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
endfunction()

# tavix_folder(<folder> [DEPENDS <targets>...])
function(tavix_folder folder)
    cmake_parse_arguments(F "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT WIN32)
        list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    endif()
    set(target tavix_${folder})
    if(sources)
        add_library(${target} STATIC ${sources})
        target_link_libraries(${target} PUBLIC ${F_DEPENDS})
        target_compile_options(${target} PRIVATE ${TAVIX_WARNINGS})
        tavix_include_root(${target} PUBLIC ${folder})
        tavix_precompile_windows_headers(${target} ${sources})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${F_DEPENDS})
        tavix_include_root(${target} INTERFACE ${folder})
    endif()
endfunction()
