# Native Linux build: the portable logic with its unit tests, benchmarks,
# fuzz targets and the generators of the shipped data.
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)

tavix_folder(core)
# The plug-in records, shared with plug-in authors: a header folder of its own.
add_library(tavix_sdk INTERFACE)
tavix_include_root(tavix_sdk INTERFACE sdk)
tavix_folder(render DEPENDS tavix_sdk tavix_core PNG::PNG)
tavix_folder(alarms DEPENDS tavix_core)
tavix_folder(options DEPENDS tavix_sdk tavix_render tavix_alarms tavix_core)
tavix_folder(app DEPENDS tavix_options tavix_render tavix_alarms tavix_core)
set(TAVIX_FOLDER_LIBS tavix_core tavix_render tavix_alarms tavix_options tavix_app)

if(TAVIX_FUZZ)
    # Only the folders a fuzz target links are built.
    foreach(lib ${TAVIX_FOLDER_LIBS})
        get_target_property(kind ${lib} TYPE)
        if(NOT kind STREQUAL "INTERFACE_LIBRARY")
            target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
            set_target_properties(${lib} PROPERTIES EXCLUDE_FROM_ALL ON)
        endif()
    endforeach()
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
    foreach(src ${fuzz_sources})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
        # The parsers and decoders under test: the language table (core), the PNG
        # decoder (render) and the stored alarms (alarms).
        target_link_libraries(${name} PRIVATE tavix_alarms tavix_render tavix_core)
    endforeach()
    return()
endif()

find_package(GTest REQUIRED)
enable_testing()
file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
# The seconds ring plug-in's arithmetic is plain C++ and is tested here too.
add_executable(tavix_unit_tests ${unit_sources} ${CMAKE_SOURCE_DIR}/plugins/seconds_ring/ring_geometry.cpp)
target_include_directories(tavix_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(tavix_unit_tests PRIVATE tavix_app GTest::gtest GTest::gtest_main Threads::Threads)
target_compile_options(tavix_unit_tests PRIVATE ${TAVIX_WARNINGS})
# GoogleTest's header is most of a small test file's compile time: it is
# compiled once, and the test files eight to a unit. Included into a unit, a
# test file counts as a header to the subobject-linkage warning.
option(TAVIX_UNITY_TESTS "Compile the unit tests eight files to a unit (OFF: each file alone)" ON)
if(TAVIX_UNITY_TESTS)
    set_target_properties(tavix_unit_tests PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    target_compile_options(tavix_unit_tests PRIVATE -Wno-subobject-linkage)
endif()
target_precompile_headers(tavix_unit_tests PRIVATE <gtest/gtest.h> <string> <vector>)
set_source_files_properties(${CMAKE_SOURCE_DIR}/plugins/seconds_ring/ring_geometry.cpp PROPERTIES
    SKIP_PRECOMPILE_HEADERS ON SKIP_UNITY_BUILD_INCLUSION ON)
add_test(NAME unit COMMAND tavix_unit_tests WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

find_package(benchmark QUIET)
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
if(benchmark_FOUND AND bench_sources)
    add_executable(tavix_bench ${bench_sources})
    target_include_directories(tavix_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(tavix_bench PRIVATE tavix_app benchmark::benchmark benchmark::benchmark_main)
endif()

# Generators of the shipped pictures and sounds: one program per tools/make_*.cpp,
# run by the target shipped_data into <build>/data. They are programs of their
# own (libpng and the tools/ headers), not users of the clock's libraries, so a
# change to the clock does not re-run them.
file(GLOB generator_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_*.cpp)
set(generated_stamps)
foreach(src ${generator_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    tavix_include_root(${name} PRIVATE tools)
    target_link_libraries(${name} PRIVATE PNG::PNG)
    target_compile_options(${name} PRIVATE ${TAVIX_WARNINGS})
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/data/.${name}.stamp
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data
        COMMAND ${name} ${CMAKE_BINARY_DIR}/data
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/data/.${name}.stamp
        DEPENDS ${name}
        COMMENT "Generating data with ${name}")
    list(APPEND generated_stamps ${CMAKE_BINARY_DIR}/data/.${name}.stamp)
endforeach()
add_custom_target(shipped_data ALL DEPENDS ${generated_stamps})
# The about picture shows the version of the resource script.
if(TARGET make_about)
    tavix_include_root(make_about PRIVATE res)
endif()
