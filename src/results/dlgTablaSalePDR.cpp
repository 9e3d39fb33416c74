#include "results/dlgTablaSalePDR.h"

#include "engine/listacomponentes.h"

namespace tavo {

dlgTablaSalePDR::dlgTablaSalePDR()
    : SeriesTable(
          QStringLiteral("dlgTablaSalePDR"),
          QStringLiteral("Serie de Tormentas Sintéticas: Resumen de Qpico, Escorrentía y Coef. Esc.")) {}

void dlgTablaSalePDR::Form_Load() {
  Dimensiona();
  LlenaTablaSalePDR();
}

void dlgTablaSalePDR::LlenaTablaSalePDR() {
  LlenaGrilla([this] {
    for (CompoSel = 1; CompoSel <= nComponentes; ++CompoSel) Bloque(CompoSel);
  });
}

void dlgTablaSalePDR::OKButton_Click() {
  unloadLater();
}

void MuestraTablaSalePDR() {
  const bool abierta = dlgTablaSalePDR::isLoaded();
  dlgTablaSalePDR& tabla = dlgTablaSalePDR::instance();
  ShowModeless(&tabla, false);
  if (abierta) tabla.LlenaTablaSalePDR();
}

}  // namespace tavo
