#include "engine/avisos.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "engine/cuenca_fixture.h"
#include "engine/frmPp.h"
#include "engine/proceso.h"
#include "engine/resultados.h"
#include "project/configuracion.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

const QString kEnd =
    "Para ver la crecida completa, aumente el <Tiempo adicional> en <Menú\\Opciones\\Opciones de "
    "Configuración>, ficha <Ver>.";

// The project Cuenca run from the main window's menus: its outlet c-Bajo still rises when a storm of
// 60 minutes is followed by the delivered 10 minutes of extra time.
class AvisosTest : public test::CuencaTest {
 protected:
  // Runs the storm from the menu, answering `messages` messages.
  void Run(int messages) {
    for (int i = 0; i < messages; ++i) dialogs.answer(vbOK);
    main().mnuCorre1->trigger();
  }
  // Runs the series from the menu: the question, the results file and `notices` more messages.
  void RunSeries(int notices) {
    Serie();
    dialogs.answer(vbOK).answer(vbOK);
    for (int i = 0; i < notices; ++i) dialogs.answer(vbOK);
    main().mnuCorre2->trigger();
  }
  QStringList prompts() const { return test::Prompts(dialogs); }
  // The project's settings as delivered, with this extra time after the storm.
  void Settings(const QByteArray& extra) {
    test::WriteBytes(path("Proyectos/Cuenca_Conf.pcn"),
                     test::ReadBytes(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/Cuenca_Conf.pcn")));
    ExtraTime(extra);
  }
  // The Muskingum K of the reach c-Medio (x = 0.2) and of the dam r-D below the outlet; a dam's K of 0
  // routes it by level pool.
  void MuskingumK(Single reach, Single dam) {
    EditNetwork([=] {
      vCauces[1]->Cauce_k_Musk = reach;
      vRepresas[1]->Represa_k_Musk = dam;
      vRepresas[1]->Metodo = dam == 0 ? QStringLiteral("Piscina Nivelada") : QStringLiteral("Muskingum");
    });
  }
};

TEST_F(AvisosTest, ASingleRunSaysWhenItsHorizonCutsTheOutletsFlood) {
  // Still rising at the last step: the notice names the outlet, its last discharge and the horizon.
  Run(1);
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].style, vbExclamation);
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(
      prompts()[0],
      "La crecida no había terminado al final del cálculo:\r\n"
      "   c-Bajo: 10.64 m3/s en el último paso (80 min), todavía en aumento.\r\n"
      "\r\n"
      "El cálculo termina a la duración de la tormenta más el tiempo adicional (60 + 10 min), así que el "
      "hidrograma está cortado y los volúmenes y coeficientes de escorrentía del informe no cuentan el "
      "agua que aún no había salido. " +
          kEnd);
  // The notice changes nothing of the run: its report file is the one the run always wrote.
  EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));

  struct Case {
    const char* extra;
    QString line;  // the outlet's line of the notice; empty: no notice
  };
  const Case cases[] = {
      {"50", "   c-Bajo: 6.36 m3/s en el último paso (110 min), el 56 % de su caudal máximo de 11.39 m3/s."},
      {"80", "   c-Bajo: 1.04 m3/s en el último paso (140 min), el 9 % de su caudal máximo de 11.39 m3/s."},
      {"150", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    dialogs.clear();
    Settings(c.extra);
    Run(c.line.isEmpty() ? 0 : 1);
    ASSERT_EQ(prompts().size(), c.line.isEmpty() ? 0 : 1) << prompts().join('\n').toStdString();
    if (!c.line.isEmpty()) {
      EXPECT_EQ(prompts()[0].split("\r\n").value(1), c.line);
    }
  }
}

TEST_F(AvisosTest, ASeriesSaysOnceAtItsEndHowManyStormsWereCut) {
  struct Case {
    const char* extra;
    QString notice;  // empty: none
  };
  const QString rest =
      " de la serie: el caudal de c-Bajo en el último paso seguía por encima del 5 % de su caudal "
      "máximo.\r\n\r\nEl cálculo de cada tormenta termina a su duración más el tiempo adicional (";
  const QString after =
      " min), así que los caudales máximos, volúmenes y coeficientes de escorrentía de esas tormentas son "
      "los de hidrogramas cortados. " +
      kEnd;
  const Case cases[] = {
      {"10", "La crecida no había terminado al final del cálculo en 5 de las 5 tormentas calculadas" + rest +
                 "10" + after},
      {"100", "La crecida no había terminado al final del cálculo en 1 de las 5 tormentas calculadas" + rest +
                  "100" + after},
      {"150", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    dialogs.clear();
    Settings(c.extra);
    RunSeries(c.notice.isEmpty() ? 0 : 1);
    // The question, the results file, and the notice last, once for the whole series.
    const QStringList said = prompts();
    ASSERT_EQ(said.size(), c.notice.isEmpty() ? 2 : 3) << said.join('\n').toStdString();
    EXPECT_TRUE(said[1].startsWith("La tabla de resultados Q-D-R"));
    if (!c.notice.isEmpty()) {
      EXPECT_EQ(said[2], c.notice);
      EXPECT_EQ(dialogs.records()[2].title, "Advertencia !");
    }
  }
}

TEST_F(AvisosTest, MuskingumWithANegativeCoefficientIsToldBeforeTheRunWhichGoesOn) {
  const QString advice =
      "\r\n\r\nUn coeficiente negativo puede dar caudales que oscilan y hasta caudales negativos. Para "
      "evitarlo, el paso debe quedar entre 2·K·x y 2·K·(1 - x): elija otro paso de caudales desde el Menú "
      "Principal: Entradas\\Precipitaciones, o cambie K y x desde el Editor de UEHs. El cálculo continúa sin "
      "cambios.";
  struct Case {
    const char* name;
    Integer step;
    Single reachK, damK;
    QString notice;  // empty: none
  };
  const Case cases[] = {
      {"a step below 2·K·x", 5, 20, 0,
       "Con el paso de cálculo de caudales de 5 min, la propagación por Muskingum tiene un coeficiente "
       "negativo en:\r\n   Tramo de cauce c-Medio (K = 20 min, x = 0.2): el paso es menor que 2·K·x = 8 "
       "min." +
           advice},
      {"a step above 2·K·(1 - x), and a dam's above 2·K", 10, 3, 2,
       "Con el paso de cálculo de caudales de 10 min, la propagación por Muskingum tiene un coeficiente "
       "negativo en:\r\n   Tramo de cauce c-Medio (K = 3 min, x = 0.2): el paso es mayor que 2·K·(1 - x) = "
       "4.8 min.\r\n   Represa r-D (K = 2 min, x = 0 en lagos y represas): el paso es mayor que 2·K·(1 - x) "
       "= 4 min." +
           advice},
      {"a step on 2·K·x and a dam by level pool", 10, 25, 0, ""},
      {"a dam whose step is 2·K", 10, 20, 5, ""},
  };
  DamBelowTheOutlet(0);
  ASSERT_EQ(vCauces[1]->NombreCauce, "c-Medio");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MuskingumK(c.reachK, c.damK);
    PasoQ = c.step;
    dialogs.clear();
    Run(c.notice.isEmpty() ? 1 : 2);
    const QStringList said = prompts();
    ASSERT_EQ(said.size(), c.notice.isEmpty() ? 1 : 2) << said.join('\n').toStdString();
    if (!c.notice.isEmpty()) {
      EXPECT_EQ(said[0], c.notice);
      EXPECT_EQ(dialogs.records()[0].style, vbExclamation);
      EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
    }
    // The run goes on to its end, as without the notice.
    EXPECT_TRUE(said.last().startsWith(test::kCutNotice));
    EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));
    QFile::remove(path("SalePizarra1_tem.txt"));
  }

  // A series says it once, before its first storm.
  dialogs.clear();
  MuskingumK(20, 0);
  PasoQ = 5;
  RunSeries(2);
  const QStringList said = prompts();
  ASSERT_EQ(said.size(), 4) << said.join('\n').toStdString();
  EXPECT_TRUE(said[1].startsWith(test::kMuskingumNotice));
  EXPECT_TRUE(said[2].startsWith("La tabla de resultados Q-D-R"));
  EXPECT_TRUE(said[3].startsWith(test::kCutNotice));
}

// The report window, as the user left it before a series, is the same after it: a single run then
// writes its report into the window, or leaves it closed.
TEST_F(AvisosTest, AfterASeriesTheReportIsAsTheUserHadIt) {
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "report on" : "report off");
    if (!on) main().mnuPizarra1->trigger();  // the first use after start-up turns it off
    ASSERT_EQ(main().mnuPizarra1->isChecked(), on);
    dialogs.clear();
    RunSeries(1);
    EXPECT_EQ(main().mnuPizarra1->isChecked(), on);
    FormaPp = 0;
    PpTormenta = 40;
    DurTormenta = 60;
    dialogs.clear();
    Run(1);
    ASSERT_TRUE(frmPp::isLoaded());
    EXPECT_EQ(frmPp::instance().isVisible(), on);
    EXPECT_EQ(ReportText().startsWith("TAVO - Modelo de Simulación Hidrológica"), on);
    EXPECT_EQ(ReportText().contains("Componente: Tramo de Cauce c-Bajo"), on);
  }
}

TEST_F(AvisosTest, TheSeriesQuestionSaysHowToStopTheSeriesHere) {
  Serie();
  dialogs.answer(vbCancel);
  main().mnuCorre2->trigger();
  ASSERT_EQ(dialogs.records().size(), 1u);
  const QString question = prompts()[0];
  EXPECT_FALSE(question.contains("Ctrl"));
  EXPECT_TRUE(question.endsWith(
      "\n\r\n\rUna vez iniciado, el proceso de cálculo no puede detenerse desde el programa, que no responde "
      "hasta terminar la serie. Solo puede interrumpirse terminando el programa: finalice el proceso <" +
      QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
      "> desde el Monitor del sistema, o escriba <kill " +
      QString::number(QCoreApplication::applicationPid()) +
      "> en una terminal. Se perderán los resultados de la serie y los cambios no guardados."))
      << question.toStdString();
}

}  // namespace
}  // namespace tavo
