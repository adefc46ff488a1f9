list(APPEND CORE_SOURCES src/wizard/byte_size_text.cpp src/wizard/destination_rules.cpp)
list(APPEND WIN32_SOURCES
     src/wizard/frame.cpp
     src/wizard/page_sequencer.cpp
     src/wizard/window_utils.cpp
     src/wizard/resource_text.cpp
     src/wizard/welcome_page.cpp
     src/wizard/licence_page.cpp
     src/wizard/destination_page.cpp
     src/wizard/progress_page.cpp
     src/wizard/finish_page.cpp)
# The size text rounds to single precision; i686 GCC would otherwise keep the x87
# register's extra precision and cut a different figure than x86-64 (clang: no flag).
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/wizard/byte_size_text.cpp
                            PROPERTIES COMPILE_OPTIONS "$<$<CXX_COMPILER_ID:GNU>:-ffloat-store>")
