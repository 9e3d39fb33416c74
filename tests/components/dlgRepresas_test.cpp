#include "components/dlgRepresas.h"

#include <QTest>

#include "components/dialog_fixture.h"
#include "components/dlgCauceEditProp.h"
#include "engine/cuenca_fixture.h"
#include "engine/resultados.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "reservoirs/tablas.h"
#include "results/dlgChart2.h"

namespace tavo {
namespace {

// Dam r-1 of the dialogs' network in project P, with a second dam r-2 draining into c-2 by Muskingum.
class DlgRepresasTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    NombreProyecto = QStringLiteral("P");
    DirActual = programDir();
    r1->Metodo = QStringLiteral("Piscina Nivelada");
    r1->optTabla = true;
    r2 = test::AddRepresa(QStringLiteral("r-2"), QStringLiteral("c-2"));
    r2->Metodo = QStringLiteral("Muskingum");
    r2->Represa_k_Musk = 40;
    r2->Represa_n_Musk = 0.2f;
  }
  dlgRepresas& Open() { return DialogTest::Open<dlgRepresas>(); }
  bool Closed() { return DialogTest::Closed<dlgRepresas>(); }
  // Which of the range boxes take input: "abhH" for a, b, H min and H Máx, with "c" for the c box.
  static QString Abiertas(const dlgRepresas& d, int k) {
    QString s;
    if (d.txtFQa[k]->isEnabled()) s += 'a';
    if (d.txtFQb[k]->isEnabled()) s += 'b';
    if (k >= 5 && d.txtFQc[k]->isEnabled()) s += 'c';
    if (d.txtFQHmin[k]->isEnabled()) s += 'h';
    if (d.txtFQHMax[k]->isEnabled()) s += 'H';
    return s;
  }
  std::shared_ptr<Represa> r2;
};

TEST_F(DlgRepresasTest, OpensOnTheSelectedDamInTableState) {
  r1->Cauce_aa = QStringLiteral("c-1");
  r1->chkFQ2 = 1;
  r1->chkFQ6 = 1;
  r1->FQa2 = 3;
  r1->FQMax6 = 1.5f;
  r1->HInicialEmb = 101.5f;
  dlgRepresas& d = Open();
  EXPECT_EQ(d.windowTitle(), "Propiedades de Represas");
  EXPECT_TRUE(test::ClippedControls(&d).isEmpty()) << test::ClippedControls(&d).join('\n').toStdString();
  EXPECT_EQ(d.Frame5->title(), "        Descargas:           Q=f(H),   para  H  min <= H <= H Máx");
  EXPECT_EQ(d.chkFQ[1]->text(), "Función 1: Q =  a * H^b");
  EXPECT_EQ(d.chkFQ[8]->text(), "Función 8: Q =  a + b*H + c*H^2");
  EXPECT_EQ(d.chkFQ[8]->objectName(), "chkFQ(8)");
  EXPECT_EQ(d.txtFQHMax[6]->objectName(), "txtFQHMax(6)");
  EXPECT_EQ(selRepresa, 1);
  EXPECT_EQ(Entries(d.lstRepresas), QStringList({"r-1", "r-2"}));
  EXPECT_EQ(d.lblNroRepresa->text(), "1");
  EXPECT_EQ(d.lblNombreRepresa->text(), "r-1");
  EXPECT_EQ(Entries(d.lstCauceAA), QStringList({"c-1", "c-2", "Ninguno", "0"}));
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "c-1");
  EXPECT_EQ(d.lblMetodo->text(), "Piscina Nivelada");
  EXPECT_TRUE(d.txtRepresa_k->isHidden());
  EXPECT_TRUE(d.txtRepresa_n->isHidden());
  EXPECT_EQ(d.lblRepresaCofk->text(), "Piscina Nivelada");
  EXPECT_EQ(d.lblRepresaCofn->text(), "");
  EXPECT_EQ(d.txtHInicialEmb->text(), "101.5");
  EXPECT_EQ(d.txtFQa[2]->text(), "3");
  EXPECT_EQ(d.txtFQHMax[6]->text(), "1.5");
  // Table state: the ranges keep their checks and take no input.
  EXPECT_TRUE(d.optTablaQ->isChecked());
  EXPECT_FALSE(d.optFunciones->isChecked());
  EXPECT_TRUE(d.cmdTablaQ->isEnabled());
  EXPECT_TRUE(d.cmdHSV->isEnabled());
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(d.chkFQ[k]->isChecked(), k == 2 || k == 6) << k;
    EXPECT_FALSE(d.chkFQ[k]->isEnabled()) << k;
    EXPECT_EQ(Abiertas(d, k), "") << k;
  }
  // The reach receiver took the reach's head at the show.
  EXPECT_EQ(r1->XCauce, 30.0f);
  EXPECT_EQ(r1->YCauce, 40.0f);

  // "Aceptar" stores the table source and the checked ranges unchanged.
  selUEH = 1;
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(r1->optTabla);
  EXPECT_EQ(r1->chkFQ2, 1);
  EXPECT_EQ(r1->chkFQ6, 1);
  EXPECT_EQ(r1->chkFQ1, 0);
  EXPECT_EQ(r1->HInicialEmb, 101.5f);
  EXPECT_EQ(selRepresa, 0);
  EXPECT_EQ(selUEH, 1);
  EXPECT_TRUE(editor().isEnabled());
}

TEST_F(DlgRepresasTest, InitialLevelAndKAreCheckedOnLeaving) {
  struct Case {
    const char* text;
    bool accepted;
  };
  test::WriteBytes(path("P_RHAS.pcn"), "\"*r-1\",3,\"*\"\r\n100,1,0\r\n106,2,5000\r\n112.5,3,9000\r\n");
  const QString nivel = QStringLiteral(
      "Ingrese '0' o un valor numérico entre la altura H mímima= 100y la altura H máxima= 112.5 dadas en la "
      "'Tabla SHV'");
  const Case niveles[] = {{"0", true},    {"100", true},  {"112.5", true}, {"99.9", false},
                          {"113", false}, {"abc", false}, {"", false},     {"0y", false}};
  dlgRepresas& d = Open();
  for (const Case& c : niveles) {
    const QString prompt = TypeAndLeave(d.txtHInicialEmb, QString::fromLatin1(c.text), !c.accepted);
    EXPECT_EQ(prompt, c.accepted ? QString() : nivel) << c.text;
    EXPECT_EQ(d.txtHInicialEmb->text(), c.accepted ? QString::fromLatin1(c.text) : QString("0")) << c.text;
  }

  // K, under Muskingum only; x is shown and never takes input.
  ClickEntry(d.lstMetodo, "Muskingum");
  EXPECT_FALSE(d.txtRepresa_k->isHidden());
  EXPECT_TRUE(d.txtRepresa_k->isEnabled());
  EXPECT_FALSE(d.txtRepresa_n->isHidden());
  EXPECT_FALSE(d.txtRepresa_n->isEnabled());
  EXPECT_EQ(d.lblRepresaCofk->text(), "k[min]=");
  EXPECT_EQ(d.lblRepresaCofn->text(), "x=");
  const Case ks[] = {{"0", true},   {"99999", true}, {"100000", false},
                     {"-1", false}, {"12a", false},  {"", false}};
  for (const Case& c : ks) {
    const QString prompt = TypeAndLeave(d.txtRepresa_k, QString::fromLatin1(c.text), !c.accepted);
    EXPECT_EQ(prompt, c.accepted ? QString()
                                 : QStringLiteral("Ingrese un valor numérico entre 0 y 99999 (0 y 99999)"))
        << c.text;
  }
  test::Type(d.txtRepresa_k, "25");
  ClickEntry(d.lstMetodo, "Runge Kutta");
  EXPECT_TRUE(d.txtRepresa_k->isHidden());
  EXPECT_EQ(d.lblRepresaCofk->text(), "Runge Kutta");
  EXPECT_EQ(d.txtRepresa_k->text(), "0");  // the stored K
  d.CancelButton->click();

  // A dam without table rows takes only 0.
  selRepresa = 2;
  dlgRepresas& otra = Open();
  EXPECT_EQ(TypeAndLeave(otra.txtHInicialEmb, "0", false), "");
  EXPECT_EQ(
      TypeAndLeave(otra.txtHInicialEmb, "50", true),
      "Ingrese '0' o un valor numérico entre la altura H mímima= 0y la altura H máxima= 0 dadas en la 'Tabla "
      "SHV'");
  otra.CancelButton->click();
}

TEST_F(DlgRepresasTest, AnUnknownMethodBecomesLevelPoolAndXSurvives) {
  r1->Represa_n_Musk = 0.3f;
  // Cancel and the close box alike keep nothing typed and give the editor back.
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    r1->Metodo = QStringLiteral("Directo");
    r1->Represa_k_Musk = 30;
    dlgRepresas& d = Open();
    EXPECT_EQ(r1->Metodo.toString(), "Piscina Nivelada");
    ClickEntry(d.lstMetodo, "Muskingum");
    EXPECT_EQ(TypeAndLeave(d.txtRepresa_k, "55", false), "");
    if (closeBox) {
      d.close();
    } else {
      d.CancelButton->click();
    }
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(editor().isEnabled());
    EXPECT_EQ(r1->Metodo.toString(), "Piscina Nivelada");
    EXPECT_EQ(r1->Represa_k_Musk, 30);
    EXPECT_EQ(selRepresa, 0);
  }

  dlgRepresas& again = Open();
  again.OKButton->click();
  EXPECT_EQ(r1->Represa_n_Musk, 0.3f);
}

TEST_F(DlgRepresasTest, FunctionsStateOpensTheRangesThatAreChecked) {
  r1->optTabla = false;
  r1->chkFQ1 = 1;
  r1->chkFQ5 = 1;
  r1->FQa5 = 0;
  r1->FQb5 = 2;
  r1->chkFQ6 = 1;
  r1->FQa6 = 1;
  r1->FQb6 = 2;
  r1->FQc6 = 0.5f;
  r1->chkFQ7 = 0;
  r1->FQa7 = 1;
  r1->FQb7 = 1;
  dlgRepresas& d = Open();
  EXPECT_TRUE(d.optFunciones->isChecked());
  EXPECT_FALSE(d.cmdTablaQ->isEnabled());
  // The c box opens with its check on and a and b both non-zero.
  const QString abiertas[] = {"", "abhH", "", "", "", "abhH", "abchH", "", ""};
  for (int k = 1; k <= 8; ++k) {
    EXPECT_TRUE(d.chkFQ[k]->isEnabled()) << k;
    EXPECT_EQ(Abiertas(d, k), abiertas[k]) << k;
  }
  // A check clicked on opens its row's boxes, c whatever a and b read; off closes them.
  d.chkFQ[5]->click();
  EXPECT_EQ(Abiertas(d, 5), "");
  d.chkFQ[5]->click();
  EXPECT_EQ(Abiertas(d, 5), "abchH");
  d.chkFQ[7]->click();
  EXPECT_EQ(Abiertas(d, 7), "abchH");

  // Leaving for the table and back refills the ranges and the level from the record.
  test::Type(d.txtFQa[1], "7");
  test::Type(d.txtHInicialEmb, "0");
  d.optTablaQ->click();
  EXPECT_TRUE(d.cmdTablaQ->isEnabled());
  EXPECT_FALSE(d.chkFQ[1]->isEnabled());
  EXPECT_EQ(d.txtFQa[1]->text(), "7");
  d.optFunciones->click();
  EXPECT_EQ(d.txtFQa[1]->text(), "0");
  EXPECT_EQ(Abiertas(d, 1), "abhH");

  // Range boxes are read by their leading number, a comma as the point: "1.5E2" is 150, "2,5" is 2.5,
  // "x" is 0.
  test::Type(d.txtFQa[6], "1.5E2");
  test::Type(d.txtFQb[6], "2,5");
  test::Type(d.txtFQc[6], "x");
  test::Type(d.txtFQHmin[6], "100");
  test::Type(d.txtFQHMax[6], "104.25");
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_FALSE(r1->optTabla);
  EXPECT_EQ(r1->FQa6, 150.0f);
  EXPECT_EQ(r1->FQb6, 2.5f);
  EXPECT_EQ(r1->FQc6, 0.0f);
  EXPECT_EQ(r1->FQmin6, 100.0f);
  EXPECT_EQ(r1->FQMax6, 104.25f);
  EXPECT_EQ(r1->chkFQ7, 1);
  EXPECT_EQ(r1->chkFQ5, 1);
}

TEST_F(DlgRepresasTest, ARangeValueTooLargeStopsTheCommitWithTheRecordWhole) {
  r1->optTabla = false;
  r1->FQa3 = 4;
  dlgRepresas& d = Open();
  d.chkFQ[3]->click();
  // A range value too large for a number stops the commit before anything is written.
  test::Type(d.txtFQa[3], "1e39");
  test::Type(d.txtFQb[3], "2");
  dialogs.answer(vbOK);
  d.OKButton->click();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_TRUE(dialogs.records()[0].prompt.contains("6")) << dialogs.records()[0].prompt.toStdString();
  dialogs.clear();
  EXPECT_EQ(r1->FQa3, 4.0f);
  EXPECT_EQ(r1->FQb3, 0.0f);
  EXPECT_EQ(r1->chkFQ3, 0);
  EXPECT_TRUE(dlgRepresas::isLoaded());
  d.CancelButton->click();
}

TEST_F(DlgRepresasTest, ReceiverPicksAreWrittenAtOnce) {
  r1->Cauce_aa = QStringLiteral("c-1");
  dlgRepresas& d = Open();
  ClickEntry(d.lstCauceAA, "Ninguno");
  EXPECT_EQ(r1->Cauce_aa, "");
  EXPECT_EQ(r1->XCauce, 0.0f);
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "Ninguno");
  ClickEntry(d.lstCauceAA, "c-2");
  EXPECT_EQ(r1->Cauce_aa, "c-2");
  EXPECT_EQ(r1->XCauce, 50.0f);
  EXPECT_EQ(r1->YCauce, 60.0f);
  ClickEntry(d.lstCauceAA, "0");
  EXPECT_EQ(r1->Cauce_aa, "0");
  EXPECT_EQ(r1->YCauce, 0.0f);
  ClickEntry(d.lstCauceAA, "Ninguno");
  selUEH = 2;
  d.CancelButton->click();
  EXPECT_EQ(r1->Cauce_aa, "");
  EXPECT_EQ(selUEH, 0);

  // A reach upstream of the dam is refused and the previous pick comes back.
  c2->Cauce_aa = QStringLiteral("r-1");
  dlgRepresas& again = Open();
  dialogs.answer(vbOK);
  ClickEntry(again.lstCauceAA, "c-2");
  EXPECT_EQ(Message().prompt, "No se puede acoplar un componente a su tributario; quite primero el acople");
  EXPECT_EQ(r1->Cauce_aa, "");
  EXPECT_EQ(again.lstCauceAA->currentRow(), -1);
  again.CancelButton->click();
}

TEST_F(DlgRepresasTest, PickingAnotherDamCommitsAndARenameCarriesOver) {
  r1->NombreRepresa = QStringLiteral("r-A");
  u2->Cauce_aa = QStringLiteral("r-A");
  c1->Cauce_aa = QStringLiteral("r-A");
  l1->Cauce_aa = QStringLiteral("r-A");
  r2->Cauce_aa = QStringLiteral("r-A");
  dlgRepresas& d = Open();
  test::Type(d.txtHInicialEmb, "0");
  ClickEntry(d.lstRepresas, "r-2");
  EXPECT_EQ(selRepresa, 2);
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "");
  EXPECT_EQ(d.txtRepresa_k->text(), "40");
  EXPECT_EQ(d.txtRepresa_n->text(), "0.2");
  ClickEntry(d.lstRepresas, "r-A");

  // The click adds the prefix and cuts the name; a duplicate is caught on leaving.
  QTest::mouseClick(d.txtNombreRepresa, Qt::LeftButton);
  EXPECT_EQ(d.txtNombreRepresa->text(), "r-A");
  test::Type(d.txtNombreRepresa, "r-2");
  QTest::mouseClick(d.txtNombreRepresa, Qt::LeftButton);
  EXPECT_EQ(d.txtNombreRepresa->text(), "r-2");
  test::Leave(d.txtNombreRepresa);
  EXPECT_EQ(d.txtNombreRepresa->text(), "Invalido");
  test::Type(d.txtNombreRepresa, "B");
  test::Leave(d.txtNombreRepresa);
  EXPECT_EQ(r1->NombreRepresa, "r-B");
  for (const QString& receptor : {u2->Cauce_aa, c1->Cauce_aa, l1->Cauce_aa, r2->Cauce_aa})
    EXPECT_EQ(receptor, "r-B");
  EXPECT_EQ(Entries(d.lstRepresas), QStringList({"r-B", "r-2"}));
  d.CancelButton->click();
}

TEST_F(DlgRepresasTest, WithoutDamsTheDialogClosesAndGivesTheEditorBack) {
  colRepresas.clear();
  nRepresas = 0;
  selRepresa = 3;
  editor().MuestraDlgRepresas();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(selRepresa, 0);
  EXPECT_TRUE(editor().isEnabled());
}

// A project read again under the dialog gets nothing from it, and the table windows of another dam
// do not open.
TEST_F(DlgRepresasTest, TheProjectReadAgainUnderTheDialogGetsNothingFromIt) {
  NadaTrasRecarga<dlgRepresas>(
      selRepresa, [this]() -> dlgRepresas& { return Open(); },
      [](dlgRepresas& d) {
        d.optFunciones->click();
        ClickEntry(d.lstMetodo, "Piscina Nivelada");
        ClickEntry(d.lstCauceAA, "Ninguno");
        QTest::mouseClick(d.cmdHSV, Qt::LeftButton);
        EXPECT_FALSE(dlgTablaSHV::isLoaded());
        d.OKButton->click();
      });
}

TEST_F(DlgRepresasTest, TheTableWindowsWorkOnTheDamShown) {
  test::WriteBytes(path("P_RHAS.pcn"), "\"*r-2\",2,\"*\"\r\n10,1,0\r\n20,2,100\r\n");
  selRepresa = 2;
  editor().MuestraDlgRepresas();
  dlgRepresas& d = dlgRepresas::object();
  EXPECT_EQ(d.lblNroRepresa->text(), "2");
  QTest::mouseClick(d.cmdHSV, Qt::LeftButton);
  dlgTablaSHV& t = dlgTablaSHV::object();
  EXPECT_EQ(t.lblNroRepresa->text(), "2");
  EXPECT_EQ(t.lblNombreRepresa->text(), "r-2");
  EXPECT_EQ(t.MSFlexGridFQ->TextMatrix(2, 3), "100");
  EXPECT_FALSE(d.isEnabled());
  t.CancelButton->click();
  EXPECT_TRUE(d.isEnabled());
  // The storage table bounds the level as it now stands.
  EXPECT_EQ(TypeAndLeave(d.txtHInicialEmb, "15", false), "");
  d.CancelButton->click();
}

// A renamed dam keeps its tables: the table windows show them, an apply writes them back under the
// name the files know, and the network save takes them over to the new name.
TEST_F(DlgRepresasTest, ARenamedDamKeepsItsTablesAndTheSaveRenamesThem) {
  GuardaRed();
  const QByteArray shv = "\"*r-1\",2,\"*\"\r\n10,1,0\r\n20,2,100\r\n\"*r-2\",1,\"*\"\r\n5,5,5\r\n";
  const QByteArray fq = "\"*r-1\",2\r\n10,0\r\n20,7\r\n\"*r-2\",0\r\n";
  test::WriteBytes(path("Demo_RHAS.pcn"), shv);
  test::WriteBytes(path("Demo_RHQ.pcn"), fq);
  selRepresa = 1;
  dlgRepresas& d = Open();
  test::Type(d.txtNombreRepresa, "r-Nueva");
  test::Leave(d.txtNombreRepresa);
  ASSERT_EQ(vRepresas[1]->NombreRepresa, "r-Nueva");
  QTest::mouseClick(d.cmdHSV, Qt::LeftButton);
  dlgTablaSHV& t = dlgTablaSHV::object();
  EXPECT_EQ(t.lblNombreRepresa->text(), "r-Nueva");
  EXPECT_EQ(t.MSFlexGridFQ->TextMatrix(2, 3), "100");
  dialogs.answer(vbOK);  // the reminder to save the network
  QTest::mouseClick(t.OKButton, Qt::LeftButton);
  dialogs.clear();
  // Nothing reaches the files before the network is saved.
  EXPECT_EQ(test::ReadBytes(path("Demo_RHAS.pcn")), shv);
  EXPECT_EQ(TypeAndLeave(d.txtHInicialEmb, "15", false), "");
  d.OKButton->click();

  dialogs.answer(vbOK);
  editor().mnu_btn_toolbarGuardaUEHs();
  dialogs.clear();
  QByteArray renombrada = shv;
  EXPECT_EQ(test::ReadBytes(path("Demo_RHAS.pcn")), renombrada.replace("r-1", "r-Nueva"));
  renombrada = fq;
  EXPECT_EQ(test::ReadBytes(path("Demo_RHQ.pcn")), renombrada.replace("r-1", "r-Nueva"));
  LeeTablaHQRepresa();
  EXPECT_EQ(NFilasHQRepresa(1), 2);
  EXPECT_EQ(QTablaHQRepresa(1, 2), 7.0f);
}

// The dam's two table files, neither read whole, go with the network save that takes a renamed dam's
// tables to its new name. On a disk that fills after the first file's copy, nothing is kept: no copy
// stays unsaid, and both files stay noted, so that the next save copies both and says so.
TEST_F(DlgRepresasTest, ASaveThatFailsKeepsNoCopyOfADamagedTable) {
  GuardaRed();
  // r-2's table ends early in both files. The flows file also holds a long record under the name the
  // dam takes, which the save drops: the old file is the larger one, and only its copy fails.
  const QByteArray shv = "\"*r-1\",2,\"*\"\r\n10,1,0\r\n20,2,100\r\n\"*r-2\",3,\"*\"\r\n5,5,5\r\n";
  QByteArray fq = "\"*r-1\",2\r\n10,0\r\n20,7\r\n\"*r-Nueva\",400\r\n";
  for (int k = 0; k < 400; ++k) fq += "1,1\r\n";
  fq += "\"*r-2\",2\r\n5\r\n";
  test::WriteBytes(path("Demo_RHAS.pcn"), shv);
  test::WriteBytes(path("Demo_RHQ.pcn"), fq);
  selRepresa = 1;
  dlgRepresas& d = Open();  // reads the storage tables
  test::Type(d.txtNombreRepresa, "r-Nueva");
  test::Leave(d.txtNombreRepresa);
  QTest::mouseClick(d.cmdTablaQ, Qt::LeftButton);  // reads the flow tables
  dlgTablaFQ::object().CancelButton->click();
  d.OKButton->click();
  ASSERT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  const qint64 disk = fq.size() - 1;
  ASSERT_LT(test::ReadBytes(path("obra/Demo_UEHs.pcn")).size() + 10, disk);

  dialogs.answer(vbOK);
  test::WithFullDisk(disk, [] { editor().mnu_btn_toolbarGuardaUEHs(); });
  EXPECT_EQ(test::Prompts(dialogs), QStringList{"Error Nro. 61 ," + ErrorDescription(61) + "Verifique"});
  EXPECT_EQ(test::ReadBytes(path("Demo_RHAS.pcn")), shv);
  EXPECT_EQ(test::ReadBytes(path("Demo_RHQ.pcn")), fq);
  EXPECT_EQ(QDir(programDir()).entryList({"*dañado*"}, QDir::Files), QStringList());

  dialogs.clear();
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  editor().mnu_btn_toolbarGuardaUEHs();
  const QStringList prompts = test::Prompts(dialogs);
  ASSERT_EQ(prompts.size(), 3) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(prompts[0], test::DamagedCopyMessage("Demo_RHAS.pcn", "Demo_RHAS.pcn.dañado"));
  EXPECT_EQ(prompts[1], test::DamagedCopyMessage("Demo_RHQ.pcn", "Demo_RHQ.pcn.dañado"));
  EXPECT_EQ(test::ReadBytes(path("Demo_RHAS.pcn.dañado")), shv);
  EXPECT_EQ(test::ReadBytes(path("Demo_RHQ.pcn.dañado")), fq);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// The project Cuenca from the main window: a dam made in the editor between its two reaches, given its
// tables in its dialogs, is routed by level pool in the next run, whose hydrograph window shows its
// level.
class DamEndToEndTest : public test::CuencaTest {
 protected:
  static frmUEHs& editor() { return frmUEHs::object(); }
  static void Activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
  }
  // Types a table into a table window's grid, cell by cell, and closes the window with its table.
  void TypeTable(dlgTablaReservorio& t, FlexGrid* grid, const std::vector<std::vector<const char*>>& rows) {
    Activate(&t);
    test::Type(t.txtNroFilas, QString::number(rows.size()));
    test::Leave(t.txtNroFilas);
    for (size_t r = 0; r < rows.size(); ++r) {
      for (size_t c = 0; c < rows[r].size(); ++c) {
        test::ClickCell(grid, static_cast<int>(r) + 1, static_cast<int>(c) + 1);
        QTest::keyClicks(grid, QString::fromLatin1(rows[r][c]));
      }
    }
    dialogs.answer(vbOK);  // the reminder to save the network
    QTest::mouseClick(t.OKButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
    dialogs.clear();
  }
};

TEST_F(DamEndToEndTest, ADamMadeInTheEditorIsRoutedOverTheTablesGivenInItsDialogs) {
  main().mnufrmUEHs->trigger();
  QApplication::processEvents();
  ASSERT_TRUE(editor().isVisible());

  // The dam, placed with its tool.
  dialogs.answerText("Presa");
  editor().BotonToolbar(QStringLiteral("btn_toolbarRepresa"))->trigger();
  emit editor().picDibujo->mouseDown(1, 0, 300, 250);
  ASSERT_EQ(nRepresas, 1);
  dialogs.clear();

  // c-Medio drains into the dam, through the reach dialog.
  selCauce = 1;
  QTest::keyClick(editor().picDibujo, Qt::Key_F4);
  ASSERT_TRUE(dlgCauceEditProp::isLoaded());
  dlgCauceEditProp& cauce = dlgCauceEditProp::object();
  Activate(&cauce);
  test::ClickListEntry(cauce.lstTributaCauce, "r-Presa");
  cauce.OKButton->click();

  // The dam drains into c-Bajo, with its two tables and an initial level at the bottom of them.
  selRepresa = 1;
  Activate(&editor());
  QTest::keyClick(editor().picDibujo, Qt::Key_F5);
  ASSERT_TRUE(dlgRepresas::isLoaded());
  dlgRepresas& dam = dlgRepresas::object();
  Activate(&dam);
  EXPECT_EQ(dam.lblMetodo->text(), "Piscina Nivelada");
  test::ClickListEntry(dam.lstCauceAA, "c-Bajo");
  QTest::mouseClick(dam.cmdHSV, Qt::LeftButton);
  TypeTable(dlgTablaSHV::object(), dlgTablaSHV::object().MSFlexGridFQ,
            {{"100", "1", "0"}, {"102", "10", "100000"}, {"105", "20", "400000"}, {"110", "30", "1500000"}});
  QTest::mouseClick(dam.cmdTablaQ, Qt::LeftButton);
  TypeTable(dlgTablaFQ::object(), dlgTablaFQ::object().MSFlexGridFQ,
            {{"100", "0"}, {"102", "4"}, {"105", "20"}, {"110", "80"}});
  Activate(&dam);
  test::Type(dam.txtHInicialEmb, "100");
  dam.OKButton->click();
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();

  // Leaving the editor saves the network.
  dialogs.answer(vbYes).answer(vbOK);
  editor().BotonToolbar(QStringLiteral("btn_toolbarSalir"))->trigger();
  QApplication::processEvents();
  ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  dialogs.clear();

  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  ASSERT_EQ(nRepresas, 1);
  EXPECT_EQ(vRepresas[1]->Cauce_aa, "c-Bajo");
  EXPECT_EQ(vRepresas[1]->HInicialEmb, 100.0f);
  // The level rises from the bottom of the table and the dam holds back the peak.
  Single top = 0;
  for (int k = 1; k <= nPasosSalida; ++k) top = std::max(top, HEmbalseRepresa(1, k));
  EXPECT_GT(top, 100.0f);
  EXPECT_LT(top, 102.0f);
  ASSERT_TRUE(dlgChart2::isLoaded());
  dlgChart2& chart = dlgChart2::instance();
  chart.lstCompos->setCurrentIndex(chart.lstCompos->findText(QStringLiteral("r-Presa")));
  const ChartModel& model = chart.MSChartH->model();
  EXPECT_EQ(model.seriesSettings(2).legend, "HEmbalse");
  EXPECT_EQ(model.seriesSettings(3).legend, "Qentra");
  auto peak = [&model](int series) {
    double p = 0;
    for (int row = 1; row <= model.rowCount(); ++row) p = std::max(p, model.value(row, series).value_or(0));
    return p;
  };
  EXPECT_NEAR(peak(2), top, 0.01);
  EXPECT_LT(peak(1), peak(3));
}

}  // namespace
}  // namespace tavo
