// Presses, double clicks and keys on the editor's drawing: what each tool does at a click, the picking
// of reaches, vertices, units, dams and lakes with the select tool, and the keys that delete, finish
// and place. Positions are drawing units.
#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "project/estado.h"

namespace tavo {

namespace {

// The link handle of a unit, dam or lake anchored at (ax, ay): the ring below its symbol.
bool EnAsa(Single x, Single y, Single ax, Single ay) {
  const Single s = TamIcono;
  return EnCaja(x, y, ax, static_cast<Single>(ay + 3.5 * s), 2.0 * s);
}

// The box that picks a unit or a dam: 1.5 symbol sizes right of and below its anchor.
bool EnCuadro(Single x, Single y, Single ax, Single ay) {
  const double lado = 1.5 * TamIcono;
  return ax <= x && x <= ax + lado && ay < y && y <= ay + lado;
}

}  // namespace

void frmUEHs::picDibujo_MouseDown(int Button, int, Single X, Single Y) {
  BotonAbajo = true;
  ArrastraUEH = false;
  if (selUEH > 0 || selRepresa > 0 || selLago > 0) selCauce2 = 0;
  XAcople = X;
  YAcople = Y;
  lblX->setFullText(PlainNumberText(XIcono));
  lblY->setFullText(PlainNumberText(YIcono));

  // A press on the selected unit's symbol starts dragging it.
  if (Button != 2 && selUEH > 0) {
    const UEH& u = RegistroN(vUEHs, selUEH);
    if (EnCaja(X, Y, u.IconoUEHx, u.IconoUEHy, 1.7 * TamIcono)) {
      ArrastraUEH = true;
      return;
    }
  }
  if (Button == 1) {
    if (HerramientaActiva(QStringLiteral("btn_toolbarCauce"))) PresionTrazado(X, Y);
    if (HerramientaActiva(QStringLiteral("btn_toolbarSelecciona"))) PresionSeleccion(X, Y);
    PresionLagos(X, Y);
    PresionColocacion(X, Y);
  } else if (Button == 2) {
    MuestraMenuDibujo();
  }
  if (selUEH == 0) ArrastraUEH = false;
  if (selCauce == 0) selCauce2 = 0;
}

void frmUEHs::PresionTrazado(Single X, Single Y) {
  CauceYaSeleccionado = false;
  picDibujo->setDrawWidth(EspesorLinea);
  picDibujo->setDrawStyle(PenStyle::Solid);
  // The click after the last vertex a reach can have finishes the reach as a double click does; its
  // own position is not kept.
  if (nVerticesTrazado >= kMaxVerticesTrazado) {
    picDibujo_DblClick();
    return;
  }
  if (nVerticesTrazado == 0) {
    if (ExcedeLimite(nCauces, kMaxCauces, "No se pueden ingresar más de 70 tramos de cauce")) return;
    picDibujo->setDrawWidth(PlumaFina(EspesorLinea));
    picDibujo->point(X, Y, kAzul);
  } else {
    picDibujo->setDrawWidth(PlumaFina(EspesorLinea));
    picDibujo->line(XTrazado(nVerticesTrazado), YTrazado(nVerticesTrazado), X, Y, kAzul);
  }
  ++nVerticesTrazado;
  XTrazado(nVerticesTrazado) = X;
  YTrazado(nVerticesTrazado) = Y;
}

void frmUEHs::PresionSeleccion(Single X, Single Y) {
  // The second press on the selected reach picks one of its vertices.
  if (selCauce > 0 && CauceYaSeleccionado) {
    selVertice = 0;
    for (int j = 1; j <= numVerticesCauce(selCauce); ++j) {
      if (EnCaja(X, Y, XVertice(selCauce, j), YVertice(selCauce, j), TolSeleccion)) {
        selVertice = static_cast<Integer>(j);
        break;
      }
    }
  }
  if (selCauce > 0) {
    selCauce2 = selCauce;
    selRepresa = selLago = selUEH = 0;
  }
  if (selVertice == 0 || selCauce == 0) {
    CauceYaSeleccionado = false;
    // A reach with a vertex at the press, then one with a vertex within half the tolerance: the
    // last such reach is selected; none keeps the selection.
    for (int i = 1; i <= nCauces; ++i) {
      for (int j = 1; j <= numVerticesCauce(i); ++j) {
        if (X == XVertice(i, j) && Y == YVertice(i, j)) {
          selCauce = static_cast<Integer>(i);
          break;
        }
      }
    }
    TolSeleccion = CInt(0.02 * picDibujo->scaleWidth());
    for (int i = 1; i <= nCauces; ++i) {
      for (int j = 1; j <= numVerticesCauce(i); ++j) {
        if (EnCaja(X, Y, XVertice(i, j), YVertice(i, j), TolSeleccion / 2.0)) {
          selCauce = static_cast<Integer>(i);
          break;
        }
      }
    }
  }

  // Units: the selected unit's link handle, else a unit under the press.
  if (selUEH > 0) {
    selRepresa = selLago = 0;
    const UEH& u = RegistroN(vUEHs, selUEH);
    XIcono = u.IconoUEHx;
    YIcono = u.IconoUEHy;
    ArrastraAcopleUEH = EnAsa(XAcople, YAcople, XIcono, YIcono);
  }
  if (!ArrastraAcopleUEH) {
    XIcono = X;
    YIcono = Y;
    for (const auto& u : colUEHs) {
      ElementoActual = u;
      if (EnCuadro(X, Y, u->IconoUEHx, u->IconoUEHy)) {
        selUEH = u->numUEH;
        XAcople = u->XCauce;
        YAcople = u->YCauce;
        break;
      }
    }
  }
  if (selCauce > 0) ResaltaCauceSeleccionado();
  if (selUEH > 0) DibujaRed();
  if (selCauce > 0) DibujaRed();

  // Dams: the selected dam's link handle, else a dam under the press.
  if (selRepresa > 0) {
    const Represa& r = RegistroN(vRepresas, selRepresa);
    XIcono = r.IconoRepresaX;
    YIcono = r.IconoRepresaY;
    if (EnAsa(X, Y, XIcono, YIcono)) ArrastraAcopleRepresa = true;
  }
  if (!ArrastraAcopleRepresa) {
    for (const auto& r : colRepresas) {
      ElementoActual = r;
      if (!EnCuadro(X, Y, r->IconoRepresaX, r->IconoRepresaY)) continue;
      selRepresa = r->numRepresa;
      XAcople = r->XCauce;
      YAcople = r->YCauce;
      if (selCauce > 0) selUEH = 0;
      if (selUEH > 0) selCauce = selVertice = 0;
      selLago = 0;
      break;
    }
  }
  if (selCauce > 0) ResaltaCauceSeleccionado();
  if (selRepresa > 0) DibujaRed();
}

void frmUEHs::PresionLagos(Single X, Single Y) {
  const Single s = TamIcono;
  if (selLago > 0) {
    selRepresa = 0;
    const Lago& l = RegistroN(vLagos, selLago);
    XIcono = l.IconoLAGOx;
    YIcono = l.IconoLAGOy;
    if (EnAsa(X, Y, XIcono, YIcono)) ArrastraAcopleLago = true;
  }
  if (HerramientaActiva(QStringLiteral("btn_toolbarSelecciona")) && !ArrastraAcopleLago) {
    for (const auto& l : colLagos) {
      ElementoActual = l;
      const bool dentro = l->IconoLAGOx - s <= X && X <= l->IconoLAGOx + s && l->IconoLAGOy - 2.0 * s < Y &&
                          Y <= l->IconoLAGOy + 2.0 * s;
      if (!dentro) continue;
      selLago = l->numLAGO;
      XAcople = l->XCauce;
      YAcople = l->YCauce.toSingle();
      selRepresa = 0;
      if (selCauce > 0) selUEH = 0;
      if (selUEH > 0) selCauce = selVertice = 0;
      break;
    }
  }
  if (selCauce > 0) ResaltaCauceSeleccionado();
  if (selLago > 0) DibujaRed();
}

void frmUEHs::PresionColocacion(Single X, Single Y) {
  // Each place tool adds its component at the press and draws its symbol before the redraw.
  auto coloca = [&](Integer& cuenta, Integer& numero, void (frmUEHs::*agrega)(), void (frmUEHs::*dibuja)()) {
    XIcono = X;
    YIcono = Y;
    const Integer antes = cuenta;
    (this->*agrega)();
    if (cuenta > antes) {
      numero = cuenta;
      (this->*dibuja)();
    }
    DibujaRed();
  };
  if (HerramientaActiva(QStringLiteral("btn_toolbarUEH"))) {
    coloca(nUEHs, iUEH, &frmUEHs::AgregaUEH, &frmUEHs::DibujaIconoUEH);
  } else if (HerramientaActiva(QStringLiteral("btn_toolbarRepresa"))) {
    coloca(nRepresas, iRepresa, &frmUEHs::AgregaRepresa, &frmUEHs::DibujaIconoRepresa);
  } else if (HerramientaActiva(QStringLiteral("btn_toolbarLAGO"))) {
    coloca(nLagos, iLago, &frmUEHs::AgregaLago, &frmUEHs::DibujaIconoLago);
  } else if (HerramientaActiva(QStringLiteral("btn_toolbarLongArea"))) {
    AgregaPuntoMedida(X, Y);
  }
}

void frmUEHs::picDibujo_DblClick() {
  // A double click on a selected component opens its dialog; one that finishes the reach being drawn
  // keeps the view, as Enter does; else it measures and shows the whole network.
  if (selCauce > 0) return MuestraDlgCauceEditProp();
  if (selUEH > 0) return MuestraDlgUEH2();
  if (selLago > 0) return MuestraDlgLago();
  if (selRepresa > 0) return MuestraDlgRepresas();
  if (HerramientaActiva(QStringLiteral("btn_toolbarLongArea"))) modCalculoLongArea();
  if (HerramientaActiva(QStringLiteral("btn_toolbarCauce")) && nVerticesTrazado > 1) return AgregaCauce();
  CentrarVista = true;
  ZoomTotal = true;
  ViewHeld = false;
  DibujaRed();
}

void frmUEHs::Form_KeyDown(int KeyCode, int) {
  // Delete removes each selected component, each on the selection the previous deletion left.
  if (KeyCode == 46) {
    if (selCauce > 0) EliminaCauce();
    if (selUEH > 0) EliminaUEH();
    if (selRepresa > 0) EliminaRepresa();
    if (selLago > 0) EliminaLago();
  }
  if (KeyCode == 45 && selCauce > 0) MuestraDlgCauceEditProp();
}

void frmUEHs::picDibujo_KeyDown(int KeyCode, int) {
  // F2 the context menu; F3 to F6 the dialogs of units, reaches, dams and lakes, when the network has
  // one of the kind.
  if (KeyCode == 113) MuestraMenuDibujo();
  if (KeyCode == 114 && nUEHs > 0) MuestraDlgUEH2();
  if (KeyCode == 115 && nCauces > 0) MuestraDlgCauceEditProp();
  if (KeyCode == 116 && nRepresas > 0) MuestraDlgRepresas();
  if (KeyCode == 117 && nLagos > 0) MuestraDlgLago();
}

void frmUEHs::picDibujo_KeyPress(int KeyAscii) {
  if (KeyAscii != 13) return;
  if (HerramientaActiva(QStringLiteral("btn_toolbarLongArea"))) {
    if (nPuntosMedida > 2) modCalculoLongArea();
    return;
  }
  if (HerramientaActiva(QStringLiteral("btn_toolbarCauce"))) {
    if (nVerticesTrazado > 1) AgregaCauce();
    return;
  }
  void (frmUEHs::*agrega)() = nullptr;
  if (HerramientaActiva(QStringLiteral("btn_toolbarUEH"))) agrega = &frmUEHs::AgregaUEH;
  if (HerramientaActiva(QStringLiteral("btn_toolbarRepresa"))) agrega = &frmUEHs::AgregaRepresa;
  if (HerramientaActiva(QStringLiteral("btn_toolbarLAGO"))) agrega = &frmUEHs::AgregaLago;
  if (!agrega) return;
  // Enter places at half the width and half the height of the network's extent; without an extent
  // (no reach and no unit), in the middle of the visible drawing.
  if (XMaxDibujo < XMinDibujo || YMaxDibujo < YMinDibujo) {
    XIcono = static_cast<Single>(picDibujo->scaleLeft() + picDibujo->scaleWidth() / 2);
    YIcono = static_cast<Single>(picDibujo->scaleTop() + picDibujo->scaleHeight() / 2);
  } else {
    XIcono = (XMaxDibujo - XMinDibujo) / 2;
    YIcono = (YMaxDibujo - YMinDibujo) / 2;
  }
  (this->*agrega)();
  DibujaRed();
}

}  // namespace tavo
