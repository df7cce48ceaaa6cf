#pragma once
// The heads-up display drawn over a level.

class UI {
public:
    static UI* getInstance();
    static void destroyInstance();
    ~UI();

private:
    UI();
};
