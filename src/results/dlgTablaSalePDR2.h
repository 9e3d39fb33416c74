// The series results of one component, chosen in the window's list, then the basin's totals.
#pragma once

#include <QComboBox>

#include "platform/forms.h"
#include "results/tablaserie.h"

namespace tavo {

class dlgTablaSalePDR2 : public SeriesTable, public FormInstance<dlgTablaSalePDR2> {
  Q_OBJECT
 public:
  dlgTablaSalePDR2();
  void Form_Load();
  void Form_Unload() {}
  // Fills the grid with the component named by the list's text (the first component when no
  // position has that name).
  void LlenaTablaSalePDRComponente();
  void Llena() override { LlenaTablaSalePDRComponente(); }
  // Selects the component of the list's text and fills the grid.
  void lstCompos_Click();
  void OKButton_Click() override;

  QComboBox* lstCompos;
};

// Shows the table without blocking; an open one comes to the front with the results in memory.
void MuestraTablaSalePDR2();

}  // namespace tavo
