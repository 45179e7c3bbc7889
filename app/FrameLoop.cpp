#include "app/AppContext.h"
#include "app/FrameCounter.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/QV_MessageBox.h"
#include "gui/TextTexture.h"
#include "platform/Gl.h"

#include <cmath>

void DrawFrame(bool overlay) {
    ScreenManager* manager = application->screenManager;
    float background[3] = {0.0f, 0.0f, 0.0f};
    if (QV_Screen* screen = manager->ActiveScreen())
        screen->BackgroundColour(background);
    glClearColor(background[0], background[1], background[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (QV_Screen* screen = manager->ActiveScreen())
        screen->Draw3D();

    BeginOverlay();
    if (overlay) {
        if (QV_Screen* screen = manager->ActiveScreen())
            screen->Draw();
        if (manager->messageBoxOpen)
            manager->messageBox->Draw();
        if (application->showFrameCounter)
            application->frameCounter->text->DrawAt(0, 0);
    }
    EndOverlay();
}

void BeginOverlay() {
    // One unit per pixel, origin at the top-left corner, y downwards.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(overlayArea.left, overlayArea.right, overlayArea.bottom, overlayArea.top, 1, -1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_MULTISAMPLE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_SMOOTH);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_POLYGON_SMOOTH);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
}

void ScissorOverlay(int left, int top, int width, int height) {
    const double scale = clientWidth / (overlayArea.right - overlayArea.left);
    const double x = (left - overlayArea.left) * scale;
    const double bottom = clientHeight - (top + height - overlayArea.top) * scale;
    glScissor(static_cast<GLint>(std::lround(x)), static_cast<GLint>(std::lround(bottom)),
              static_cast<GLsizei>(std::lround(width * scale)),
              static_cast<GLsizei>(std::lround(height * scale)));
}

void EndOverlay() {
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_BLEND);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    // The 3-D pass of the next frame switches off whatever of this it does not want.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_MULTISAMPLE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
}

void PresentFrame() {
    DrawFrame();
    SwapBuffers(application->deviceContext);
    application->frameCounter->CountFrame();
}

bool DrainMessages(int* exitCode) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageW(&message, nullptr, 0, 0) == 0) {
            if (exitCode)
                *exitCode = static_cast<int>(message.wParam);
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool ScreenUpdates() {
    return !inputState.paused && !application->screenManager->messageBoxOpen;
}

bool FrameStep(int* exitCode) {
    if (inputState.paused) {
        Sleep(300);
    } else {
        PresentFrame();
        if (ScreenUpdates()) {
            if (QV_Screen* screen = application->screenManager->ActiveScreen())
                screen->Update();
        }
    }
    return DrainMessages(exitCode);
}

void Shutdown() {
    delete application;
    application = nullptr;
}
