#include "engine/proceso.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "components/dlgUEH2.h"
#include "editor/frmUEHs.h"
#include "engine/cuenca_fixture.h"
#include "engine/frmPp.h"
#include "engine/frmPp2.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/listacomponentes.h"
#include "project/redfiles.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "reservoirs/red.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

// The project Cuenca, run from the main window's menus.
class ProcesoTest : public test::CuencaTest {
 protected:
  QByteArray golden(const char* name) {
    return test::ReadBytes(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/") + name);
  }
  // The progress bar's values while `run` runs.
  QList<int> Percentages(const std::function<void()>& run) {
    QSignalSpy spy(FormInstance<frmPp2>::instance().ProgressBar1, &QProgressBar::valueChanged);
    run();
    QList<int> values;
    for (const auto& args : spy) values << args.at(0).toInt();
    return values;
  }
};

TEST_F(ProcesoTest, SingleStormFromTheMenu) {
  dialogs.answer(vbOK);  // the outlet is still rising when the run ends
  main().mnuCorre1->trigger();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith(test::kCutNotice));
  EXPECT_EQ(PasoQ, 10);
  EXPECT_EQ(nComponentes, 4);
  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_TRUE(frmPp::instance().isVisible());
  const QString report = ReportText();
  EXPECT_TRUE(report.startsWith(
      QStringLiteral("TAVO - Modelo de Simulación Hidrológica\r\n") + path("Proyectos") +
      QStringLiteral("/Cuenca\r\nArroyo de prueba\r\nSierra Chica\r\nRío Primero\r\nArroyo Seco\r\n"
                     "Operador de prueba - 10/12/2026 10:00:00\r\n\r\nSIMULACION LLUVIA-CAUDAL PARA "
                     "UNA TORMENTA\r\n")));
  EXPECT_EQ(report, TextoProceso);
  // The report file begins with the window's text, header included; the folder is masked.
  QByteArray file = test::ReadBytes(path("SalePizarra1_tem.txt"));
  file.replace(EncodeWindows1252(path("Proyectos")), "<PROYECTOS>");
  EXPECT_EQ(file, golden("SalePizarra1_tem.txt"));
  EXPECT_FALSE(frmPp2::isLoaded() && frmPp2::instance().isVisible());
  EXPECT_FALSE(BusyPointer());
}

// A new project has no report yet: the report window empties, and turning the report on shows none.
// A project name refused leaves the open project's report as it was.
TEST_F(ProcesoTest, ANewProjectEmptiesTheReportWindow) {
  dialogs.answer(vbOK);  // the outlet is still rising when the run ends
  main().mnuCorre1->trigger();
  const QString report = ReportText();
  ASSERT_FALSE(report.isEmpty());

  dialogs.clear();
  dialogs.answerText(QStringLiteral("Cuenca")).answer(vbOK);  // a project of that name exists
  main().mnuNuevoProyecto->trigger();
  EXPECT_EQ(NombreProyecto, "Cuenca");
  EXPECT_EQ(ReportText(), report);

  dialogs.clear();
  dialogs.answerText(QStringLiteral("Nuevo")).answer(vbOK);  // its settings file is saved
  main().mnuNuevoProyecto->trigger();
  EXPECT_EQ(NombreProyecto, "Nuevo");
  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_TRUE(frmPp::instance().Text1->toPlainText().isEmpty());
  EXPECT_TRUE(ReportText().isEmpty());
  EXPECT_TRUE(TextoProceso.isEmpty());
}

// A run reads the settings without the settings window: the main window's panel shows the titles
// read, and the window brought up afterwards shows what the run read.
TEST_F(ProcesoTest, ARunNeedsNoSettingsWindow) {
  FormInstance<frmConfigura>::unload();
  TextoProyecto.clear();
  TiempoAdicional = 0;
  dialogs.answer(vbOK);  // the outlet is still rising when the run ends
  main().mnuCorre1->trigger();
  EXPECT_FALSE(frmConfigura::isLoaded());
  EXPECT_EQ(main().lblTitulo->text(), "Arroyo de prueba");
  EXPECT_EQ(main().lblUbicacion->text(), "Sierra Chica");
  EXPECT_EQ(main().lblCuenca->text(), QString::fromUtf8("Río Primero"));
  EXPECT_EQ(main().lblSubCuenca->text(), "Arroyo Seco");
  frmConfigura& settings = FormInstance<frmConfigura>::instance();
  EXPECT_EQ(settings.TextProyecto->text(), "Arroyo de prueba");
  EXPECT_EQ(settings.txtN0Dur->text(), "10");
  EXPECT_EQ(settings.Dir1->path(), path("Proyectos"));
}

TEST_F(ProcesoTest, SingleStormWithTheReportOff) {
  main().mnuPizarra1->setChecked(false);
  dialogs.answer(vbOK);  // the outlet is still rising when the run ends
  main().mnuCorre1->trigger();
  EXPECT_FALSE(PizarraActiva);
  ASSERT_TRUE(frmPp::isLoaded());
  EXPECT_FALSE(frmPp::instance().isVisible());
  // Only the unit table is written, and it goes to the file.
  EXPECT_TRUE(TextoProceso.startsWith(QStringLiteral("        u-Norte       ")));
  EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));
}

// A disk that fills while the report file is written, part of it ahead of the run's end: the old file
// stays as it was, no half file is left beside it, and the user is told once.
TEST_F(ProcesoTest, AReportFileThatCannotBeWrittenWholeLeavesTheOldOne) {
  test::WriteBytes(path("SalePizarra1_tem.txt"), "anterior");
  dialogs.answer(vbOK).answer(vbOK);
  test::WithFullDisk(1000, [&] { main().mnuCorre1->trigger(); });
  const QStringList prompts = test::Prompts(dialogs);
  ASSERT_EQ(prompts.size(), 2) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(prompts[0], "Error Nro. 61" + ErrorDescription(61) + " ,Verifique");
  EXPECT_TRUE(prompts[1].startsWith(test::kCutNotice));
  EXPECT_EQ(test::ReadBytes(path("SalePizarra1_tem.txt")), "anterior");
  EXPECT_FALSE(QFile::exists(TemporaryPath(path("SalePizarra1_tem.txt"))));
}

// Another copy of the program on the same program folder writes the report file whole while this
// copy's run writes it ahead: each copy writes through a temporary of its own, so the file left is one
// run's whole report, this one's, which replaced it last. What a copy that ended left half written of
// the file goes with the run.
TEST_F(ProcesoTest, AnotherCopyWritingTheReportMeanwhileLeavesOneRunsWholeReport) {
  DurTormenta = 600;  // a report so long that it is announced before it is saved
  PasoPp = 1;
  PasoQ = 1;
  const QString report = path("SalePizarra1_tem.txt");
  const QString left = report + "." + QString::number(test::EndedProcessNumber()) + ".tmp~";
  test::WriteBytes(left, "a medias");
  bool written = false;
  test::WhenAsked otherCopy(dialogs, [&](const QString& prompt) {
    if (prompt.startsWith(QStringLiteral("La tabla de resultados es muy extensa")))
      written = test::WriteAsAnotherCopy(report, QStringLiteral("informe de la otra copia"));
  });
  InstallDialogs(&otherCopy);
  // The notice of a Muskingum step too short, the announcement, the notice of a flood still rising.
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  main().mnuCorre1->trigger();
  InstallDialogs(&dialogs);
  ASSERT_TRUE(written);
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[1].title, "La tabla de resultados es muy extensa");
  EXPECT_EQ(test::ReadBytes(report), "\"" + EncodeWindows1252(TextoProceso.toString()) + "\"\r\n");
  EXPECT_EQ(QDir(programDir()).entryList({"SalePizarra1_tem.txt*"}, QDir::Files | QDir::Hidden),
            QStringList{"SalePizarra1_tem.txt"});
}

TEST_F(ProcesoTest, LongStormShowsTheProgressWindowAndAlwaysClosesIt) {
  DurTormenta = 241;
  dialogs.answer(vbOK);  // the outlet is still high when the run ends
  main().mnuCorre1->trigger();
  ASSERT_TRUE(frmPp2::exists());
  EXPECT_EQ(frmPp2::instance().windowTitle(), "TAVO procesando...");
  EXPECT_EQ(frmPp2::instance().cmdMiTime->text(), "Un momento...");
  EXPECT_EQ(frmPp2::instance().size(), QSize(Px(7344), Px(1176)));
  EXPECT_FALSE(frmPp2::instance().isVisible());
  EXPECT_FALSE(BusyPointer());
}

TEST_F(ProcesoTest, StormSeriesFromTheMenu) {
  Serie();
  QSignalSpy percentages(FormInstance<frmPp2>::instance().ProgressBar1, &QProgressBar::valueChanged);
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  main().mnuCorre2->trigger();
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].title, "Desea continuar ?");
  EXPECT_EQ(dialogs.records()[0].style, vbOKCancel | vbQuestion);
  EXPECT_EQ(dialogs.records()[1].title,
            "La tabla de resultados se guarda en archivo el temporal <SaleTablasQDRs_tem.txt>");
  EXPECT_TRUE(
      dialogs.records()[1].prompt.endsWith(QStringLiteral("\r\n\r\n\r\nTiempo total del proceso: 0:0:0")));
  EXPECT_TRUE(dialogs.records()[2].prompt.startsWith(test::kCutNotice));

  QList<int> values;
  for (const auto& args : percentages) values << args.at(0).toInt();
  EXPECT_EQ(values, QList<int>({12, 25, 38, 75, 100}));
  EXPECT_FALSE(frmPp2::instance().isVisible());
  // The report is on again, as it was before the series, and its window still closed.
  EXPECT_TRUE(main().mnuPizarra1->isChecked());
  EXPECT_FALSE(PizarraActiva);
  EXPECT_FALSE(SeriesRunning);
  // Excluded storms keep no results; the storm the user defined is back.
  EXPECT_EQ(QpSerie(1, 4), 0);
  EXPECT_EQ(QpSerie(1, 5), 0);
  EXPECT_EQ(QpSerie(1, 7), 0);
  EXPECT_GT(QpSerie(1, 6), 0);
  EXPECT_EQ(PpTormenta, 40);
  EXPECT_EQ(DurTormenta, 60);
  EXPECT_EQ(RecTormenta, 10);
  EXPECT_EQ(kTormenta, 9);
  // The writer left CompoSel past the list; the Q-D-R chart that opens last selects the last component.
  EXPECT_EQ(CompoSel, nComponentes);

  QByteArray file = test::ReadBytes(path("SaleTablasQDRs_tem.txt"));
  file.replace(EncodeWindows1252(path("Proyectos")), "<PROYECTOS>");
  EXPECT_EQ(file, golden("SaleTablasQDRs_tem.txt"));
}

// A series computes each of its storms as the storm in hand; afterwards the storm the user defined is
// back, whether the series ended normally or stopped, and the storm dialog shows it in mode a).
TEST_F(ProcesoTest, TheUsersStormIsBackAfterASeries) {
  for (const bool stops : {false, true}) {
    SCOPED_TRACE(stops ? "stopped" : "whole");
    QFile::remove(path("SaleTablasQDRs_tem.txt"));
    Serie();
    DistriPp = 1;
    PasoPp = 10;
    PasoQ = 5;
    if (stops) {
      EditNetwork([] { test::AddCauce(QStringLiteral("c-Seco"), QStringLiteral("c-Bajo")); });
      dialogs.answer(vbOK).answer(vbNo).answer(vbOK);
    } else {
      dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
    }
    main().mnuCorre2->trigger();
    EXPECT_EQ(dialogs.pendingAnswers(), 0) << test::DescribeDialogs(dialogs).toStdString();
    dialogs.clear();
    EXPECT_EQ(PpTormenta, 40);
    EXPECT_EQ(DurTormenta, 60);
    EXPECT_EQ(RecTormenta, 10);
    EXPECT_EQ(FormaPp, 2);
    EXPECT_EQ(DistriPp, 1);
    EXPECT_EQ(PasoPp, 10);
    EXPECT_EQ(PasoQ, 5);
    EXPECT_EQ(QFile::exists(path("SaleTablasQDRs_tem.txt")), !stops);
  }
  main().mnufrmPp->trigger();
  dlgPp& storm = dlgPp::instance();
  storm.optformaPp[0]->setChecked(true);
  EXPECT_EQ(storm.txtPp->text(), "40");
  EXPECT_EQ(storm.txtDur->text(), "60");
  EXPECT_EQ(storm.cmbRec->currentText(), "10");
}

// A run from the main window while the network editor, open but not the active window, holds an
// edit not saved (a unit's area typed in its dialog): the editor's question, with Cancelar added. Sí
// saves and runs on the saved network; No runs on the files, which the editor then shows; Cancelar
// runs nothing and leaves the editor as it was. The same for a series.
TEST_F(ProcesoTest, ARunWhileTheEditorHoldsEditsAsksFirst) {
  const QString pregunta =
      QStringLiteral("¿Desea guardar los cambios realizados en los componentes de UEHs ? ");
  for (const bool serie : {false, true}) {
    for (const int respuesta : {vbYes, vbNo, vbCancel}) {
      SCOPED_TRACE(std::string(serie ? "series " : "storm ") + std::to_string(respuesta));
      EditNetwork([] { vUEHs[1]->Area = 1728.5f; });
      QFile::remove(path("SalePizarra1_tem.txt"));
      QFile::remove(path("SaleTablasQDRs_tem.txt"));
      main().mnufrmUEHs->trigger();
      QApplication::processEvents();
      QTest::keyClick(frmUEHs::object().picDibujo, Qt::Key_F3);  // the first unit's dialog
      dlgUEH2& unidad = dlgUEH2::object();
      test::Type(unidad.txtArea, "4321");
      test::Leave(unidad.txtArea);
      unidad.OKButton->click();
      QApplication::processEvents();
      QApplication::setActiveWindow(&main());  // the user clicks the main window
      QApplication::processEvents();

      if (serie) {
        Serie();
        dialogs.answer(vbOK);  // the series may take long: go on
      }
      dialogs.answer(respuesta);
      if (respuesta == vbYes) dialogs.answer(vbOK);  // saved
      if (respuesta != vbCancel) {
        dialogs.answer(vbOK);             // the outlet is still rising when the run ends
        if (serie) dialogs.answer(vbOK);  // the results file is written
      }
      (serie ? main().mnuCorre2 : main().mnuCorre1)->trigger();
      const QStringList prompts = test::Prompts(dialogs);
      ASSERT_GE(prompts.size(), serie ? 2 : 1) << test::DescribeDialogs(dialogs).toStdString();
      const auto& r = dialogs.records()[serie ? 1 : 0];
      EXPECT_EQ(r.prompt, pregunta);
      EXPECT_EQ(r.style, vbYesNoCancel | vbQuestion);
      EXPECT_EQ(r.title, "Resguardo de datos de componentes UEHs");
      EXPECT_EQ(dialogs.pendingAnswers(), 0) << test::DescribeDialogs(dialogs).toStdString();

      const bool ran = respuesta != vbCancel;
      EXPECT_EQ(QFile::exists(path(serie ? "SaleTablasQDRs_tem.txt" : "SalePizarra1_tem.txt")), ran);
      EXPECT_EQ(test::ReadBytes(path("Proyectos/Cuenca_UEHs.pcn")).contains("\r\n4321\r\n"),
                respuesta == vbYes);
      // The editor stays open, with the network the run used or, cancelled, with its edit.
      ASSERT_TRUE(frmUEHs::isLoaded());
      EXPECT_EQ(vUEHs[1]->Area, respuesta == vbNo ? 1728.5f : 4321.0f);
      EXPECT_EQ(NetworkText() == SavedNetworkText, ran);
      dialogs.clear();
      frmUEHs::unload();
      FormaPp = 0;
    }
  }
}

TEST_F(ProcesoTest, SeriesStormWithoutDepthIsLeftOut) {
  Serie();
  PpSerie(2) = 0;
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  main().mnuCorre2->trigger();
  EXPECT_EQ(QpSerie(1, 2), 0);
  EXPECT_GT(QpSerie(1, 8), 0);
  EXPECT_TRUE(QFile::exists(path("SaleTablasQDRs_tem.txt")));
  EXPECT_FALSE(test::ReadBytes(path("SaleTablasQDRs_tem.txt")).contains("\"u-Norte\",1,0,"));
}

TEST_F(ProcesoTest, ATableQuestionIsAskedOnceForTheWholeSeries) {
  DamBelowTheOutlet();
  Serie();
  PasoQ = 10;
  dialogs.answer(vbYes).answer(vbOK).answer(vbOK);
  CorreSeriePDR();
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(
      dialogs.records()[0].prompt.startsWith(QStringLiteral("Error, la tabla H-Q de la Represa r-D ")));
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith(QStringLiteral("La tabla de resultados Q-D-R")));
  EXPECT_TRUE(dialogs.records()[2].prompt.startsWith(test::kCutNotice));
  EXPECT_GT(QpSerie(nComponentes, 8), 0);
  EXPECT_TRUE(QFile::exists(path("SaleTablasQDRs_tem.txt")));

  // The next series is a run of its own, and asks again.
  dialogs.clear();
  dialogs.answer(vbYes).answer(vbOK).answer(vbOK);
  CorreSeriePDR();
  EXPECT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(ProcesoTest, AWarningThatWouldStopEveryStormStopsTheSeriesOnce) {
  struct Message {
    QString start;
    int answer;
  };
  struct Case {
    const char* name;
    std::function<void()> setUp;
    std::vector<Message> messages;
  };
  const std::vector<Case> cases = {
      {"output step that does not divide the rain step",
       [] { PasoQ = 3; },
       {{QStringLiteral("El paso de cálculo de caudales debe dividir exactamente al paso de cálculo de la "
                        "precipitación"),
         vbOK}}},
      {"a reach into which nothing drains",
       [this] { EditNetwork([] { test::AddCauce(QStringLiteral("c-Seco"), QStringLiteral("c-Bajo")); }); },
       {{QStringLiteral("Hay tramos de Cauces sin aportes de UEHs."), vbNo},
        {QStringLiteral("Error en la carga de datos de UEHS. Revise"), vbOK}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Serie();
    c.setUp();
    for (const Message& m : c.messages) dialogs.answer(m.answer);
    CorreSeriePDR();
    ASSERT_EQ(dialogs.records().size(), c.messages.size()) << test::DescribeDialogs(dialogs).toStdString();
    for (size_t i = 0; i < c.messages.size(); ++i)
      EXPECT_TRUE(dialogs.records()[i].prompt.startsWith(c.messages[i].start)) << i;
    // Nothing was computed and nothing written; the progress window is closed.
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(QpSerie(1, k), 0) << k;
    EXPECT_FALSE(QFile::exists(path("SaleTablasQDRs_tem.txt")));
    EXPECT_FALSE(frmPp2::instance().isVisible());
    EXPECT_FALSE(SeriesChecked);
    dialogs.clear();
    PasoQ = 10;
  }
}

TEST_F(ProcesoTest, AStormItsDistributionCannotSpreadIsLeftOut) {
  // The theoretical distribution spreads storms of up to 48 hours: the third storm, of 50, is left
  // out with one message and the series goes on.
  Serie();
  PasoQ = 10;
  DistriPp = 1;
  DurSerie(3) = 3000;
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  EXPECT_EQ(Percentages([] { CorreSeriePDR(); }), QList<int>({12, 25, 75, 100}));
  ASSERT_EQ(dialogs.records().size(), 3u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "La tormenta P= 30mm  -   D= 3000min  -   R= 2años queda fuera de la serie. La distribución temporal "
      "teórica sólo se aplica a tormentas de hasta 48 horas (2880 minutos) de duración. Elija otra "
      "distribución temporal o una duración menor.");
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(QpSerie(1, 3), 0);
  EXPECT_GT(QpSerie(1, 2), 0);
  EXPECT_GT(QpSerie(1, 8), 0);
  const QByteArray file = test::ReadBytes(path("SaleTablasQDRs_tem.txt"));
  EXPECT_TRUE(file.contains("\"u-Norte\",1,25,30,10,"));
  EXPECT_FALSE(file.contains(",30,3000,"));
  EXPECT_TRUE(file.contains("\"u-Norte\",1,55,60,10,"));

  // A user distribution without periods can spread no storm: said once, and the series stops.
  dialogs.clear();
  QFile::remove(path("SaleTablasQDRs_tem.txt"));
  DistriPp = 5;
  dialogs.answer(vbOK);
  EXPECT_EQ(Percentages([] { CorreSeriePDR(); }), QList<int>({0}));  // back to 0, and no further
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(
      dialogs.records()[0].prompt.startsWith(QStringLiteral("La distribución personalizada 1 no tiene")));
  EXPECT_FALSE(QFile::exists(path("SaleTablasQDRs_tem.txt")));
}

// A series writes the report of its last computed storm only, the one the report window shows when it
// is turned on afterwards: the same report as a series of that storm alone leaves.
TEST_F(ProcesoTest, TheSeriesLeavesTheReportOfItsLastStormOnly) {
  DamBelowTheOutlet();  // its level-pool table is written with the report off too
  struct Case {
    const char* name;
    std::function<void()> setUp;
    int last;
  };
  const std::vector<Case> cases = {
      {"every storm spread", [] {}, 8},
      {"the last one refused by its distribution",
       [] {
         DistriPp = 1;
         DurSerie(8) = 3000;
       },
       6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = [&](bool alone) {
      Serie();
      PasoQ = 10;
      DistriPp = 0;
      c.setUp();
      if (alone) {
        for (int k = 1; k <= 8; ++k) {
          if (k != c.last) PpSerie(k) = 0;
        }
      }
      SetReportText(QStringLiteral("Antes de la serie\r\n"));
      TextoProceso.clear();
      dialogs.clear();
      dialogs.answer(vbYes);
      if (!alone && c.last != 8) dialogs.answer(vbOK);  // the refused storm
      dialogs.answer(vbOK);
      CorreSeriePDR();
      EXPECT_FALSE(ReportOmitted);
      return TextoProceso.toString();
    };
    const QString series = run(false);
    const QString alone = run(true);
    EXPECT_EQ(series, alone);
    EXPECT_TRUE(series.startsWith(QStringLiteral("Antes de la serie\r\n        u-Norte       ")));
    EXPECT_TRUE(series.contains(QStringLiteral("Planilla detallada de cálculo de propagación en Represa")));
    EXPECT_EQ(ReportText(), QStringLiteral("Antes de la serie\r\n"));
  }
}

TEST_F(ProcesoTest, SeriesWithoutStormsOrCancelled) {
  Serie();
  dialogs.answer(vbCancel);
  main().mnuCorre2->trigger();
  EXPECT_FALSE(frmPp2::exists());
  EXPECT_FALSE(QFile::exists(path("SaleTablasQDRs_tem.txt")));

  NroTormentasSerie = 0;
  main().mnuCorre2->trigger();  // nothing to run: not even the question
  EXPECT_EQ(dialogs.records().size(), 1u);

  dialogs.answer(vbOK);
  CorreSeriePDR();
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_TRUE(dialogs.records()[1].prompt.startsWith(QStringLiteral("No se han cargado tormentas PDRs.")));
  EXPECT_FALSE(frmPp2::instance().isVisible());
}

TEST_F(ProcesoTest, RunCommandsNeedTheirMode) {
  FormaPp = 2;
  main().mnuCorre1->trigger();
  EXPECT_FALSE(QFile::exists(path("SalePizarra1_tem.txt")));
  FormaPp = 0;
  NroTormentasSerie = 3;
  main().mnuCorre2->trigger();
  EXPECT_TRUE(dialogs.records().empty());
  NombreProyecto.clear();
  main().mnuCorre1->trigger();
  EXPECT_FALSE(QFile::exists(path("SalePizarra1_tem.txt")));
  // A command refused by its guards leaves the steps alone.
  EXPECT_EQ(PasoQ, 20);
}

TEST_F(ProcesoTest, ExtraTimeBeyondSixteenBitsIsRefused) {
  DurTormenta = 32000;
  test::WriteBytes(
      path("Proyectos/Cuenca_Conf.pcn"),
      test::ReadBytes(path("Proyectos/Cuenca_Conf.pcn")).replace("\r\n10\r\n\"800\"", "\r\n1000\r\n\"800\""));
  dialogs.answer(vbOK);
  main().mnuCorre1->trigger();
  ASSERT_EQ(dialogs.records().size(), 1u);
  // The message names the three terms of the sum that is tested, with no blank after a parenthesis.
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      "La duración de la tormenta (32000 min) más el tiempo adicional del hidrograma (1000 min) y el paso de "
      "cálculo de la precipitación (10 min) supera los 32767 minutos que admite el cálculo. Reduzca el "
      "tiempo "
      "adicional en Opciones de Configuración, la duración de la tormenta o su paso de cálculo.");
  EXPECT_FALSE(QFile::exists(path("SalePizarra1_tem.txt")));
  EXPECT_FALSE(frmPp2::instance().isVisible());
}

TEST(LeeTormentaSerie, DurationsAndRecurrencesFilter) {
  PasoPp = 10;
  for (int k = 0; k < kNroDuraciones; ++k) SelDuracion(k) = 1;
  for (int k = 0; k < kNroRecurrencias; ++k) SelRecurrencia(k) = 1;
  SelRecurrencia(12) = 0;  // 5000 years
  const struct {
    Single P;
    Integer D, R;
    bool excluded;
  } cases[] = {{10, 10, 2, false},  {10, 9, 2, true},     {10, 45, 2, false}, {10, 60, 0, false},
               {10, 60, 15, false}, {10, 60, 5000, true}, {0, 60, 2, true},   {10, 0, 2, true}};
  NroTormentasSerie = 8;
  PpSerie.redim(0, 8);
  DurSerie.redim(0, 8);
  RecSerie.redim(0, 8);
  for (int k = 1; k <= 8; ++k) {
    PpSerie(k) = cases[k - 1].P;
    DurSerie(k) = cases[k - 1].D;
    RecSerie(k) = cases[k - 1].R;
  }
  for (kTormenta = 1; kTormenta <= 8; ++kTormenta) {
    LeeTormentaSerie();
    EXPECT_EQ(TormentaExcluida, cases[kTormenta - 1].excluded) << kTormenta;
  }
  SelRecurrencia(12) = 1;
  kTormenta = 6;
  LeeTormentaSerie();
  EXPECT_FALSE(TormentaExcluida);
}

TEST(TiempoTranscurrido, HoursMinutesAndSecondsWithoutLeadingZeros) {
  SetFixedClock(QDateTime(QDate(2026, 1, 1), QTime(10, 0, 0)));
  HoraInicioSerie = QTime(9, 56, 53);
  EXPECT_EQ(TiempoTranscurrido(), "0:3:7");
  HoraInicioSerie = QTime(23, 59, 0);
  SetFixedClock(QDateTime(QDate(2026, 1, 1), QTime(0, 1, 1)));
  EXPECT_EQ(TiempoTranscurrido(), "0:2:1");
  SetFixedClock(QDateTime());
}

}  // namespace
}  // namespace tavo
