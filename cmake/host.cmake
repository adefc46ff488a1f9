# Host build: build-time tools, native unit tests under ASan/UBSan, benchmarks.
find_package(GTest REQUIRED)
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(velmondo_core STATIC ${CORE_SOURCES})
target_include_directories(velmondo_core PUBLIC ${INCLUDE_ROOTS})
target_compile_options(velmondo_core PRIVATE -O2)

add_library(velmondo_core_checked STATIC ${CORE_SOURCES})
target_include_directories(velmondo_core_checked PUBLIC ${INCLUDE_ROOTS})
target_compile_options(velmondo_core_checked PUBLIC ${SANITIZE})
target_link_options(velmondo_core_checked PUBLIC ${SANITIZE})

file(GLOB TOOL_LISTS ${CMAKE_SOURCE_DIR}/tools/*/CMakeLists.txt)
foreach(tool_list ${TOOL_LISTS})
    get_filename_component(tool_dir ${tool_list} DIRECTORY)
    add_subdirectory(${tool_dir})
endforeach()

# The core's manifest compiles the file table the payload step packs; its stand-ins are 32-bit programs.
include(${CMAKE_SOURCE_DIR}/payload/payload.cmake)
find_program(PAYLOAD_CXX i686-w64-mingw32-g++-posix REQUIRED)
velmondo_payload(COMPILER ${PAYLOAD_CXX} PACKAGER package)

add_executable(native_tests ${NATIVE_TESTS} ${HOST_ONLY_TESTS})
target_link_libraries(native_tests PRIVATE velmondo_core_checked GTest::gtest_main)
target_compile_definitions(native_tests PRIVATE VELMONDO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(TARGET lzhuf_encoder)
    target_link_libraries(native_tests PRIVATE lzhuf_encoder)
endif()
include(GoogleTest)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB BENCHMARKS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND BENCHMARKS)
    add_executable(velmondo_bench ${BENCHMARKS})
    target_link_libraries(velmondo_bench PRIVATE velmondo_core benchmark::benchmark_main)
    if(TARGET lzhuf_encoder)
        target_link_libraries(velmondo_bench PRIVATE lzhuf_encoder)
    endif()
endif()
