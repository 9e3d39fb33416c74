// Opens every window of the program, one after the other, as the user reaches them, on the project
// Cuenca with a dam r-D below its outlet and a lake l-E between its reaches: the main window and its
// settings, About, help and delete windows, the calculator, the storm dialog and its four windows, a run with
// its report, hydrograph, hyetograph and progress windows, the graphic editor with the four property dialogs
// and the three reservoir tables, a storm series with its two tables and chart, and both parameter tables.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <functional>

#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"
#include "components/dlgUEHsEditTabla.h"
#include "components/dlgUEHsTabla.h"
#include "editor/frmUEHs.h"
#include "engine/cuenca_fixture.h"
#include "engine/frmPp.h"
#include "engine/frmPp2.h"
#include "formulas/dlgEmpiricas.h"
#include "project/dlgEliminarProyecto.h"
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
#include "shell/frmAbout.h"
#include "shell/frmAyuda.h"
#include "shell/frmInicio.h"

namespace tavo::test {

// A measured storm named as a user may name it: longer than the labels that show its file name.
inline const QString kTormentaLarga =
    QStringLiteral("Tormenta del 12 de diciembre de 2004 sobre la cuenca alta del río Claro_pt.pcn");

class VentanasFixture : public CuencaTest {
 protected:
  // What is done with each window while it is open: its name and the window.
  using Visita = std::function<void(const QString&, QWidget*)>;

  void AbreCadaVentana(const Visita& visita) {
    DamBelowTheOutlet(0);
    EditNetwork([] {
      auto lago = AddLago(QStringLiteral("l-E"), QStringLiteral("c-Bajo"));
      lago->Metodo = QStringLiteral("Piscina Nivelada");
      Drain(QStringLiteral("c-Medio"), QStringLiteral("l-E"));
    });
    PutHSVQLago(1, {{0, 1, 0, 0}, {5, 2, 50000, 10}});
    GuardaTablaHSVQLago();
    auto ve = [&](const char* nombre, QWidget* w) {
      QApplication::processEvents();
      visita(QString::fromLatin1(nombre), w);
    };

    ve("MDIForm1", &main());
    ShowModeless(&frmInicio::instance(), false);
    ve("frmInicio", &frmInicio::instance());
    frmInicio::unload();
    main().mnuAyudaAcerca_Click();
    ve("frmAbout", &FormInstance<frmAbout>::instance());
    FormInstance<frmAbout>::unload();
    // The help, its main page installed as the program installs it.
    QDir().mkpath(path(QStringLiteral("Ayuda")));
    QFile::copy(QStringLiteral(TAVO_SOURCE_DIR "/data/Ayuda/AyudaTAVO.html"),
                path(QStringLiteral("Ayuda/AyudaTAVO.html")));
    main().mnuHelpContents_Click();
    ve("frmAyuda", &frmAyuda::instance());
    frmAyuda::unload();

    main().tbToolBar_ButtonClick(QStringLiteral("Configurar"));
    frmConfigura& configura = FormInstance<frmConfigura>::instance();
    for (int tab = 0; tab < configura.SSTab1->count(); ++tab) {
      configura.SSTab1->setCurrentIndex(tab);
      ve(QStringLiteral("frmConfigura, ficha %1").arg(tab).toLatin1().constData(), &configura);
    }
    configura.CancelButton->click();

    main().mnuEliminarProyecto_Click();
    ve("dlgEliminarProyecto", &dlgEliminarProyecto::instance());
    dlgEliminarProyecto::unload();
    main().mnuEmpiricos_Click();
    ve("dlgEmpiricas", &dlgEmpiricas::instance());
    dlgEmpiricas::unload();

    dialogs.answer(vbOK);  // the flood is still passing when the run ends
    main().mnuCorre1_Click();
    ve("frmPp", &frmPp::instance());
    ve("dlgChart2", &dlgChart2::instance());
    dlgChart2::unload();
    main().mnuGraficoPp_Click();
    ve("dlgChart1", &dlgChart1::instance());
    dlgChart1::unload();
    frmPp2::instance().Muestra(QStringLiteral("TAVO procesando..."));
    ve("frmPp2", &frmPp2::instance());
    frmPp2::instance().Termina();
    frmPp::unload();

    // The storm dialog in mode e), on a measured storm whose name is longer than its labels.
    WriteBytes(
        DirActual + QLatin1Char('/') + kTormentaLarga,
        "\"lluvia medida\"\r\n2,30\r\n\"12/12/2004\",\"20:30\"\r\n\"12/12/2004\",\"21:30\"\r\n4\r\n6\r\n");
    FormaPp = 4;
    dlgPp::MiFilePpReal = kTormentaLarga;
    main().mnufrmPp_Click();
    dlgPp& pp = dlgPp::instance();
    ve("dlgPp", &pp);
    pp.cmdPpReal_Click();
    ve("dlgPpReal", &dlgPpReal::instance());
    dlgPpReal::unload();
    pp.cmdPpPerso_Click();
    ve("dlgDisPpPer", &dlgDisPpPer::instance());
    dlgDisPpPer::unload();
    pp.cmdTablaPDR_Click();
    ve("dlgTablasPDRs", &dlgTablasPDRs::instance());
    dlgTablasPDRs::unload();
    pp.cmdCargaPDRnoUniforme_Click();
    ve("dlgTablaPpUEHs", &dlgTablaPpUEHs::instance());
    dlgTablaPpUEHs::unload();
    dlgPp::unload();

    Serie();
    dialogs.answer(vbOK).answer(vbOK);  // go on; the results file
    main().mnuCorre2_Click();
    main().mnuPlanillaPDRCompleta_Click();
    ve("dlgTablaSalePDR", &dlgTablaSalePDR::instance());
    ve("dlgChart3", &dlgChart3::instance());
    main().mnuPlanillaPDRComponente_Click();
    ve("dlgTablaSalePDR2", &dlgTablaSalePDR2::instance());
    UnloadAllForms();
    main().show();
    FormaPp = 0;
    main().mnufrmUEHs_Click();
    frmUEHs& editor = frmUEHs::instance();
    ve("frmUEHs", &editor);
    selUEH = 1;
    editor.MuestraDlgUEH2();
    ve("dlgUEH2", &dlgUEH2::instance());
    dlgUEH2::instance().CancelButton->click();
    selCauce = 1;
    editor.MuestraDlgCauceEditProp();
    ve("dlgCauceEditProp", &dlgCauceEditProp::instance());
    dlgCauceEditProp::instance().CancelButton->click();
    selLago = 1;
    editor.MuestraDlgLago();
    dlgLago::instance().cmdParametros->click();
    ve("dlgLago", &dlgLago::instance());
    ve("dlgTablaSHVQ", &dlgTablaSHVQ::instance());
    dlgTablaSHVQ::instance().CancelButton->click();
    dlgLago::instance().CancelButton->click();
    selRepresa = 1;
    editor.MuestraDlgRepresas();
    dlgRepresas& represa = dlgRepresas::instance();
    ve("dlgRepresas", &represa);
    represa.cmdHSV->click();
    ve("dlgTablaSHV", &dlgTablaSHV::instance());
    dlgTablaSHV::instance().CancelButton->click();
    represa.cmdTablaQ->click();
    ve("dlgTablaFQ", &dlgTablaFQ::instance());
    dlgTablaFQ::instance().CancelButton->click();
    represa.CancelButton->click();
    QApplication::processEvents();
    frmUEHs::unload();
    UnloadAllForms();

    // The parameter tables read the project again from its files: last.
    main().show();
    main().mnufrmUEHsTabla_Click();
    ve("dlgUEHsTabla", &dlgUEHsTabla::instance());
    dlgUEHsTabla::unload();
    main().mnuEditfrmUEHsTabla_Click();
    ve("dlgUEHsEditTabla", &dlgUEHsEditTabla::instance());
    UnloadAllForms();
  }
};

}  // namespace tavo::test
