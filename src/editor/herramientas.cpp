// The editor's tools and view controls: the toolbar, whose pressed button is the tool the pointer
// works with; the line width, background picture and stream-order buttons; zoom, scroll and centring.
#include <QAction>

#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/ordencauces.h"
#include "shell/frmImagenFondo.h"

namespace tavo {

namespace {

// The group of tool buttons and the save button, which the select button releases.
constexpr std::initializer_list<const char*> kBotonesHerramienta = {
    "btn_toolbarUEH",  "btn_toolbarBorraTodo", "btn_toolbarCauce",     "btn_toolbarLongArea",
    "btn_toolbarLAGO", "btn_toolbarRepresa",   "btn_toolbarGuardaUEHs"};

}  // namespace

bool frmUEHs::HerramientaActiva(const QString& key) const {
  const QAction* boton = BotonToolbar(key);
  return boton && boton->isChecked();
}

void frmUEHs::LevantaBotones(std::initializer_list<const char*> keys) {
  for (const char* key : keys) BotonToolbar(QString::fromLatin1(key))->setChecked(false);
}

void frmUEHs::PunteroCruz(bool cruz) {
  if (cruz) {
    setCursor(Qt::CrossCursor);
  } else {
    unsetCursor();
  }
}

void frmUEHs::ToolbarUEHs_ButtonClick(const QString& key) {
  selCauce = selCauce2 = selVertice = selUEH = selRepresa = selLago = 0;
  // Choosing any button ends the reach being drawn; the reach tool starts a new one.
  nVerticesTrazado = 0;
  // A failing statement is skipped and the next one runs.
  auto paso = [](const std::function<void()>& accion) {
    try {
      accion();
    } catch (const VbError&) {
    }
  };
  auto levantaSeleccion = [this] { LevantaBotones({"btn_toolbarSelecciona"}); };

  if (key == QLatin1String("btn_toolbarUEH")) {
    paso([this] { DibujaRed(); });
    PunteroCruz(true);
    levantaSeleccion();
  } else if (key == QLatin1String("btn_toolbarCauce")) {
    levantaSeleccion();
    paso([this] { IniciaTrazadoCauce(); });
  } else if (key == QLatin1String("btn_toolbarLAGO") || key == QLatin1String("btn_toolbarRepresa")) {
    levantaSeleccion();
    paso([this] { DibujaRed(); });
    PunteroCruz(true);
  } else if (key == QLatin1String("btn_toolbarLongArea")) {
    levantaSeleccion();
    PunteroCruz(true);
    nPuntosMedida = 0;
  } else if (key == QLatin1String("btn_toolbarSelecciona")) {
    if (HerramientaActiva(key)) {
      LevantaBotones(kBotonesHerramienta);
      PunteroCruz(false);
    }
    paso([this] { DibujaRed(); });
  } else if (key == QLatin1String("btn_toolbarBorraTodo")) {
    levantaSeleccion();
    const int respuesta = MsgBox(QStringLiteral("¿Desea borrar todos los componentes de UEHs ?:"),
                                 vbYesNo | vbQuestion, QStringLiteral("ADVERTENCIA ! "));
    if (respuesta == vbYes) {
      // The network in memory only: the project's files change at the next save, which deletes them
      // when the network is still empty.
      colUEHs.clear();
      colCauces.clear();
      colRepresas.clear();
      colLagos.clear();
      LevantaBotones({"btn_toolbarBorraTodo"});
      nCauces = nUEHs = nRepresas = nLagos = 0;
      paso([this] { DibujaRed(); });
    } else {
      LevantaBotones({"btn_toolbarBorraTodo"});
    }
  } else if (key == QLatin1String("btn_toolbarGuardaUEHs")) {
    LevantaBotones({"btn_toolbarSelecciona", "btn_toolbarUEH", "btn_toolbarBorraTodo", "btn_toolbarCauce",
                    "btn_toolbarLongArea", "btn_toolbarLAGO", "btn_toolbarRepresa"});
    PunteroCruz(false);
    selCauce = selCauce2 = selVertice = selUEH = selRepresa = selLago = 0;
    paso([this] { mnu_btn_toolbarGuardaUEHs(); });
    LevantaBotones({"btn_toolbarGuardaUEHs"});
  } else if (key == QLatin1String("btn_toolbarSalir")) {
    levantaSeleccion();
    CierraEditorUEHs();
  }
}

void frmUEHs::cmdAnchoLineaDib_Click() {
  EspesorLinea = CInt(EspesorLinea + EspesorLinea / 2.0);
  if (EspesorLinea > 16) EspesorLinea = 2;
  TamIcono = static_cast<Single>(EspesorLinea * 1.5 + 4);
  DibujaRed();
}

void frmUEHs::cmdImagenUEHs_Click() {
  try {
    if (ImagenVisible) {
      cmdImagenUEHs->setIcon(QIcon());
      cmdImagenUEHs->setText(QStringLiteral("Mostrar Imágen"));
      ImagenVisible = false;
      DibujaRed();
      return;
    }
    frmImagenFondo& imagen = frmImagenFondo::instance();
    imagen.resize(size());
    imagen.SetInnerSize(Twips(width()), Twips(height()));
    if (ArchivoImagenFondo == QLatin1String("Ninguno")) Raise(kErrFileNotFound);
    imagen.LoadPicture(ArchivoImagenFondo);
    AnchoImagen = CLng(imagen.PictureWidthHiMetric() / static_cast<double>(kTwipsPerPixel));
    AltoImagen = CLng(imagen.PictureHeightHiMetric() / static_cast<double>(kTwipsPerPixel));
    if (nCauces == 0) {
      XMaxDibujo = static_cast<Single>(AnchoImagen);
      XMinDibujo = 1;
      YMaxDibujo = static_cast<Single>(AltoImagen);
      YMinDibujo = 1;
    }
    cmdImagenUEHs->setText(QStringLiteral("Quitar Imágen"));
    ImagenVisible = true;
    DibujaRed();
  } catch (const VbError& e) {
    if (e.number == kErrFileNotFound || ArchivoImagenFondo == QLatin1String("Ninguno")) {
      MsgBox(QStringLiteral(
          "Para desplegar una imágen de fondo de trabajo debe cargar previamente el archivo imagen "
          "(tipo .jpg .gif .bmp y .wmf) desde el menú Opciones de Configuración"));
    }
  }
}

void frmUEHs::cmdOrdenCauce_Click() {
  picDibujo->setCursor(Qt::WaitCursor);
  setCursor(Qt::WaitCursor);
  CalculaOrdenCauces();
  picDibujo->setFontBold(true);
  MuestraOrden = !MuestraOrden;
  if (MuestraOrden) {
    DibujaRed();
    // Each reach's order beside its second vertex, as a number is printed: a blank for the sign,
    // the digits and a blank. A reach of one vertex has no second vertex and gets no label.
    for (const auto& c : colCauces) {
      if (numVerticesCauce(c->numCauce) < 2) continue;
      picDibujo->setCurrent(XVertice(c->numCauce, 2) - 1.5 * TolSeleccion, YVertice(c->numCauce, 2));
      picDibujo->print(NumberText(c->OrdenCauce) + QLatin1Char(' '));
    }
  } else {
    DibujaRed();
    picDibujo->setFontBold(false);
  }
  picDibujo->setFontBold(false);
  picDibujo->unsetCursor();
  unsetCursor();
}

void frmUEHs::mnu_ZoomAll_Click() {
  selCauce = selVertice = selUEH = selRepresa = 0;
  CentrarVista = true;
  ZoomTotal = true;
  ViewHeld = false;
  DibujaRed();
}

void frmUEHs::mnu_CentrarDibujo_Click() {
  selCauce = selVertice = selUEH = selRepresa = selLago = 0;
  CentrarVista = true;
  ViewHeld = false;
  DibujaRed();
}

void frmUEHs::sldEscala_Click() {
  CentrarVista = true;
  ZoomTotal = false;
  ViewHeld = false;
  DibujaRed();
}

void frmUEHs::ScrEscalaHor_Change() {
  CentrarVista = false;
  ZoomTotal = false;
  DibujaRed();
}

void frmUEHs::ScrEscalaVer_Change() {
  ScrEscalaHor_Change();
}

}  // namespace tavo
