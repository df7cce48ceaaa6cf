#pragma once
// The player's controls as named actions: which keys and mouse buttons, and
// which gamepad button, trigger each one. The level reads actions, never raw
// key codes, so a binding changed on the controls screen or in "Config.cfg"
// reaches every reader at once. The bindings in force are one process-wide
// table, like the other settings.

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

enum class Action {
    MoveUp,
    MoveDown,
    MoveLeft,
    MoveRight,
    Sprint,
    UseLeft,
    UseRight,
    ReloadLeft,
    ReloadRight,
    Taser,
    Pause,
    Help,
};
constexpr int actionCount = 12;

// The action that uses the item in hand 0 (left) or 1 (right).
inline Action useAction(int hand) {
    return hand == 0 ? Action::UseLeft : Action::UseRight;
}

// The gamepad's buttons in the layout the usual twin-stick pads share; the
// triggers and the D-pad count as buttons.
enum class PadButton {
    A,
    B,
    X,
    Y,
    LB,
    RB,
    LT,
    RT,
    Back,
    Start,
    LS,
    RS,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight
};
constexpr int padButtonCount = 16;

// One keyboard key or mouse button.
struct BoundInput {
    enum class Kind { Key, Mouse };
    Kind kind = Kind::Key;
    int code = 0; // an sf::Keyboard::Key or an sf::Mouse::Button

    bool operator==(const BoundInput&) const = default;
};

struct Bindings {
    std::array<std::vector<BoundInput>, actionCount> inputs;
    std::array<PadButton, actionCount> pad{};

    bool operator==(const Bindings&) const = default;

    // Today's keys and mouse buttons, and the pad layout a twin-stick player expects.
    static Bindings defaults();

    // Binds `input` to `action`, in place of its input number `slot` (or as a
    // new one past the last). Another action that used `input` gets the
    // replaced one instead, or loses it when there was none; returns that
    // action, or -1. An action is never left without an input (the file
    // would give it back its default): taking another action's only input
    // into a new slot changes nothing and returns refused.
    int rebind(Action action, std::size_t slot, BoundInput input);
    static constexpr int refused = -2;
    // Gives `action` the pad button; an action that had it gets the replaced
    // one. Returns that action, or -1.
    int rebindPad(Action action, PadButton button);
};

extern Bindings bindings;

// Names as the file and the screens write them; parsing answers false for an unknown name.
const char* actionName(Action action);
std::string inputName(BoundInput input);
const char* padButtonName(PadButton button);
bool parseAction(const std::string& name, Action& action);
bool parseInput(const std::string& name, BoundInput& input);
bool parsePadButton(const std::string& name, PadButton& button);
// "D, Right" or "LShift": the inputs of an action for a screen.
std::string inputsText(Action action);

// Reads the settings file's binding lines one at a time, starting from the
// defaults: other lines, unknown actions and unknown names are skipped, and
// an action left with nothing valid keeps its default. Several lines for one
// action add up.
class BindingReader {
  public:
    void read(const std::string& line);
    Bindings result = Bindings::defaults();

  private:
    std::array<bool, actionCount> keysSeen{};
};
void writeBindings(std::ostream& out, const Bindings& from);
