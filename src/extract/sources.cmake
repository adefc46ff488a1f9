list(APPEND CORE_SOURCES src/extract/lzhuf_decoder.cpp)
list(APPEND WIN32_SOURCES src/extract/file_destination.cpp)
list(APPEND CORE_SOURCES src/extract/payload_checksum.cpp)
list(APPEND WIN32_SOURCES src/extract/file_pass.cpp)
if(VELMONDO_BUILD STREQUAL "win32")
    # -Os makes the decoder's loops about a tenth slower (callgrind, host build); the stub has the room.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/src/extract/lzhuf_decoder.cpp PROPERTIES COMPILE_OPTIONS -O2)
endif()
