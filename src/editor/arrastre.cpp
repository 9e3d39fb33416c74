// Pointer moves and releases on the editor's drawing: a vertex of the selected reach dragged with its
// rubber band and stored at the release, where a dropped downstream end may find a receiver; the
// selected unit, dam or lake moved with the pointer; and a unit, dam or lake linked to its receiver by
// dragging its link handle onto it. Positions are drawing units.
#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "project/estado.h"
#include "project/receptores.h"

namespace tavo {

namespace {

// A question of the drags, Yes or No.
bool Confirma(const QString& pregunta) {
  return MsgBox(pregunta, vbYesNo | vbQuestion, QStringLiteral("Consulta")) == vbYes;
}

// Whether reach `tramo` is to drain into reach `receptor`, naming the lake or dam that the redraw
// hands the reach on to when one drains into `receptor`.
QString PreguntaTributario(const QString& tramo, const QString& receptor) {
  const QString real = RerouteTarget(receptor);
  QString destino = QStringLiteral("del tramo ") + receptor;
  if (real != receptor) {
    destino = (EsLago(real) ? QStringLiteral("del lago ") : QStringLiteral("de la represa ")) + real +
              QStringLiteral(", que drena al tramo ") + receptor;
  }
  return QStringLiteral("¿El tramo de cauce ") + tramo + QStringLiteral(" es tributario ") + destino +
         QStringLiteral(" ?");
}

}  // namespace

void frmUEHs::picDibujo_MouseMove(int, int, Single X, Single Y) {
  // The moves that come while a question of this handler waits for its answer do nothing.
  if (enMovimiento_) return;
  enMovimiento_ = true;
  struct Libera {
    bool& bandera;
    ~Libera() { bandera = false; }
  } libera{enMovimiento_};

  if (selUEH == 0) ArrastraUEH = false;
  ScrollMovido = false;
  lblX->setFullText(PlainNumberText(X));
  lblY->setFullText(PlainNumberText(Y));

  if (MueveVertice(X, Y)) return;
  picDibujo->setDrawWidth(EspesorLinea);
  picDibujo->setDrawStyle(PenStyle::Solid);

  // While the head of the selected reach is selected, what drains into the reach links to the head.
  if (selVertice > 0 && selCauce > 0 && selVertice == RegistroN(vCauces, selCauce).numVertices) {
    const QString nombre = RegistroN(vCauces, selCauce).NombreCauce;
    const Single hx = XVertice(selCauce, selVertice);
    const Single hy = YVertice(selCauce, selVertice);
    auto sigue = [&](const auto& coleccion) {
      for (const auto& e : coleccion) {
        ElementoActual = e;
        if (e->Cauce_aa == nombre) FijaPuntoAcople(*e, hx, hy);
      }
    };
    sigue(colUEHs);
    sigue(colLagos);
    sigue(colRepresas);
  }

  // The selected unit follows the pointer.
  if (selUEH > 0 && !ArrastraAcopleUEH && ArrastraUEH && BotonAbajo && selCauce == 0 && selRepresa == 0 &&
      selLago == 0) {
    ScrollMovido = true;
    XIcono = X;
    YIcono = Y;
    UEH& u = RegistroN(vUEHs, selUEH);
    u.IconoUEHx = X;
    u.IconoUEHy = Y;
    DibujaRed();
  }
  if (selUEH > 0 && ArrastraAcopleUEH && ArrastraAcopleDeUEH(X, Y)) return;

  // A dam or lake follows the pointer while the pointer stays within three symbol sizes of it.
  const Single alcance = static_cast<Single>(3 * TamIcono);
  auto sigue = [&](Single& ax, Single& ay) {
    XIcono = X;
    YIcono = Y;
    if (Distancia(X, ax) < alcance && Distancia(Y, ay) < alcance) {
      ScrollMovido = true;
      ax = X;
      ay = Y;
      DibujaRed();
    }
  };
  if (selRepresa > 0 && !ArrastraAcopleRepresa && BotonAbajo && selCauce == 0 && selUEH == 0 &&
      selLago == 0) {
    Represa& r = RegistroN(vRepresas, selRepresa);
    sigue(r.IconoRepresaX, r.IconoRepresaY);
  }
  if (selRepresa > 0 && ArrastraAcopleRepresa) {
    Represa& r = RegistroN(vRepresas, selRepresa);
    if (ArrastraAcopleACauce(r, r.NombreRepresa, r.IconoRepresaX, r.IconoRepresaY,
                             QStringLiteral("Confirma el acople de la Represa <"),
                             QStringLiteral("de la represa ") + r.NombreRepresa, X, Y))
      return;
  }

  if (selLago > 0 && !ArrastraAcopleLago && BotonAbajo && selCauce == 0 && selRepresa == 0 && selUEH == 0) {
    Lago& l = RegistroN(vLagos, selLago);
    sigue(l.IconoLAGOx, l.IconoLAGOy);
  }
  if (selLago > 0 && ArrastraAcopleLago) {
    Lago& l = RegistroN(vLagos, selLago);
    ArrastraAcopleACauce(l, l.NombreLAGO, l.IconoLAGOx, l.IconoLAGOy,
                         QStringLiteral("Confirma el acople del LAGO <"),
                         QStringLiteral("del Lago") + l.NombreLAGO, X, Y);
  }
}

bool frmUEHs::MueveVertice(Single X, Single Y) {
  if (selCauce <= 0 || selVertice <= 0) return false;
  if (!BotonAbajo) {
    XVerticeNuevo = YVerticeNuevo = 0;
    NewVertexHeld = false;
    return false;
  }
  ScrollMovido = true;
  ResaltaCauceSeleccionado();

  // Moving the downstream end of a coupled reach takes it away from its receiver.
  Cauce& c = RegistroN(vCauces, selCauce);
  if (selVertice == 1 && c.Cauce_aa != QLatin1String("0")) {
    const bool redefine = Confirma(QStringLiteral("El tramo de cauce ") + c.NombreCauce +
                                   QStringLiteral(" es tributario del tramo ") + c.Cauce_aa +
                                   QStringLiteral(" , Desea redefinir el destino final del tramo ? "));
    CauceYaSeleccionado = false;
    if (!redefine) {
      selCauce = 0;
      selVertice = 0;
      DibujaRed();
      return true;
    }
    c.Cauce_aa = QStringLiteral("0");
  }

  // The band: the segments to the neighbouring vertices and a square around the dragged position;
  // the previous band is drawn over in white.
  const int v = selVertice;
  const int n = numVerticesCauce(selCauce);
  const double t = TolSeleccion;
  auto banda = [&](Single x, Single y, const QColor& color) {
    picDibujo->setDrawWidth(1);
    if (v > 1) picDibujo->line(XVertice(selCauce, v - 1), YVertice(selCauce, v - 1), x, y, color);
    if (v < n) picDibujo->line(x, y, XVertice(selCauce, v + 1), YVertice(selCauce, v + 1), color);
    picDibujo->setDrawWidth(2);
    picDibujo->box(x - t / 2, y - t / 2, x - t / 2 + t, y - t / 2 + t, color);
  };
  picDibujo->setDrawStyle(PenStyle::DashDot);
  if (NewVertexHeld) banda(XVerticeNuevo, YVerticeNuevo, kBlanco);
  banda(X, Y, kRojo);
  XVerticeNuevo = X;
  YVerticeNuevo = Y;
  NewVertexHeld = true;
  return false;
}

// ---- linking by dragging ----

void frmUEHs::BandaAcople(Single ax, Single ay, Single X, Single Y) {
  XIcono = ax;
  YIcono = ay;
  const double sx = XIcono;
  const double sy = YIcono + 1.5 * TamIcono;
  picDibujo->line(sx, sy, XAcople, YAcople, kBlanco);
  picDibujo->circle(XAcople, YAcople, TamIcono / 4, kBlanco);
  XAcople = X;
  YAcople = Y;
  picDibujo->setDrawWidth(2);
  picDibujo->line(sx, sy, X, Y, kRojo);
  picDibujo->circle(X, Y, TamIcono / 4, kRojo);
}

int frmUEHs::CauceEnRango(Single X, Single Y) {
  for (iCauce = 1; iCauce <= nCauces; ++iCauce) {
    if (EnCaja(X, Y, XCabecera(iCauce), YCabecera(iCauce), TamIcono)) return iCauce;
  }
  return 0;
}

void frmUEHs::EnlazaArrastre(Registro& componente, const QString& receptor, Single x, Single y) {
  XAcople = x;
  YAcople = y;
  FijaAcople(componente, receptor, XAcople, YAcople);
  selUEH = selCauce = selRepresa = selLago = selVertice = 0;
  // The link ends the drag: the release may have gone to the question instead of the drawing, and
  // the next press must pick afresh.
  BotonAbajo = ArrastraAcopleUEH = ArrastraAcopleRepresa = ArrastraAcopleLago = false;
  DibujaRed();
}

bool frmUEHs::RefusaOtroAcople(const QString& cauce, const Registro* propio, const QString& conexion) {
  bool otro = false;
  for (iRepresa = 1; iRepresa <= nRepresas; ++iRepresa) {
    const Represa& r = RegistroN(vRepresas, iRepresa);
    if (&r != propio && r.Cauce_aa == cauce) otro = true;
  }
  for (iLago = 1; iLago <= nLagos; ++iLago) {
    const Lago& l = RegistroN(vLagos, iLago);
    if (&l != propio && l.Cauce_aa == cauce) otro = true;
  }
  if (otro) {
    MsgBox(QStringLiteral("Ya existe otro acople a ese tramo de cauce. Revise el diagrama de conexión ") +
               conexion,
           vbOKOnly | vbExclamation);
  }
  return otro;
}

bool frmUEHs::ArrastraAcopleDeUEH(Single X, Single Y) {
  UEH& u = RegistroN(vUEHs, selUEH);
  BandaAcople(u.IconoUEHx, u.IconoUEHy, X, Y);
  const QString pregunta =
      QStringLiteral("Confirma el acople de la UEH <") + u.NombreUEH + QStringLiteral("> con ");

  // A reach head near the pointer is the only candidate offered at this move.
  if (const int k = CauceEnRango(X, Y)) {
    const QString cauce = RegistroN(vCauces, k).NombreCauce;
    if (Confirma(pregunta + QStringLiteral("el cauce <") + cauce + QStringLiteral(">")))
      EnlazaArrastre(u, cauce, XCabecera(k), YCabecera(k));
    return true;
  }
  // Else each dam, then each lake, whose symbol lies near the pointer, until one is accepted.
  const Single s = TamIcono;
  auto enRango = [&](Single a, Single b) {
    return EnCaja(X, Y, static_cast<Single>(a + s / 2), static_cast<Single>(b + s / 2), s);
  };
  for (const auto& r : colRepresas) {
    ElementoActual = r;
    if (!enRango(r->IconoRepresaX, r->IconoRepresaY)) continue;
    if (!Confirma(pregunta + QStringLiteral("la Represa <") + r->NombreRepresa + QStringLiteral(">")))
      continue;
    EnlazaArrastre(u, r->NombreRepresa, r->IconoRepresaX, r->IconoRepresaY);
    return true;
  }
  for (const auto& l : colLagos) {
    ElementoActual = l;
    if (!enRango(l->IconoLAGOx, l->IconoLAGOy)) continue;
    if (!Confirma(pregunta + QStringLiteral("la depresión lagunar <") + l->NombreLAGO + QStringLiteral(">")))
      continue;
    EnlazaArrastre(u, l->NombreLAGO, l->IconoLAGOx, l->IconoLAGOy);
    return true;
  }
  return false;
}

bool frmUEHs::ArrastraAcopleACauce(Registro& componente, const QString& nombre, Single ax, Single ay,
                                   const QString& pregunta, const QString& conexion, Single X, Single Y) {
  BandaAcople(ax, ay, X, Y);
  const int k = CauceEnRango(X, Y);
  if (k == 0) return false;
  const QString cauce = RegistroN(vCauces, k).NombreCauce;
  if (!Confirma(pregunta + nombre + QStringLiteral("> con el cauce <") + cauce + QStringLiteral(">")))
    return true;
  // A reach receives at most one dam or lake, and never one that it drains into.
  if (RefusaOtroAcople(cauce, &componente, conexion) || RefusesLoop(nombre, cauce)) return true;
  EnlazaArrastre(componente, cauce, XCabecera(k), YCabecera(k));
  return true;
}

// ---- release ----

void frmUEHs::picDibujo_MouseUp(int, int, Single, Single) {
  BotonAbajo = ArrastraAcopleUEH = ArrastraAcopleLago = ArrastraAcopleRepresa = ArrastraUEH = false;
  if (selCauce <= 0) return;
  CauceYaSeleccionado = true;
  if (selVertice <= 0) return;

  if (NewVertexHeld) {
    XVertice(selCauce, selVertice) = XVerticeNuevo;
    YVertice(selCauce, selVertice) = YVerticeNuevo;
    // A downstream end dropped on the head of another reach is offered to drain into it; the reach
    // itself and the reaches upstream of it are passed over, as draining into them would close a loop.
    if (selVertice == 1) {
      Cauce& c = RegistroN(vCauces, selCauce);
      for (iCauce = 1; iCauce <= nCauces; ++iCauce) {
        const QString receptor = RegistroN(vCauces, iCauce).NombreCauce;
        if (ClosesLoop(c.NombreCauce, receptor)) continue;
        if (!EnCaja(XVerticeNuevo, YVerticeNuevo, XCabecera(iCauce), YCabecera(iCauce), TolSeleccion))
          continue;
        if (Confirma(PreguntaTributario(c.NombreCauce, receptor))) {
          XVertice(selCauce, 1) = XCabecera(iCauce);
          YVertice(selCauce, 1) = YCabecera(iCauce);
          c.Cauce_aa = receptor;
        }
        break;
      }
    }
  }
  XVerticeNuevo = YVerticeNuevo = 0;
  NewVertexHeld = false;
  DibujaRed();
}

}  // namespace tavo
