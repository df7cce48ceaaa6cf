#pragma once
// The one actor the user controls. A singleton that outlives maps: each new
// level places it again.

#include "world/Mapentity.h"

class Player : public Mapentity {
public:
    static Player* getInstance();
    static void destroyInstance();
    ~Player() override;

private:
    Player();
};
