// The monkey test is only as good as its invariant check: each kind of corrupted state it is meant
// to catch is planted here and must be reported.
#include "tests/reliability/MonkeyDriver.h"
#include "tests/reliability/ReliabilityFixture.h"

#include <limits>

using namespace reliability;

namespace {

class InvariantCheckTest : public ViewerFixture {
protected:
    std::string Check() {
        RandomDecisions unused(0);
        MonkeyDriver checker(viewer, unused);
        return checker.CheckInvariants(true);
    }
};

TEST_F(InvariantCheckTest, ASoundViewerPassesAndEveryPlantedFaultIsReported) {
    Generate(L"4");
    PostFieldText(L"1234567890123456");
    Step();
    ASSERT_EQ(Check(), "");
    QV_TextBox* box = viewer->dimensionBox;

    const int32_t scroll = box->scroll;
    box->scroll = box->caret + 1;
    EXPECT_NE(Check(), "") << "scroll beyond the caret";
    box->scroll = scroll;

    box->caretX += 1;
    EXPECT_NE(Check(), "") << "caretX off by a pixel";
    box->caretX -= 1;

    box->text[0] = L'-';
    EXPECT_NE(Check(), "") << "a sign in the digits-only field";
    box->text[0] = L'1';

    box->focused = !box->focused;
    EXPECT_NE(Check(), "") << "two opinions about the focus";
    box->focused = !box->focused;

    const float coordinate = viewer->model.vertices[5];
    viewer->model.vertices[5] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_NE(Check(), "") << "a NaN coordinate";
    viewer->model.vertices[5] = coordinate;

    viewer->model.edgeCount -= 1;
    EXPECT_NE(Check(), "") << "an edge count that differs from the table";
    viewer->model.edgeCount += 1;

    viewer->camera.eye[2] = 400.0f;
    EXPECT_NE(Check(), "") << "the camera beyond its far limit";
    viewer->camera.eye[2] = 150.0f;

    Manager().messageBoxOpen = true;
    EXPECT_NE(Check(), "") << "a box flagged open with no box";
    Manager().messageBoxOpen = false;

    EXPECT_EQ(Check(), "") << "every planted fault was removed again";
}

} // namespace
