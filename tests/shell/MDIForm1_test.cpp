#include "shell/MDIForm1.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/frmPp.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "shell/frmAbout.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class MDIForm1Test : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    TituloPrograma = QStringLiteral("TAVO 1.06");
  }
  void TearDown() override {
    SetDesktopOpener(nullptr);
    TavoTest::TearDown();
  }
  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
};

TEST_F(MDIForm1Test, EveryMenuItemAtStartUp) {
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    bool visible;
    bool enabled;
    bool checked;
  };
  const QKeySequence none;
  auto ctrl = [](Qt::Key k) { return QKeySequence(Qt::CTRL | k); };
  const Item items[] = {
      {"mnuFile", "&Archivo", none, true, true, false},
      {"mnuNuevoProyecto", "&Nuevo Proyecto", ctrl(Qt::Key_N), true, true, false},
      {"mnuAbrirProyecto", "&Abrir un Proyecto existente", ctrl(Qt::Key_A), true, true, false},
      {"mnuGuardarProyectoComo", "&Guardar proyecto con otro nombre...", ctrl(Qt::Key_G), true, false, false},
      {"mnuDirCrea", "Editar &Directorios y Archivos", ctrl(Qt::Key_D), false, false, false},
      {"mnuEliminarProyecto", "&Eliminar un Proyecto existente", ctrl(Qt::Key_E), true, true, false},
      {"mnuFilePageSetup", "&Preparar Página", none, false, false, false},
      {"mnuVistaPreliminar", "&Vista Preliminar", none, false, false, false},
      {"mnuImprimir", "Im&primir", ctrl(Qt::Key_P), false, false, false},
      {"mnuSalir", "Sa&lir", ctrl(Qt::Key_L), true, true, false},
      {"mnu_ultimoarchivo1", "------------", ctrl(Qt::Key_U), true, true, false},
      {"mnuOpciones", "&Opciones", none, true, true, false},
      {"mnuOpcionesBarra", "&Barra de Herramientas", none, false, false, false},
      {"mnuOpcionesConfigurar", "&Opciones de Configuración", ctrl(Qt::Key_O), true, true, false},
      {"mnu_prueba_funcionesSHVrepresas", "Verificar Funciones HA&S en Represas", ctrl(Qt::Key_S), true,
       false, false},
      {"mnu_prueba_funcionesHQrepresas", "Verificar Funciones h-&Q de Represas", ctrl(Qt::Key_Q), true, false,
       false},
      {"mnuEntradas", "&Entradas", none, true, true, false},
      {"mnufrmUEHs", "Editor de &UEHs (Gráfico)", QKeySequence(Qt::Key_F2), true, true, false},
      {"mnuEditfrmUEHsTabla", "Editor &Tabla de UEHs y Cauces", QKeySequence(Qt::Key_F3), true, true, false},
      {"mnufrmUEHsTabla", "Ver Tabla de Parámetros &Físicos UEHs", QKeySequence(Qt::Key_F4), true, true,
       false},
      {"mnufrmPp", "&Precipitaciones", QKeySequence(Qt::Key_F5), true, true, false},
      {"mnuProceso", "&Proceso", none, true, true, false},
      {"mnuCorre1", "Corre Proceso de Cálculo p/ 1 tormenta - ", QKeySequence(Qt::Key_F11), true, true,
       false},
      {"mnuCorre2", "Corre Proceso de Cálculo p/ varias tormentas - ", QKeySequence(Qt::Key_F12), true, true,
       false},
      {"mnuPizarra1", "Ver Pizarra (p/variables y salidas parciales) -", ctrl(Qt::Key_F11), true, true, true},
      {"mnuSalidas", "&Salidas", none, true, true, false},
      {"mnuGraficoPp", "Hietogramas (Pp-t)", none, true, true, false},
      {"mnuHidrogramas", "&Hidrogramas", ctrl(Qt::Key_H), true, true, false},
      {"mnuGraficoPDRComponente", "Gráfico Qp-D-R p/Componente", none, true, true, false},
      {"mnuPlanillaPDRCompleta", "Planilla Qp-D-R Completa", none, true, true, false},
      {"mnuPlanillaPDRComponente", "Planilla Qp-D-R p/Componente", none, true, true, false},
      {"mnuEmpiricos", "&Métodos Empíricos", none, true, true, false},
      {"mnuVentana", "&Ventana", none, false, false, false},
      {"mnuAyuda", "A&yuda", none, true, true, false},
      {"mnuHelpContents", "Con&tenido", none, true, true, false},
      {"mnuAyudaAcerca", "A&cerca de TAVO", none, true, true, false},
  };
  // A hidden item is also disabled, so that its shortcut does nothing.
  MDIForm1& w = main();
  QStringList seen;
  for (const Item& item : items) {
    SCOPED_TRACE(item.name);
    QAction* a = nullptr;
    for (QAction* candidate : w.findChildren<QAction*>(QString::fromLatin1(item.name))) {
      if (!a || candidate->menu()) a = candidate;
    }
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
    EXPECT_EQ(a->shortcut(), item.shortcut);
    EXPECT_EQ(a->isVisible(), item.visible);
    EXPECT_EQ(a->isEnabled(), item.enabled);
    EXPECT_EQ(a->isChecked(), item.checked);
    seen << QString::fromLatin1(item.name);
  }
  // Top-level order, as the menu bar shows it.
  QStringList order;
  for (QAction* a : w.menuBar()->actions()) order << a->objectName();
  EXPECT_EQ(order, QStringList({"mnuFile", "mnuOpciones", "mnuEntradas", "mnuProceso", "mnuSalidas",
                                "mnuEmpiricos", "mnuVentana", "mnuAyuda"}));
  // Separators stand where the menus have them.
  QStringList file;
  for (QAction* a : w.mnuFile->actions()) file << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
  EXPECT_EQ(file, QStringList({"mnuNuevoProyecto", "mnuAbrirProyecto", "mnuGuardarProyectoComo", "-",
                               "mnuDirCrea", "mnuEliminarProyecto", "-", "mnuFilePageSetup",
                               "mnuVistaPreliminar", "mnuImprimir", "mnuSalir", "-", "mnu_ultimoarchivo1"}));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("TAVO 1.06 - Modelo Hidrológico de  simulación de crecidas"));
  EXPECT_FALSE(w.windowIcon().isNull());
}

TEST_F(MDIForm1Test, ToolbarDispatchByKey) {
  MDIForm1& w = main();
  QStringList keys;
  int gaps = 0;
  for (QAction* a : w.tbToolBar->actions()) {
    if (a->isSeparator()) {
      ++gaps;
      keys << QStringLiteral("-");
    } else {
      keys << a->data().toString();
    }
  }
  EXPECT_EQ(keys.size(), 22);
  EXPECT_EQ(keys.indexOf(QStringLiteral("-")), 5);
  EXPECT_EQ(gaps, 4);
  EXPECT_EQ(w.BotonBarra(QStringLiteral("Imprimir"))->toolTip(), "Imprimir ");
  EXPECT_EQ(w.BotonBarra(QStringLiteral("Configurar"))->toolTip(),
            QStringLiteral("Opciónes de Configuración"));
  EXPECT_EQ(w.BotonBarra(QStringLiteral("Nuevo"))->statusTip(), "Crea nuevo Proyecto");

  const std::pair<const char*, QAction*> routed[] = {
      {"Nuevo", w.mnuNuevoProyecto},
      {"Abrir", w.mnuAbrirProyecto},
      {"EditorGrUEHs", w.mnufrmUEHs},
      {"EditorTbUEHs", w.mnuEditfrmUEHsTabla},
      {"VerParamUEHs", w.mnufrmUEHsTabla},
      {"EntraPp", w.mnufrmPp},
      {"Corre1", w.mnuCorre1},
      {"Corre2", w.mnuCorre2},
      {"VerHieto", w.mnuGraficoPp},
      {"VerHidro", w.mnuHidrogramas},
      {"VerAbacoQDR", w.mnuGraficoPDRComponente},
      {"VerTablaQDR1", w.mnuPlanillaPDRCompleta},
      {"VerTablaQDR2", w.mnuPlanillaPDRComponente},
  };
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const auto& [key, action] : routed)
    spies.push_back(std::make_unique<QSignalSpy>(action, &QAction::triggered));
  // "Nuevo" and "Abrir" ask for a name and a file, both cancelled; the editor and the two tables say
  // that no project is open.
  dialogs.answerText(QString()).answerText(QString()).answer(vbOK).answer(vbOK).answer(vbOK);
  for (const auto& [key, action] : routed) w.tbToolBar_ButtonClick(QString::fromLatin1(key));
  for (size_t i = 0; i < spies.size(); ++i) EXPECT_EQ(spies[i]->count(), 1) << routed[i].first;
  EXPECT_EQ(dialogs.records().size(), 5u);

  // Keys that do nothing, and keys compared exactly.
  for (const char* key : {"Guardar", "Imprimir", "Ayuda", "nuevo", "Nuevo ", "Otro"})
    w.tbToolBar_ButtonClick(QString::fromLatin1(key));
  for (size_t i = 0; i < spies.size(); ++i) EXPECT_EQ(spies[i]->count(), 1) << routed[i].first;
  EXPECT_EQ(dialogs.records().size(), 5u);
}

TEST_F(MDIForm1Test, DisablingTheMainWindowLeavesItsChildWindowsAlone) {
  MDIForm1& w = main();
  w.show();
  auto* child = new QWidget;
  ShowModeless(child, true);
  w.HabilitaPrincipal(false);
  EXPECT_FALSE(w.menuBar()->isEnabled());
  EXPECT_FALSE(w.tbToolBar->isEnabled());
  EXPECT_TRUE(child->isEnabled());
  EXPECT_TRUE(w.mdiArea->isEnabled());
  w.HabilitaPrincipal(true);
  EXPECT_TRUE(w.PrincipalHabilitado());
  delete child;
}

TEST_F(MDIForm1Test, AboutBoxAndSystemInformation) {
  main().mnuAyudaAcerca_Click();
  ASSERT_TRUE(FormInstance<frmAbout>::isLoaded());
  frmAbout& about = FormInstance<frmAbout>::instance();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), "Acerca de TAVO");
  EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Versión 1.0.6"));
  EXPECT_EQ(about.lblTitle->text(), "TAVO");
  EXPECT_EQ(about.cmdSysInfo->text(), "Info. del &sistema...");
  EXPECT_TRUE(test::ClippedControls(&about).isEmpty())
      << test::ClippedControls(&about).join('\n').toStdString();
  QString value = QStringLiteral("x");
  EXPECT_FALSE(about.GetKeyValue(0, QStringLiteral("SOFTWARE"), QStringLiteral("PATH"), value));
  EXPECT_TRUE(value.isEmpty());
  dialogs.answer(vbOK);
  about.cmdSysInfo->click();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt,
            QStringLiteral("La información del sistema no está disponible en este momento"));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  EXPECT_TRUE(dialogs.records()[0].title.isEmpty());
  EXPECT_FALSE(BusyPointer());
  about.cmdOK->click();
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST_F(MDIForm1Test, ProjectPanelWithAndWithoutAProject) {
  MDIForm1& w = main();
  DirActual = programDir();
  w.carga_lbl_proyecto();
  EXPECT_TRUE(w.lblProyecto->text().isEmpty());
  EXPECT_EQ(w.lblFileProyecto->text(), "_Conf.pcn");
  EXPECT_EQ(w.lblFilesTrabajo->text(), "_UEHs.pcn\n_VerCau.pcn");
  EXPECT_EQ(test::ReadBytes(path("PelcanDir.pcn")), ("\"" + programDir() + "\"\r\n\"\"\r\n").toUtf8());

  NombreProyecto = QStringLiteral("Rio");
  w.carga_lbl_proyecto();
  EXPECT_EQ(w.lblProyecto->text(), "Rio");
  EXPECT_EQ(w.lblFileProyecto->text(), "Rio_Conf.pcn");
  EXPECT_EQ(w.lblFilesTrabajo->text(), "Rio_UEHs.pcn\nRio_VerCau.pcn");
  EXPECT_EQ(w.lblMiDirTrabajo->text(), programDir());
  EXPECT_EQ(test::ReadBytes(path("PelcanDir.pcn")), ("\"" + programDir() + "\"\r\n\"Rio\"\r\n").toUtf8());

  // Short values show whole, and so does every caption beside them.
  for (ElidedLabel* value : {w.lblTitulo, w.lblUbicacion, w.lblCuenca, w.lblSubCuenca, w.lblMiDirTrabajo})
    value->setFullText(QStringLiteral("Arroyo Seco"));
  EXPECT_TRUE(test::ClippedControls(w.Picture1).isEmpty())
      << test::ClippedControls(w.Picture1).join('\n').toStdString();
}

// A long value shows whole where the panel has room for it, at both screens; one longer than its
// room shows its beginning and end, the whole text in its tooltip, and the panel's captions stay
// whole.
TEST_F(MDIForm1Test, PanelValuesShowWholeWhereThereIsRoom) {
  const QString carpeta = QStringLiteral("/home/usuaria/TAVO/Proyectos/Cuenca Las Tapias");
  const QString titulo = QStringLiteral("Crecidas de la cuenca alta del arroyo Las Tapias");
  const QString larga =
      QStringLiteral("/home/usuaria/") + QString(QStringLiteral("subcarpeta/")).repeated(20);
  for (const QSize pantalla : {QSize(1024, 768), QSize(1600, 1000)}) {
    SCOPED_TRACE(pantalla.width());
    UnloadAllForms();
    SetScreenSize(pantalla);
    MDIForm1& w = main();
    w.show();
    QApplication::processEvents();
    w.lblMiDirTrabajo->setFullText(carpeta);
    w.lblTitulo->setFullText(titulo);
    EXPECT_EQ(w.lblMiDirTrabajo->text(), carpeta);
    EXPECT_EQ(w.lblTitulo->text(), titulo);
    EXPECT_TRUE(w.lblMiDirTrabajo->toolTip().isEmpty());
    EXPECT_TRUE(test::ClippedControls(w.Picture1).isEmpty())
        << test::ClippedControls(w.Picture1).join('\n').toStdString();

    w.lblMiDirTrabajo->setFullText(larga);
    EXPECT_TRUE(w.lblMiDirTrabajo->text().contains(QChar(0x2026)));
    EXPECT_TRUE(w.lblMiDirTrabajo->text().startsWith(QStringLiteral("/home/usuaria/")));
    EXPECT_EQ(w.lblMiDirTrabajo->toolTip(), larga);
    EXPECT_TRUE(test::ClippedControls(w.Picture1).isEmpty())
        << test::ClippedControls(w.Picture1).join('\n').toStdString();
  }
  SetScreenSize(QSize());
}

TEST_F(MDIForm1Test, HoverUnfoldsOnlyInsideTheHotCorner) {
  MDIForm1& w = main();
  const QString cuenca = QStringLiteral(
      "Cuenca del arroyo con un nombre muy largo que no cabe en una sola línea del panel, ni aun cuando la "
      "ventana ocupa la pantalla entera");
  w.lblCuenca->setFullText(cuenca);
  const QSize plegado = w.lblCuenca->size();
  const struct {
    Single X, Y;
    bool unfolded;
  } cases[] = {{21, 41, true},   {20, 50, false},   {600, 50, false},
               {100, 40, false}, {100, 110, false}, {599, 109, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
    w.lblCuenca_MouseMove(0, 0, c.X, c.Y);
    EXPECT_EQ(w.lblCuenca->wordWrap(), c.unfolded);
    if (c.unfolded) {
      EXPECT_GT(w.lblCuenca->height(), plegado.height());
      EXPECT_EQ(w.lblCuenca->text(), cuenca);
    } else {
      EXPECT_EQ(w.lblCuenca->size(), plegado);
      EXPECT_TRUE(w.lblCuenca->text().contains(QChar(0x2026)));
      EXPECT_EQ(w.lblCuenca->toolTip(), cuenca);
    }
  }
  // A real pointer move reaches the handler: 2 pixels are 30 twips, 4 are 60.
  w.show();
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 4), QPointF(2, 4), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(w.lblTitulo, &move);
  EXPECT_TRUE(w.lblTitulo->wordWrap());
  // The identity labels have no hover rule.
  const QSize proyecto = w.lblProyecto->size();
  QApplication::sendEvent(w.lblProyecto, &move);
  EXPECT_EQ(w.lblProyecto->size(), proyecto);
}

// Whether any two labels of the panel overlap, as "name / name" lines.
QStringList Overlapping(const QWidget* panel) {
  QStringList out;
  const QList<QLabel*> labels = panel->findChildren<QLabel*>();
  for (qsizetype i = 0; i < labels.size(); ++i) {
    for (qsizetype j = i + 1; j < labels.size(); ++j) {
      if (labels[i]->geometry().intersects(labels[j]->geometry()))
        out << labels[i]->text() + " / " + labels[j]->text();
    }
  }
  return out;
}

TEST_F(MDIForm1Test, UnfoldedValueMakesRoomAndFoldsWhenThePointerLeaves) {
  MDIForm1& w = main();
  w.show();
  w.lblTitulo->setFullText(
      QStringLiteral("Estudio de crecidas de la cuenca alta del arroyo Las Tapias y de sus afluentes, 2026"));
  w.lblUbicacion->setFullText(QStringLiteral("Sierra Chica"));
  // A folder's path has no blank to break at: it breaks anywhere.
  w.lblMiDirTrabajo->setFullText(QStringLiteral("/home/usuaria/Documentos/ProyectosHidrologicos/") +
                                 QString(QStringLiteral("CuencaLasTapias")).repeated(4));
  w.lblFilesTrabajo->setText(QStringLiteral("Rio_UEHs.pcn\nRio_VerCau.pcn"));
  const int ubicacion = w.lblUbicacion->y();
  const int archivos = w.lblFilesTrabajo->y();
  const int line = w.lblTitulo->fontMetrics().height();
  for (ElidedLabel* label : {w.lblTitulo, w.lblMiDirTrabajo}) {
    SCOPED_TRACE(label->objectName().toStdString());
    const QSize plegado = label->size();
    QMouseEvent corner(QEvent::MouseMove, QPointF(2, 4), QPointF(2, 4), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(label, &corner);
    EXPECT_GE(label->height(), 2 * line);
    EXPECT_TRUE(Overlapping(w.Picture1).isEmpty()) << Overlapping(w.Picture1).join('\n').toStdString();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_FALSE(label->wordWrap());
    EXPECT_EQ(label->size(), plegado);
  }
  EXPECT_EQ(w.lblUbicacion->y(), ubicacion);
  EXPECT_EQ(w.lblFilesTrabajo->y(), archivos);
  EXPECT_TRUE(Overlapping(w.Picture1).isEmpty());
}

const QString kSinProyecto =
    "No existe un Proyecto asociado. Debe cargar un Proyecto desde el Menu Opciones de Configuración o bien "
    "crear "
    "un proyecto nuevo";

// Shows the main window and makes it the active window, so that its shortcuts answer keys.
void ShowActive(MDIForm1& w) {
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST_F(MDIForm1Test, EditorAndTablesNeedAnOpenProject) {
  MDIForm1& w = main();
  ShowActive(w);
  const Qt::Key keys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    dialogs.answer(vbOK);
    QTest::keyClick(&w, keys[k]);
    ASSERT_EQ(dialogs.records().size(), static_cast<size_t>(k + 1));
    const auto& message = dialogs.records().back();
    EXPECT_EQ(message.prompt, kSinProyecto);
    EXPECT_EQ(message.title, "Proyecto Inexistente...");
    EXPECT_EQ(message.style, vbOKOnly | vbExclamation);
  }
  EXPECT_FALSE(frmUEHs::exists());
  EXPECT_FALSE(dlgUEHsEditTabla::exists());
  EXPECT_FALSE(dlgUEHsTabla::exists());
}

TEST_F(MDIForm1Test, MenuShortcutsAnswerInsideTheReportWindow) {
  MDIForm1& w = main();
  ShowActive(w);
  NombreProyecto = QStringLiteral("Rio");
  TextoProceso = QStringLiteral("informe de la corrida");
  w.BotonBarra(QStringLiteral("VerPizarra"))->trigger();
  QPlainTextEdit* text = frmPp::instance().Text1;
  text->setFocus();
  ASSERT_TRUE(text->hasFocus());

  // Ctrl+A opens a project (cancelled here) and leaves the report's text alone.
  dialogs.answerText(QString());
  QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].kind, ScriptedDialogs::Kind::OpenFile);
  EXPECT_FALSE(text->textCursor().hasSelection());
  // The open command's reset left no project: F3 says so.
  dialogs.answer(vbOK);
  QTest::keyClick(text, Qt::Key_F3);
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(dialogs.records()[1].prompt, kSinProyecto);
  // Other keys still reach the text.
  QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(text, QStringLiteral("!"));
  EXPECT_EQ(ReportText(), "informe de la corrida!");
}

TEST_F(MDIForm1Test, WindowsOpenInsideTheMainWindowsArea) {
  MDIForm1& w = main();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  NombreProyecto = QStringLiteral("Rio");
  w.BotonBarra(QStringLiteral("VerPizarra"))->trigger();
  frmPp& report = frmPp::instance();
  QWidget* area = w.mdiArea->viewport();
  ASSERT_LT(area->height(), Px(6405)) << "the area is smaller than the report window's own size";
  EXPECT_TRUE(area->rect().contains(report.parentWidget()->geometry()));
  for (QWidget* button :
       {static_cast<QWidget*>(report.cmdImprimir), static_cast<QWidget*>(report.cmdCerrar)}) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_TRUE(area->rect().contains(QRect(button->mapTo(area, QPoint(0, 0)), button->size())));
    EXPECT_LT(report.Text1->geometry().bottom(), button->y());
  }
  EXPECT_TRUE(test::ClippedControls(&report).isEmpty())
      << test::ClippedControls(&report).join('\n').toStdString();
}

TEST_F(MDIForm1Test, PanelShowsTextsAsTheyAre) {
  MDIForm1& w = main();
  w.show();
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  settings.TextProyecto->setText(QStringLiteral("<b>Río</b> & <i>Seco</i>"));
  NombreProyecto = QStringLiteral("p");
  DirActual = programDir();
  w.carga_lbl_proyecto();
  EXPECT_EQ(w.lblTitulo->text(), "<b>Río</b> & <i>Seco</i>");
  // Shown as typed: the width of the whole text with its brackets, not of markup.
  EXPECT_GE(w.lblTitulo->sizeHint().width(),
            w.lblTitulo->fontMetrics().horizontalAdvance(w.lblTitulo->text()));
  for (const QLabel* label : w.Picture1->findChildren<QLabel*>())
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(MDIForm1Test, ReportWindowCommand) {
  MDIForm1& w = main();
  QAction* boton = w.BotonBarra(QStringLiteral("VerPizarra"));
  // No project: the message, the mark off and the button up.
  dialogs.answer(vbOK);
  w.mnuPizarra1->trigger();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].title, "Proyecto Inexistente...");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_FALSE(w.mnuPizarra1->isChecked());
  EXPECT_FALSE(frmPp::isLoaded());

  NombreProyecto = QStringLiteral("Rio");
  TextoProceso = QStringLiteral("informe anterior");
  w.mnuPizarra1->trigger();
  EXPECT_TRUE(w.mnuPizarra1->isChecked());
  EXPECT_TRUE(PizarraActiva);
  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_EQ(ReportText(), "informe anterior");
  w.mnuPizarra1->trigger();
  EXPECT_FALSE(w.mnuPizarra1->isChecked());
  EXPECT_FALSE(PizarraActiva);
  EXPECT_FALSE(frmPp::exists());

  // The toolbar button shows the window at every click and ends up.
  for (int click = 1; click <= 2; ++click) {
    SCOPED_TRACE(click);
    boton->trigger();
    EXPECT_TRUE(frmPp::isLoaded());
    EXPECT_TRUE(w.mnuPizarra1->isChecked());
    EXPECT_FALSE(boton->isChecked());
  }
}

TEST_F(MDIForm1Test, SettingsWindowBlocksOnlyWhenOpenedFromTheMenu) {
  MDIForm1& w = main();
  w.show();
  DirPrograma = DirActual = programDir();
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  bool blocking = false;
  QTimer::singleShot(0, &settings, [&] {
    blocking = settings.isVisible() && settings.isModal();
    settings.CancelButton->click();
  });
  w.mnuOpcionesConfigurar->trigger();
  EXPECT_TRUE(blocking);
  EXPECT_FALSE(settings.isVisible());

  // Afterwards the toolbar's button, and a project whose settings file is missing, show it modeless.
  w.tbToolBar_ButtonClick(QStringLiteral("Configurar"));
  EXPECT_TRUE(settings.isVisible());
  EXPECT_FALSE(settings.isModal());
  HideForm(&settings);
  NombreProyecto = QStringLiteral("Perdido");
  settings.leoConf();
  EXPECT_TRUE(settings.isVisible());
  EXPECT_FALSE(settings.isModal());
}

// Opened from the toolbar and then from the menu, the settings window comes forward blocking the
// others, and the menu command waits for it once: opening it again meanwhile starts no second wait.
TEST_F(MDIForm1Test, SettingsWindowOpenedAgainComesForwardWithoutASecondWait) {
  MDIForm1& w = main();
  w.show();
  DirPrograma = DirActual = programDir();
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  w.tbToolBar_ButtonClick(QStringLiteral("Configurar"));
  ASSERT_TRUE(settings.isVisible());

  bool blocking = false;
  bool closedInsideTheSecondOpening = false;
  bool closed = false;
  QTimer::singleShot(0, &settings, [&] {
    blocking = settings.isVisible() && QApplication::activeModalWidget() == &settings;
    // A wait of the second opening would run this before the opening returns.
    QTimer::singleShot(0, &settings, [&] {
      closed = true;
      settings.CancelButton->click();
    });
    w.mnuOpcionesConfigurar_Click();
    closedInsideTheSecondOpening = closed;
    EXPECT_TRUE(settings.isVisible());
  });
  w.mnuOpcionesConfigurar->trigger();
  EXPECT_TRUE(blocking);
  EXPECT_FALSE(closedInsideTheSecondOpening);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(settings.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Menu shortcuts read as a Spanish desktop writes them: "Ctrl+", never "Control+".
TEST_F(MDIForm1Test, MenuShortcutsReadCtrl) {
  ASSERT_TRUE(InstallQtSpanish()) << "Qt's Spanish translations are not installed";
  MDIForm1& w = main();
  EXPECT_EQ(w.mnuNuevoProyecto->shortcut().toString(QKeySequence::NativeText), "Ctrl+N");
  EXPECT_EQ(w.mnuPizarra1->shortcut().toString(QKeySequence::NativeText), "Ctrl+F11");
  EXPECT_EQ(w.mnufrmUEHsTabla->shortcut().toString(QKeySequence::NativeText), "F4");
}

}  // namespace
}  // namespace tavo
