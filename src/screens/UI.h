#pragma once
// The heads-up display drawn over a level.

#include "app/Singleton.h"

class UI : public Singleton<UI> {
    friend class Singleton<UI>;

public:
    ~UI();

private:
    UI();
};
