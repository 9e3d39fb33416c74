// State of the network editor that lasts for the whole run, whether or not its window is open.
#pragma once

#include "platform/vb.h"

namespace tavo {

inline Integer MaxVertices = 0;  // upper vertex bound of XVertice/YVertice; never shrinks

void ResetEstadoEditor();

}  // namespace tavo
