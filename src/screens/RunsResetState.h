#pragma once
// The question over the Runs page before its statistics are reset: "Keep"
// (which has the focus, and which Escape means too) leaves everything as it
// was; "Reset" starts an empty history and keeps the old one beside it.

#include "app/MenuState.h"
#include "core/Singleton.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class RunsResetState : public MenuState, public Singleton<RunsResetState> {
    friend class Singleton<RunsResetState>;

  public:
    void onEnter() override;
    // The Runs page below, then the question and its two answers.
    void draw() override;
    void handleInput() override;

    sf::RectangleShape frame;
    sf::Text question;

  private:
    RunsResetState();
};
