#include "core/KeyboardPoller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

// Holds keys down on the display the test runs on, through xdotool, and
// lets them go again however the test ends. ctest gives the test a display
// of its own (tests/CMakeLists.txt), so no other test sees these keys.
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

// The keys come from another connection to the display: polls until the
// server has taken them (or gone on long enough to have lost them).
void awaitKey(KeyboardPoller& poller, bool down) {
    poller.poll();
    for (int i = 0; i < 200 && poller.isDown(sf::Keyboard::Escape) != down; ++i) {
        ::usleep(10000);
        poller.poll();
    }
}

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
        awaitKey(poller, true);
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
    awaitKey(poller, false);
    EXPECT_FALSE(poller.isDown(sf::Keyboard::A));
    EXPECT_FALSE(poller.isDown(sf::Keyboard::Unknown));
    EXPECT_FALSE(poller.isDown(static_cast<sf::Keyboard::Key>(200)));
}

} // namespace
