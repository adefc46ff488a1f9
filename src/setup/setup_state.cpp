// The run's mutable state and the release of its cached graphics objects.
#include "setup/setup_state.h"

SetupState setupState;

template <typename Handle>
static void DeleteCached(Handle& handle)
{
    if (handle != nullptr)
        DeleteObject(handle);
    handle = nullptr;
}

void ReleaseGdiObjects()
{
    DeleteCached(setupState.bannerBitmap);
    DeleteCached(setupState.monoFont);
    DeleteCached(setupState.boldFont);
}
