list(APPEND CORE_SOURCES src/setup/install_manifest.cpp src/setup/manifest_rules.cpp)
list(APPEND WIN32_SOURCES src/setup/setup_state.cpp src/setup/system_probes.cpp src/setup/frame_class.cpp)
