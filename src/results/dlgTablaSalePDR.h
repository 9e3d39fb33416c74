// The series results of every component: one block of rows per component, one row per retained
// storm, then the basin's totals.
#pragma once

#include "platform/forms.h"
#include "results/tablaserie.h"

namespace tavo {

class dlgTablaSalePDR : public SeriesTable, public FormInstance<dlgTablaSalePDR> {
  Q_OBJECT
 public:
  dlgTablaSalePDR();
  void Form_Load();
  void Form_Unload() {}
  // Fills the grid with every component of the last run, CompoSel running over their positions.
  void LlenaTablaSalePDR();
  void Llena() override { LlenaTablaSalePDR(); }
  void OKButton_Click() override;
};

// Shows the table without blocking; an open one comes to the front with the results in memory.
void MuestraTablaSalePDR();

}  // namespace tavo
