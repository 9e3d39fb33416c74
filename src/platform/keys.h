// Key codes and shift states as the program's handlers take them: letters and digits by their upper
// case character, F1 = 112 … F12 = 123, Delete 46, Insert 45, Enter 13, Esc 27, the arrows 37 to 40;
// shift 1, control 2, alt 4, added together.
#pragma once

#include <Qt>

namespace tavo {

// The key code of a Qt key; 0 for a key the program has no code for.
int VbKeyCode(int qtKey);
// The shift state of Qt's keyboard modifiers.
int VbShift(Qt::KeyboardModifiers modifiers);

}  // namespace tavo
