list(APPEND WIN32_SOURCES src/wizard/frame.cpp src/wizard/window_utils.cpp)
