#include "core/Bindings.h"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace {

Bindings read(const std::string& text) {
    BindingReader reader;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        reader.read(line);
    return reader.result;
}

std::string written(const Bindings& b) {
    std::ostringstream out;
    writeBindings(out, b);
    return out.str();
}

BoundInput key(sf::Keyboard::Key k) {
    return {BoundInput::Kind::Key, k};
}

std::size_t at(Action a) {
    return static_cast<std::size_t>(a);
}

TEST(Bindings, AFileWithoutBindingsGivesTodaysKeysAndEveryBindingRoundTrips) {
    Bindings defaults = read("CURRES:0\nHARDC:1\n");
    std::string text = written(defaults);
    EXPECT_NE(text.find("KEYS:MoveRight=D,Right\n"), std::string::npos);
    EXPECT_NE(text.find("KEYS:UseLeft=MouseLeft\n"), std::string::npos);
    EXPECT_NE(text.find("KEYS:ReloadRight=E,RControl\n"), std::string::npos);
    EXPECT_NE(text.find("PAD:Pause=Start\n"), std::string::npos);

    Bindings custom = defaults;
    custom.inputs[at(Action::Sprint)] = {key(sf::Keyboard::Space), {BoundInput::Kind::Mouse, 4}};
    custom.inputs[at(Action::Help)] = {key(sf::Keyboard::F12), key(sf::Keyboard::Numpad9),
                                       key(sf::Keyboard::Hyphen)};
    custom.pad[at(Action::Taser)] = PadButton::DpadLeft;
    EXPECT_EQ(written(read(written(custom))), written(custom));
}

TEST(Bindings, DamagedLinesAreReadAsFarAsTheyMakeSense) {
    Bindings b = read("KEYS:MoveUp= I ,Bogus,,Up\r\n"  // spaces, an unknown name, an empty entry
                      "KEYS:Jump=Space\n"              // an unknown action
                      "KEYS:Sprint=Nothing,AtAll\n"    // nothing valid: the default stays
                      "KEYS:Taser\n"                   // no value at all
                      "KEYS:Pause=P\nKEYS:Pause=P,O\n" // lines for one action add up
                      "PAD:UseLeft=Z\nPAD:Help=RS\n"); // an unknown button, a known one
    EXPECT_EQ(b.inputs[at(Action::MoveUp)],
              (std::vector<BoundInput>{key(sf::Keyboard::I), key(sf::Keyboard::Up)}));
    EXPECT_EQ(b.inputs[at(Action::Sprint)], Bindings::defaults().inputs[at(Action::Sprint)]);
    EXPECT_EQ(b.inputs[at(Action::Taser)], Bindings::defaults().inputs[at(Action::Taser)]);
    EXPECT_EQ(b.inputs[at(Action::Pause)],
              (std::vector<BoundInput>{key(sf::Keyboard::P), key(sf::Keyboard::O)}));
    EXPECT_EQ(b.pad[at(Action::UseLeft)], PadButton::LT);
    EXPECT_EQ(b.pad[at(Action::Help)], PadButton::RS);
}

TEST(Bindings, AnInputTakenFromAnotherActionSwapsOrMoves) {
    Bindings b = Bindings::defaults();
    // D replaces W: MoveRight, which had D, gets W in its place.
    EXPECT_EQ(b.rebind(Action::MoveUp, 0, key(sf::Keyboard::D)), static_cast<int>(Action::MoveRight));
    EXPECT_EQ(b.inputs[at(Action::MoveUp)][0], key(sf::Keyboard::D));
    EXPECT_EQ(b.inputs[at(Action::MoveRight)],
              (std::vector<BoundInput>{key(sf::Keyboard::W), key(sf::Keyboard::Right)}));
    // A new second slot replaces nothing, so the other action just loses the key.
    EXPECT_EQ(b.rebind(Action::Sprint, 1, key(sf::Keyboard::Q)), static_cast<int>(Action::ReloadLeft));
    EXPECT_EQ(b.inputs[at(Action::Sprint)].size(), 2u);
    EXPECT_EQ(b.inputs[at(Action::ReloadLeft)], (std::vector<BoundInput>{key(sf::Keyboard::RShift)}));
    // Another action's only input is not taken into a new slot: that action would be left with none.
    EXPECT_EQ(b.rebind(Action::Sprint, 2, key(sf::Keyboard::F1)), Bindings::refused);
    EXPECT_EQ(b.inputs[at(Action::Help)], (std::vector<BoundInput>{key(sf::Keyboard::F1)}));
    // An input the action already has changes nothing.
    EXPECT_EQ(b.rebind(Action::Sprint, 0, key(sf::Keyboard::Q)), -1);
    EXPECT_EQ(b.inputs[at(Action::Sprint)].size(), 2u);

    EXPECT_EQ(b.rebindPad(Action::Sprint, PadButton::Start), static_cast<int>(Action::Pause));
    EXPECT_EQ(b.pad[at(Action::Pause)], PadButton::LB);
    EXPECT_EQ(b.rebindPad(Action::Sprint, PadButton::A), -1);
}

} // namespace
