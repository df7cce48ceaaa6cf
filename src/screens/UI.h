#pragma once
// The heads-up display drawn over a level: health and stamina with their
// readouts, the two weapons in hand, the taser's charge, the signal bar that
// leads to the brainwash machine, the level score with a list of fading score
// notices, and the level-start banner. Ingame updates and draws it once per
// frame, and its update is where the level score is recomputed. There is one
// for the whole process; it draws in screen space whatever the camera does.

#include "core/Singleton.h"
#include "core/StatBar.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

class UI : public Singleton<UI> {
    friend class Singleton<UI>;

  public:
    ~UI();

    // Once per frame from Ingame: the level score, the messages, the
    // readouts, the bars, the signal and the level-start timer, in that order.
    void update(float dt);
    // Draws over whatever the window shows and leaves the camera's view applied.
    void draw();

    // A level begins (or resumes): the banner shows and the signal scans for the given time.
    void restartLevelStart(float seconds);

    // A short score notice ("+600 Ranged alien") that glides into the list and fades out.
    void addMessage(const std::string& text, sf::Color colour = sf::Color::White);
    // Broken furniture or walls: banks the points in the carnage bonus and
    // posts them. A notice of the same kind still fresh on the list takes the
    // points instead, so a blast through a row of walls reads as one line.
    void addCarnage(int points, const std::string& what);

    // Ages the messages by dt: they glide to their slots, fade and go. Before
    // the level's clock has started (levelTime 0) the list is emptied.
    void updateMessages(float dt, float levelTime);

    // The rules the display follows, open to tests.
    // "value/maximum" with the stream's default float formatting (30/30, 137.5/150).
    static std::string readout(float value, float maximum);
    // How far the machine is, as the red share of the signal colour: 0 on top
    // of it, 255 a whole map diagonal away.
    static sf::Uint8 signalRed(float distance, int columns, int rows);
    // Green next to the machine, red far from it.
    static sf::Color signalColourFor(sf::Uint8 red);
    // The banner's alpha, s seconds into a level: it fades in, holds and fades away.
    static sf::Uint8 bannerAlpha(float s);
    // A message's alpha with `remaining` of its life left.
    static sf::Uint8 messageAlpha(float remaining);

    struct Message {
        std::string text;
        sf::Color colour;
        float remaining = 0;   // seconds of life left
        sf::Vector2f position; // right end of its line, screen units
        std::string kind;      // carnage notices name what broke; kills leave it empty
        int points = 0;        // carnage notices only: the points and how many broke
        int count = 0;
        sf::Text label;
    };

    // Where a text of the display lands on the 1920 x 1080 screen at the text
    // size, its character size there, and the panel it must stay inside (the
    // screen for a text without one).
    struct PlacedText {
        sf::FloatRect bounds, room;
        float size = 0;
    };
    std::vector<PlacedText> placedTexts() const;

    static constexpr float messageLifetime = 4.0f;
    static constexpr std::size_t maxMessages = 8;
    static constexpr float signalWhileStarting = 243.0f;

    // Bars in creation order; the enum names their places in `bars`.
    enum Bar { healthBar, staminaBar, leftWeaponBar, rightWeaponBar, taserBar, signalBar };
    std::vector<StatBar> bars;
    std::vector<Message> messages;
    sf::Color signalColour = sf::Color::Red;
    float levelStartTimerReset = 20.0f;
    bool levelStartTimerRunning = false;
    float levelStartTimer = 0;
    float levelStartTimerPrevious = 0;

  private:
    UI();
    void updateReadouts();
    void updateBars();
    void updateSignal(float dt);
    // Where message i of the list rests.
    sf::Vector2f messageSlot(std::size_t i) const;
    void styleMessage(Message& m);

    sf::Sprite background;  // status panel, top left
    sf::Sprite weaponPanel; // weapons and taser, bottom right
    sf::Text healthText, staminaText;
    sf::Text weaponTexts[2], weaponNames[2];
    sf::Text taserLabel, taserText;
    sf::Text signalLabel;
    sf::Text armourLabel, armourName;
    // The strings the fitted texts were last fitted from: weaponNames,
    // weaponTexts, then armourName. Fitting lays a text out again and again.
    std::string fittedFrom[5];
    sf::Text scoreLabel, scoreText;
    sf::Text bannerTitle, bannerSubtitle;
    float noiseScroll = 0; // the signal bar's static drifts
    float blink = 0;       // drives the "scanning" pulse
};
