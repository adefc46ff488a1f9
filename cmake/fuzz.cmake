# Fuzz build (clang): each tests/fuzz/<name>_fuzz.cpp is a libFuzzer target; a short run is a test.
set(FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g -O1)
# The manifest compiles the file table the payload step generates, which this build does not run;
# no fuzz target reads the manifest.
list(REMOVE_ITEM CORE_SOURCES ${CMAKE_SOURCE_DIR}/src/setup/install_manifest.cpp)
add_library(velmondo_core STATIC ${CORE_SOURCES})
target_include_directories(velmondo_core PUBLIC ${INCLUDE_ROOTS})
target_compile_options(velmondo_core PUBLIC ${FUZZ_FLAGS})

set(FUZZ_SECONDS 15 CACHE STRING "length of each fuzz run in the test suite")
file(GLOB FUZZ_TARGETS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_TARGETS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE velmondo_core)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    add_test(NAME fuzz.${name}
             COMMAND ${name} -max_total_time=${FUZZ_SECONDS} -rss_limit_mb=2048 -print_final_stats=1)
endforeach()
