// The screens of the application, the active one, and the modal message box while one is open.
#pragma once

class QV_Screen;
class QV_MessageBox;

class ScreenManager {
public:
    static constexpr int capacity = 32;

    ScreenManager();
    // Deletes every stored screen in index order; an open message box is not touched.
    ~ScreenManager();
    ScreenManager(const ScreenManager&) = delete;
    ScreenManager& operator=(const ScreenManager&) = delete;

    // Takes ownership of the screen, or shows a system message and leaves it to the caller when full.
    void AddScreen(QV_Screen* screen);
    // screens[current] when 0 <= current < count, otherwise null.
    QV_Screen* ActiveScreen() const;

    int count = 0;
    bool messageBoxOpen = false;
    QV_MessageBox* messageBox = nullptr; // not owned: the modal loop owns the open box
    QV_Screen* screens[capacity] = {};   // owned
    int current = -1;
};
