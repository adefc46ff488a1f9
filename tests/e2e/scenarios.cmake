# End-to-end scenarios that CTest runs, each one process of the UI driver. The "tour" is
# what ./build.sh run shows without a display; it checks nothing the scenarios do not.
set(E2E_SCENARIOS walk destination_by_version cancel_on_each_page keys_do_nothing startup_faults
                  install_by_version second_run blocked_destination cancel_before_install)

# A full disk: setup runs under a file size limit of 200 KB (RLIMIT_FSIZE) with SIGXFSZ
# ignored, so a write past it fails instead of killing the process. The Wine server is
# started first, outside the limit: it saves the registry, whose files are larger.
set(FULL_DISK_RUN ". \"$0/wine-env.sh\"; wineserver -p10 2>/dev/null; trap '' XFSZ; ulimit -f 200;")
string(APPEND FULL_DISK_RUN " exec \"$0/wine-run.sh\" \"$1\" full_disk")
add_test(NAME e2e.full_disk COMMAND bash -c "${FULL_DISK_RUN}" ${CMAKE_SOURCE_DIR}/tests $<TARGET_FILE:ui_driver>)
set_tests_properties(e2e.full_disk PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 300 LABELS wine)
