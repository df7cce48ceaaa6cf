#include "core/Bindings.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <ostream>

Bindings bindings = Bindings::defaults();

namespace {

const char* const actionNames[actionCount] = {"MoveUp",      "MoveDown", "MoveLeft", "MoveRight",
                                              "Sprint",      "UseLeft",  "UseRight", "ReloadLeft",
                                              "ReloadRight", "Taser",    "Pause",    "Help"};

const char* const padNames[padButtonCount] = {"A",      "B",        "X",        "Y",        "LB", "RB",
                                              "LT",     "RT",       "Back",     "Start",    "LS", "RS",
                                              "DpadUp", "DpadDown", "DpadLeft", "DpadRight"};

const char* const mouseNames[sf::Mouse::ButtonCount] = {"MouseLeft", "MouseRight", "MouseMiddle", "MouseX1",
                                                        "MouseX2"};

// The graphics library's key codes in their order, named as it names them.
const std::vector<std::string>& keyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (char c = 'A'; c <= 'Z'; ++c)
            list.emplace_back(1, c);
        for (int i = 0; i <= 9; ++i)
            list.push_back("Num" + std::to_string(i));
        for (const char* name :
             {"Escape",   "LControl",  "LShift",   "LAlt",     "LSystem",   "RControl", "RShift", "RAlt",
              "RSystem",  "Menu",      "LBracket", "RBracket", "Semicolon", "Comma",    "Period", "Quote",
              "Slash",    "Backslash", "Tilde",    "Equal",    "Hyphen",    "Space",    "Enter",  "Backspace",
              "Tab",      "PageUp",    "PageDown", "End",      "Home",      "Insert",   "Delete", "Add",
              "Subtract", "Multiply",  "Divide",   "Left",     "Right",     "Up",       "Down"})
            list.emplace_back(name);
        for (int i = 0; i <= 9; ++i)
            list.push_back("Numpad" + std::to_string(i));
        for (int i = 1; i <= 15; ++i)
            list.push_back("F" + std::to_string(i));
        list.emplace_back("Pause");
        return list;
    }();
    return names;
}

BoundInput key(sf::Keyboard::Key k) {
    return {BoundInput::Kind::Key, k};
}
BoundInput mouse(sf::Mouse::Button b) {
    return {BoundInput::Kind::Mouse, b};
}

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Splits "KEYS:MoveUp=W,Up" after its prefix into the action and the value.
bool splitLine(const std::string& line, const char* prefix, Action& action, std::string& value) {
    std::string head(prefix);
    std::size_t equals = line.find('=');
    if (line.rfind(head, 0) != 0 || equals == std::string::npos)
        return false;
    value = line.substr(equals + 1);
    return parseAction(trimmed(line.substr(head.size(), equals - head.size())), action);
}

std::size_t index(Action action) {
    return static_cast<std::size_t>(action);
}

} // namespace

static_assert(sf::Keyboard::KeyCount == 101 && sf::Keyboard::Pause == 100 && sf::Keyboard::Numpad0 == 75,
              "the key name table follows the library's key order");

Bindings Bindings::defaults() {
    using K = sf::Keyboard;
    Bindings b;
    b.inputs = {{{key(K::W), key(K::Up)},
                 {key(K::S), key(K::Down)},
                 {key(K::A), key(K::Left)},
                 {key(K::D), key(K::Right)},
                 {key(K::LShift)},
                 {mouse(sf::Mouse::Left)},
                 {mouse(sf::Mouse::Right)},
                 {key(K::Q), key(K::RShift)},
                 {key(K::E), key(K::RControl)},
                 {mouse(sf::Mouse::Middle)},
                 {key(K::Escape)},
                 {key(K::F1)}}};
    using P = PadButton;
    b.pad = {P::DpadUp, P::DpadDown, P::DpadLeft, P::DpadRight, P::LB,    P::LT,
             P::RT,     P::X,        P::Y,        P::RB,        P::Start, P::Back};
    return b;
}

int Bindings::rebind(Action action, std::size_t slot, BoundInput input) {
    std::vector<BoundInput>& own = inputs[index(action)];
    if (std::find(own.begin(), own.end(), input) != own.end())
        return -1;
    bool replacing = slot < own.size();
    BoundInput replaced = replacing ? own[slot] : BoundInput{};
    for (std::size_t a = 0; a < inputs.size() && !replacing; ++a)
        if (a != index(action) && inputs[a] == std::vector<BoundInput>{input})
            return refused;
    int from = -1;
    for (std::size_t a = 0; a < inputs.size(); ++a) {
        std::vector<BoundInput>& other = inputs[a];
        auto it = std::find(other.begin(), other.end(), input);
        if (a == index(action) || it == other.end())
            continue;
        from = static_cast<int>(a);
        if (replacing && std::find(other.begin(), other.end(), replaced) == other.end())
            *it = replaced;
        else
            other.erase(it);
    }
    if (replacing)
        own[slot] = input;
    else
        own.push_back(input);
    return from;
}

int Bindings::rebindPad(Action action, PadButton button) {
    int from = -1;
    for (std::size_t a = 0; a < pad.size(); ++a)
        if (a != index(action) && pad[a] == button) {
            pad[a] = pad[index(action)];
            from = static_cast<int>(a);
        }
    pad[index(action)] = button;
    return from;
}

const char* actionName(Action action) {
    return actionNames[index(action)];
}

const char* padButtonName(PadButton button) {
    return padNames[static_cast<std::size_t>(button)];
}

std::string inputName(BoundInput input) {
    if (input.kind == BoundInput::Kind::Mouse)
        return input.code >= 0 && input.code < sf::Mouse::ButtonCount ? mouseNames[input.code] : "?";
    const std::vector<std::string>& names = keyNames();
    return input.code >= 0 && input.code < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(input.code)]
               : "?";
}

bool parseAction(const std::string& name, Action& action) {
    for (int a = 0; a < actionCount; ++a)
        if (name == actionNames[a]) {
            action = static_cast<Action>(a);
            return true;
        }
    return false;
}

bool parseInput(const std::string& name, BoundInput& input) {
    for (int b = 0; b < sf::Mouse::ButtonCount; ++b)
        if (name == mouseNames[b]) {
            input = {BoundInput::Kind::Mouse, b};
            return true;
        }
    const std::vector<std::string>& names = keyNames();
    auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end())
        return false;
    input = {BoundInput::Kind::Key, static_cast<int>(it - names.begin())};
    return true;
}

bool parsePadButton(const std::string& name, PadButton& button) {
    for (int b = 0; b < padButtonCount; ++b)
        if (name == padNames[b]) {
            button = static_cast<PadButton>(b);
            return true;
        }
    return false;
}

std::string inputsText(Action action) {
    std::string text;
    for (const BoundInput& input : bindings.inputs[index(action)])
        text += (text.empty() ? "" : ", ") + inputName(input);
    return text;
}

void BindingReader::read(const std::string& line) {
    Action action;
    std::string value;
    if (splitLine(line, "PAD:", action, value)) {
        PadButton button;
        if (parsePadButton(trimmed(value), button))
            result.pad[index(action)] = button;
        return;
    }
    if (!splitLine(line, "KEYS:", action, value))
        return;
    std::vector<BoundInput> valid;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t comma = std::min(value.find(',', start), value.size());
        BoundInput input;
        if (parseInput(trimmed(value.substr(start, comma - start)), input) &&
            std::find(valid.begin(), valid.end(), input) == valid.end())
            valid.push_back(input);
        start = comma + 1;
    }
    if (valid.empty())
        return;
    std::vector<BoundInput>& own = result.inputs[index(action)];
    if (!keysSeen[index(action)])
        own.clear();
    keysSeen[index(action)] = true;
    for (const BoundInput& input : valid)
        if (std::find(own.begin(), own.end(), input) == own.end())
            own.push_back(input);
}

void writeBindings(std::ostream& out, const Bindings& from) {
    for (int a = 0; a < actionCount; ++a) {
        out << "KEYS:" << actionNames[a] << "=";
        const std::vector<BoundInput>& own = from.inputs[static_cast<std::size_t>(a)];
        for (std::size_t i = 0; i < own.size(); ++i)
            out << (i ? "," : "") << inputName(own[i]);
        out << "\n";
    }
    for (int a = 0; a < actionCount; ++a)
        out << "PAD:" << actionNames[a] << "="
            << padNames[static_cast<std::size_t>(from.pad[static_cast<std::size_t>(a)])] << "\n";
}
