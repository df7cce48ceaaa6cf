#pragma once
// Reads the state of every key in one round trip to the display. Asking the
// library key by key costs one round trip per key, which at a hundred keys a
// frame took several milliseconds; the answers here are the same (the same
// key symbol to key code mapping, the same key map), fetched once.

#include <SFML/Window/Keyboard.hpp>

#include <array>

class KeyboardPoller {
  public:
    KeyboardPoller();
    ~KeyboardPoller();
    KeyboardPoller(const KeyboardPoller&) = delete;
    KeyboardPoller& operator=(const KeyboardPoller&) = delete;

    // Fetches the key map; false when there is no display to ask.
    bool poll();
    // Whether the key was down at the last poll.
    bool isDown(sf::Keyboard::Key key) const;

  private:
    void* display = nullptr; // our own connection, closed with the poller
    std::array<unsigned char, sf::Keyboard::KeyCount> keyCodes{};
    char keyMap[32] = {};
};
