# The payload step: builds the stand-in product files, pads each to the size of its row and packs them
# with the file table (file_table.txt) into generated/file_table.inc, generated/file_checksums.inc and
# generated/payload.rc. The host build runs it for the table its tests read; each Windows build runs it
# with its own compiler, so an x86_64 test build carries x86_64 programs that 64-bit Wine can start.
#
#   velmondo_payload(COMPILER <mingw g++> PACKAGER <package target or path>
#                    [SETUP_TARGET <target> LZHUF <lzhuf path>])   the last two add the check of setup.exe
set(VELMONDO_PAYLOAD_SOURCE ${CMAKE_CURRENT_LIST_DIR})

# A Windows program or DLL, linked without the build's time stamp so that two builds give the same bytes,
# then padded with an overlay to the size of its row.
function(_velmondo_payload_program name size source)
    cmake_parse_arguments(PROGRAM "DLL" "" "DEFINES;LIBRARIES" ${ARGN})
    set(raw ${work}/programs/${name})
    set(flags -Os -s -Wall -Wextra -Werror -fno-exceptions -fno-rtti -static -static-libgcc
              -Wl,--no-insert-timestamp)
    set(inputs ${VELMONDO_PAYLOAD_SOURCE}/${source})
    if(PROGRAM_DLL)
        string(REPLACE ".cpp" ".def" exports ${source})
        list(APPEND inputs ${VELMONDO_PAYLOAD_SOURCE}/${exports})
        # The .def file names the exports undecorated; on i686 they are __stdcall symbols with @n.
        # ld would derive the image base from the output path, so two build folders would differ.
        list(APPEND flags -shared -Wl,--enable-stdcall-fixup -Wl,--disable-auto-image-base)
    else()
        list(APPEND flags -mwindows)
    endif()
    foreach(define ${PROGRAM_DEFINES})
        list(APPEND flags -D${define})
    endforeach()
    list(TRANSFORM PROGRAM_LIBRARIES PREPEND -l)
    add_custom_command(OUTPUT ${raw}
                       COMMAND ${compiler} ${flags} ${inputs} -o ${raw} ${PROGRAM_LIBRARIES}
                       DEPENDS ${inputs}
                       COMMENT "Building the stand-in ${name}" VERBATIM)
    add_custom_command(OUTPUT ${stage}/${name}
                       COMMAND ${packager} pad pe ${raw} ${size} ${stage}/${name}
                       DEPENDS ${raw} ${packager_depends} VERBATIM)
endfunction()

function(velmondo_payload)
    cmake_parse_arguments(ARG "" "COMPILER;PACKAGER;SETUP_TARGET;LZHUF" "" ${ARGN})
    set(compiler ${ARG_COMPILER})
    if(TARGET ${ARG_PACKAGER})
        set(packager $<TARGET_FILE:${ARG_PACKAGER}>)
    else()
        set(packager ${ARG_PACKAGER})
    endif()
    set(packager_depends ${ARG_PACKAGER})
    set(work ${CMAKE_BINARY_DIR}/payload)
    set(stage ${work}/files)
    set(packed ${work}/packed)
    set(generated ${CMAKE_BINARY_DIR}/generated)
    file(MAKE_DIRECTORY ${work}/programs ${stage} ${packed} ${generated})

    # The stand-ins and the sizes of their rows. The variants differ in code as well as in size.
    _velmondo_payload_program(cleanup_98.exe 73728 cleanup.cpp LIBRARIES advapi32 user32)
    _velmondo_payload_program(cleanup_xp.exe 99840 cleanup.cpp DEFINES VELMONDO_XP LIBRARIES advapi32 user32)
    _velmondo_payload_program(velmondo_98.exe 380928 velmondo.cpp LIBRARIES user32)
    _velmondo_payload_program(velmondo_xp.exe 454656 velmondo.cpp DEFINES VELMONDO_XP LIBRARIES user32)
    _velmondo_payload_program(renovix.exe 57344 renovix.cpp LIBRARIES advapi32 user32)
    _velmondo_payload_program(qtx_ctx_menu.dll 32768 context_menu.cpp DLL)
    add_custom_command(OUTPUT ${stage}/velmondo.chm
                       COMMAND ${packager} pad html ${VELMONDO_PAYLOAD_SOURCE}/help.html 63646 ${stage}/velmondo.chm
                       DEPENDS ${VELMONDO_PAYLOAD_SOURCE}/help.html ${packager_depends} VERBATIM)

    # The table names each row's source; files kept in payload/ as they are get copied beside the built ones.
    set(table ${VELMONDO_PAYLOAD_SOURCE}/file_table.txt)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
    file(STRINGS ${table} lines REGEX "^[^#].*[|]")
    set(staged)
    set(resources)
    foreach(line IN LISTS lines)
        string(REPLACE "|" ";" columns "${line}")
        list(GET columns 2 resource)
        list(GET columns 4 packing)
        list(GET columns 5 source)
        string(STRIP "${resource}" resource)
        string(STRIP "${packing}" packing)
        string(STRIP "${source}" source)
        if(EXISTS ${VELMONDO_PAYLOAD_SOURCE}/${source})
            add_custom_command(OUTPUT ${stage}/${source}
                               COMMAND ${CMAKE_COMMAND} -E copy ${VELMONDO_PAYLOAD_SOURCE}/${source} ${stage}/${source}
                               DEPENDS ${VELMONDO_PAYLOAD_SOURCE}/${source} VERBATIM)
        endif()
        list(APPEND staged ${stage}/${source})
        if(packing STREQUAL "stored")
            list(APPEND resources ${packed}/${resource}.stored)
        else()
            list(APPEND resources ${packed}/${resource}.lz)
        endif()
    endforeach()

    set(outputs ${generated}/file_table.inc ${generated}/file_checksums.inc ${generated}/payload.rc)
    add_custom_command(OUTPUT ${outputs} ${resources}
                       COMMAND ${packager} pack ${table} ${stage} ${packed} ${generated}
                       DEPENDS ${table} ${staged} ${packager_depends}
                       COMMENT "Packing the payload" VERBATIM)
    add_custom_target(payload DEPENDS ${outputs} ${resources})
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/setup/install_manifest.cpp APPEND PROPERTY OBJECT_DEPENDS
                 ${generated}/file_table.inc ${generated}/file_checksums.inc)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/setup.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${generated}/payload.rc ${resources})
    foreach(library velmondo_core velmondo_core_checked)
        if(TARGET ${library})
            add_dependencies(${library} payload)
        endif()
    endforeach()

    if(ARG_SETUP_TARGET)
        add_test(NAME check.payload_resources
                 COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checks/payload_resources.sh $<TARGET_FILE:${ARG_SETUP_TARGET}>
                         ${table} ${generated}/file_table.inc ${stage} ${packed} ${ARG_LZHUF})
    elseif(TARGET ${ARG_PACKAGER})
        add_test(NAME check.payload_table
                 COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checks/payload_table.sh $<TARGET_FILE:${ARG_PACKAGER}>)
    endif()
endfunction()
