// Key codes and shift states as the program's handlers take them: letters and digits by their upper
// case character, F1 = 112 … F24 = 135, Delete 46, Insert 45, Enter 13, Esc 27, the arrows 37 to 40,
// the punctuation keys 186 to 222; shift 1, control 2, alt 4, added together.
#pragma once

#include <Qt>

namespace tavo {

// The key code of a Qt key; 0 for a key the program has no code for. A key of the keypad takes the
// keypad's own code (96 to 111: keypad 5 is 101) when `keypad` says so, as the grids read it; the other
// windows read it as the main key of the same character (keypad 5 is 53).
int VbKeyCode(int qtKey, bool keypad = false);
// The shift state of Qt's keyboard modifiers.
int VbShift(Qt::KeyboardModifiers modifiers);

}  // namespace tavo
