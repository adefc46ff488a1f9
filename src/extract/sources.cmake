list(APPEND CORE_SOURCES src/extract/lzhuf_decoder.cpp)
list(APPEND WIN32_SOURCES src/extract/file_destination.cpp)
list(APPEND CORE_SOURCES src/extract/payload_checksum.cpp)
list(APPEND WIN32_SOURCES src/extract/file_pass.cpp)
