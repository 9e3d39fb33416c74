#include "results/dlgTablaSalePDR.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QPrinterInfo>
#include <cmath>

#include "results/dlgChart3.h"
#include "results/dlgTablaSalePDR2.h"
#include "results/serie_fixture.h"
#include "shell/MDIForm1.h"

namespace tavo {
namespace {

// The five storms of the tables: a storm without depth in the middle, one of 45 minutes with no
// return period, and last one of 10 minutes, shorter than the rain step. Storms 1, 3 and 4 take part.
class TablaSalePDRTest : public test::SerieTest {
 protected:
  void SetUp() override {
    SerieTest::SetUp();
    Serie({{20, 30, 10}, {0, 60, 10}, {25, 45, 0}, {35, 60, 25}, {30, 10, 10}});
  }
  static QStringList Fila(const FlexGrid* g, int row) {
    QStringList cells;
    for (int c = 0; c < g->Cols(); ++c) cells << g->TextMatrix(row, c);
    return cells;
  }
  static FlexGrid* Grilla() { return dlgTablaSalePDR::instance().MSFlexGridTablaSaleQDR; }
};

TEST_F(TablaSalePDRTest, EveryComponentThenTheTotals) {
  PpTormenta = 40;
  DurTormenta = 60;
  RecTormenta = 5;
  MuestraTablaSalePDR();
  dlgTablaSalePDR& form = dlgTablaSalePDR::instance();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "Serie de Tormentas Sintéticas: Resumen de Qpico, Escorrentía y Coef. Esc.");
  FlexGrid* g = Grilla();
  // The window fills again as it becomes active; the cells merge once the fill is over.
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();

  EXPECT_EQ(Fila(g, 0),
            QStringList({"Componente ", "Nro.", "P[mm]", "D[min]", "R[años]", "Qp[m3/s]", "E[m3]", "C[%]"}));
  g->setRow(0);
  EXPECT_TRUE(g->CellFontBold());
  EXPECT_EQ(g->CellFontSize(), 7);
  EXPECT_EQ(g->ColWidth(3), Twips(Px(850)));
  // Column 0 is widened for "Escorrentía total "; the titles run across the columns and widen none.
  EXPECT_GT(g->ColWidth(0), Twips(Px(1400)));
  EXPECT_LT(g->ColWidth(0), 2500);

  const QString titulos[] = {programDir() + "/Prueba_Conf.pcn", "Arroyo de prueba",
                             "Ubicación: Sierra Chica - Cuenca: Río Primero", "SubCuenca: Arroyo Seco",
                             "Operador: Operador - 10/12/2026"};
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(Fila(g, row), QStringList(QVector<QString>(8, titulos[row - 1]).toList())) << row;
    EXPECT_EQ(g->columnSpan(row, 0), 8) << row;  // a title shows once across the grid
  }

  // The units' rows carry E and C, the reach's do not; Qp, E and C are rounded, halves to even, and
  // written with a decimal point.
  EXPECT_EQ(Fila(g, 6), QStringList({"u-A", "1", "20", "30", "10", "11.12", "1000", "1.46"}));
  EXPECT_EQ(Fila(g, 7), QStringList({"u-A", "1", "25", "45", "0", "13.12", "3000", "3.46"}));
  EXPECT_EQ(Fila(g, 8), QStringList({"u-A", "1", "35", "60", "25", "14.12", "4000", "4.46"}));
  EXPECT_EQ(Fila(g, 9), QStringList(QVector<QString>(8).toList()));
  EXPECT_EQ(Fila(g, 10), QStringList({"c-B", "2", "20", "30", "10", "21.12", "", ""}));
  EXPECT_EQ(Fila(g, 12), QStringList({"c-B", "2", "35", "60", "25", "24.12", "", ""}));
  EXPECT_EQ(Fila(g, 13), QStringList(QVector<QString>(8).toList()));
  EXPECT_EQ(Fila(g, 14), QStringList({"Escorrentía total ", "", "20", "30", "10", "", "2000", "1.5"}));
  EXPECT_EQ(Fila(g, 16), QStringList({"Escorrentía total ", "", "35", "60", "25", "", "8000", "4.5"}));
  // The last storm takes no part: the grid still ends with one empty row.
  ASSERT_EQ(g->Rows(), 18);
  EXPECT_EQ(Fila(g, 17), QStringList(QVector<QString>(8).toList()));
  // Equal neighbouring cells of the data rows stay apart.
  EXPECT_EQ(g->rowSpan(6, 0), 1);
  EXPECT_EQ(g->rowSpan(10, 1), 1);
  g->setRow(6);
  g->setCol(0);
  EXPECT_EQ(g->CellAlignment(), flexAlignCenterCenter);
  g->setRow(14);
  EXPECT_EQ(g->CellAlignment(), flexAlignLeftCenter);

  // The table changes neither the storm of the next run nor anything else but its counters.
  EXPECT_EQ(PpTormenta, 40);
  EXPECT_EQ(DurTormenta, 60);
  EXPECT_EQ(RecTormenta, 5);
  EXPECT_EQ(kTormenta, 6);
  EXPECT_EQ(CompoSel, 3);
}

TEST_F(TablaSalePDRTest, ASelectionChangedAfterTheRunShowsAtTheNextFill) {
  MuestraTablaSalePDR();
  FlexGrid* g = Grilla();
  // A fill keeps the cell the user is on.
  g->setRow(11);
  g->setCol(5);
  dlgTablaSalePDR::instance().cmdAplicarCambios->click();
  EXPECT_EQ(g->Row(), 11);
  EXPECT_EQ(g->Col(), 5);

  SelRecurrencia(2) = 0;  // 10 years
  dlgTablaSalePDR::instance().cmdAplicarCambios->click();
  EXPECT_EQ(g->Row(), 11);
  ASSERT_EQ(g->Rows(), 15);
  EXPECT_EQ(Fila(g, 6)[4], "0");
  EXPECT_EQ(Fila(g, 7)[4], "25");
  EXPECT_EQ(Fila(g, 9)[0], "c-B");
  EXPECT_EQ(Fila(g, 12), QStringList({"Escorrentía total ", "", "25", "45", "0", "", "6000", "3.5"}));
  for (int row = 6; row < g->Rows(); ++row) EXPECT_NE(Fila(g, row)[4], "10") << row;
}

TEST_F(TablaSalePDRTest, ResultsNoLongerHeldLeaveTheirCellsEmpty) {
  // A single-storm run after the series made the result arrays anew for one storm.
  QpSerie.redim(0, nComponentes, 0, 1);
  ESerie.redim(0, nUEHs, 0, 1);
  CESerie.redim(0, nUEHs, 0, 1);
  ETotalSerie.redim(0, 1);
  CETotalSerie.redim(0, 1);
  MuestraTablaSalePDR();
  FlexGrid* g = Grilla();
  EXPECT_EQ(Fila(g, 6), QStringList({"u-A", "1", "20", "30", "10", "0", "0", "0"}));
  EXPECT_EQ(Fila(g, 7), QStringList({"u-A", "1", "25", "45", "0", "", "", ""}));
  EXPECT_EQ(Fila(g, 15), QStringList({"Escorrentía total ", "", "25", "45", "0", "", "", ""}));
}

TEST_F(TablaSalePDRTest, OneComponentChosenInTheList) {
  CompoSel = 7;  // beyond the list, as a fill of the whole table leaves it
  MuestraTablaSalePDR2();
  dlgTablaSalePDR2& form = dlgTablaSalePDR2::instance();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(),
            "Serie de Tormentas Sintéticas: Resumen Qp-D-R - E-D-R - CE-D-R por Componente");
  FlexGrid* g = form.MSFlexGridTablaSaleQDR;
  EXPECT_EQ(form.lstCompos->count(), 2);
  EXPECT_EQ(form.lstCompos->currentIndex(), 0);
  EXPECT_EQ(CompoSel, 1);
  EXPECT_EQ(Fila(g, 6)[0], "u-A");
  EXPECT_EQ(Fila(g, 9)[0], "");
  EXPECT_EQ(Fila(g, 10)[0], "Escorrentía total ");
  EXPECT_EQ(g->Rows(), 14);

  form.lstCompos->setCurrentIndex(1);
  EXPECT_EQ(CompoSel, 2);
  EXPECT_EQ(Fila(g, 6), QStringList({"c-B", "2", "20", "30", "10", "21.12", "", ""}));
  EXPECT_EQ(Fila(g, 8)[0], "c-B");
  EXPECT_EQ(Fila(g, 10)[0], "Escorrentía total ");
  EXPECT_EQ(g->Rows(), 14);
}

TEST_F(TablaSalePDRTest, TheSalidasCommandsNeedASeriesOfMoreThanOneStorm) {
  MDIForm1& principal = FormInstance<MDIForm1>::instance();
  NroTormentasSerie = 1;
  principal.tbToolBar_ButtonClick(QStringLiteral("VerTablaQDR1"));
  principal.mnuPlanillaPDRComponente->trigger();
  EXPECT_FALSE(dlgTablaSalePDR::isLoaded());
  EXPECT_FALSE(dlgTablaSalePDR2::isLoaded());

  NroTormentasSerie = 5;
  principal.tbToolBar_ButtonClick(QStringLiteral("VerTablaQDR1"));
  principal.tbToolBar_ButtonClick(QStringLiteral("VerTablaQDR2"));
  ASSERT_TRUE(dlgTablaSalePDR::isLoaded());
  ASSERT_TRUE(dlgTablaSalePDR2::isLoaded());
  EXPECT_TRUE(dlgTablaSalePDR::instance().isVisible());
  EXPECT_TRUE(dlgTablaSalePDR2::instance().isVisible());
  principal.mnuGraficoPDRComponente->trigger();
  ASSERT_TRUE(dlgChart3::isLoaded());
  EXPECT_TRUE(dlgChart3::instance().isVisible());
  for (const QWidget* w : std::initializer_list<const QWidget*>{
           &dlgTablaSalePDR::instance(), &dlgTablaSalePDR2::instance(), &dlgChart3::instance()})
    EXPECT_TRUE(test::ClippedControls(w).isEmpty()) << test::ClippedControls(w).join("\n").toStdString();

  dlgTablaSalePDR::instance().OKButton->click();
  EXPECT_FALSE(dlgTablaSalePDR::isLoaded());
}

TEST_F(TablaSalePDRTest, PrintingGivesTheWindowItsControlsBack) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed";
  MuestraTablaSalePDR2();
  dlgTablaSalePDR2& form = dlgTablaSalePDR2::instance();
  dialogs.answer(vbOK);
  form.cmdImprimir->click();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_TRUE(dialogs.records()[0].prompt.endsWith(path("TablaQDR.pdf")));
  EXPECT_TRUE(test::ReadBytes(path("TablaQDR.pdf")).startsWith("%PDF"));
  for (QWidget* w : std::initializer_list<QWidget*>{form.cmdImprimir, form.OKButton, form.cmdAplicarCambios,
                                                    form.lstCompos})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
  EXPECT_EQ(form.MSFlexGridTablaSaleQDR->ScrollBars(), 3);
}

// The largest network's series: 230 components (70 of them units) and 238 storms, every one
// retained, give a table of 55 215 rows of 8 cells. Every cell reads back the text the table has
// always shown for it: the digest below is that of the whole table's texts, row by row.
class TablaGrandeTest : public TablaSalePDRTest {};

TEST_F(TablaGrandeTest, TheLargestSeriesReadsBackEveryCell) {
  std::vector<QString> nombres;
  for (const char* tipo : {"u-", "l-", "c-"}) {
    for (int i = 1; i <= 70; ++i) nombres.push_back(QString::fromLatin1(tipo) + QString::number(i));
  }
  for (int i = 1; i <= 20; ++i) nombres.push_back(QStringLiteral("r-%1").arg(i));
  DirActual = QStringLiteral("/datos/Proyectos");  // the same title in every run
  nComponentes = static_cast<Integer>(nombres.size());
  nUEHs = 70;
  NombresComponentes.redim(0, nComponentes);
  for (int i = 1; i <= nComponentes; ++i) NombresComponentes(i) = nombres[static_cast<size_t>(i - 1)];
  PasoPp = 1;
  std::vector<test::Tormenta> tormentas;
  for (Integer R : kRecurrencias) {
    for (Integer D : kDuraciones)
      tormentas.push_back(
          {static_cast<Single>(std::round(25 * std::pow(R, 0.22) * std::pow(D / 60.0, 0.3))), D, R});
  }
  Serie(tormentas);
  // Values of many sizes: peaks below a hundredth, volumes of seven digits, coefficients rounded.
  for (int k = 1; k <= NroTormentasSerie; ++k) {
    for (int c = 1; c <= nComponentes; ++c)
      QpSerie(c, k) = static_cast<Single>(c * 1.37 + k * 0.0913 + (c % 7 == 0 ? 0.005 : 0)) /
                      static_cast<Single>(c % 11 == 0 ? 1e6 : 1);
    for (int u = 1; u <= nUEHs; ++u) {
      ESerie(u, k) = static_cast<Long>(u * 104729 + k * 7919);
      CESerie(u, k) = static_cast<Single>(u * 0.731 + k * 0.125);
    }
    ETotalSerie(k) = 3000000 + 12345 * k;
    CETotalSerie(k) = static_cast<Single>(k * 0.333);
  }

  MuestraTablaSalePDR();
  QCoreApplication::processEvents();
  const FlexGrid* g = dlgTablaSalePDR::instance().MSFlexGridTablaSaleQDR;
  ASSERT_EQ(g->Rows(), 55215);
  ASSERT_EQ(g->Cols(), 8);
  QCryptographicHash digest(QCryptographicHash::Sha1);
  for (int r = 0; r < g->Rows(); ++r) {
    QString fila;
    for (int c = 0; c < g->Cols(); ++c) fila += g->TextMatrix(r, c) + QChar(0x1F);
    digest.addData(fila.toUtf8() + '\n');
  }
  EXPECT_EQ(Fila(g, 6), QStringList({"u-1", "1", "14", "5", "2", "1.46", "112648", "0.86"}));
  EXPECT_EQ(g->TextMatrix(55213, 0), "Escorrentía total ");
  EXPECT_EQ(digest.result().toHex(), "c3b0afee5b6d3b35fbdeaf281424af7b3d30de43");
}

}  // namespace
}  // namespace tavo
