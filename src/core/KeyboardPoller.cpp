#include "core/KeyboardPoller.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

// The key symbol each library key stands for, as the library itself maps it.
KeySym symbolOf(sf::Keyboard::Key key) {
    using K = sf::Keyboard;
    if (key >= K::A && key <= K::Z)
        return XK_a + (key - K::A);
    if (key >= K::Num0 && key <= K::Num9)
        return XK_0 + (key - K::Num0);
    if (key >= K::F1 && key <= K::F15)
        return XK_F1 + (key - K::F1);
    switch (key) {
    case K::Escape:
        return XK_Escape;
    case K::LControl:
        return XK_Control_L;
    case K::LShift:
        return XK_Shift_L;
    case K::LAlt:
        return XK_Alt_L;
    case K::LSystem:
        return XK_Super_L;
    case K::RControl:
        return XK_Control_R;
    case K::RShift:
        return XK_Shift_R;
    case K::RAlt:
        return XK_Alt_R;
    case K::RSystem:
        return XK_Super_R;
    case K::Menu:
        return XK_Menu;
    case K::LBracket:
        return XK_bracketleft;
    case K::RBracket:
        return XK_bracketright;
    case K::Semicolon:
        return XK_semicolon;
    case K::Comma:
        return XK_comma;
    case K::Period:
        return XK_period;
    case K::Quote:
        return XK_apostrophe;
    case K::Slash:
        return XK_slash;
    case K::Backslash:
        return XK_backslash;
    case K::Tilde:
        return XK_grave;
    case K::Equal:
        return XK_equal;
    case K::Hyphen:
        return XK_minus;
    case K::Space:
        return XK_space;
    case K::Enter:
        return XK_Return;
    case K::Backspace:
        return XK_BackSpace;
    case K::Tab:
        return XK_Tab;
    case K::PageUp:
        return XK_Prior;
    case K::PageDown:
        return XK_Next;
    case K::End:
        return XK_End;
    case K::Home:
        return XK_Home;
    case K::Insert:
        return XK_Insert;
    case K::Delete:
        return XK_Delete;
    case K::Add:
        return XK_KP_Add;
    case K::Subtract:
        return XK_KP_Subtract;
    case K::Multiply:
        return XK_KP_Multiply;
    case K::Divide:
        return XK_KP_Divide;
    case K::Left:
        return XK_Left;
    case K::Right:
        return XK_Right;
    case K::Up:
        return XK_Up;
    case K::Down:
        return XK_Down;
    case K::Numpad0:
        return XK_KP_Insert;
    case K::Numpad1:
        return XK_KP_End;
    case K::Numpad2:
        return XK_KP_Down;
    case K::Numpad3:
        return XK_KP_Page_Down;
    case K::Numpad4:
        return XK_KP_Left;
    case K::Numpad5:
        return XK_KP_Begin;
    case K::Numpad6:
        return XK_KP_Right;
    case K::Numpad7:
        return XK_KP_Home;
    case K::Numpad8:
        return XK_KP_Up;
    case K::Numpad9:
        return XK_KP_Page_Up;
    case K::Pause:
        return XK_Pause;
    default:
        return NoSymbol;
    }
}

Display* asDisplay(void* d) {
    return static_cast<Display*>(d);
}

} // namespace

KeyboardPoller::KeyboardPoller() : display(XOpenDisplay(nullptr)) {
    if (!display)
        return;
    for (int k = 0; k < sf::Keyboard::KeyCount; ++k) {
        KeySym symbol = symbolOf(static_cast<sf::Keyboard::Key>(k));
        keyCodes[static_cast<std::size_t>(k)] =
            symbol == NoSymbol ? 0 : XKeysymToKeycode(asDisplay(display), symbol);
    }
}

KeyboardPoller::~KeyboardPoller() {
    if (display)
        XCloseDisplay(asDisplay(display));
}

bool KeyboardPoller::poll() {
    if (!display)
        return false;
    XQueryKeymap(asDisplay(display), keyMap);
    return true;
}

bool KeyboardPoller::isDown(sf::Keyboard::Key key) const {
    if (key < 0 || key >= sf::Keyboard::KeyCount)
        return false;
    unsigned code = keyCodes[static_cast<std::size_t>(key)];
    return code != 0 && (keyMap[code / 8] & (1 << (code % 8))) != 0;
}
