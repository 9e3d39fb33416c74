// The pictures of the help: drives the program the way a user does, from a new project to its
// hydrographs and storm series, and saves the image of each window it passes into the folder given
// (the help's picture folder), and the README's picture into docs. Run it on a screen without display:
// `make capturas`.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"
#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/frmPp.h"
#include "formulas/dlgEmpiricas.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/seqfile.h"
#include "project/dlgEliminarProyecto.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "rainfall/dlgDisPpPer.h"
#include "rainfall/dlgPp.h"
#include "rainfall/dlgPpReal.h"
#include "rainfall/dlgTablaPpUEHs.h"
#include "rainfall/dlgTablasPDRs.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "results/dlgChart1.h"
#include "results/dlgChart2.h"
#include "results/dlgChart3.h"
#include "results/dlgTablaSalePDR.h"
#include "results/dlgTablaSalePDR2.h"
#include "shell/MDIForm1.h"
#include "shell/frmAbout.h"
#include "shell/frmAyuda.h"
#include "shell/inicio.h"

namespace tavo {
namespace {

QString Destino;                   // the folder of the pictures
constexpr int kAnchoMaximo = 600;  // pixels: what a help page shows without scrolling on a small screen
ScriptedDialogs Respuestas;        // every message answered with its first button, every name as queued

// Lets the windows lay themselves out and paint.
void Espera() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
  }
}

// Saves the image of a window (its inside; the frame belongs to the desktop).
void Guarda(QWidget* ventana, const char* nombre) {
  Espera();
  // A box shows its text as typed, not selected as the last box to get the focus left it.
  for (QLineEdit* caja : ventana->findChildren<QLineEdit*>()) caja->deselect();
  const QString ruta = Destino + QLatin1Char('/') + QString::fromLatin1(nombre) + QStringLiteral(".png");
  QImage imagen = ventana->grab().toImage();
  // Wider pictures are made to fit the page of a help window on a small screen.
  if (imagen.width() > kAnchoMaximo) imagen = imagen.scaledToWidth(kAnchoMaximo, Qt::SmoothTransformation);
  if (!imagen.save(ruta)) std::fprintf(stderr, "no se pudo guardar %s\n", qPrintable(ruta));
  std::printf("%s\n", nombre);
}

// Types into a box as a user does and leaves it, so that its check runs.
[[maybe_unused]] void Escribe(QLineEdit* caja, const QString& texto) {
  caja->setFocus();
  caja->setText(texto);
  if (auto* validada = qobject_cast<ValidatedBox*>(caja)) validada->validate();
}

// Runs a command of a window as its handler would.
void Ejecuta(const std::function<void()>& comando) {
  RunGuarded(comando);
  Espera();
}

MDIForm1& Principal() {
  return FormInstance<MDIForm1>::instance();
}

// The program folder, as `make run` leaves it: the storm tables and the sample storms.
void PreparaCarpeta(const QString& carpeta) {
  const QString fuente = QStringLiteral(TAVO_SOURCE_DIR "/data");
  QDir().mkpath(carpeta + QStringLiteral("/Proyectos"));
  QFile::copy(fuente + QStringLiteral("/TablasPDRs_pdr.pcn"),
              carpeta + QStringLiteral("/TablasPDRs_pdr.pcn"));
  for (const QString& muestra : QDir(fuente + QStringLiteral("/Proyectos")).entryList({"*_pt.pcn"}))
    QFile::copy(fuente + QStringLiteral("/Proyectos/") + muestra,
                carpeta + QStringLiteral("/Proyectos/") + muestra);
  QDir().mkpath(carpeta + QStringLiteral("/Ayuda"));
  const QString ayuda = fuente + QStringLiteral("/Ayuda");
  for (const QString& archivo : QDir(ayuda).entryList(QDir::Files))
    QFile::copy(ayuda + QLatin1Char('/') + archivo, carpeta + QStringLiteral("/Ayuda/") + archivo);
  QDir().mkpath(carpeta + QStringLiteral("/Ayuda/imagenes"));
  for (const QString& archivo : QDir(ayuda + QStringLiteral("/imagenes")).entryList(QDir::Files))
    QFile::copy(ayuda + QStringLiteral("/imagenes/") + archivo,
                carpeta + QStringLiteral("/Ayuda/imagenes/") + archivo);
}

// The start of the program and a new project with its titles: the settings window, tab by tab.
void CapturaInicio() {
  InicioAplicacion();
  MDIForm1& principal = Principal();
  principal.resize(980, 680);
  Guarda(&principal, "principal_inicio");

  Respuestas.answerText(QStringLiteral("Ejemplo"));
  Ejecuta([&] { principal.mnuNuevoProyecto_Click(); });
  Ejecuta([&] { principal.tbConfigurar_Click(); });
  frmConfigura& configura = FormInstance<frmConfigura>::instance();
  configura.TextProyecto->setText(QStringLiteral("Arroyo Las Tunas - crecida de proyecto"));
  configura.TextUbica->setText(QStringLiteral("Sierras del Oeste"));
  configura.TextCuenca->setText(QStringLiteral("Río Claro"));
  configura.TextSbca->setText(QStringLiteral("Arroyo Las Tunas"));
  configura.TextOpera->setText(QStringLiteral("Área de Hidrología"));
  configura.txtFecha->setText(QStringLiteral("15/03/2026"));
  // Hydrographs drawn four hours past the end of the storm, so that their recession shows; a drawing
  // of 2.5 m per pixel, so that the editor measures lengths and areas.
  configura.SSTab1->setCurrentIndex(2);
  Escribe(configura.txtN0Dur, QStringLiteral("240"));
  Escribe(configura.txtEscalaImagen, QStringLiteral("2.5"));
  Ejecuta([&] { configura.cmdAplicar_Click(); });
  const char* fichas[] = {"configuracion_directorios",  "configuracion_imagen",     "configuracion_ver",
                          "configuracion_recurrencias", "configuracion_duraciones", "configuracion_titulos"};
  for (int i = 0; i < 6; ++i) {
    configura.SSTab1->setCurrentIndex(i);
    Guarda(&configura, fichas[i]);
  }
  Ejecuta([&] { configura.OKButton_Click(); });
  Ejecuta([&] { principal.carga_lbl_proyecto(); });
}

frmUEHs& Editor() {
  return frmUEHs::object();
}
void Herramienta(const char* clave) {
  Editor().BotonToolbar(QString::fromLatin1(clave))->trigger();
  Espera();
}
// A click of the left button on the drawing, at a point of the drawing's own units.
void Clic(Single x, Single y, int boton = 1) {
  emit Editor().picDibujo->mouseDown(boton, 0, x, y);
  emit Editor().picDibujo->mouseUp(boton, 0, x, y);
  Espera();
}
void DobleClic() {
  emit Editor().picDibujo->dblClick();
  Espera();
}

// The first basin, drawn in the editor: a reach and two units coupled to it.
void CapturaEditor() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.mnufrmUEHs_Click(); });
  frmUEHs& editor = Editor();
  editor.resize(900, 640);
  Espera();
  Guarda(&editor, "editor_vacio");

  // The reach, from its downstream end up, finished by a double click.
  Herramienta("btn_toolbarCauce");
  for (const QPointF& p :
       {QPointF(400, 700), QPointF(380, 560), QPointF(420, 420), QPointF(390, 260), QPointF(420, 120)})
    Clic(static_cast<Single>(p.x()), static_cast<Single>(p.y()));
  Respuestas.answerText(QStringLiteral("Principal"));
  DobleClic();
  Guarda(&editor, "editor_cauce");

  Herramienta("btn_toolbarUEH");
  Respuestas.answerText(QStringLiteral("Norte"));
  Clic(200, 250);
  Respuestas.answerText(QStringLiteral("Sur"));
  Clic(580, 450);
  Guarda(&editor, "editor_uehs");

  // Each unit coupled to the reach: the unit, then the reach, then the command of the menu.
  Herramienta("btn_toolbarSelecciona");
  Clic(205, 255);
  Clic(420, 420);
  Ejecuta([&] { editor.MuestraMenuDibujo(); });
  Guarda(editor.mnu_DibujoSec, "editor_menu");
  editor.mnu_DibujoSec->hide();
  Ejecuta([&] { editor.mnu_acoplaUEHaCauce_Click(); });
  Clic(585, 455);
  Clic(420, 420);
  Ejecuta([&] { editor.mnu_acoplaUEHaCauce_Click(); });
  Herramienta("btn_toolbarGuardaUEHs");
  Guarda(&editor, "editor_red");
}

// The properties of the two units and of the reach, typed in their dialogs.
void CapturaPropiedades() {
  frmUEHs& editor = Editor();
  Herramienta("btn_toolbarSelecciona");
  Clic(205, 255);
  Ejecuta([&] { editor.MuestraDlgUEH2(); });
  dlgUEH2& ueh = dlgUEH2::object();
  struct Datos {
    const char *area, *referencia, *longitud, *velocidad, *z, *a, *b, *i, *q0, *k;
  };
  const Datos datos[] = {
      {"320", "Ladera norte, monte bajo", "2400", "0.8", "6", "12", "0.45", "5", "0.2", "6"},
      {"250", "Ladera sur, pastizal", "1900", "0.7", "4", "9", "0.5", "0", "0.1", "5"}};
  for (int u = 0; u < 2; ++u) {
    if (u == 1) {
      ueh.lstUEHs->setCurrentRow(1);
      Ejecuta([&] { ueh.lstUEHs_Click(); });
    }
    const Datos& d = datos[u];
    Escribe(ueh.txtArea, QString::fromLatin1(d.area));
    ueh.txtReferencia->setText(QString::fromUtf8(d.referencia));
    Escribe(ueh.txtLongMax, QString::fromLatin1(d.longitud));
    Escribe(ueh.txtVelMedia, QString::fromLatin1(d.velocidad));
    Escribe(ueh.txtRetension_Z, QString::fromLatin1(d.z));
    Escribe(ueh.txtKostiakov_a, QString::fromLatin1(d.a));
    Escribe(ueh.txtKostiakov_b, QString::fromLatin1(d.b));
    Escribe(ueh.txtKostiakov_i, QString::fromLatin1(d.i));
    Escribe(ueh.txtQ0Recesion, QString::fromLatin1(d.q0));
    Escribe(ueh.txtKRecesion, QString::fromLatin1(d.k));
    if (u == 0) Guarda(&ueh, "ueh");
  }
  Ejecuta([&] { ueh.OKButton_Click(); });

  Clic(420, 420);
  Ejecuta([&] { editor.MuestraDlgCauceEditProp(); });
  dlgCauceEditProp& cauce = dlgCauceEditProp::object();
  Escribe(cauce.txtLongCauce, QStringLiteral("3500"));
  Escribe(cauce.txtVelMediaCauce, QStringLiteral("1.5"));
  Escribe(cauce.txtCauce_k_Musk, QStringLiteral("40"));
  Escribe(cauce.txtCauce_n_Musk, QStringLiteral("0.2"));
  Guarda(&cauce, "cauce");
  Ejecuta([&] { cauce.OKButton_Click(); });
  Herramienta("btn_toolbarGuardaUEHs");
  Ejecuta([&] { editor.CierraEditorUEHs(); });
}

// The README's picture: the program at 1280 x 800 with the first basin in the editor and the hydrograph of
// its outlet, the windows painted over the main window where they stand, as on a desktop.
void CapturaPortada() {
  MDIForm1& principal = Principal();
  principal.setGeometry(0, 0, 1280, 800);
  // The report of the run out of the way while the picture is taken; it stays open, as the report
  // setting goes with it.
  QWidget* pizarra = frmPp::isLoaded() ? frmPp::object().parentWidget() : nullptr;
  if (pizarra) pizarra->hide();
  Ejecuta([&] { principal.mnufrmUEHs_Click(); });
  frmUEHs& editor = Editor();
  editor.setGeometry(16, 150, 640, 600);
  Ejecuta([&] { editor.mnu_ZoomAll_Click(); });
  // The hydrograph of the outlet, the last component of the list.
  dlgChart2& hidrograma = dlgChart2::object();
  ShowModeless(&hidrograma, false);
  hidrograma.lstCompos->setCurrentIndex(hidrograma.lstCompos->count() - 1);
  hidrograma.move(672, 196);
  Espera();
  QImage pantalla = principal.grab().toImage();
  QPainter pintor(&pantalla);
  for (QWidget* ventana : {static_cast<QWidget*>(&editor), static_cast<QWidget*>(&hidrograma)})
    pintor.drawImage(ventana->geometry().topLeft() - principal.geometry().topLeft(),
                     ventana->grab().toImage());
  pintor.end();
  const QString ruta = QStringLiteral(TAVO_SOURCE_DIR "/docs/ventana-principal.png");
  if (!pantalla.save(ruta)) std::fprintf(stderr, "no se pudo guardar %s\n", qPrintable(ruta));
  std::printf("portada\n");
  Ejecuta([&] { editor.CierraEditorUEHs(); });
  if (pizarra) pizarra->show();
  principal.resize(980, 680);
  Espera();
}

// The storm of the first run, typed in mode a) with the theoretical distribution, then the run and its
// report, hydrograph and hyetograph.
void CapturaPrimeraCorrida() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.mnufrmPp_Click(); });
  dlgPp& tormenta = dlgPp::object();
  Escribe(tormenta.txtPp, QStringLiteral("60"));
  Escribe(tormenta.txtDur, QStringLiteral("180"));
  tormenta.cmbRec->setEditText(QStringLiteral("25"));
  tormenta.optDistriPp[1]->setChecked(true);
  tormenta.cmbPasoPp->setCurrentText(QStringLiteral("10"));
  tormenta.cmbPasoQ->setCurrentText(QStringLiteral("10"));
  Ejecuta([&] { tormenta.cmdAplicar_Click(); });
  Guarda(&tormenta, "tormenta_a");
  Ejecuta([&] { tormenta.OKButton_Click(); });

  Ejecuta([&] { principal.mnuCorre1_Click(); });
  Guarda(&dlgChart2::object(), "hidrograma");
  Guarda(&principal, "principal_corrida");
  Guarda(&frmPp::object(), "pizarra");
  Ejecuta([&] { principal.mnuGraficoPp_Click(); });
  Guarda(&dlgChart1::object(), "hietograma");
  CapturaPortada();
}

// Types a value into a cell of a grid as a user does: a click on the cell, Delete, the characters.
void Teclea(FlexGrid* grilla, int fila, int columna, const QString& texto) {
  const QPoint medio = grilla->visualRect(grilla->model()->index(fila, columna)).center();
  QTest::mouseClick(grilla->viewport(), Qt::LeftButton, {}, medio);
  QTest::keyClick(grilla, Qt::Key_Delete);
  QTest::keyClicks(grilla, texto);
}

// Fills a reservoir table in its dialog and applies it.
void LlenaTabla(dlgTablaReservorio& tabla, const std::vector<std::vector<double>>& filas) {
  Escribe(tabla.txtNroFilas, QString::number(filas.size()));
  FlexGrid* grilla = tabla.findChild<FlexGrid*>();
  for (size_t r = 0; r < filas.size(); ++r) {
    for (size_t c = 0; c < filas[r].size(); ++c)
      Teclea(grilla, static_cast<int>(r + 1), static_cast<int>(c + 1), QString::number(filas[r][c], 'g', 10));
  }
  Ejecuta([&] { tabla.cmdAplicar_Click(); });
}

// A reservoir's height, area and storage from its level-area pairs: the storage adds up the mean
// area of each slice times its height.
std::vector<std::vector<double>> Embalse(const std::vector<std::pair<double, double>>& alturaArea) {
  std::vector<std::vector<double>> filas;
  double s = 0;
  for (size_t i = 0; i < alturaArea.size(); ++i) {
    if (i > 0)
      s += (alturaArea[i - 1].second + alturaArea[i].second) / 2 * 10000 *
           (alturaArea[i].first - alturaArea[i - 1].first);
    filas.push_back({alturaArea[i].first, alturaArea[i].second, std::round(s)});
  }
  return filas;
}

// The basin grows: a dam at the end of the reach, a reach below it to the outlet, a lake at the head
// of the first reach fed by a unit of its own, and a unit beside the lower reach; their dialogs and
// reservoir tables.
void CapturaRepresaYLago() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.mnufrmUEHs_Click(); });
  frmUEHs& editor = Editor();
  editor.resize(900, 640);
  Herramienta("btn_toolbarRepresa");
  Respuestas.answerText(QStringLiteral("Embalse"));
  Clic(430, 780);
  Herramienta("btn_toolbarCauce");
  for (const QPointF& p : {QPointF(470, 1100), QPointF(445, 1000), QPointF(460, 900)})
    Clic(static_cast<Single>(p.x()), static_cast<Single>(p.y()));
  Respuestas.answerText(QStringLiteral("Salida"));
  DobleClic();
  Herramienta("btn_toolbarLAGO");
  Respuestas.answerText(QStringLiteral("Laguna"));
  Clic(680, 160);
  Herramienta("btn_toolbarUEH");
  Respuestas.answerText(QStringLiteral("Este"));
  Clic(860, 60);
  Respuestas.answerText(QStringLiteral("Oeste"));
  Clic(180, 930);

  // Each component, then the one it drains into; the upper reach last, so that its end does not
  // stand on the dam while the dam is picked.
  Herramienta("btn_toolbarSelecciona");
  Clic(433, 783);
  Clic(445, 1000);
  Ejecuta([&] { editor.mnu_acoplaRepresaaCauce_Click(); });
  Clic(863, 63);
  Clic(680, 161);
  Ejecuta([&] { editor.mnu_acoplaUEHaLago_Click(); });
  Clic(680, 161);
  Clic(390, 260);
  Ejecuta([&] { editor.mnu_acoplaLAGOaCauce_Click(); });
  Clic(183, 933);
  Clic(445, 1000);
  Ejecuta([&] { editor.mnu_acoplaUEHaCauce_Click(); });
  Clic(420, 420);
  Clic(433, 783);
  Ejecuta([&] { editor.mnu_acoplaCauceaRepresa_Click(); });
  Ejecuta([&] { editor.mnu_ZoomAll_Click(); });
  Herramienta("btn_toolbarGuardaUEHs");
  Guarda(&editor, "editor_completo");

  // The two new units and the lower reach.
  Herramienta("btn_toolbarSelecciona");
  Clic(863, 63);
  Ejecuta([&] { editor.MuestraDlgUEH2(); });
  dlgUEH2& ueh = dlgUEH2::object();
  for (int fila : {2, 3}) {
    ueh.lstUEHs->setCurrentRow(fila);
    Ejecuta([&] { ueh.lstUEHs_Click(); });
    Escribe(ueh.txtArea, fila == 2 ? QStringLiteral("140") : QStringLiteral("210"));
    Escribe(ueh.txtLongMax, fila == 2 ? QStringLiteral("1500") : QStringLiteral("2100"));
    Escribe(ueh.txtVelMedia, QStringLiteral("0.6"));
    Escribe(ueh.txtRetension_Z, QStringLiteral("5"));
    Escribe(ueh.txtKostiakov_a, QStringLiteral("10"));
    Escribe(ueh.txtKostiakov_b, QStringLiteral("0.5"));
    Escribe(ueh.txtQ0Recesion, QStringLiteral("0.05"));
    Escribe(ueh.txtKRecesion, QStringLiteral("4"));
  }
  Ejecuta([&] { ueh.OKButton_Click(); });
  Clic(445, 1000);
  Ejecuta([&] { editor.MuestraDlgCauceEditProp(); });
  dlgCauceEditProp& cauce = dlgCauceEditProp::object();
  Escribe(cauce.txtLongCauce, QStringLiteral("2600"));
  Escribe(cauce.txtVelMediaCauce, QStringLiteral("1.8"));
  // Muskingum constants whose coefficients stay positive at the 10-minute output step: 2·K·x = 6 and
  // 2·K·(1 - x) = 54 minutes.
  cauce.optMusk->setChecked(true);
  Escribe(cauce.txtCauce_k_Musk, QStringLiteral("30"));
  Escribe(cauce.txtCauce_n_Musk, QStringLiteral("0.1"));
  Ejecuta([&] { cauce.OKButton_Click(); });

  // The dam: its tables first, then its initial level and its outflow.
  Clic(433, 783);
  Ejecuta([&] { editor.MuestraDlgRepresas(); });
  dlgRepresas& represa = dlgRepresas::object();
  Ejecuta([&] { represa.cmdHSV_Click(); });
  dlgTablaSHV& has = dlgTablaSHV::object();
  LlenaTabla(has, Embalse({{100, 0.5},
                           {101, 2},
                           {102, 4},
                           {103, 6.5},
                           {104, 9},
                           {105, 12},
                           {106, 15},
                           {107, 18.5},
                           {108, 22},
                           {109, 26},
                           {110, 30},
                           {111, 34.5},
                           {112, 39}}));
  Guarda(&has, "tabla_has");
  Ejecuta([&] { has.OKButton_Click(); });
  represa.optTablaQ->setChecked(true);
  Espera();
  Ejecuta([&] { represa.cmdTablaQ_Click(); });
  dlgTablaFQ& hq = dlgTablaFQ::object();
  LlenaTabla(hq, {{100, 0},
                  {102, 1.7},
                  {104, 2.4},
                  {106, 2.9},
                  {107, 14},
                  {108, 41},
                  {109, 77},
                  {110, 120},
                  {112, 225}});
  Guarda(&hq, "tabla_hq");
  Ejecuta([&] { hq.OKButton_Click(); });
  represa.optFunciones->setChecked(true);
  Espera();
  // A bottom outlet from the lowest level and a spillway crest at 106 m.
  const struct {
    int k;
    const char *a, *b, *hmin, *hmax;
  } rangos[] = {{1, "1.2", "0.5", "100", "112"}, {2, "30", "1.5", "106", "112"}};
  for (const auto& r : rangos) {
    represa.chkFQ[static_cast<size_t>(r.k)]->setChecked(true);
    Espera();
    Escribe(represa.txtFQa[static_cast<size_t>(r.k)], QString::fromLatin1(r.a));
    Escribe(represa.txtFQb[static_cast<size_t>(r.k)], QString::fromLatin1(r.b));
    Escribe(represa.txtFQHmin[static_cast<size_t>(r.k)], QString::fromLatin1(r.hmin));
    Escribe(represa.txtFQHMax[static_cast<size_t>(r.k)], QString::fromLatin1(r.hmax));
  }
  Escribe(represa.txtHInicialEmb, QStringLiteral("105.5"));
  Guarda(&represa, "represa");
  Ejecuta([&] { represa.OKButton_Click(); });

  // The lake: its table, a level above its outlet, routed by Runge-Kutta.
  Clic(680, 161);
  Ejecuta([&] { editor.MuestraDlgLago(); });
  dlgLago& lago = dlgLago::object();
  Ejecuta([&] { lago.cmdParametros_Click(); });
  dlgTablaSHVQ& hasq = dlgTablaSHVQ::object();
  LlenaTabla(hasq, {{50, 2, 0, 0},
                    {50.5, 5, 17500, 0},
                    {51, 8, 50000, 0.4},
                    {51.5, 11, 97500, 1.5},
                    {52, 14, 160000, 3.5},
                    {52.5, 17, 237500, 6.5},
                    {53, 20, 330000, 10.5}});
  Guarda(&hasq, "tabla_hasq");
  Ejecuta([&] { hasq.OKButton_Click(); });
  // Shown again, the lake tells that its table holds data.
  Ejecuta([&] { lago.MuestraLago(); });
  for (int i = 0; i < lago.lstMetodo->count(); ++i) {
    if (lago.lstMetodo->item(i)->text() == QLatin1String("Runge Kutta")) lago.lstMetodo->setCurrentRow(i);
  }
  Ejecuta([&] { lago.lstMetodo_Click(); });
  Escribe(lago.txtHInicialEmb, QStringLiteral("51"));
  lago.txtReferencia->setText(QStringLiteral("Laguna temporaria del bajo"));
  Guarda(&lago, "lago");
  Ejecuta([&] { lago.OKButton_Click(); });
  Herramienta("btn_toolbarGuardaUEHs");
  Ejecuta([&] { editor.CierraEditorUEHs(); });
}

// A heavier and longer storm over the whole basin; the hydrograph of the dam, the dam checks and the
// two parameter tables.
void CapturaSegundaCorrida() {
  MDIForm1& principal = Principal();
  // After the flood the dam empties its reservoir through the bottom outlet for almost three days: the
  // hydrographs of this run and of the series go on that long, so that no run ends with its flood cut.
  Ejecuta([&] { principal.tbConfigurar_Click(); });
  frmConfigura& configura = FormInstance<frmConfigura>::instance();
  configura.SSTab1->setCurrentIndex(2);
  Escribe(configura.txtN0Dur, QStringLiteral("4000"));
  Ejecuta([&] { configura.OKButton_Click(); });

  Ejecuta([&] { principal.mnufrmPp_Click(); });
  dlgPp& tormenta = dlgPp::object();
  Escribe(tormenta.txtPp, QStringLiteral("95"));
  Escribe(tormenta.txtDur, QStringLiteral("240"));
  tormenta.cmbRec->setEditText(QStringLiteral("100"));
  Ejecuta([&] { tormenta.OKButton_Click(); });
  Ejecuta([&] { principal.mnuCorre1_Click(); });
  dlgChart2& hidrograma = dlgChart2::object();
  for (int i = 0; i < hidrograma.lstCompos->count(); ++i) {
    if (hidrograma.lstCompos->itemText(i).contains(QLatin1String("r-Embalse")))
      hidrograma.lstCompos->setCurrentIndex(i);
  }
  Espera();
  Guarda(&hidrograma, "hidrograma_represa");
  // The report at the dam's table.
  QPlainTextEdit* informe = frmPp::object().Text1;
  informe->moveCursor(QTextCursor::End);
  informe->find(QStringLiteral("Componente: Represa"), QTextDocument::FindBackward);
  informe->moveCursor(QTextCursor::StartOfLine);
  informe->verticalScrollBar()->setValue(informe->verticalScrollBar()->value() + 8);
  Guarda(&frmPp::object(), "pizarra_represa");

  Respuestas.answerText(QStringLiteral("1"))
      .answerText(QStringLiteral("1"))
      .answerText(QStringLiteral("0.5"));
  Ejecuta([&] { principal.mnu_prueba_funcionesSHVrepresas_Click(); });
  Guarda(&frmPp::object(), "prueba_has");
  Respuestas.answerText(QStringLiteral("0.5"));
  Ejecuta([&] { principal.mnu_prueba_funcionesHQrepresas_Click(); });
  Guarda(&frmPp::object(), "prueba_hq");

  Ejecuta([&] { principal.mnufrmUEHsTabla_Click(); });
  dlgUEHsTabla& tabla = dlgUEHsTabla::object();
  tabla.resize(900, 520);
  Guarda(&tabla, "tablas_ver");
  Ejecuta([&] { tabla.OKButton_Click(); });
  Ejecuta([&] { principal.mnuEditfrmUEHsTabla_Click(); });
  dlgUEHsEditTabla& edicion = dlgUEHsEditTabla::object();
  Guarda(&edicion, "tablas_editar");
  Ejecuta([&] { edicion.cmdCancel_Click(); });
}

// The other ways of giving the storm, each with its window.
void CapturaLluvias() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.mnufrmPp_Click(); });
  dlgPp& tormenta = dlgPp::object();

  // b) three storms archived from the boxes of a), then picked from the list.
  const char* archivadas[][3] = {{"45", "60", "10"}, {"70", "120", "25"}, {"110", "360", "100"}};
  for (const auto& t : archivadas) {
    Escribe(tormenta.txtPp, QString::fromLatin1(t[0]));
    Escribe(tormenta.txtDur, QString::fromLatin1(t[1]));
    tormenta.cmbRec->setEditText(QString::fromLatin1(t[2]));
    Ejecuta([&] { tormenta.cmdPDR_Click(); });
  }
  tormenta.optformaPp[1]->setChecked(true);
  Espera();
  tormenta.cmbPDR->setCurrentIndex(1);
  Ejecuta([&] { tormenta.cmbPDR_Click(); });
  Guarda(&tormenta, "tormenta_b");

  // A user distribution: six periods, most of the rain in the third.
  tormenta.optformaPp[0]->setChecked(true);
  tormenta.optDistriPp[5]->setChecked(true);
  Espera();
  Ejecuta([&] { tormenta.cmdPpPerso_Click(); });
  dlgDisPpPer& distribucion = dlgDisPpPer::object();
  distribucion.txtNotas->setText(QStringLiteral("Tormenta convectiva de verano, pico al tercer sexto"));
  Escribe(distribucion.txtNroPer, QStringLiteral("6"));
  const char* partes[] = {"8", "17", "38", "20", "11", "6"};
  for (int j = 0; j < 6; ++j)
    Teclea(distribucion.MSFlexGridDisPerso, j + 1, 2, QString::fromLatin1(partes[j]));
  Teclea(distribucion.MSFlexGridDisPerso, 1, 2, QStringLiteral("8"));
  distribucion.cmbDurMax->setCurrentText(QStringLiteral("360"));
  Ejecuta([&] { distribucion.cmbDurMax_Click(); });
  distribucion.cmbDurMin->setCurrentText(QStringLiteral("60"));
  Ejecuta([&] { distribucion.cmbDurMin_Click(); });
  Ejecuta([&] { distribucion.cmdAplicar_Click(); });
  Guarda(&distribucion, "distribuciones");
  Ejecuta([&] { distribucion.OKButton_Click(); });
  // Chosen again, the distribution shows the durations it was meant for.
  tormenta.optDistriPp[1]->setChecked(true);
  tormenta.optDistriPp[5]->setChecked(true);
  Guarda(&tormenta, "tormenta_personalizada");

  // d) one depth per unit.
  tormenta.optformaPp[3]->setChecked(true);
  Espera();
  Ejecuta([&] { tormenta.cmdCargaPDRnoUniforme_Click(); });
  dlgTablaPpUEHs& porUEH = dlgTablaPpUEHs::object();
  const char* laminas[] = {"75", "60", "52", "40", "58"};
  for (int i = 1; i < porUEH.MSFlexGridPpUEHs->Rows() && i <= 5; ++i)
    Teclea(porUEH.MSFlexGridPpUEHs, i, 2, QString::fromLatin1(laminas[i - 1]));
  Escribe(porUEH.txtDPpUEHs, QStringLiteral("180"));
  Escribe(porUEH.txtRPpUEHs, QStringLiteral("25"));
  Ejecuta([&] { porUEH.cmdAplicar_Click(); });
  Guarda(&porUEH, "lluvia_por_ueh");
  Ejecuta([&] { porUEH.OKButton_Click(); });
  Guarda(&tormenta, "tormenta_d");

  // e) a measured storm, one of the samples delivered with the program.
  tormenta.optformaPp[4]->setChecked(true);
  Espera();
  tormenta.FilePpReal->setFileName(QStringLiteral("EjemploFrontal_pt.pcn"));
  Ejecuta([&] { tormenta.FilePpReal_Click(); });
  Guarda(&tormenta, "tormenta_e");
  Ejecuta([&] { tormenta.cmdPpReal_Click(); });
  Guarda(&dlgPpReal::object(), "tormenta_real");
  Ejecuta([&] { dlgPpReal::object().CancelButton_Click(); });

  // c) the storm series of table 0.
  tormenta.optformaPp[2]->setChecked(true);
  Espera();
  tormenta.optTablaPDR[0]->setChecked(true);
  Espera();
  Guarda(&tormenta, "tormenta_c");
  Ejecuta([&] { tormenta.cmdTablaPDR_Click(); });
  Guarda(&dlgTablasPDRs::object(), "tablas_pdr");
  Ejecuta([&] { dlgTablasPDRs::object().CancelButton_Click(); });
  Ejecuta([&] { tormenta.OKButton_Click(); });
}

// A storm series of a few durations and return periods, and its tables and chart.
void CapturaSerie() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.tbConfigurar_Click(); });
  frmConfigura& configura = FormInstance<frmConfigura>::instance();
  for (QCheckBox* d :
       {configura.CheckD5, configura.CheckD10, configura.CheckD15, configura.CheckD20, configura.CheckD30,
        configura.CheckD90, configura.CheckD240, configura.CheckD300, configura.CheckD540,
        configura.CheckD720, configura.CheckD1080, configura.CheckD1440, configura.CheckD2880})
    d->setChecked(false);
  for (QCheckBox* d : {configura.CheckD60, configura.CheckD120, configura.CheckD180, configura.CheckD360})
    d->setChecked(true);
  for (QCheckBox* r : {configura.CheckR5, configura.CheckR20, configura.CheckR40, configura.CheckR50,
                       configura.CheckR200, configura.CheckR500, configura.CheckR1000, configura.CheckR2000,
                       configura.CheckR5000, configura.CheckR10000})
    r->setChecked(false);
  for (QCheckBox* r : {configura.CheckR2, configura.CheckR10, configura.CheckR25, configura.CheckR100})
    r->setChecked(true);
  Ejecuta([&] { configura.OKButton_Click(); });

  Ejecuta([&] { principal.mnufrmPp_Click(); });
  dlgPp& tormenta = dlgPp::object();
  tormenta.optDistriPp[1]->setChecked(true);
  tormenta.cmbPasoPp->setCurrentText(QStringLiteral("10"));
  tormenta.cmbPasoQ->setCurrentText(QStringLiteral("10"));
  Ejecuta([&] { tormenta.OKButton_Click(); });
  Ejecuta([&] { principal.mnuCorre2_Click(); });
  dlgTablaSalePDR& planilla = dlgTablaSalePDR::object();
  planilla.resize(760, 560);
  Guarda(&planilla, "serie_planilla");
  Guarda(&dlgChart3::object(), "serie_grafico");
  Ejecuta([&] { principal.mnuPlanillaPDRComponente_Click(); });
  Guarda(&dlgTablaSalePDR2::object(), "serie_planilla_componente");
}

// The calculator, the About box, the delete dialog and the help window itself.
void CapturaOtras() {
  MDIForm1& principal = Principal();
  Ejecuta([&] { principal.mnuEmpiricos_Click(); });
  dlgEmpiricas& formulas = dlgEmpiricas::object();
  Escribe(formulas.txtSup, QStringLiteral("11.2"));
  Escribe(formulas.txtLcauceP, QStringLiteral("6.1"));
  Escribe(formulas.txtcauceH, QStringLiteral("340"));
  Escribe(formulas.txtPendiCP, QStringLiteral("3.5"));
  Guarda(&formulas, "formulas");
  Ejecuta([&] { principal.mnuAyudaAcerca_Click(); });
  Guarda(&FormInstance<frmAbout>::instance(), "acerca");
  Ejecuta([&] { principal.mnuEliminarProyecto_Click(); });
  Guarda(&dlgEliminarProyecto::instance(), "eliminar_proyecto");
  Ejecuta([&] { dlgEliminarProyecto::instance().close(); });
  Guarda(&principal, "principal");
  if (FileExists(CarpetaAyuda() + QStringLiteral("/") + kPaginaPrincipal)) {
    // The help shows the pictures just taken.
    for (const QString& imagen : QDir(Destino).entryList({"*.png"})) {
      const QString copia = CarpetaAyuda() + QStringLiteral("/imagenes/") + imagen;
      QFile::remove(copia);
      QFile::copy(Destino + QLatin1Char('/') + imagen, copia);
    }
    Ejecuta([&] { principal.mnuHelpContents_Click(); });
    frmAyuda& ayuda = frmAyuda::instance();
    ayuda.resize(980, 680);
    ayuda.MuestraPagina(QStringLiteral("primeros_pasos.html"));
    Guarda(&ayuda, "ayuda");
  }
}

}  // namespace
}  // namespace tavo

int main(int argc, char** argv) {
  using namespace tavo;
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "uso: tavo_capturas <carpeta de las imágenes> [carpeta del programa]\n");
    return 2;
  }
  Destino = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(Destino);
  // A fixed folder, so that the pictures show the same paths each time: the one given (a folder that does
  // not exist yet, made here and removed at the end, such as /home/usuario/TAVO), or one of its own.
  const QString base = argc > 2 ? QDir(QString::fromLocal8Bit(argv[2])).absolutePath()
                                : QDir::tempPath() + QStringLiteral("/tavo-ayuda");
  if (argc > 2 && QFileInfo::exists(base)) {
    std::fprintf(stderr, "la carpeta %s ya existe: se pide una que no exista\n", qPrintable(base));
    return 2;
  }
  QDir(base).removeRecursively();
  const QString carpeta = argc > 2 ? base : base + QStringLiteral("/TAVO");
  PreparaCarpeta(carpeta);
  SetAppPath(carpeta);
  // A desktop's screen: the virtual screen without display is smaller than several windows, which would
  // then open with scroll bars.
  SetScreenSize(QSize(1600, 1000));
  SetSplashSeconds(0);
  SetFixedClock(QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
  InstallDialogs(&Respuestas);
  SetEndProgramHandler([] { std::_Exit(1); });

  CapturaInicio();
  CapturaEditor();
  CapturaPropiedades();
  CapturaPrimeraCorrida();
  CapturaRepresaYLago();
  CapturaSegundaCorrida();
  CapturaLluvias();
  CapturaSerie();
  CapturaOtras();

  // The messages the program showed on the way, for whoever checks that the pictures show what they
  // should.
  for (const ScriptedDialogs::Record& r : Respuestas.records())
    std::fprintf(stderr, "  [%s] %s\n", qPrintable(r.title),
                 qPrintable(QString(r.prompt).replace('\n', ' ')));
  UnloadAllForms();
  InstallDialogs(nullptr);
  QDir(base).removeRecursively();
  return 0;
}
