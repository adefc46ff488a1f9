# End-to-end scenarios that CTest runs, each one process of the UI driver.
set(E2E_SCENARIOS cancel)
