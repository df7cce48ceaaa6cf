#include "screens/ReplaysState.h"

#include "app/GameStateHandler.h"
#include "app/InputState.h"

void ReplaysState::handleInput() {
    if (InputState::getInstance()->backPressed())
        GameStateHandler::getInstance()->popState();
}
