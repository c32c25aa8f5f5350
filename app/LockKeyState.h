#pragma once

// The keyboard's lock keys, as the window system shows them on its lights.
class LockKeyState
{
public:
    bool caps = false;
    bool num = false;
    bool scroll = false;

    // False where the window system does not tell them (Wayland, offscreen):
    // then nothing is known and the fields stay false.
    static bool Read(LockKeyState &state);
};
