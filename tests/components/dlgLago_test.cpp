#include "components/dlgLago.h"

#include <QTest>

#include "components/dialog_fixture.h"
#include "platform/dialogs.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "reservoirs/tablas.h"

namespace tavo {
namespace {

const QString kK = QStringLiteral("Ingrese un valor numérico entre 0 y 99999 (0 y 99999)");

QString Nivel(const char* hmin, const char* hmax) {
  return QStringLiteral("Ingrese '0' o un valor numérico entre la altura H mímima=") + hmin +
         QStringLiteral("y la altura H máxima=") + hmax + QStringLiteral(" dadas en la 'Tabla SHV'");
}

// Lake l-1 of the dialogs' network, made in the editor ("Directo", no receiver), in project P; lake
// l-2 drains into c-2 by Muskingum with k 30.
class DlgLagoTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    NombreProyecto = QStringLiteral("P");
    DirActual = programDir();
    l1->Metodo = QStringLiteral("Directo");
    l1->Referencia = QStringLiteral("Bañado");
    l2 = test::AddLago(QStringLiteral("l-2"), QStringLiteral("c-2"));
    l2->Metodo = QStringLiteral("Muskingum");
    l2->Lago_k_Musk = 30;
    l2->HInicialEmb = 105;
  }
  dlgLago& Open() { return DialogTest::Open<dlgLago>(); }
  bool Closed() { return DialogTest::Closed<dlgLago>(); }
  std::shared_ptr<Lago> l2;
};

TEST_F(DlgLagoTest, ALakeMadeInTheEditorIsShownAsLevelPoolAndKeepsIt) {
  dlgLago& d = Open();
  EXPECT_EQ(d.windowTitle(), "Propiedades de LAG (Depresiones , Mallines, Lagos y Lagunas)");
  EXPECT_TRUE(test::ClippedControls(&d).isEmpty()) << test::ClippedControls(&d).join('\n').toStdString();
  EXPECT_FALSE(editor().isEnabled());
  EXPECT_EQ(selLago, 1);
  EXPECT_EQ(Entries(d.lstLAGOs), QStringList({"l-1", "l-2"}));
  EXPECT_EQ(d.lblNroLAGO->text(), "1");
  EXPECT_EQ(d.lblNombreLAGO->text(), "l-1");
  EXPECT_EQ(d.txtNombreLAGO->text(), "l-1");
  EXPECT_EQ(d.txtReferencia->text(), "Bañado");
  // A lake drains into a reach only; an empty receiver selects nothing.
  EXPECT_EQ(Entries(d.lstCauceAA), QStringList({"c-1", "c-2", "Ninguno", "0"}));
  EXPECT_EQ(d.lstCauceAA->currentRow(), -1);
  EXPECT_EQ(Entries(d.lstMetodo), QStringList({"Piscina Nivelada", "Muskingum", "Runge Kutta"}));
  EXPECT_EQ(d.lblMetodo->text(), "Piscina Nivelada");
  EXPECT_TRUE(d.txtLago_k->isHidden());
  EXPECT_FALSE(d.txtLago_k->isEnabled());
  EXPECT_EQ(d.lblLagoCofk->text(), "Piscina Nivelada");
  EXPECT_EQ(d.lblParametros->text(), "Sin datos en Tabla");
  EXPECT_EQ(l1->Metodo.toString(), "Piscina Nivelada");

  // The close box is Cancel: every selection cleared, the editor back; the method stays replaced.
  selRepresa = 1;
  d.close();
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_EQ(selLago, 0);
  EXPECT_EQ(selRepresa, 0);
  EXPECT_EQ(l1->Metodo.toString(), "Piscina Nivelada");
  // The table reader leaves the closed dialog alone.
  selLago = 1;
  LeeTablaHSVQLago();
  EXPECT_FALSE(dlgLago::exists());
}

TEST_F(DlgLagoTest, MethodPicksShowTheStoredKAndTheKBoxChecksItsRange) {
  dlgLago& d = Open();
  ClickEntry(d.lstMetodo, "Muskingum");
  EXPECT_FALSE(d.txtLago_k->isHidden());
  EXPECT_TRUE(d.txtLago_k->isEnabled());
  EXPECT_EQ(d.lblLagoCofk->text(), "k[min]=");
  EXPECT_EQ(d.lblMetodo->text(), "Muskingum");

  for (const char* accepted : {"0", "99999", "12.5"})
    EXPECT_EQ(TypeAndLeave(d.txtLago_k, accepted, false), "");
  for (const char* refused : {"100000", "-1", "abc", ""}) {
    EXPECT_EQ(TypeAndLeave(d.txtLago_k, refused, true), kK) << refused;
    EXPECT_EQ(QApplication::focusWidget(), d.txtLago_k);
    EXPECT_EQ(d.txtLago_k->selectedText(), d.txtLago_k->text());
  }
  // A k typed but not committed gives way to the stored one at the next pick.
  test::Type(d.txtLago_k, "50");
  test::Leave(d.txtLago_k);
  ClickEntry(d.lstMetodo, "Runge Kutta");
  EXPECT_TRUE(d.txtLago_k->isHidden());
  EXPECT_EQ(d.lblLagoCofk->text(), "Runge Kutta");
  ClickEntry(d.lstMetodo, "Muskingum");
  EXPECT_EQ(d.txtLago_k->text(), "0");
  // The method and k reach the record with the commit.
  EXPECT_EQ(l1->Metodo.toString(), "Piscina Nivelada");
  test::Type(d.txtLago_k, "45");
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(l1->Metodo.toString(), "Muskingum");
  EXPECT_EQ(l1->Lago_k_Musk, 45.0f);
}

TEST_F(DlgLagoTest, InitialLevelIsZeroOrWithinTheLakesTable) {
  struct Case {
    const char* text;
    bool accepted;
  };
  // A table from 100.5 m to 110 m; "0x" fails the number test before anything else.
  test::WriteBytes(path("P_LHASQ.pcn"),
                   "\"*l-1\",3,\"*\",\"*\"\r\n100.5,1,10,0\r\n105,2,20,1\r\n110,3,30,2\r\n");
  const Case cases[] = {{"0", true},      {"100.5", true}, {"110", true},  {"0.0", true},
                        {"100.4", false}, {"111", false},  {"abc", false}, {"", false},
                        {"0x", false},    {"-5", false},   {"1e39", false}};
  dlgLago& d = Open();
  EXPECT_EQ(d.lblParametros->text(), "Datos HSVQ en Tabla");
  for (const Case& c : cases) {
    const QString prompt = TypeAndLeave(d.txtHInicialEmb, QString::fromLatin1(c.text), !c.accepted);
    if (c.accepted) {
      EXPECT_EQ(prompt, "") << c.text;
      continue;
    }
    EXPECT_EQ(prompt, Nivel(" 100.5", " 110")) << c.text;
    EXPECT_EQ(d.txtHInicialEmb->text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), d.txtHInicialEmb);
  }
  d.CancelButton->click();

  // A lake without a table takes only 0.
  selLago = 2;
  dlgLago& otra = Open();
  EXPECT_EQ(TypeAndLeave(otra.txtHInicialEmb, "0", false), "");
  EXPECT_EQ(TypeAndLeave(otra.txtHInicialEmb, "5", true), Nivel(" 0", " 0"));
  otra.CancelButton->click();
}

TEST_F(DlgLagoTest, TheTableWindowSetsTheStatusAndItsTableBoundsTheLevelAtOnce) {
  test::WriteBytes(path("P_LHASQ.pcn"), "\"*l-1\",1,\"*\",\"*\"\r\n100.5,1,10,0\r\n");
  selLago = 2;
  dlgLago& d = Open();
  ASSERT_EQ(d.lblParametros->text(), "Sin datos en Tabla");
  QTest::mouseClick(d.cmdParametros, Qt::LeftButton);
  dlgTablaSHVQ& t = dlgTablaSHVQ::object();
  EXPECT_TRUE(t.isVisible());
  EXPECT_EQ(d.lblParametros->text(), "---");
  EXPECT_EQ(t.lblNroLago->text(), "2");
  EXPECT_EQ(t.lblNombreLago->text(), "l-2");
  EXPECT_FALSE(d.isEnabled());

  test::Type(t.txtNroFilas, "2");
  test::Leave(t.txtNroFilas);
  t.MSFlexGridHSVQ->setTextMatrix(1, 1, "100");
  t.MSFlexGridHSVQ->setTextMatrix(1, 2, "1");
  t.MSFlexGridHSVQ->setTextMatrix(1, 3, "0");
  t.MSFlexGridHSVQ->setTextMatrix(2, 1, "104");
  t.MSFlexGridHSVQ->setTextMatrix(2, 2, "2");
  t.MSFlexGridHSVQ->setTextMatrix(2, 3, "5000");
  // The table applied, the lake dialog tells of it at once.
  QTest::mouseClick(t.cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(d.lblParametros->text(), "Datos HSVQ en Tabla");
  dialogs.answer(vbOK);
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  EXPECT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(d.lblParametros->text(), "Datos HSVQ en Tabla");
  dialogs.clear();
  EXPECT_TRUE(d.isEnabled());
  // The stored level 105 is now above the table: refused on leaving, within it accepted.
  EXPECT_EQ(TypeAndLeave(d.txtHInicialEmb, "105", true), Nivel(" 100", " 104"));
  EXPECT_EQ(TypeAndLeave(d.txtHInicialEmb, "104", false), "");
  ClickEntry(d.lstLAGOs, "l-1");
  ClickEntry(d.lstLAGOs, "l-2");
  EXPECT_EQ(d.lblParametros->text(), "Datos HSVQ en Tabla");
  EXPECT_EQ(l2->HInicialEmb, 104.0f);
  d.CancelButton->click();
}

TEST_F(DlgLagoTest, ReceiverPicksAndTheCommit) {
  l1->XCauce = 9;
  l1->YCauce = Single(9);
  dlgLago& d = Open();
  // A reach is written only at the commit; Cancel leaves the receiver as it was.
  ClickEntry(d.lstCauceAA, "c-1");
  EXPECT_EQ(l1->Cauce_aa, "");
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "c-1");
  d.CancelButton->click();
  EXPECT_EQ(l1->Cauce_aa, "");
  EXPECT_EQ(l1->XCauce, 9.0f);

  // "0" is stored with the link point at once; OK keeps the edits and leaves the dam selected.
  selRepresa = 1;
  dlgLago& d2 = Open();
  ClickEntry(d2.lstCauceAA, "0");
  EXPECT_EQ(l1->Cauce_aa, "0");
  EXPECT_EQ(l1->XCauce, 0.0f);
  EXPECT_EQ(l1->YCauce.toSingle(), 0.0f);
  ClickEntry(d2.lstCauceAA, "c-2");
  d2.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(l1->Cauce_aa, "c-2");
  EXPECT_EQ(l1->XCauce, 50.0f);  // the head of c-2
  EXPECT_EQ(l1->YCauce.toSingle(), 60.0f);
  EXPECT_EQ(selRepresa, 1);
  EXPECT_EQ(selLago, 0);

  // "Ninguno" empties the receiver at once; the commit then puts the link point at (0, 0).
  dlgLago& d3 = Open();
  EXPECT_EQ(d3.lblDrenaCauceAA->text(), "c-2");
  ClickEntry(d3.lstCauceAA, "Ninguno");
  EXPECT_EQ(l1->Cauce_aa, "");
  EXPECT_EQ(l1->XCauce, 50.0f);
  d3.OKButton->click();
  EXPECT_EQ(l1->XCauce, 0.0f);
  EXPECT_EQ(l1->YCauce.toSingle(), 0.0f);
}

TEST_F(DlgLagoTest, AReachDownstreamOfTheLakeCannotBeItsReceiver) {
  // c-1 drains into l-1 and c-2 into c-1: both lie upstream of the lake.
  c1->Cauce_aa = QStringLiteral("l-1");
  dlgLago& d = Open();
  ClickEntry(d.lstCauceAA, "0");
  for (const char* upstream : {"c-1", "c-2"}) {
    dialogs.answer(vbOK);
    ClickEntry(d.lstCauceAA, QString::fromLatin1(upstream));
    const auto message = Message();
    EXPECT_EQ(message.prompt, "No se puede acoplar un componente a su tributario; quite primero el acople");
    EXPECT_EQ(message.title, "Operación Inconsistente");
    EXPECT_EQ(d.lstCauceAA->currentItem()->text(), "0") << upstream;
  }
  d.OKButton->click();
  EXPECT_EQ(l1->Cauce_aa, "0");
}

TEST_F(DlgLagoTest, PickRenameAndNote) {
  u1->Cauce_aa = QStringLiteral("l-1");
  c2->Cauce_aa = QStringLiteral("l-1");
  dlgLago& d = Open();
  // A pick commits the lake shown.
  test::Type(d.txtReferencia, "Laguna alta");
  ClickEntry(d.lstLAGOs, "l-2");
  EXPECT_EQ(l1->Referencia, "Laguna alta");
  EXPECT_EQ(d.txtLago_k->text(), "30");
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "c-2");
  ClickEntry(d.lstLAGOs, "l-1");

  // A rename carries over to whatever drained into the lake; a duplicate is refused.
  test::Type(d.txtNombreLAGO, "l-2");
  test::Leave(d.txtNombreLAGO);
  EXPECT_EQ(d.txtNombreLAGO->text(), "Invalido");
  test::Type(d.txtNombreLAGO, "Alta");
  test::Leave(d.txtNombreLAGO);
  EXPECT_EQ(l1->NombreLAGO, "l-Alta");
  EXPECT_EQ(u1->Cauce_aa, "l-Alta");
  EXPECT_EQ(c2->Cauce_aa, "l-Alta");
  EXPECT_EQ(Entries(d.lstLAGOs), QStringList({"l-Alta", "l-2"}));

  // A click in a note of 81 characters writes "0" at once.
  test::Type(d.txtReferencia, QString(81, QLatin1Char('x')));
  QTest::mouseClick(d.txtReferencia, Qt::LeftButton);
  EXPECT_EQ(d.txtReferencia->text(), "0");
  EXPECT_EQ(l1->Referencia, "0");
  d.CancelButton->click();
  EXPECT_EQ(l1->Referencia, "0");
}

// A project read again under the dialog gets nothing from it, and the table window of another lake
// does not open.
TEST_F(DlgLagoTest, TheProjectReadAgainUnderTheDialogGetsNothingFromIt) {
  NadaTrasRecarga<dlgLago>(
      selLago, [this]() -> dlgLago& { return Open(); },
      [](dlgLago& d) {
        ClickEntry(d.lstMetodo, "Runge Kutta");
        ClickEntry(d.lstCauceAA, "0");
        QTest::mouseClick(d.cmdParametros, Qt::LeftButton);
        EXPECT_FALSE(dlgTablaSHVQ::isLoaded());
        test::Type(d.txtHInicialEmb, "0");
        d.OKButton->click();
      });
}

TEST_F(DlgLagoTest, WithoutLakesTheDialogClosesItself) {
  colLagos.clear();
  nLagos = 0;
  dlgLago& d = Open();
  EXPECT_FALSE(d.isVisible());
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(editor().isEnabled());
}

}  // namespace
}  // namespace tavo
