// The one screen of the program: the control panel, the hypercube model and the orbit camera.
#pragma once

#include "gui/QV_Screen.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/OrbitCamera.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ShownText.h"

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
    // The palette's background.
    void BackgroundColour(float rgb[3]) const override;

    // The decimal value at the start of the text, as _wtoi reads it, but saturated instead of
    // overflowing, so any number too large for an int counts as out of range.
    static int ReadDimension(const std::wstring& text);

    // The running program's hypercube screen: the active screen when it is one, otherwise null.
    static CTessary* Active();

    // What showing, capturing and drawing a view need of the screen; other code reads the fields
    // below but changes them only through these.
    //
    // Builds the n-cube as the generate button does (axis-aligned), or removes the model for 0.
    void BuildModel(int n);
    // Sets every vertex of the built model from `orientation`, row-major with `stride` entries a
    // row: column k is where the cube's k-th axis points.
    void TurnModel(const double* orientation, int stride);
    // The entry field as if `n` had been typed into an empty one; empty for 0.
    void TypeDimension(int n);
    // The check box "线框渲染": checked for the wireframe, cleared for the faces.
    void ShowWireframe(bool wireframe);
    bool ShowsWireframe() const;
    // Whether the next frame is drawn under the fog: the faces of a built cube always are, and from
    // the first frame that drew them the wireframe is too, until a view without the fog is shown.
    bool Fogged() const;
    void FogWireframe(bool fogged) { wireframeFogged = fogged; }
    // The camera at `eye` with `up`, looking at the origin, as the orbit keeps it.
    void PlaceCamera(const float eye[3], const float up[3]);
    // Whether BuildModel makes the faces' label textures, as the window needs. A render that draws no
    // frame (a vector figure, which traces the labels itself) builds the geometry alone: the
    // textures would be time and memory spent on nothing (docs/performance.md says how much).
    void SetLabelTextures(bool made) { labelTextures = made; }
    // Window pixels to picture pixels while a picture larger than the window is drawn; 1 otherwise.
    void SetPixelScale(float scale) { pixelScale = scale; }
    // The colours of the scene and its background: the window's dark ones, or the light ones while
    // a picture for print is drawn.
    void SetPalette(const ScenePalette& colours) { palette = colours; }

    HypercubeModel model;
    QV_TextBox* dimensionBox = nullptr;  // not owned: a child of this screen
    QV_Label* promptLabel = nullptr;     // not owned: a child of this screen
    QV_Button* generateButton = nullptr; // not owned: a child of this screen
    QV_CheckBox* wireframeBox = nullptr; // not owned: a child of this screen
    QV_Label* helpLabels[3] = {};        // not owned: children of this screen
    OrbitCamera camera;
    // The text of the view last shown or settled, while the screen still shows just that.
    ShownText shownText;
    uint32_t lastTick = 0;
    int16_t lastMouseX = 0;
    int16_t lastMouseY = 0;

private:
    float pixelScale = 1.0f;
    bool labelTextures = true;
    bool wireframeFogged = false;
    ScenePalette palette = ScenePalette::Dark();
};
