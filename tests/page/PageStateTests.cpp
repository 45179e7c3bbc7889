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
#include <vector>

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

TEST(PageStateWithoutAProgram, TheDimensionQuestionIsTheGenerateButtonsRuleInItsWordsWithTheirIds) {
    for (int n = 0; n <= 10; ++n) {
        const std::string answer = tessary_dimension_question(n);
        SCOPED_TRACE("n = " + std::to_string(n) + ": " + answer);
        const std::string refused = "{\"answer\":\"refused\",\"messageId\":\"range\",\"text\":\"";
        const std::string ask = "{\"answer\":\"ask\",\"messageId\":\"slow\",\"text\":\"";
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

TEST(PageStateWithoutAProgram, RefusalsSayTheirKind) {
    ASSERT_EQ(application, nullptr);
    EXPECT_EQ(std::string(tessary_apply_dimension(1000000000)), "out of range: the dimension must be 3 to 8");
    EXPECT_EQ(std::string(tessary_apply_dimension(4)), "not started: the program has not started yet");
    EXPECT_EQ(std::string(tessary_show_faces(1)), "not started: the program has not started yet");
    EXPECT_EQ(std::string(tessary_page_state()), "{}");
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

    for (int n : {9, 2, -4, 0})
        EXPECT_EQ(std::string(tessary_apply_dimension(n)), "out of range: the dimension must be 3 to 8") << n;
    EXPECT_TRUE(Holds(State(), "{\"dimension\":4,")) << "a refused dimension changes nothing";
    EXPECT_FALSE(Manager().messageBoxOpen) << "and opens no box";
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

    // Each of the program's messages by its id; a text the program never shows has none.
    std::vector<std::string> states, refusals;
    for (const wchar_t* text : {DimensionRule::Refusal(), DimensionRule::Question(8), L"?"}) {
        QV_MessageBox box(text, false);
        Manager().messageBox = &box;
        Manager().messageBoxOpen = true;
        states.push_back(State());
        refusals.push_back(tessary_apply_dimension(3));
        refusals.push_back(tessary_show_faces(1));
        Manager().messageBox = nullptr;
        Manager().messageBoxOpen = false;
    }
    const size_t from = states[0].find("\"message\":\"") + 11,
                 to = states[0].find("\",\"messageId\":\"range\",");
    ASSERT_LT(from, to) << states[0];
    EXPECT_EQ(Unescaped(states[0].substr(from, to - from)), DimensionRule::Refusal()) << states[0];
    EXPECT_TRUE(Holds(states[1], "\"messageId\":\"slow\","));
    EXPECT_TRUE(Holds(states[2], "\"message\":\"?\",\"messageId\":null,"));
    EXPECT_TRUE(Holds(states[0], "\"plane\":null,")) << "nothing turns under a box";
    EXPECT_EQ(refusals, std::vector<std::string>(6, "busy: a message box is open"));
    EXPECT_TRUE(Holds(State(), "{\"dimension\":5,\"vertices\":32,"));
}

} // namespace
