#include "tests/reliability/ReliabilityFixture.h"

#include "app/AppContext.h"
#include "platform/Gl.h"

#include <cstdio>
#include <malloc.h>
#include <sstream>
#include <unistd.h>

namespace reliability {

int CountGlTextures() {
    // Names are handed out from 1 upwards and reused; a fresh one tells how far they have gone.
    GLuint fresh = 0;
    glGenTextures(1, &fresh);
    const GLuint bound = fresh + 100000;
    glDeleteTextures(1, &fresh);
    int count = 0;
    for (GLuint name = 1; name < bound; ++name)
        count += glIsTexture(name) ? 1 : 0;
    return count;
}

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

Resources MeasureResources() {
    Resources resources;
    resources.live = platform_testing::CountLiveObjects();
    resources.glTextures = CountGlTextures();
    // Free pages the allocator still holds are given back first, so that the resident size counts
    // what is in use rather than what the allocator keeps for later.
    malloc_trim(0);
    resources.heapKilobytes = static_cast<long>((mallinfo2().uordblks + mallinfo2().hblkhd) / 1024);
    resources.residentKilobytes = ResidentKilobytes();
    return resources;
}

std::string Describe(const Resources& r) {
    std::ostringstream out;
    out << "windows " << r.live.windows << ", DCs " << r.live.deviceContexts << ", GL contexts "
        << r.live.glContexts << ", fonts " << r.live.fonts << ", brushes " << r.live.brushes << ", bitmaps "
        << r.live.bitmaps << ", GL textures " << r.glTextures << ", heap in use " << r.heapKilobytes
        << " kB, RSS " << r.residentKilobytes << " kB";
    return out.str();
}

} // namespace reliability

using namespace reliability;

void ViewerFixture::SetUp() {
    AppFixture::SetUp();
    ASSERT_TRUE(InitScene());
    viewer = static_cast<CTessary*>(Manager().ActiveScreen());
    ASSERT_NE(viewer, nullptr);
}

void ViewerFixture::TearDown() {
    platform_testing::SetDispatchHook(nullptr);
    AppFixture::TearDown();
}

void ViewerFixture::PostClick(int x, int y, UINT down, UINT up) {
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    Post(down, 0, MAKELPARAM(x, y));
    Post(up, 0, MAKELPARAM(x, y));
}

void ViewerFixture::PostFieldText(const wchar_t* text) {
    PostClick(fieldX, fieldY);
    for (size_t i = 0; i < viewer->dimensionBox->text.size() + 2; ++i)
        Post(WM_CHAR, VK_BACK);
    for (const wchar_t* c = text; *c; ++c)
        Post(WM_CHAR, static_cast<WPARAM>(*c));
}

void ViewerFixture::Generate(const wchar_t* text, int answerX) {
    PostFieldText(text);
    PostClick(buttonX, buttonY);
    // Dispatched inside the modal loop when a box opens, otherwise harmless clicks in the 3-D area.
    // The first answers a box with OK alone and falls between the buttons of a box with two.
    PostClick(okAloneX, answerY);
    PostClick(answerX, answerY);
    Step();
}
