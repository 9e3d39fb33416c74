// The stream order of the reaches: 1 for a reach no other reach feeds, higher downstream where
// tributaries of equal order meet. The network save and the editor's stream-order button compute it.
#pragma once

namespace tavo {

// Gives every reach its stream order in OrdenCauce: ten sweeps in collection order. Reads the reaches,
// lakes and dams and their receivers; writes OrdenCauce of every reach and leaves ElementoActual on
// the last reach swept.
void CalculaOrdenCauces();

}  // namespace tavo
