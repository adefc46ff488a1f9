list(APPEND CORE_SOURCES src/util/bounded_text.cpp src/util/path_text.cpp)
list(APPEND WIN32_SOURCES src/util/file_system.cpp)
