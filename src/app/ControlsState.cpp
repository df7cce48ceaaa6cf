#include "app/ControlsState.h"

#include "app/GameStateHandler.h"
#include "core/Contenthandler.h"
#include "core/InputState.h"
#include "core/Settings.h"
#include "core/TextSize.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>
#include <string>

namespace {

// Three columns of buttons beside the action names: two key slots and the pad.
constexpr int firstRowY = 150;
constexpr int rowStep = 58;
constexpr float labelX = 300;
constexpr int columnXs[3] = {870, 1130, 1420};
const sf::Vector2i slotSize(240, 50);

const sf::Color labelColour(232, 228, 216);
const sf::Color noteColour(150, 156, 172);
const sf::Color statusColour(242, 163, 58);

const char* const labelTexts[actionCount] = {
    "Move up",        "Move down",        "Move left",         "Move right", "Sprint", "Use left hand",
    "Use right hand", "Reload left hand", "Reload right hand", "Taser",      "Pause",  "Controls overlay"};

int rowY(int row) {
    return firstRowY + row * rowStep;
}

ControlsState* controls() {
    return ControlsState::getInstance();
}

std::string slotText(std::size_t action, int slot) {
    if (slot == ControlsState::padSlot)
        return padButtonName(bindings.pad[action]);
    const std::vector<BoundInput>& own = bindings.inputs[action];
    return static_cast<std::size_t>(slot) < own.size() ? inputName(own[static_cast<std::size_t>(slot)]) : "-";
}

void placeLeft(sf::Text& text, float x, float y) {
    sf::FloatRect box = text.getLocalBounds();
    text.setPosition(std::trunc(x - box.left), std::trunc(y - box.height * 0.5f - box.top));
}

} // namespace

ControlsState::ControlsState() {
    background.setTexture(Contenthandler::getInstance()->optionsBackgroundTexture);
    const char* headerTexts[3] = {"Action", "Keys and mouse", "Gamepad"};
    const float headerXs[3] = {labelX, static_cast<float>(columnXs[0] - slotSize.x / 2),
                               static_cast<float>(columnXs[2] - slotSize.x / 2)};
    for (std::size_t h = 0; h < headers.size(); ++h) {
        styleMenuText(headers[h], 28, noteColour, headerTexts[h]);
        placeLeft(headers[h], headerXs[h], static_cast<float>(firstRowY - rowStep - 10));
    }
    for (int a = 0; a < actionCount; ++a) {
        sf::Text& label = labels[static_cast<std::size_t>(a)];
        styleMenuText(label, 32, labelColour, labelTexts[a]);
        placeLeft(label, labelX, static_cast<float>(rowY(a)));
        for (int slot = 0; slot < 3; ++slot)
            buttons.emplace_back(
                sf::Vector2i(columnXs[slot], rowY(a)), slotSize,
                [a, slot] { controls()->listen(static_cast<Action>(a), slot); }, nullptr, nullptr, -1, "",
                "");
    }
    buttons.emplace_back(
        sf::Vector2i(822, 950), sf::Vector2i(256, 128), [] { GameStateHandler::getInstance()->popState(); },
        nullptr, nullptr, 0, "Back", "");
    buttons.emplace_back(
        sf::Vector2i(1097, 950), sf::Vector2i(256, 128), [] { controls()->restoreDefaults(); }, nullptr,
        nullptr, 0, "Defaults", "");
    styleMenuText(status, 26, statusColour);
}

void ControlsState::onEnter() {
    MenuState::onEnter();
    menuShade.setFillColor(sf::Color(0, 0, 0, 128));
    waitingAction = -1;
    status.setString("");
}

void ControlsState::listen(Action action, int slot) {
    waitingAction = static_cast<int>(action);
    waitingSlot = slot;
    armed = false;
    status.setString(slot == padSlot ? "Press a gamepad button (Escape cancels)"
                                     : "Press a key or mouse button (Escape cancels)");
}

void ControlsState::finishChange(int movedFrom, const std::string& inputText) {
    std::string text = std::string(labelTexts[waitingAction]) + ": " + inputText;
    if (movedFrom >= 0)
        text += " (taken from " + std::string(labelTexts[movedFrom]) + ")";
    if (!saveSettings())
        text = "Could not write Config.cfg; the controls last only until you quit";
    status.setString(text);
    waitingAction = -1;
}

void ControlsState::bind(BoundInput input) {
    if (!listening() || waitingSlot == padSlot)
        return;
    int from =
        bindings.rebind(static_cast<Action>(waitingAction), static_cast<std::size_t>(waitingSlot), input);
    if (from == Bindings::refused) {
        std::size_t owner = 0;
        while (owner + 1 < bindings.inputs.size() && bindings.inputs[owner] != std::vector<BoundInput>{input})
            ++owner;
        status.setString(inputName(input) + " is the only input of " + labelTexts[owner] +
                         "; give it another first");
        waitingAction = -1;
        return;
    }
    finishChange(from, inputName(input));
}

void ControlsState::bindPad(PadButton button) {
    if (!listening() || waitingSlot != padSlot)
        return;
    finishChange(bindings.rebindPad(static_cast<Action>(waitingAction), button), padButtonName(button));
}

void ControlsState::restoreDefaults() {
    bindings = Bindings::defaults();
    status.setString(saveSettings() ? "Default controls restored"
                                    : "Could not write Config.cfg; the controls last only until you quit");
}

void ControlsState::update(float dt) {
    for (std::size_t i = 0; i + 2 < buttons.size(); ++i) {
        std::size_t action = i / 3;
        int slot = static_cast<int>(i % 3);
        bool waiting = waitingAction == static_cast<int>(action) && waitingSlot == slot;
        buttons[i].label.setString(waiting ? "..." : slotText(action, slot));
    }
    centreMenuText(status, 840);
    // While waiting, and until the mouse button that was bound lets go, a
    // click must not reach the buttons.
    InputState* input = InputState::getInstance();
    bool mouseBusy = false;
    for (int b = 0; b < InputState::buttonCount; ++b)
        mouseBusy = mouseBusy || input->buttons[b] || input->previousButtons[b];
    if (listening() || (settling && mouseBusy)) {
        for (MenuButton& button : buttons)
            button.update(0);
        return;
    }
    settling = false;
    MenuState::update(dt);
}

void ControlsState::draw() {
    MenuState::draw();
    sf::RenderWindow& window = gameWindow();
    // A header spans its column (the two key slots share one); a name, its row left of the buttons.
    const float columnLeft[4] = {labelX, static_cast<float>(columnXs[0] - slotSize.x / 2),
                                 static_cast<float>(columnXs[2] - slotSize.x / 2),
                                 static_cast<float>(columnXs[2] + slotSize.x / 2)};
    const float headerTop = static_cast<float>(firstRowY - 2 * rowStep + rowStep / 2 - 10);
    for (std::size_t h = 0; h < headers.size(); ++h)
        drawText(
            window, headers[h],
            {columnLeft[h], headerTop, columnLeft[h + 1] - columnLeft[h] - 10, static_cast<float>(rowStep)},
            {0, 0.5f});
    for (std::size_t a = 0; a < labels.size(); ++a)
        drawText(window, labels[a],
                 {labelX, static_cast<float>(rowY(static_cast<int>(a)) - rowStep / 2),
                  columnLeft[1] - labelX - 10, static_cast<float>(rowStep)},
                 {0, 0.5f});
    // Between the last row and the buttons.
    drawText(window, status, roomAround(status, 0, 1920, 56));
}

void ControlsState::handleInput() {
    // Escape counts when it lets go, as in the options menu below: a press
    // here would be a release there and leave both at once.
    InputState* input = InputState::getInstance();
    bool escape = input->released(sf::Keyboard::Escape);
    if (!listening()) {
        if (escape || input->padPressed(PadButton::B))
            GameStateHandler::getInstance()->popState();
        return;
    }
    if (!armed) {
        armed = true;
        return;
    }
    bool padSlotWaiting = waitingSlot == padSlot;
    if (escape || (!padSlotWaiting && input->padPressed(PadButton::B))) {
        waitingAction = -1;
        status.setString("");
        return;
    }
    settling = true;
    for (int b = 0; b < padButtonCount && padSlotWaiting; ++b)
        if (input->padPressed(static_cast<PadButton>(b)))
            return bindPad(static_cast<PadButton>(b));
    for (int k = 0; k < sf::Keyboard::KeyCount && !padSlotWaiting; ++k)
        if (input->pressed(k) && k != sf::Keyboard::Escape)
            return bind({BoundInput::Kind::Key, k});
    for (int b = 0; b < InputState::buttonCount && !padSlotWaiting; ++b)
        if (input->buttonPressed(b))
            return bind({BoundInput::Kind::Mouse, b});
}
