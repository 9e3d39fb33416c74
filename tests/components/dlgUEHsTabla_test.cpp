// The read-only parameter table: opened from the main window on the project as saved, its sections,
// its refills from memory, its two-click selection.
#include "components/dlgUEHsTabla.h"

#include "components/tablas_fixture.h"
#include "reservoirs/red.h"
#include "reservoirs/tablas.h"
#include "support/network.h"

namespace tavo {
namespace {

class DlgUEHsTablaTest : public test::TablasTest {
 protected:
  // Project "Rio": reaches c-1 (outlet, Muskingum) and c-2 (direct, into c-1); units u-1 and u-2; lake
  // l-1 with a three-row table and l-2 without one; dam r-1 with outflow ranges 1 and 5 on.
  void SetUp() override {
    TablasTest::SetUp();
    Proyecto(QStringLiteral("Rio"), QStringLiteral("Arroyo Seco"));
    auto c1 = test::AddCauce(QStringLiteral("c-1"), QStringLiteral("0"));
    c1->LongCauce = 1500;
    c1->VelMediaCauce = 1.5f;
    c1->Cauce_k_Musk = 20;
    c1->Cauce_n_Musk = 0.25f;
    c1->IndiceParInicial = 1;
    auto c2 = test::AddCauce(QStringLiteral("c-2"), QStringLiteral("c-1"));
    c2->optDirMusk = true;
    c2->LongCauce = 800;
    c2->VelMediaCauce = 0.8f;
    c2->IndiceParInicial = 3;
    for (int k = 1; k <= 2; ++k) {
      numVerticesCauce(k) = 2;
      vCauces[k]->numVertices = 2;
      XVertice(k, 1) = 100.f * k;
      XVertice(k, 2) = 100.f * k + 50;
    }
    auto u1 = test::AddUEH(QStringLiteral("u-1"), QStringLiteral("c-2"));
    u1->Metodo = QStringLiteral("Directo");
    u1->Area = 12.5f;
    u1->LongitudMax = 400;
    u1->VelMedia = 0.5f;
    u1->KostiakovA = 2;
    u1->KostiakovB = 0.4f;
    u1->KostiakovI = 6;
    u1->Q0Recesion = 0.2f;
    u1->KRecesion = 24;
    u1->RetensionZ = 5;
    test::AddUEH(QStringLiteral("u-2"), QStringLiteral("c-1"))->Metodo = QStringLiteral("Directo");
    auto l1 = test::AddLago(QStringLiteral("l-1"), QStringLiteral("c-1"));
    l1->Metodo = QStringLiteral("Piscina Nivelada");
    l1->Lago_k_Musk = 30;
    l1->HInicialEmb = 1.5f;
    test::AddLago(QStringLiteral("l-2"), QStringLiteral("c-1"))->Metodo = QStringLiteral("Runge Kutta");
    auto r1 = test::AddRepresa(QStringLiteral("r-1"), QStringLiteral("c-1"));
    r1->Metodo = QStringLiteral("Muskingum");
    r1->Represa_k_Musk = 45;
    r1->optTabla = true;
    r1->HInicialEmb = 101.5f;
    r1->chkFQ1 = 1;
    r1->FQa1 = 2.5f;
    r1->FQb1 = 1.5f;
    r1->FQmin1 = 100;
    r1->FQMax1 = 105;
    r1->chkFQ5 = 1;
    r1->FQa5 = 1;
    r1->FQb5 = 2;
    r1->FQc5 = 0.5f;
    r1->FQmin5 = 105;
    r1->FQMax5 = 110;
    GuardaRed();
    test::PutHSVQLago(1, {{10, 1, 0}, {12, 2, 100}, {15, 3, 300}});
    GuardaTablaHSVQLago();
  }

  static dlgUEHsTabla& Abre() {
    main().mnufrmUEHsTabla->trigger();
    QApplication::processEvents();
    return dlgUEHsTabla::instance();
  }
};

TEST_F(DlgUEHsTablaTest, ShowsTheSavedProjectSectionBySection) {
  // An edit not saved is dropped by the opening, for the whole program.
  vUEHs[1]->Area = 99;
  dlgUEHsTabla& t = Abre();
  ASSERT_TRUE(t.isVisible());
  EXPECT_EQ(t.windowTitle(), "Tabla de datos de Entradas: Parámetros Físicos de las UHEs");
  EXPECT_EQ(t.lblProyecto->text(), "Rio");
  EXPECT_EQ(t.lblTitulo->text(), "Arroyo Seco");
  EXPECT_EQ(t.lblFileProyecto->text(), "Rio_Conf.pcn");
  EXPECT_EQ(vUEHs[1]->Area, 12.5f);

  const QString o1 = PlainNumberText(vCauces[1]->OrdenCauce);
  const QString o2 = PlainNumberText(vCauces[2]->OrdenCauce);
  const QStringList vacia(14, QString());
  const QStringList rango = {"Represa", "", "", "", "", "", "", "0", "0", "0", "", "0", "0", ""};
  auto conC = [](QStringList fila) {
    fila[10] = "0";
    return fila;
  };
  const QList<QStringList> esperado = {
      {"Componente", "Nro.", "       Nombre   ", "     Afluente de", "    Método    ", "", "", "", "", "", "",
       "", "", ""},
      {"", "", "", "", "", "Vértices", "Ind.Vért.", "Vel.Media", "Longitud", "Orden", "k Musk.", "x Musk.",
       "", ""},
      {"Cauce", "1", "c-1", "0", "Muskingum", "2", "1", "1.5", "1500", o1, "20", "0.25", "", ""},
      {"Cauce", "2", "c-2", "c-1", "Directo", "2", "3", "0.8", "800", o2, "0", "0", "", ""},
      vacia,
      {"", "", "", "", "", "Area", "Long. Máx", "Vel.Media", "Infil.'a'", "Infil.'b'", "Humd", "Q ini",
       "'K' Rec.", "Retens.Z"},
      {"UEH", "1", "u-1", "c-2", "Directo", "12.5", "400", "0.5", "2", "0.4", "6", "0.2", "24", "5"},
      {"UEH", "2", "u-2", "c-1", "Directo", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
      vacia,
      {"", "", "", "", "", "k Musk.", "", "", "", "", "", "Hmin", "HMáx", "HInicio"},
      {"Lag./Mallin", "1", "l-1", "c-1", "Piscina Nivelada", "30", "", "", "", "", "", "10", "15", "1.5"},
      {"Lag./Mallin", "2", "l-2", "c-1", "Runge Kutta", "0", "", "", "", "", "", "0", "0", "0"},
      vacia,
      {"", "", "", "", "", "k Musk.", "Opc.Tabla", "Función", "a", "b", "c", "Hmin", "HMáx", "HInicio"},
      {"Represa", "1", "r-1", "c-1", "Muskingum", "45", "Sí", "1", "2.5", "1.5", "", "100", "105", "101.5"},
      rango,
      rango,
      rango,
      {"Represa", "", "", "", "", "", "", "1", "1", "2", "0.5", "105", "110", ""},
      conC(rango),
      conC(rango),
      conC(rango),
  };
  FlexGrid* g = t.MSFlexGridTablaUEHs;
  ASSERT_EQ(g->Rows(), esperado.size());
  for (int r = 0; r < g->Rows(); ++r) EXPECT_EQ(Fila(g, r), esperado[r]) << "row " << r;
  // The heading rows are bold, the lakes' excepted; every data cell is centred.
  for (int r : {0, 1, 5, 13}) EXPECT_TRUE(g->item(r, 7)->font().bold()) << r;
  EXPECT_FALSE(g->item(9, 11)->font().bold());
  EXPECT_FALSE(g->item(2, 7)->font().bold());
  EXPECT_EQ(g->item(6, 12)->textAlignment(), Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->Col(), 1);

  // "&Cerrar" unloads it; the next opening reads the files again.
  t.OKButton->click();
  QApplication::processEvents();
  EXPECT_FALSE(dlgUEHsTabla::isLoaded());
}

TEST_F(DlgUEHsTablaTest, RefillsFromMemoryStartFromAnEmptyGrid) {
  dlgUEHsTabla& t = Abre();
  FlexGrid* g = t.MSFlexGridTablaUEHs;

  // A lake and a dam added since the opening have no place in the tables as loaded: their table and
  // range cells stay empty. A dam's record shows as it stands now.
  test::AddLago(QStringLiteral("l-3"), QStringLiteral("c-1"));
  test::AddRepresa(QStringLiteral("r-2"), QStringLiteral("c-1"));
  vRepresas[1]->optTabla = false;
  vRepresas[1]->FQa1 = 7;
  t.cmdActualizar->click();
  ASSERT_EQ(g->Rows(), 31);
  EXPECT_EQ(Fila(g, 12),
            QStringList({"Lag./Mallin", "3", "l-3", "c-1", "", "0", "", "", "", "", "", "", "", "0"}));
  EXPECT_EQ(g->TextMatrix(15, 6), "No");
  EXPECT_EQ(g->TextMatrix(15, 8), "2.5");
  for (int r = 23; r <= 30; ++r) {
    for (int c = 7; c <= 12; ++c) EXPECT_EQ(g->TextMatrix(r, c), "") << r << "," << c;
  }

  // Units without reaches: row 1 stays empty and the unit heading is row 2; nothing of the earlier
  // fill stays below.
  colCauces.clear();
  colLagos.clear();
  colRepresas.clear();
  t.cmdActualizar->click();
  ASSERT_EQ(g->Rows(), 5);
  EXPECT_EQ(Fila(g, 1), QStringList(14, QString()));
  EXPECT_EQ(g->TextMatrix(2, 5), "Area");
  EXPECT_EQ(g->TextMatrix(3, 2), "u-1");

  // Without components: the heading row and one empty row.
  colUEHs.clear();
  t.cmdActualizar->click();
  ASSERT_EQ(g->Rows(), 2);
  EXPECT_EQ(Fila(g, 1), QStringList(14, QString()));
}

TEST_F(DlgUEHsTablaTest, TwoClicksMarkTheBlockBetweenThem) {
  FlexGrid* g = Abre().MSFlexGridTablaUEHs;
  // The first click after the program starts marks up to the top left cell.
  test::ClickCell(g, 3, 2);
  EXPECT_EQ(std::make_pair(g->RowSel(), g->ColSel()), std::make_pair(0, 0));
  test::ClickCell(g, 6, 5);
  EXPECT_EQ(std::make_tuple(g->Row(), g->Col(), g->RowSel(), g->ColSel()), std::make_tuple(6, 5, 3, 2));
  test::ClickCell(g, 2, 9);
  EXPECT_EQ(std::make_tuple(g->Row(), g->Col(), g->RowSel(), g->ColSel()), std::make_tuple(2, 9, 6, 5));
}

}  // namespace
}  // namespace tavo
