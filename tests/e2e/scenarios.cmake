# End-to-end scenarios that CTest runs, each one process of the UI driver. The "tour" is
# what ./build.sh run shows without a display; it checks nothing the walk does not.
set(E2E_SCENARIOS walk destination_by_version cancel_on_each_page keys_do_nothing startup_faults)
