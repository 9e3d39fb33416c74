// The hand-made project Cuenca, open in the main window: two units drain into a Muskingum reach that
// drains into a reach of direct translation, the outlet. Its settings leave out the 120-minute storms
// and the 5000-year ones. The storm: 40 mm in 60 minutes, R = 10 years, constant, rain step 10
// minutes and an output step of 20 that the run command brings down to the rain step.
#pragma once

#include <QDir>
#include <QFile>
#include <functional>

#include "editor/frmUEHs.h"
#include "platform/forms.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/redfiles.h"
#include "rainfall/tormenta.h"
#include "reservoirs/red.h"
#include "reservoirs/tablas.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo::test {

class CuencaTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir(QStringLiteral("Proyectos"));
    for (const char* file : {"Cuenca_Conf.pcn", "Cuenca_UEHs.pcn", "Cuenca_VerCau.pcn"}) {
      QFile::copy(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/") + file, path("Proyectos/") + file);
    }
    DirPrograma = programDir();
    DirActual = path("Proyectos");
    NombreProyecto = QStringLiteral("Cuenca");
    SetFixedClock(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)));
    PpTormenta = 40;
    DurTormenta = 60;
    RecTormenta = 10;
    PasoPp = 10;
    PasoQ = 20;
    FormaPp = 0;
    DistriPp = 0;
    main().show();
    // The settings come from another machine: the read corrects their folder in memory, silently.
    FormInstance<frmConfigura>::instance().leoConf();
    EXPECT_EQ(DirTrabajo, path("Proyectos"));
    EXPECT_TRUE(dialogs.records().empty()) << DescribeDialogs(dialogs).toStdString();
    dialogs.clear();
  }
  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  // The series of eight storms: the 4th (120 min), 5th (5000 years) and 7th (shorter than the rain
  // step) do not take part; the 6th (45 min, 15 years) is in no list and does.
  void Serie() {
    const Single P[] = {20, 25, 30, 35, 40, 45, 50, 55};
    const Integer D[] = {30, 30, 60, 120, 60, 45, 5, 60};
    const Integer R[] = {2, 10, 2, 2, 5000, 15, 10, 10};
    NroTormentasSerie = 8;
    PpSerie.redim(0, 8);
    DurSerie.redim(0, 8);
    RecSerie.redim(0, 8);
    for (int k = 1; k <= 8; ++k) {
      PpSerie(k) = P[k - 1];
      DurSerie(k) = D[k - 1];
      RecSerie(k) = R[k - 1];
    }
    FormaPp = 2;
  }
  // The extra time after the storm that the project's settings file holds, in minutes (10 as delivered).
  void ExtraTime(const QByteArray& minutes) {
    const QString file = path("Proyectos/Cuenca_Conf.pcn");
    WriteBytes(file, ReadBytes(file).replace("\r\n10\r\n\"800\"", "\r\n" + minutes + "\r\n\"800\""));
  }
  // Changes the project's network on its files: `edit` works on the network as loaded. The save shows
  // the network in the editor, which these tests then close: a run asks about what the editor holds.
  void EditNetwork(const std::function<void()>& edit) {
    CargaRedProyecto();
    edit();
    dialogs.answer(vbOK);  // the writer confirms
    EscribeRedProyecto();
    frmUEHs::unload();
    dialogs.clear();
  }
  static void Drain(const QString& reach, const QString& into) {
    for (const auto& c : colCauces) {
      if (c->NombreCauce == reach) c->Cauce_aa = into;
    }
  }
  // A dam r-D below the outlet reach c-Bajo, routed by level pool over a height-area-storage table
  // from 0 to 10 m; its height-discharge table starts at `floor` m (below it the outflow is asked for).
  void DamBelowTheOutlet(Single floor = 2) {
    EditNetwork([] {
      auto r = AddRepresa(QStringLiteral("r-D"), QStringLiteral("0"));
      r->Metodo = QStringLiteral("Piscina Nivelada");
      r->optTabla = true;
      Drain(QStringLiteral("c-Bajo"), QStringLiteral("r-D"));
    });
    PutHSVRepresa(1, {{0, 1, 0}, {10, 1, 100000}});
    PutHQRepresa(1, {{floor, 0}, {10, 80}});
    GuardaTablaHSVRepresa();
    GuardaTablaHQRepresa();
  }
};

}  // namespace tavo::test
