// The program as a page around it sees it: its state as one line of JSON, and a dimension applied
// from outside the window.
#include "tests/support/AppFixture.h"

#include "gui/QV_CheckBox.h"
#include "gui/QV_MessageBox.h"
#include "gui/QV_TextBox.h"
#include "hypercube/CTessary.h"
#include "hypercube/DimensionRule.h"
#include "page/PageState.h"

#include <string>

namespace {

// The text of a JSON string of ASCII and \u escapes, as tessary_page_state writes it.
std::wstring Unescaped(const std::string& json) {
    std::wstring text;
    for (size_t i = 0; i < json.size(); ++i) {
        if (json.compare(i, 2, "\\u") == 0) {
            text += static_cast<wchar_t>(std::stoul(json.substr(i + 2, 4), nullptr, 16));
            i += 5;
        } else {
            text += static_cast<wchar_t>(json[i]);
        }
    }
    return text;
}

TEST(PageStateWithoutAProgram, TheDimensionQuestionIsTheGenerateButtonsRuleInItsWords) {
    for (int n = 0; n <= 10; ++n) {
        const std::string answer = tessary_dimension_question(n);
        SCOPED_TRACE("n = " + std::to_string(n) + ": " + answer);
        const std::string refused = "{\"answer\":\"refused\",\"text\":\"";
        const std::string ask = "{\"answer\":\"ask\",\"text\":\"";
        if (!DimensionRule::Builds(n)) {
            ASSERT_EQ(answer.rfind(refused, 0), 0u);
            EXPECT_EQ(Unescaped(answer.substr(refused.size(), answer.size() - refused.size() - 2)),
                      DimensionRule::Refusal());
        } else if (DimensionRule::Question(n)) {
            ASSERT_EQ(answer.rfind(ask, 0), 0u);
            EXPECT_EQ(Unescaped(answer.substr(ask.size(), answer.size() - ask.size() - 2)),
                      DimensionRule::Question(n));
        } else {
            EXPECT_EQ(answer, "{\"answer\":\"build\"}");
        }
        EXPECT_EQ(answer.back(), '}');
    }
    EXPECT_EQ(std::string(tessary_dimension_question(7)).rfind("{\"answer\":\"ask\"", 0), 0u)
        << "7 asks first";
    EXPECT_EQ(std::string(tessary_dimension_question(6)), "{\"answer\":\"build\"}") << "6 does not";
}

class PageStateTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(InitScene());
    }
    CTessary* Viewer() { return static_cast<CTessary*>(Manager().ActiveScreen()); }
    static std::string State() { return tessary_page_state(); }
};

// Whether `state` holds `part`, printed with both when not.
testing::AssertionResult Holds(const std::string& state, const std::string& part) {
    if (state.find(part) != std::string::npos)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "expected " << part << " in " << state;
}

TEST_F(PageStateTest, ADimensionAppliedFromThePageBuildsItAsTypedAndKeepsCameraAndMode) {
    EXPECT_TRUE(Holds(State(), "{\"dimension\":0,"));
    Viewer()->wireframeBox->checked = false;
    Viewer()->camera.eye[0] = 40.0f;
    Viewer()->camera.eye[2] = 120.0f;

    EXPECT_STREQ(tessary_apply_dimension(4), "");
    EXPECT_TRUE(
        Holds(State(), "{\"dimension\":4,\"vertices\":16,\"edges\":32,\"faces\":24,\"facesShown\":true,"));
    EXPECT_EQ(Viewer()->dimensionBox->text, L"4");
    EXPECT_FALSE(Viewer()->wireframeBox->checked) << "the mode stays";
    EXPECT_EQ(Viewer()->camera.eye[0], 40.0f) << "the camera stays";
    EXPECT_EQ(Viewer()->camera.eye[2], 120.0f);
    EXPECT_FLOAT_EQ(Viewer()->model.Vertex(1)[0], 25.0f) << "axis-aligned: vertex 1 is +half on axis 0";
    EXPECT_FLOAT_EQ(Viewer()->model.Vertex(1)[3], -25.0f);

    EXPECT_STREQ(tessary_show_faces(0), "");
    EXPECT_TRUE(Holds(State(), "\"facesShown\":false,"));
    EXPECT_TRUE(Viewer()->wireframeBox->checked);

    EXPECT_STRNE(tessary_apply_dimension(9), "");
    EXPECT_TRUE(Holds(State(), "{\"dimension\":4,")) << "a refused dimension changes nothing";
}

TEST_F(PageStateTest, ThePlaneIsTheOneTheHeldDigitsTurnAndAnOpenBoxIsReadAndRefuses) {
    ASSERT_STREQ(tessary_apply_dimension(5), "");
    inputState.keys['4'] = inputState.keys['1'] = inputState.keys['3'] = true;
    EXPECT_TRUE(Holds(State(), "\"plane\":[1,3],\"reverse\":false}")) << "the two lowest held digits";
    inputState.keys[VK_SHIFT] = true;
    EXPECT_TRUE(Holds(State(), "\"plane\":[1,3],\"reverse\":true}"));
    inputState.keys['1'] = false;
    inputState.keys['3'] = false;
    inputState.keys['7'] = true;
    EXPECT_TRUE(Holds(State(), "\"plane\":null,")) << "digit 7 is no axis of the 5-cube";
    inputState.keys['1'] = true;
    inputState.paused = true;
    EXPECT_TRUE(Holds(State(), "\"plane\":null,")) << "nothing turns while paused";
    inputState.paused = false;

    QV_MessageBox* box = new QV_MessageBox(L"请输入3--8的维度值", false);
    Manager().messageBox = box;
    Manager().messageBoxOpen = true;
    const std::string state = State();
    const std::string refusal = tessary_apply_dimension(3);
    const std::string facesRefusal = tessary_show_faces(1);
    Manager().messageBox = nullptr;
    Manager().messageBoxOpen = false;
    delete box;
    EXPECT_TRUE(Holds(state, "\"message\":\"\\u8bf7\\u8f93\\u51653--8")) << "请输入3--8";
    EXPECT_TRUE(Holds(state, "\"plane\":null,")) << "nothing turns under a box";
    EXPECT_TRUE(Holds(refusal, "message box"));
    EXPECT_TRUE(Holds(facesRefusal, "message box"));
    EXPECT_TRUE(Holds(State(), "{\"dimension\":5,\"vertices\":32,"));
}

} // namespace
