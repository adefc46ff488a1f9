list(APPEND CORE_SOURCES
     ${CMAKE_SOURCE_DIR}/src/banner/bitmap_decode.cpp
     ${CMAKE_SOURCE_DIR}/src/banner/area_scale.cpp)
list(APPEND WIN32_SOURCES
     ${CMAKE_SOURCE_DIR}/src/banner/bitmap_gdi.cpp
     ${CMAKE_SOURCE_DIR}/src/banner/banner_paint.cpp)
# i686 GCC keeps float temporaries in x87 extended precision; the scaler's
# single-precision roundings must happen at each assignment, as they do on
# x86-64. Clang (the fuzz build, x86-64 only) does not know the flag.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/banner/area_scale.cpp
                            PROPERTIES COMPILE_OPTIONS "$<$<CXX_COMPILER_ID:GNU>:-ffloat-store>")
