# Plug-ins, built like any third-party plug-in: against sdk/tavix_plugin.h alone
# (no include path into our own folders) and linked statically, so each DLL
# imports only system DLLs. SecondsRing ships in Plugins\; the recorder builds
# are what the Wine tests load.
set(TAVIX_PLUGIN_LINK -static -static-libgcc -static-libstdc++)

function(tavix_plugin target output_name output_dir)
    add_library(${target} SHARED ${ARGN})
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${output_name}
        RUNTIME_OUTPUT_DIRECTORY ${output_dir})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/sdk)
    target_compile_options(${target} PRIVATE ${TAVIX_WARNINGS})
    target_link_options(${target} PRIVATE ${TAVIX_PLUGIN_LINK})
endfunction()

set(ring_dir ${CMAKE_SOURCE_DIR}/plugins/seconds_ring)
tavix_plugin(seconds_ring SecondsRing ${CMAKE_BINARY_DIR}/plugins
    ${ring_dir}/seconds_ring_win.cpp ${ring_dir}/ring_geometry.cpp ${ring_dir}/ring_settings_win.cpp
    ${ring_dir}/ring_config_dialog_win.cpp ${ring_dir}/seconds_ring.rc)
set_source_files_properties(${ring_dir}/seconds_ring.rc PROPERTIES COMPILE_FLAGS "-I${ring_dir}")
target_link_libraries(seconds_ring PRIVATE gdi32 user32 comdlg32 advapi32)

# One recorder build per case of the contract: "name:definition,definition".
set(recorder_cases
    "init_minus1:RECORDER_INIT_RESULT=-1,RECORDER_HOOKS"
    "init_1:RECORDER_INIT_RESULT=1,RECORDER_HOOKS"
    "init_0:RECORDER_INIT_RESULT=0,RECORDER_HOOKS"
    "init_2:RECORDER_INIT_RESULT=2,RECORDER_HOOKS"
    "no_init:RECORDER_HOOKS"
    "only_tick:RECORDER_TICK"
    "no_exports:"
    "draws_outside:RECORDER_HOOKS,RECORDER_DRAW_OUTSIDE"
    "pumps:RECORDER_HOOKS,RECORDER_PUMP")
set(TAVIX_PLUGINS_UNDER_TEST seconds_ring)
foreach(entry ${recorder_cases})
    string(REGEX REPLACE "[:,]" ";" parts "${entry}")
    list(GET parts 0 name)
    list(REMOVE_AT parts 0)
    tavix_plugin(test_plugin_${name} ${name} ${CMAKE_BINARY_DIR}/test-plugins
        ${CMAKE_SOURCE_DIR}/tests/plugins/recorder.c)
    target_compile_definitions(test_plugin_${name} PRIVATE ${parts})
    target_link_libraries(test_plugin_${name} PRIVATE gdi32 user32)
    set_target_properties(test_plugin_${name} PROPERTIES EXCLUDE_FROM_ALL ON)
    list(APPEND TAVIX_PLUGINS_UNDER_TEST test_plugin_${name})
endforeach()
