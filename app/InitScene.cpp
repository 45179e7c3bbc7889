#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
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

void LoadWindowProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(application->fieldOfView, 1.3333333333333333, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
}
