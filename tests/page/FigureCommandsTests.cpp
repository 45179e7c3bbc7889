// The figure function a host calls by name: it draws the view shown as the desktop's vector files,
// at a picture width the desktop allows, and refuses, saying which kind of refusal and making no
// file, when there is no screen, no such format, or a message box open.
#include "tests/support/AppFixture.h"

#include "hypercube/ViewText.h"
#include "page/FigureCommands.h"
#include "page/ViewCommands.h"

#include <string>

namespace {

std::string File() {
    return std::string(tessary_figure_file(), static_cast<size_t>(tessary_figure_size()));
}

TEST(FigureCommandsWithoutAProgram, SayTheProgramHasNotStarted) {
    ASSERT_EQ(application, nullptr);
    EXPECT_EQ(std::string(tessary_figure("svg", 1024)), "not started: the program has not started yet");
    EXPECT_EQ(tessary_figure_size(), 0);
}

class FigureCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
        // A turned 4-cube with faces: its numbers, edges and faces all go into the figure.
        View view;
        view.dimension = 4;
        view.wireframe = false;
        view.TurnInPlane(0, 3, 0.6);
        ASSERT_EQ(std::string(tessary_apply_view(ViewText::Format(view).c_str())), "");
    }
};

TEST_F(FigureCommandsTest, DrawTheViewShownAtAPictureWidthTheDesktopAllows) {
    ASSERT_EQ(std::string(tessary_figure("svg", 100)), "");
    const std::string svg = File();
    EXPECT_NE(svg.find("viewBox=\"0 0 256 192\""), std::string::npos)
        << "100 px brought up to the narrowest picture";
    EXPECT_NE(svg.find(tessary_capture_view()), std::string::npos) << "the view shown, in the file";

    ASSERT_EQ(std::string(tessary_figure("pdf", 1024)), "");
    EXPECT_EQ(File().substr(0, 5), "%PDF-");
    // Every figure kind of FileKinds, by its extension: TikZ too.
    ASSERT_EQ(std::string(tessary_figure("tex", 1024)), "");
    EXPECT_NE(File().find("\\begin{tikzpicture}"), std::string::npos) << File().substr(0, 200);
}

TEST_F(FigureCommandsTest, RefusalsSayWhyAndMakeNoFile) {
    EXPECT_EQ(std::string(tessary_figure("png", 1024)),
              "malformed: the format must be svg, pdf or tex, not png");
    EXPECT_EQ(std::string(tessary_figure(".svg", 1024)),
              "malformed: the format must be svg, pdf or tex, not .svg");
    EXPECT_EQ(tessary_figure_size(), 0);
    ASSERT_EQ(std::string(tessary_figure("svg", 1024)), "");
    Manager().messageBoxOpen = true;
    EXPECT_EQ(std::string(tessary_figure("svg", 1024)), "busy: a message box is open");
    Manager().messageBoxOpen = false;
    EXPECT_EQ(tessary_figure_size(), 0) << "no file left from the call before";
}

} // namespace
