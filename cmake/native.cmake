# Native Linux build: the portable logic with its unit tests, benchmarks,
# fuzz targets and the generators of the shipped data.
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)

add_library(tavix_core STATIC ${TAVIX_CORE_SOURCES})
target_include_directories(tavix_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tavix_core PUBLIC PNG::PNG)
target_compile_options(tavix_core PRIVATE ${TAVIX_WARNINGS})

if(TAVIX_FUZZ)
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
    foreach(src ${fuzz_sources})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_libraries(${name} PRIVATE tavix_core)
    endforeach()
    target_compile_options(tavix_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    return()
endif()

find_package(GTest REQUIRED)
enable_testing()
file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
# The seconds ring plug-in's arithmetic is plain C++ and is tested here too.
add_executable(tavix_unit_tests ${unit_sources} ${CMAKE_SOURCE_DIR}/plugins/seconds_ring/ring_geometry.cpp)
target_link_libraries(tavix_unit_tests PRIVATE tavix_core GTest::gtest GTest::gtest_main Threads::Threads)
target_compile_options(tavix_unit_tests PRIVATE ${TAVIX_WARNINGS})
add_test(NAME unit COMMAND tavix_unit_tests WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

find_package(benchmark QUIET)
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
if(benchmark_FOUND AND bench_sources)
    add_executable(tavix_bench ${bench_sources})
    target_link_libraries(tavix_bench PRIVATE tavix_core benchmark::benchmark benchmark::benchmark_main)
endif()

# Generators of the shipped pictures and sounds: one program per tools/make_*.cpp,
# run by the target shipped_data into <build>/data.
file(GLOB generator_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_*.cpp)
set(generated_stamps)
foreach(src ${generator_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE tavix_core)
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
