// The order of computation: reaches, lakes and dams after every component that drains into them.
#pragma once

namespace tavo {

// Reorders the reaches, lakes and dams of NombresComponentes (the units keep their places) so that
// none comes before a component that drains into it, and lists the order in the report when it is
// on. A network with a loop cannot be ordered: it is left as it is and RedConErrores is set.
// Reads the network's receivers, nComponentes and PizarraActiva; writes NombresComponentes,
// RedConErrores and the report window's text.
void SecuenciaCalculo();

// ---- the order of a storm series: the network does not change while its storms run ----

// Builds the component list and its order of computation once for the series under way, after its
// checks found no fault; the thread's own list stays as it was. Reads the network; writes the series'
// order.
void BuildSeriesOrder();
// The component list of the series, ordered, with its outlets, as this thread's list (copied only when
// the thread does not hold it yet): what building the list and SecuenciaCalculo leave for a storm of
// the series. False, and nothing written, when the series has no order. Reads the series' order;
// writes nComponentes, NombresComponentes, nComponentesFinales and ComponentesFinales.
bool TakeSeriesOrder();
// Lists the order of NombresComponentes in the report when it is on, as SecuenciaCalculo does.
// Reads nComponentes, NombresComponentes and PizarraActiva; writes the report window's text.
void ListaSecuencia();
// Forgets the series' order when the series ends.
void ForgetSeriesOrder();

}  // namespace tavo
