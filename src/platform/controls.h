// Values of check boxes and option buttons as the program's data hold them: a check box is 0
// (clear) or 1 (set), and an option button can be cleared on its own, as a data file may ask.
#pragma once

#include <QCheckBox>
#include <QRadioButton>

#include "platform/vb.h"

namespace tavo {

// 1 when the box is set, else 0.
Integer CheckValue(const QCheckBox* box);
// Sets (1) or clears (0) the box; any other value raises error 380.
void SetCheckValue(QCheckBox* box, Integer value);
// Selects an option button (clearing the others of its group) or clears it alone.
void SetOptionValue(QRadioButton* option, Boolean value);

}  // namespace tavo
