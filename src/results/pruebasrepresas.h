// The two checks of the dams' functions, written into the report window: one dam's
// height-area-storage table through the storage and area functions and their inverses, and every
// dam's outflow formulas with its outflow against the level.
#pragma once

namespace tavo {

// Asks for a dam and an option, then lists its level table (level, area, storage at a step the user
// chooses) or the verification of the four functions on fifty rows.
void PruebaFuncionesSHVRepresas();
// Lists, for every dam, the formulas of its active outflow ranges and its outflow at the levels of a
// step the user chooses for it.
void PruebaFuncionesHQRepresas();

}  // namespace tavo
