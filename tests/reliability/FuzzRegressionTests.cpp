// Replays every input kept from fuzzing (fuzz/regressions-messages: inputs that once broke an invariant or
// crashed; fuzz/corpus-messages: the starting inputs) through the same driver the fuzz target uses, so a
// fixed fault stays fixed in every build, with or without clang.
#include "tests/reliability/MonkeyDriver.h"
#include "tests/reliability/ReliabilityFixture.h"
#include "tests/reliability/SmallFramebuffer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> KeptInputs() {
    std::vector<std::filesystem::path> inputs;
    const char* source = TESSARY_SOURCE_TREE;
    for (const char* dir : {"fuzz/regressions-messages", "fuzz/corpus-messages"}) {
        const std::filesystem::path path = std::filesystem::path(source) / dir;
        if (std::filesystem::is_directory(path))
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file() && entry.path().extension() != ".md")
                    inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

class FuzzRegressionTest : public ViewerFixture {};

TEST_F(FuzzRegressionTest, EveryKeptFuzzInputReplaysWithoutBreakingAnInvariant) {
    const std::vector<std::filesystem::path> inputs = KeptInputs();
    ASSERT_FALSE(inputs.empty()) << "fuzz/corpus-messages holds the starting inputs";
    // The replay checks the program's state, never a pixel, as the fuzz target does.
    const SmallFramebuffer framebuffer;
    for (const auto& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        viewer = MonkeyDriver::FreshViewer(&Manager());
        ByteDecisions decisions(bytes.data(), bytes.size());
        MonkeyDriver driver(viewer, decisions);
        EXPECT_TRUE(driver.Run(1L << 30)) << path.filename() << ": " << driver.Failure();
    }
}

} // namespace
