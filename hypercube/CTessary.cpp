#include "hypercube/CTessary.h"

#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_Button.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_Label.h"
#include "gui/QV_MemberFunction.h"
#include "gui/QV_TextBox.h"
#include "gui/ShowMessageBox.h"
#include "hypercube/DimensionRule.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/KeyRotation.h"
#include "hypercube/MouseOrbit.h"

#include <climits>

CTessary::CTessary() {
    promptLabel = new QV_Label(L"请输入超立方体维度：", 20, 20);
    dimensionBox = new QV_TextBox();
    dimensionBox->digitsOnly = true;
    generateButton = new QV_Button();
    AddHandler(generateButton->mouseUpHandlers,
               static_cast<SenderHandler*>(
                   new QV_MemberFunction<CTessary, QV_Controller*>(this, &CTessary::OnGenerate)));
    wireframeBox = new QV_CheckBox();
    helpLabels[0] =
        new QV_Label(L"操作：主键盘上0控制坐标X,1控制坐标Y,2控制坐标Z,3控制坐标W...于此类推。", 10, 708);
    helpLabels[1] = new QV_Label(
        L"按住两个坐标键，即可以让物体在这2个坐标组成的平面上旋转，再按住shift键旋转方向相反", 10, 728);
    helpLabels[2] = new QV_Label(L"按住鼠标键，移动鼠标可以从其它角度观察,鼠标滚轮控制镜头远近", 10, 748);

    // The order of adding is the drawing order and the order in which mouse events are offered.
    AddChild(promptLabel);
    AddChild(dimensionBox);
    AddChild(generateButton);
    AddChild(wireframeBox);
    for (QV_Label* help : helpLabels)
        AddChild(help);

    SetUpViewerCamera(camera);
    lastTick = GetTickCount();
    lastMouseX = inputState.mouseX;
    lastMouseY = inputState.mouseY;
    model.BuildCountTables();
}

CTessary::~CTessary() {
    model.Release();
}

int CTessary::ReadDimension(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

void CTessary::OnGenerate(QV_Controller* sender) {
    (void)sender;
    int n = ReadDimension(dimensionBox->text);
    if (!DimensionRule::Builds(n)) {
        ShowMessageBox(application->screenManager, DimensionRule::Refusal(), false);
        return;
    }
    if (const wchar_t* question = DimensionRule::Question(n);
        question && !ShowMessageBox(application->screenManager, question, true))
        return;
    BuildModel(n);
}

CTessary* CTessary::Active() {
    if (!application || !application->screenManager)
        return nullptr;
    return dynamic_cast<CTessary*>(application->screenManager->ActiveScreen());
}

void CTessary::BuildModel(int n) {
    if (n == 0) {
        model.built = false;
        return;
    }
    if (labelTextures)
        model.Build(n);
    else
        model.BuildWithoutLabels(n);
    model.built = true;
}

void CTessary::TurnModel(const double* orientation, int stride) {
    const float half = model.edgeLength * 0.5f; // Build centres the cube: coordinates are +-half
    for (int32_t v = 0; v < model.vertexCount; ++v) {
        float* vertex = model.Vertex(v);
        for (int i = 0; i < model.dimension; ++i) {
            double sum = 0.0;
            for (int k = 0; k < model.dimension; ++k)
                sum += orientation[i * stride + k] * ((v >> k) & 1 ? half : -half);
            vertex[i] = static_cast<float>(sum);
        }
    }
}

void CTessary::TypeDimension(int n) {
    // Showing a view again (settling it, or each step of an animation) types the digit the box
    // already shows: rendering its text anew would only cost two texture uploads each time.
    const std::wstring typed = n != 0 ? std::wstring(1, static_cast<WCHAR>(L'0' + n)) : std::wstring();
    if (dimensionBox->text == typed && dimensionBox->caret == static_cast<int>(typed.size()) &&
        dimensionBox->scroll == 0)
        return;
    dimensionBox->text.clear();
    dimensionBox->caret = 0;
    dimensionBox->scroll = 0;
    if (n != 0)
        dimensionBox->InsertChar(static_cast<WCHAR>(L'0' + n));
    dimensionBox->Relayout();
}

void CTessary::ShowWireframe(bool wireframe) {
    wireframeBox->checked = wireframe;
}

bool CTessary::ShowsWireframe() const {
    return wireframeBox->checked;
}

bool CTessary::Fogged() const {
    return wireframeFogged || (!ShowsWireframe() && model.built);
}

void CTessary::PlaceCamera(const float eye[3], const float up[3]) {
    for (int i = 0; i < 3; ++i) {
        camera.eye[i] = eye[i];
        camera.up[i] = up[i];
        camera.target[i] = 0.0f;
    }
}

void CTessary::Update() {
    ApplyKeyRotation(model, inputState.keys, GetTickCount(), lastTick);
    ApplyMouseOrbit(camera, inputState.leftButton, inputState.mouseX, inputState.mouseY, lastMouseX,
                    lastMouseY);
}

void CTessary::OnMouseWheel(uint32_t* delta) {
    ApplyMouseWheel(camera, static_cast<int16_t>(*delta & 0xFFFF));
}

void CTessary::OnKeyDown() {
    if (inputState.keys[VK_ESCAPE])
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

void CTessary::Draw3D() {
    wireframeFogged = Fogged();
    DrawHypercube(model, camera, ShowsWireframe(), wireframeFogged, pixelScale, palette);
}

void CTessary::BackgroundColour(float rgb[3]) const {
    for (int i = 0; i < 3; ++i)
        rgb[i] = palette.background[i];
}
