# Cross toolchain for Windows with mingw-w64's posix-thread compilers (GoogleTest needs std::mutex).
# VELMONDO_WIN_ARCH: i686 (what we ship) or x86_64 (the test build for machines that cannot run
# 32-bit x86 code, where Wine can only run 64-bit programs).
set(VELMONDO_WIN_ARCH i686 CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELMONDO_WIN_ARCH})
set(triple ${VELMONDO_WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine-run.sh)
