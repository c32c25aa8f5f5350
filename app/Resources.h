#pragma once

// The images compiled into the program (icon, tool bar, bitmaps). They live
// in a static library, so they are registered by hand before first use.
namespace Resources {

void Init();

// Dialog units of the program's 9-point form font: 1.5 pixels each way.
constexpr int DialogUnits(int units)
{
    return units * 3 / 2;
}

} // namespace Resources
