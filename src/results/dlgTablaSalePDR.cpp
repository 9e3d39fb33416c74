#include "results/dlgTablaSalePDR.h"

#include "project/listacomponentes.h"

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
  MuestraTablaSerie<dlgTablaSalePDR>();
}

}  // namespace tavo
