// The one screen of the program: the control panel, the hypercube model and the orbit camera.
#pragma once

#include "gui/QV_Screen.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/OrbitCamera.h"

#include <string>

class QV_Button;
class QV_CheckBox;
class QV_Label;
class QV_TextBox;

class CTessary : public QV_Screen {
public:
    CTessary();
    // Releases the model's arrays and label textures; the screen's destructor then deletes the
    // controls. Needs the GL context to be current.
    ~CTessary() override;

    // The generate button's click handler: validates the typed dimension and rebuilds the model.
    void OnGenerate(QV_Controller* sender);

    // Key rotation, then mouse orbit. The children's Update is empty and not called.
    void Update() override;
    // Zoom only; the focus child never sees the wheel on this screen.
    void OnMouseWheel(uint32_t* delta) override;
    // Escape closes the program; nothing else, and the focus child never sees key-downs.
    void OnKeyDown() override;
    void Draw3D() override;

    // The decimal value at the start of the text, as _wtoi reads it, but saturated instead of
    // overflowing, so any number too large for an int counts as out of range.
    static int ReadDimension(const std::wstring& text);

    HypercubeModel model;
    QV_TextBox* dimensionBox = nullptr;  // not owned: a child of this screen
    QV_Label* promptLabel = nullptr;     // not owned: a child of this screen
    QV_Button* generateButton = nullptr; // not owned: a child of this screen
    QV_CheckBox* wireframeBox = nullptr; // not owned: a child of this screen
    QV_Label* helpLabels[3] = {};        // not owned: children of this screen
    OrbitCamera camera;
    uint32_t lastTick = 0;
    int16_t lastMouseX = 0;
    int16_t lastMouseY = 0;
    // Window pixels to picture pixels: 1 in the window, more while a larger picture is drawn.
    float pixelScale = 1.0f;
};
