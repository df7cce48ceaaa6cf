#include "core/KeyboardPoller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Holds keys down on the display the test runs on, through xdotool, and
// lets them go again however the test ends.
class HeldKeys {
  public:
    explicit HeldKeys(std::string names) : keys(std::move(names)) { run("keydown"); }
    ~HeldKeys() { run("keyup"); }
    bool ok = true;

  private:
    void run(const char* verb) {
        ok = std::system(("xdotool " + std::string(verb) + " " + keys).c_str()) == 0 && ok;
    }
    std::string keys;
};

void expectSameAsLibrary(const KeyboardPoller& poller) {
    for (int k = 0; k < sf::Keyboard::KeyCount; ++k) {
        auto key = static_cast<sf::Keyboard::Key>(k);
        EXPECT_EQ(poller.isDown(key), sf::Keyboard::isKeyPressed(key)) << "key code " << k;
    }
}

TEST(KeyboardPoller, AnswersLikeTheLibraryForEveryKey) {
    KeyboardPoller poller;
    ASSERT_TRUE(poller.poll()) << "needs a display";
    expectSameAsLibrary(poller);
    {
        HeldKeys held("a Shift_L Left F1 Escape KP_4 Control_R");
        ASSERT_TRUE(held.ok) << "xdotool is needed to hold keys";
        poller.poll();
        EXPECT_TRUE(poller.isDown(sf::Keyboard::A));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::LShift));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::Left));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::F1));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::Escape));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::Numpad4));
        EXPECT_TRUE(poller.isDown(sf::Keyboard::RControl));
        EXPECT_FALSE(poller.isDown(sf::Keyboard::D));
        expectSameAsLibrary(poller);
    }
    poller.poll();
    EXPECT_FALSE(poller.isDown(sf::Keyboard::A));
    EXPECT_FALSE(poller.isDown(sf::Keyboard::Unknown));
    EXPECT_FALSE(poller.isDown(static_cast<sf::Keyboard::Key>(200)));
}

} // namespace
