#include "app/ScreenManager.h"

#include "gui/QV_Screen.h"
#include "platform/Win32.h"

ScreenManager::ScreenManager() = default;

ScreenManager::~ScreenManager() {
    for (int i = 0; i < count; ++i) {
        delete screens[i];
        screens[i] = nullptr;
    }
}

void ScreenManager::AddScreen(QV_Screen* screen) {
    if (count < capacity) {
        screens[count] = screen;
        ++count;
        return;
    }
    MessageBoxW(nullptr, L"超出规定大小，ScreenManager中修改....", L"屏幕数量太多", MB_OK);
}

QV_Screen* ScreenManager::ActiveScreen() const {
    if (current >= 0 && current < count)
        return screens[current];
    return nullptr;
}
