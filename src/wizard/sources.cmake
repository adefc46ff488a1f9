list(APPEND WIN32_SOURCES src/wizard/frame.cpp)
