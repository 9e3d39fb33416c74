// Storage routing of lakes and dams.
#pragma once

#include "platform/vb.h"

namespace tavo {

// Routes the lake (dam) at position j of the component list.
void Proceso_en_Lago(Integer j);
void Proceso_en_Represa(Integer j);

}  // namespace tavo
