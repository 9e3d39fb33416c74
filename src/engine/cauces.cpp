// Routing through channel reaches: the inflow of everything draining into the reach, carried to its
// downstream end by a pure lag (direct translation) or by the Muskingum method.
#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

const QString kFinEditor =
    QStringLiteral(" Debe asignar un valor correcto a este parámetro desde el Editor de UEHs ");

// Adds the outflow at position p to the inflow of position j, step by step. Reads QSaleCompo; writes
// QEntraCompo and kPaso.
void SumaAporte(Integer j, Integer p) {
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loop below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso)
    QEntraCompo(j, kPaso) = QEntraCompo(j, kPaso) + QSaleCompo(p, kPaso);
}

// The inflow of the reach at position j: its units (whose initial base flows make QInicial), then
// the reaches, dams and lakes that drain into it. Reads the network and NombresComponentes; writes
// QEntraCompo's row j, QInicial, ElementoAportante, iUEH, iCauce and CompoSel.
void EntradaCauce(Integer j, const QString& nombre) {
  for (const auto& u : colUEHs) {
    if (u->Cauce_aa != nombre) continue;
    ElementoAportante = u;
    iUEH = PosicionComponente(u->NombreUEH, 1, nUEHs);
    SumaAporte(j, iUEH);
    QInicial = QInicial + vUEHs[iUEH]->Q0Recesion;
  }
  for (const auto& c : colCauces) {
    if (c->Cauce_aa != nombre) continue;
    ElementoAportante = c;
    iCauce = PosicionComponente(c->NombreCauce, nUEHs + 1, nComponentes);
    SumaAporte(j, iCauce);
  }
  for (const auto& r : colRepresas) {
    if (r->Cauce_aa != nombre) continue;
    ElementoAportante = r;
    CompoSel = PosicionComponente(r->NombreRepresa, nUEHs + 1, nComponentes);
    SumaAporte(j, CompoSel);
  }
  for (const auto& l : colLagos) {
    if (l->Cauce_aa != nombre) continue;
    ElementoAportante = l;
    CompoSel = PosicionComponente(l->NombreLAGO, nUEHs + 1, nComponentes);
    SumaAporte(j, CompoSel);
  }
}

// The lag of a directly routed reach in output steps, making room for it in QSaleCompo. Reads PasoQ
// and nPasosSalida; writes RetardoMaximo and the bounds of QSaleCompo.
Integer RetardoCauce(const Cauce& c) {
  if (c.LongCauce == 0) {
    AdvertenciaSimulacion(QStringLiteral("El parámetro de Longitud de Cauce del tramo ") + c.NombreCauce +
                          QStringLiteral(" es '0'.") + kFinEditor);
  }
  if (c.VelMediaCauce == 0) {
    AdvertenciaSimulacion(
        QStringLiteral("El parámetro de Velocidad Media de propagación Directa en el tramo ") +
        c.NombreCauce + QStringLiteral(" es '0'.") + kFinEditor);
  }
  const Integer viaje = CInt(Div(Div(c.LongCauce, c.VelMediaCauce), 60));
  const Integer L = CInt(Round(Div(viaje, PasoQ), 0));
  if (L > RetardoMaximo) {
    RetardoMaximo = L;
    QSaleCompo.redimPreserve(CheckInteger(static_cast<long long>(nPasosSalida) + 1 + RetardoMaximo));
  }
  return L;
}

// The reach's outflow from its inflow, by a pure lag or by Muskingum. Reads QEntraCompo, QInicial and
// PasoQ; writes QSaleCompo's row j, kPaso and the Muskingum coefficients.
void RutaCauce(Integer j, const Cauce& c) {
  Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loops below
  Array2<Single>& QSaleCompo = tavo::QSaleCompo;
  const Integer NQ = nPasosSalida;
  if (c.optDirMusk) {
    const Integer L = RetardoCauce(c);
    for (Integer m = 1; m <= L; ++m) QSaleCompo(j, m) = QInicial;
    for (kPaso = 1; kPaso <= NQ; ++kPaso) {
      const Integer destino = CheckInteger(static_cast<long long>(kPaso) + L);
      QSaleCompo(j, destino) = QSaleCompo(j, destino) + QEntraCompo(j, kPaso);
    }
    return;
  }
  if (!CoeficientesMuskingum(c.Cauce_k_Musk, c.Cauce_n_Musk, PasoQ)) {
    AdvertenciaSimulacion(
        QStringLiteral("Error, Los parámetros de Muskingum utilizados en el tramo de cauce") + c.NombreCauce +
        QStringLiteral(" son erróneos. Verifique, o cambie a propagación Directa desde el Editor de UEHs "));
  }
  for (kPaso = 1; kPaso <= NQ; ++kPaso) {
    if (kPaso == 1) {
      QSaleCompo(j, 1) = QEntraCompo(j, 1);
    } else {
      QSaleCompo(j, kPaso) = static_cast<Single>(static_cast<double>(C0Musk) * QEntraCompo(j, kPaso) +
                                                 static_cast<double>(C1Musk) * QEntraCompo(j, kPaso - 1) +
                                                 static_cast<double>(C2Musk) * QSaleCompo(j, kPaso - 1));
    }
  }
}

}  // namespace

void Proceso_en_Cauce(Integer j) {
  // ElementoActual is the walk's variable: set on the reach routed and left on the last reach, as the
  // walk leaves it; in between nothing reads it.
  for (const auto& c : colCauces) {
    QInicial = 0;
    if (c->NombreCauce != NombresComponentes(j)) continue;
    ElementoActual = c;
    if (PizarraActiva) EncabezadoCauce(j);
    EntradaCauce(j, c->NombreCauce);
    RutaCauce(j, *c);

    VolEntra = 0;
    VolSale = 0;
    Array2<Single>& QEntraCompo = tavo::QEntraCompo;  // the thread's own, found once for the loop below
    Array2<Single>& QSaleCompo = tavo::QSaleCompo;
    for (kPaso = 1; kPaso <= nPasosSalida; ++kPaso) {
      if (PizarraActiva) FilaCauce(j, kPaso);
      if (QSaleCompo(j, kPaso) > QpSerie(j, kTormenta)) QpSerie(j, kTormenta) = QSaleCompo(j, kPaso);
      VolEntra = static_cast<Single>(VolEntra + static_cast<double>(QEntraCompo(j, kPaso)) * PasoQ * 60);
      VolSale = static_cast<Single>(VolSale + static_cast<double>(QSaleCompo(j, kPaso)) * PasoQ * 60);
    }
    if (PizarraActiva) {
      CierreComponente(j);
      MuestraPizarra();
    }
  }
  if (!colCauces.empty()) ElementoActual = colCauces.back();
}

}  // namespace tavo
