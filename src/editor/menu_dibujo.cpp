// The context menu of the editor's drawing, which offers for the current selection the property
// dialogs, the coupling and uncoupling commands and the division of a reach; and the openers of the
// property dialogs of units, reaches, dams and lakes, which show them over the editor, and close them
// with it.
#include <QCursor>

#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"
#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "project/estado.h"
#include "project/receptores.h"
#include "reservoirs/dlgTablaReservorio.h"

namespace tavo {

QAction* frmUEHs::ItemMenuDibujo(const QString& name) const {
  return mnu_DibujoSec->findChild<QAction*>(name);
}

void frmUEHs::ConectaItem(const char* name, void (frmUEHs::*handler)()) {
  ConnectGuarded(ItemMenuDibujo(QString::fromLatin1(name)), &QAction::triggered, this, handler);
}

void frmUEHs::MuestraMenuDibujo() {
  DibujaRed();
  OfreceComandosMenu();
  mnu_DibujoSec->popup(QCursor::pos());
}

bool frmUEHs::AtajoMenuDibujo(const QKeyEvent& tecla) {
  if (!(tecla.modifiers() & Qt::ControlModifier)) return false;
  const QKeySequence teclas(tecla.keyCombination());
  for (QAction* item : mnu_DibujoSec->actions()) {
    if (item->shortcut().isEmpty() || item->shortcut() != teclas) continue;
    OfreceComandosMenu();
    if (item->isEnabled()) item->trigger();
    return true;
  }
  return false;
}

void frmUEHs::OfreceComandosMenu() {
  // Every command is offered only when the selection allows it; centring and zoom always are.
  struct Comando {
    const char* name;
    bool disponible;
  };
  auto receptor = [](const QString& r) { return TieneReceptor(r); };
  const bool soloCauce = selUEH == 0 && selRepresa == 0 && selLago == 0;
  const Comando comandos[] = {
      {"mnu_PopUpCauceEditPropiedades", selCauce >= 1 && soloCauce},
      {"mnu_DivideCauce", selCauce >= 1 && selVertice >= 1 && selUEH == 0 && selRepresa == 0},
      {"mnu_PopUpdlgUEH2", selUEH >= 1 && selCauce == 0 && selRepresa == 0 && selLago == 0},
      {"mnu_acoplaUEHaCauce", selUEH >= 1 && selCauce >= 1},
      {"mnu_acoplaUEHaLago", selUEH >= 1 && selLago >= 1},
      {"mnu_acoplaUEHaRepresa", selUEH >= 1 && selRepresa >= 1},
      {"mnu_desacoplaUEH", selUEH >= 1 && receptor(RegistroN(vUEHs, selUEH).Cauce_aa)},
      {"mnu_desacoplaLAGO", selLago >= 1 && receptor(RegistroN(vLagos, selLago).Cauce_aa)},
      {"mnu_desacoplaRepresa", selRepresa >= 1 && receptor(RegistroN(vRepresas, selRepresa).Cauce_aa)},
      {"mnu_PopUpdlgRepresa", selRepresa >= 1 && selCauce == 0 && selUEH == 0 && selLago == 0},
      {"mnu_acoplaRepresaaCauce", selRepresa >= 1 && selCauce >= 1},
      {"mnu_PopUpdlgLAGO", selLago >= 1 && selCauce == 0 && selUEH == 0 && selRepresa == 0},
      {"mnu_acoplaLAGOaCauce", selLago >= 1 && selCauce >= 1},
      {"mnu_acoplaCauce1aCauce2",
       selCauce >= 1 && selCauce2 >= 1 && selCauce != selCauce2 &&
           RegistroN(vCauces, selCauce2).Cauce_aa != RegistroN(vCauces, selCauce).NombreCauce},
      {"mnu_acoplaCauceaRepresa", selCauce >= 1 && selRepresa >= 1},
      {"mnu_acoplaCauceaLago", selCauce >= 1 && selLago >= 1},
      {"mnu_desacoplaCauce", selCauce >= 1 && receptor(RegistroN(vCauces, selCauce).Cauce_aa)},
  };
  for (const Comando& c : comandos) ItemMenuDibujo(QString::fromLatin1(c.name))->setEnabled(c.disponible);

  // The reach-to-reach command names the reach picked first and the one it will drain into: the
  // reach picked last, or the lake or dam that takes over that reach's inflows.
  QAction* cauce1aCauce2 = ItemMenuDibujo(QStringLiteral("mnu_acoplaCauce1aCauce2"));
  QString texto = QStringLiteral("Acopla Cauce 1 a Cauce 2");
  if (cauce1aCauce2->isEnabled()) {
    auto nombre = [](QString n) { return n.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    const QString receptor = RegistroN(vCauces, selCauce).NombreCauce;
    const QString destino = RerouteTarget(receptor);
    texto = QStringLiteral("Acopla Cauce ") + nombre(RegistroN(vCauces, selCauce2).NombreCauce) +
            QStringLiteral(" a ");
    if (destino == receptor) {
      texto += QStringLiteral("Cauce ") + nombre(receptor);
    } else {
      texto += (EsLago(destino) ? QStringLiteral("Lago ") : QStringLiteral("Represa ")) + nombre(destino) +
               QStringLiteral(", que drena a ") + nombre(receptor);
    }
  }
  cauce1aCauce2->setText(texto);
}

void frmUEHs::mnu_PopUpdlgUEH2_Click() {
  MuestraDlgUEH2();
}
void frmUEHs::mnu_PopUpCauceEditPropiedades_Click() {
  MuestraDlgCauceEditProp();
}
void frmUEHs::mnu_PopUpdlgLAGO_Click() {
  MuestraDlgLago();
}
void frmUEHs::mnu_PopUpdlgRepresa_Click() {
  MuestraDlgRepresas();
}

// ---- the openers ----

void frmUEHs::MuestraDlgUEH2() {
  setEnabled(false);
  // Loading shows the selected unit, the first when none is; a dialog without units closes at once
  // and gives the editor back.
  dlgUEH2& dialogo = dlgUEH2::instance();
  ShowModeless(&dialogo, false);
  if (dlgUEH2::isLoaded()) dialogo.lblNroUEH->setText(QString::number(selUEH));
}

void frmUEHs::MuestraDlgRepresas() {
  setEnabled(false);
  dlgRepresas& dialogo = dlgRepresas::instance();
  ShowModeless(&dialogo, false);
  if (dlgRepresas::isLoaded()) dialogo.lblNroRepresa->setText(QString::number(selRepresa));
}

void frmUEHs::MuestraDlgLago() {
  setEnabled(false);
  dlgLago& dialogo = dlgLago::instance();
  ShowModeless(&dialogo, false);
  if (dlgLago::isLoaded()) dialogo.lblNroLAGO->setText(QString::number(selLago));
}

void frmUEHs::MuestraDlgCauceEditProp() {
  // The reach dialog disables the editor itself while it loads.
  if (colCauces.empty()) return;
  dlgCauceEditProp& dialogo = dlgCauceEditProp::instance();
  ShowModeless(&dialogo, false);
  if (dlgCauceEditProp::isLoaded()) dialogo.activateWindow();
}

void frmUEHs::CloseComponentDialogs() {
  // A table window first: it gives its dialog back its input.
  if (dlgTablaSHVQ::isLoaded()) dlgTablaSHVQ::object().CancelButton_Click();
  if (dlgTablaSHV::isLoaded()) dlgTablaSHV::object().CancelButton_Click();
  if (dlgTablaFQ::isLoaded()) dlgTablaFQ::object().CancelButton_Click();
  if (dlgUEH2::isLoaded()) dlgUEH2::object().CancelButton_Click();
  if (dlgCauceEditProp::isLoaded()) dlgCauceEditProp::object().CancelButton_Click();
  if (dlgLago::isLoaded()) dlgLago::object().CancelButton_Click();
  if (dlgRepresas::isLoaded()) dlgRepresas::object().CancelButton_Click();
}

}  // namespace tavo
