#include "results/dlgTablaSalePDR2.h"

#include <QSignalBlocker>
#include <algorithm>

#include "platform/formlayout.h"
#include "project/listacomponentes.h"
#include "results/graficos.h"

namespace tavo {

dlgTablaSalePDR2::dlgTablaSalePDR2()
    : SeriesTable(
          QStringLiteral("dlgTablaSalePDR2"),
          QStringLiteral("Serie de Tormentas Sintéticas: Resumen Qp-D-R - E-D-R - CE-D-R por Componente")) {
  lstCompos = new QComboBox(this);
  lstCompos->setObjectName(QStringLiteral("lstCompos"));
  PlaceTwips(lstCompos, 4920, 0, 2400, 375);
  bajoGrilla_.push_back(lstCompos);
  ConnectGuarded(lstCompos, &QComboBox::currentIndexChanged, this, &dlgTablaSalePDR2::lstCompos_Click);
}

void dlgTablaSalePDR2::Form_Load() {
  Dimensiona();
  if (nComponentes == 0) {
    LlenaTablaSalePDRComponente();  // the header alone
    return;
  }
  {
    const QSignalBlocker quiet(lstCompos);
    lstCompos->clear();
    for (int i = 1; i <= nComponentes; ++i) lstCompos->addItem(NombresComponentes(i));
  }
  if (CompoSel < 1 || CompoSel > nComponentes) CompoSel = 1;
  {
    const QSignalBlocker quiet(lstCompos);
    lstCompos->setCurrentIndex(CompoSel - 1);
  }
  lstCompos_Click();
}

void dlgTablaSalePDR2::lstCompos_Click() {
  if (nComponentes < 1) {
    unloadLater();
    return;
  }
  SeleccionaComponente(lstCompos);
  LlenaTablaSalePDRComponente();
}

void dlgTablaSalePDR2::LlenaTablaSalePDRComponente() {
  LlenaGrilla([this] {
    const QString nombre = lstCompos->currentText();
    Integer c = 1;
    for (int i = nComponentes; i >= 1; --i) {
      if (NombresComponentes(i) == nombre) c = static_cast<Integer>(i);
    }
    CompoSel = c;
    Bloque(c);
  });
}

void dlgTablaSalePDR2::OKButton_Click() {
  unloadLater();
}

void MuestraTablaSalePDR2() {
  MuestraTablaSerie<dlgTablaSalePDR2>();
}

}  // namespace tavo
