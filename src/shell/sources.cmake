list(APPEND CORE_SOURCES src/shell/link_path.cpp src/shell/registry_texts.cpp)
list(APPEND WIN32_SOURCES src/shell/shortcut_pass.cpp src/shell/registry_pass.cpp)
