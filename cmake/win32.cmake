# Win32 build: setup.exe, the native tests rebuilt with mingw, the Win32 tests and the UI driver,
# all run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
enable_language(RC)
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 __USE_MINGW_ANSI_STDIO=0)
set(SMALL_CODE -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -ffunction-sections -fno-ident)
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
set(SYSTEM_LIBRARIES comctl32 ole32 uuid shell32 advapi32 gdi32 user32 kernel32)

add_library(velmondo_core STATIC ${CORE_SOURCES})
target_include_directories(velmondo_core PUBLIC ${INCLUDE_ROOTS})
target_compile_options(velmondo_core PRIVATE ${SMALL_CODE})

add_library(velmondo_win32 STATIC ${WIN32_SOURCES})
target_include_directories(velmondo_win32 PUBLIC ${INCLUDE_ROOTS})
target_compile_options(velmondo_win32 PRIVATE ${SMALL_CODE})
target_link_libraries(velmondo_win32 PUBLIC velmondo_core ${SYSTEM_LIBRARIES})

include(${CMAKE_SOURCE_DIR}/payload/payload.cmake)
if(NOT HOST_TOOLS_DIR)
    message(FATAL_ERROR "HOST_TOOLS_DIR must name the host build's bin folder (package, lzhuf)")
endif()
velmondo_payload(COMPILER ${CMAKE_CXX_COMPILER} PACKAGER ${HOST_TOOLS_DIR}/package
                 SETUP_TARGET setup LZHUF ${HOST_TOOLS_DIR}/lzhuf)

add_executable(setup WIN32 ${CMAKE_SOURCE_DIR}/src/setup/main.cpp ${CMAKE_SOURCE_DIR}/resources/setup.rc)
target_compile_options(setup PRIVATE ${SMALL_CODE})
target_link_libraries(setup PRIVATE velmondo_win32)
# i686 symbols carry a leading underscore.
set(SETUP_ENTRY SetupEntry)
if(VELMONDO_WIN_ARCH STREQUAL "i686")
    set(SETUP_ENTRY _SetupEntry)
endif()
target_link_options(setup PRIVATE -s -nostartfiles -Wl,-e,${SETUP_ENTRY} -Wl,--gc-sections
                    -Wl,--disable-dynamicbase -Wl,--disable-reloc-section ${STATIC_RUNTIME})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/setup.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/frame.rc ${CMAKE_SOURCE_DIR}/resources/setup.manifest
             ${CMAKE_SOURCE_DIR}/resources/license.txt ${CMAKE_SOURCE_DIR}/resources/welcome.txt)
file(GLOB RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/*)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/setup.rc APPEND PROPERTY OBJECT_DEPENDS ${RESOURCE_FILES})
if(VELMONDO_WIN_ARCH STREQUAL "i686")
    add_custom_command(TARGET setup POST_BUILD
                       COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checks/stub_size.sh $<TARGET_FILE:setup>)
endif()

# Tests: GoogleTest itself is built with the same compiler.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(TEST_LINK ${STATIC_RUNTIME})

add_executable(native_tests ${NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE velmondo_core gtest_main)
target_compile_definitions(native_tests PRIVATE VELMONDO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_options(native_tests PRIVATE ${TEST_LINK})
add_test(NAME win32.native_tests COMMAND native_tests)
set_tests_properties(win32.native_tests PROPERTIES LABELS wine TIMEOUT 300)

file(GLOB WIN32_TESTS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TESTS})
target_link_libraries(win32_tests PRIVATE velmondo_win32 gtest_main)
target_compile_definitions(win32_tests PRIVATE VELMONDO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_options(win32_tests PRIVATE ${TEST_LINK})
add_test(NAME win32.win32_tests COMMAND win32_tests)
add_dependencies(win32_tests setup)  # the file pass test installs from setup.exe's own resources
set_tests_properties(win32.win32_tests PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 600 LABELS wine)

# Small programs the Win32 tests start, each found next to win32_tests.exe.
file(GLOB TEST_HELPERS ${CMAKE_SOURCE_DIR}/tests/win32/helpers/*.cpp)
foreach(source ${TEST_HELPERS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE velmondo_win32)
    target_link_options(${name} PRIVATE ${TEST_LINK})
    add_dependencies(win32_tests ${name})
endforeach()

# An independent reader of what the shortcut pass writes: lnkinfo, on the Linux side.
add_test(NAME win32.lnkinfo
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/checks/lnkinfo_check.sh $<TARGET_FILE:shell_make_link>)
set_tests_properties(win32.lnkinfo PROPERTIES LABELS wine RESOURCE_LOCK wine_prefix TIMEOUT 120)

# The UI driver walks setup.exe the way a person does; each scenario is one test.
file(GLOB DRIVER_SOURCES ${CMAKE_SOURCE_DIR}/tests/driver/*.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(ui_driver ${DRIVER_SOURCES})
target_include_directories(ui_driver PRIVATE ${CMAKE_SOURCE_DIR}/tests ${INCLUDE_ROOTS})
target_link_libraries(ui_driver PRIVATE ${SYSTEM_LIBRARIES})
target_link_options(ui_driver PRIVATE ${TEST_LINK})
add_dependencies(ui_driver setup)
include(${CMAKE_SOURCE_DIR}/tests/e2e/scenarios.cmake)
foreach(scenario ${E2E_SCENARIOS})
    add_test(NAME e2e.${scenario} COMMAND ui_driver ${scenario})
    set_tests_properties(e2e.${scenario} PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 300 LABELS wine)
endforeach()

# Checks of the shipped 32-bit program itself; they need no Wine.
if(VELMONDO_WIN_ARCH STREQUAL "i686")
    add_test(NAME check.pe_imports COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checks/pe_imports.sh $<TARGET_FILE:setup>)
    add_test(NAME check.reproducible
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checks/reproducible.sh ${CMAKE_SOURCE_DIR} $<TARGET_FILE:setup>
                     ${HOST_TOOLS_DIR})
    set_tests_properties(check.reproducible PROPERTIES TIMEOUT 600)
endif()
