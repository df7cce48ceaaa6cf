#include "bot/ScriptedInput.h"

#include "app/Game.h"
#include "app/Replay.h"
#include "core/InputState.h"

#include <algorithm>
#include <iterator>

void ScriptedInput::frame(std::initializer_list<Key> held, std::optional<PadReading> pad, bool focus,
                          bool focusLost) {
    if (pad && pad->connected)
        padPlugged = true;
    const PadReading reading = pad ? *pad : PadReading{padPlugged, {}, {}, {}};
    const bool recorded = replay::recording();
    runScriptedFrame(
        maxFrameTime,
        [&](InputState& input) {
            std::fill(std::begin(input.keys), std::end(input.keys), false);
            std::fill(std::begin(input.buttons), std::end(input.buttons), false);
            for (Key k : held)
                input.keys[k] = true;
            input.samplePad(reading);
            input.hasFocus = focus;
            input.focusLost = focusLost;
        },
        false);
    if (afterFrame)
        afterFrame(recorded);
}

void ScriptedInput::tap(Key key) {
    frame({key});
    frame();
}

void ScriptedInput::tap(PadButton button) {
    PadReading pad{true, {}, {}, {}};
    pad.buttons[static_cast<std::size_t>(button)] = true;
    frame({}, pad);
    frame();
}

void ScriptedInput::idle(int frames) {
    for (int i = 0; i < frames; ++i)
        frame();
}
