// The live-object counts of the test seam, gathered from each kind of handle's owner.
#include "platform/core/GlContexts.h"
#include "platform/core/PlatformTesting.h"
#include "platform/core/WindowDc.h"
#include "platform/core/WindowTable.h"
#include "platform/gdi/GdiCounts.h"

namespace platform_testing {

LiveObjects CountLiveObjects() {
    LiveObjects live;
    int memoryDcs = 0;
    platform_gdi::CountGdiObjects(memoryDcs, live.fonts, live.brushes, live.bitmaps);
    live.windows = platform_windowing::LiveWindowCount();
    live.deviceContexts = platform_windowing::LiveWindowDcCount() + memoryDcs;
    live.glContexts = platform_windowing::LiveGlContextCount();
    return live;
}

} // namespace platform_testing
