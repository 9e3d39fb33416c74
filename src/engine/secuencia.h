// The order of computation: reaches, lakes and dams after every component that drains into them.
#pragma once

namespace tavo {

// Reorders the reaches, lakes and dams of NombresComponentes (the units keep their places) so that
// none comes before a component that drains into it, and lists the order in the report when it is
// on. A network with a loop cannot be ordered: it is left as it is and RedConErrores is set.
// Reads the network's receivers, nComponentes and PizarraActiva; writes NombresComponentes,
// RedConErrores and the report window's text.
void SecuenciaCalculo();

}  // namespace tavo
