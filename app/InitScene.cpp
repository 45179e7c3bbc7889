#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "hypercube/WindowLens.h"
#include "platform/Gl.h"

bool InitScene() {
    ScreenManager* manager = application->screenManager;
    manager->AddScreen(new CTessary());
    manager->current = 0;

    // The window cannot be resized, so the viewport and the projection hold for the whole run.
    glViewport(0, 0, clientWidth, clientHeight);
    LoadWindowProjection();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    return true;
}

void LoadWindowProjection(double left, double right, double bottom, double top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // An orthographic projection from +1 to -1 in depth moves and scales x and y and keeps z: the
    // identity for the whole view, so the window's matrix is exactly gluPerspective's.
    glOrtho(left, right, bottom, top, 1.0, -1.0);
    gluPerspective(application->fieldOfView, WindowLens::aspect, WindowLens::nearPlane, WindowLens::farPlane);
    glMatrixMode(GL_MODELVIEW);
}
