// Coupling and uncoupling from the drawing's context menu: each command gives the selected component
// the selected receiver, or takes its receiver away, in memory, and redraws. A unit drains into a
// reach, a dam or a lake; a reach into a reach, a dam or a lake; a dam or a lake into a reach, which
// receives at most one of them. No coupling may close a loop of receivers.
#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "project/estado.h"
#include "project/receptores.h"

namespace tavo {

namespace {

// The selected reach drains into the dam or lake `receptor` anchored at (x, y), its downstream end on
// the symbol, unless that closes a loop.
void AcoplaCauce(const QString& receptor, Single x, Single y) {
  Cauce& c = RegistroN(vCauces, selCauce);
  if (RefusesLoop(c.NombreCauce, receptor)) return;
  c.Cauce_aa = receptor;
  XVertice(selCauce, 1) = x;
  YVertice(selCauce, 1) = y;
}

}  // namespace

frmUEHs::Acople frmUEHs::AcoplaACauce(Registro& componente, const QString& tipo, const QString& nombre,
                                      const QString& conexion) {
  const QString cauce = RegistroN(vCauces, selCauce).NombreCauce;
  if (componente.get(QStringLiteral("Cauce_aa")).toString() == cauce) {
    MsgBox(QStringLiteral("La ") + tipo + QStringLiteral(" <") + nombre +
               QStringLiteral("> ya está acoplada al cauce <") + cauce,
           vbOKOnly | vbExclamation);
    return Acople::Ya;
  }
  const int respuesta = MsgBox(QStringLiteral("Confirma el acople de la ") + tipo + QStringLiteral(" <") +
                                   nombre + QStringLiteral("> con el cauce <") + cauce + QStringLiteral(">"),
                               vbYesNo | vbQuestion, QStringLiteral("Consulta"));
  if (respuesta != vbYes) return Acople::No;
  if (!conexion.isEmpty() && (RefusaOtroAcople(cauce, &componente, conexion) || RefusesLoop(nombre, cauce)))
    return Acople::Si;
  XAcople = XCabecera(selCauce);
  YAcople = YCabecera(selCauce);
  FijaAcople(componente, cauce, XAcople, YAcople);
  return Acople::Si;
}

void frmUEHs::mnu_acoplaUEHaCauce_Click() {
  if (selUEH < 1 || selCauce < 1) return;
  UEH& u = RegistroN(vUEHs, selUEH);
  if (AcoplaACauce(u, QStringLiteral("UEH"), u.NombreUEH, QString()) == Acople::No) return;
  selUEH = selCauce = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaRepresaaCauce_Click() {
  if (selRepresa < 1 || selCauce < 1) return;
  Represa& r = RegistroN(vRepresas, selRepresa);
  if (AcoplaACauce(r, QStringLiteral("Represa"), r.NombreRepresa,
                   QStringLiteral("de la represa ") + r.NombreRepresa) == Acople::No)
    return;
  selRepresa = selCauce = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaLAGOaCauce_Click() {
  if (selLago < 1 || selCauce < 1) return;
  Lago& l = RegistroN(vLagos, selLago);
  const Acople acople =
      AcoplaACauce(l, QStringLiteral("LAGO"), l.NombreLAGO, QStringLiteral("del Lago") + l.NombreLAGO);
  if (acople == Acople::No) return;
  if (acople == Acople::Si) selUEH = 0;
  selLago = selCauce = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaUEHaRepresa_Click() {
  if (selUEH < 1 || selRepresa < 1) return;
  const Represa& r = RegistroN(vRepresas, selRepresa);
  FijaAcople(RegistroN(vUEHs, selUEH), r.NombreRepresa, r.IconoRepresaX, r.IconoRepresaY);
  selUEH = selRepresa = selLago = selCauce = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaUEHaLago_Click() {
  if (selUEH < 1 || selLago < 1) return;
  const Lago& l = RegistroN(vLagos, selLago);
  FijaAcople(RegistroN(vUEHs, selUEH), l.NombreLAGO, l.IconoLAGOx, l.IconoLAGOy);
  selUEH = selLago = selCauce = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaCauceaRepresa_Click() {
  if (selCauce < 1 || selRepresa < 1) return;
  const Represa& r = RegistroN(vRepresas, selRepresa);
  AcoplaCauce(r.NombreRepresa, r.IconoRepresaX, r.IconoRepresaY);
  selCauce = selRepresa = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaCauceaLago_Click() {
  if (selCauce < 1 || selLago < 1) return;
  const Lago& l = RegistroN(vLagos, selLago);
  AcoplaCauce(l.NombreLAGO, l.IconoLAGOx, l.IconoLAGOy);
  selCauce = selLago = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_acoplaCauce1aCauce2_Click() {
  if (selCauce < 1 || selCauce2 < 1 || selCauce == selCauce2) return;
  Cauce& tributario = RegistroN(vCauces, selCauce2);
  const QString receptor = RegistroN(vCauces, selCauce).NombreCauce;
  if (!RefusesLoop(tributario.NombreCauce, receptor)) tributario.Cauce_aa = receptor;
  selCauce2 = selCauce = 0;
  DibujaRed();
}

void frmUEHs::mnu_desacoplaUEH_Click() {
  if (selUEH < 1) return;
  FijaAcople(RegistroN(vUEHs, selUEH), QStringLiteral("0"), 0, 0);
  selCauce = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_desacoplaCauce_Click() {
  if (selCauce < 1) return;
  RegistroN(vCauces, selCauce).Cauce_aa = QStringLiteral("0");
  selCauce = selVertice = 0;
  DibujaRed();
}

void frmUEHs::mnu_desacoplaRepresa_Click() {
  if (selRepresa < 1) return;
  FijaAcople(RegistroN(vRepresas, selRepresa), QStringLiteral("0"), 0, 0);
  selCauce = selVertice = selRepresa = selLago = 0;
  DibujaRed();
}

void frmUEHs::mnu_desacoplaLAGO_Click() {
  if (selLago < 1) return;
  FijaAcople(RegistroN(vLagos, selLago), QStringLiteral("0"), 0, 0);
  selCauce = selVertice = selLago = 0;
  DibujaRed();
}

}  // namespace tavo
