#include "components/dlgCauceEditProp.h"

#include <QDir>

#include "components/dialog_fixture.h"
#include "platform/dialogs.h"
#include "project/configuracion.h"
#include "project/redfiles.h"

namespace tavo {
namespace {

const QString kCiclo =
    QStringLiteral("No se puede acoplar un componente a su tributario; quite primero el acople");

class DlgCauceEditPropTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    EscalaDibujo = QStringLiteral("1");
  }
  // The reach dialog's opener neither disables the editor nor selects anything: the dialog does.
  dlgCauceEditProp& Open() {
    dlgCauceEditProp& d = dlgCauceEditProp::instance();
    ShowModeless(&d, false);
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
    return d;
  }
  bool Closed() { return DialogTest::Closed<dlgCauceEditProp>(); }
  static std::pair<Single, Single> Vertex1(int k) { return {XVertice(k, 1), YVertice(k, 1)}; }
};

TEST_F(DlgCauceEditPropTest, OpensOnTheFirstReachAndShowsItsData) {
  ASSERT_TRUE(editor().isEnabled());
  dlgCauceEditProp& d = Open();
  EXPECT_FALSE(editor().isEnabled());
  EXPECT_EQ(d.windowTitle(), "Propiedades de un tramo de Cauce");
  EXPECT_EQ(selCauce, 1);
  EXPECT_EQ(Entries(d.lstCauces), QStringList({"c-1", "c-2"}));
  EXPECT_EQ(d.lstCauces->currentRow(), 0);
  EXPECT_EQ(d.lblNroCauce->text(), "1");
  EXPECT_EQ(d.lblNombreCauce->text(), "c-1");
  EXPECT_EQ(d.txtNombreCauce->text(), "c-1");
  EXPECT_EQ(d.lblCantVer->text(), "3");
  EXPECT_EQ(d.lblOrdenCauce->text(), "2");
  // Every reach, itself included, then the dams and lakes, "Ninguno" and "0".
  EXPECT_EQ(Entries(d.lstTributaCauce), QStringList({"c-1", "c-2", "r-1", "l-1", "Ninguno", "0"}));
  EXPECT_EQ(d.lstTributaCauce->currentItem()->text(), "0");
  EXPECT_EQ(d.txtLongCauce->text() + " " + d.txtVelMediaCauce->text() + " " + d.txtCauce_k_Musk->text() +
                " " + d.txtCauce_n_Musk->text(),
            "1500 1.5 20 0.2");
  EXPECT_TRUE(d.optMusk->isChecked());
  EXPECT_FALSE(d.optDirecta->isChecked());
  // (10,10) (20,10) (30,40): 10 + 31.62 rounded at each segment.
  EXPECT_EQ(d.lbl_LongCauceDibujo->text(), "42");

  // A pick in the list commits the reach shown and shows the picked one.
  test::Type(d.txtLongCauce, "1234");
  d.optDirecta->click();
  ClickEntry(d.lstCauces, "c-2");
  EXPECT_EQ(c1->LongCauce, 1234);
  EXPECT_TRUE(c1->optDirMusk);
  EXPECT_EQ(d.lblNroCauce->text(), "2");
  EXPECT_EQ(d.lblCantVer->text(), "2");
  EXPECT_EQ(d.lblOrdenCauce->text(), "1");
  EXPECT_TRUE(d.optDirecta->isChecked());
  EXPECT_EQ(d.lbl_LongCauceDibujo->text(), "28");

  d.optMusk->click();
  test::Type(d.txtCauce_k_Musk, "45");
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_FALSE(c2->optDirMusk);
  EXPECT_EQ(c2->Cauce_k_Musk, 45);
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_EQ(selCauce, 0);
}

TEST_F(DlgCauceEditPropTest, BoxesRefuseWithTheirMessagesAndXOutOfRangeIsReset) {
  dlgCauceEditProp& d = Open();
  struct Case {
    ValidatedBox* box;
    const char* text;
    const char* message;  // nullptr: accepted
    int icon;
    const char* after;  // the box's text afterwards
  };
  const char* const kX = "Ingrese un valor numérico decimal, entre 0 y 0.5";
  const Case cases[] = {
      {d.txtCauce_n_Musk, "0.5", nullptr, 0, "0.5"},
      {d.txtCauce_n_Musk, "0.51", kX, vbExclamation, "0"},
      {d.txtCauce_n_Musk, "-1", kX, vbExclamation, "0"},
      {d.txtCauce_n_Musk, "abc", kX, vbExclamation, "abc"},
      {d.txtCauce_k_Musk, "9999", nullptr, 0, "9999"},
      {d.txtCauce_k_Musk, "10000", "Ingrese un valor numérico, entero o decimal, entre 0 y 9999",
       vbExclamation, "10000"},
      {d.txtLongCauce, "50000", nullptr, 0, "50000"},
      {d.txtLongCauce, "", "Ingrese un valor numérico menor de 50000", 0, ""},
      {d.txtVelMediaCauce, "15", nullptr, 0, "15"},
      {d.txtVelMediaCauce, "15.5", "Ingrese un valor numérico entero o decimal menor de 15", 0, "15.5"},
  };
  for (const Case& c : cases) {
    if (c.message) dialogs.answer(vbOK);
    test::Type(c.box, QString::fromLatin1(c.text));
    test::Leave(c.box);
    const std::string where = c.box->objectName().toStdString() + " " + c.text;
    EXPECT_EQ(c.box->text(), QString::fromLatin1(c.after)) << where;
    if (!c.message) {
      EXPECT_TRUE(dialogs.records().empty()) << where;
      EXPECT_FALSE(c.box->hasFocus()) << where;
      continue;
    }
    const auto message = Message();
    EXPECT_EQ(message.prompt, QString::fromUtf8(c.message)) << where;
    EXPECT_EQ(message.style, vbOKOnly | c.icon) << where;
    EXPECT_TRUE(c.box->hasFocus()) << where;
    EXPECT_EQ(c.box->selectedText(), c.box->text()) << where;
    test::Type(c.box, QStringLiteral("0"));
    test::Leave(c.box);
  }
  d.CancelButton->click();
  EXPECT_EQ(c1->Cauce_n_Musk, 0.2f);
}

TEST_F(DlgCauceEditPropTest, DrawnLengthRoundsAtEverySegment) {
  struct Case {
    std::initializer_list<std::pair<Single, Single>> vertices;
    const char* escala;
    const char* shown;
  };
  const Case cases[] = {
      {{{0, 0}, {0.4f, 0}, {0.8f, 0}}, "1", "0"},    // 0.4 rounds down twice
      {{{0, 0}, {0.8f, 0}}, "1", "1"},               //
      {{{0, 0}, {5, 0}, {5, 0.6f}}, "2.5", "15"},    // 5 + 0.6 gives 6
      {{{0, 0}, {2.5f, 0}}, "1", "2"},               // halves go to the even neighbour
      {{{9, 9}}, "3", "0"},                          // one vertex
      {{{0, 0}, {3e9f, 4e9f}}, "4", "20000000000"},  // beyond 32 bits
      {{{0, 0}, {5, 0}}, "0", "Sin Escalar"},
  };
  for (const Case& c : cases) {
    Vertices(1, c.vertices);
    EscalaDibujo = QString::fromLatin1(c.escala);
    dlgCauceEditProp& d = Open();
    EXPECT_EQ(d.lbl_LongCauceDibujo->text(), c.shown) << c.shown;
    // The length typed is the model's; the drawn one is only shown.
    EXPECT_EQ(d.txtLongCauce->text(), "1500");
    d.CancelButton->click();
    ASSERT_TRUE(Closed());
  }
}

TEST_F(DlgCauceEditPropTest, ReceiverPicksMoveVertexOneAsTheyShould) {
  selCauce = 2;
  dlgCauceEditProp& d = Open();
  ASSERT_EQ(d.lstTributaCauce->currentItem()->text(), "c-1");
  // A lake or a dam takes vertex 1 at once.
  ClickEntry(d.lstTributaCauce, "l-1");
  EXPECT_EQ(c2->Cauce_aa, "l-1");
  EXPECT_EQ(Vertex1(2), std::make_pair(7.0f, 8.0f));
  EXPECT_EQ(iLago, 1);
  // "0" moves nothing; "Ninguno" moves it to (0, 0); both are outlets as they read.
  ClickEntry(d.lstTributaCauce, "0");
  EXPECT_EQ(c2->Cauce_aa, "0");
  EXPECT_EQ(Vertex1(2), std::make_pair(7.0f, 8.0f));
  ClickEntry(d.lstTributaCauce, "Ninguno");
  EXPECT_EQ(c2->Cauce_aa, "Ninguno");
  EXPECT_EQ(Vertex1(2), std::make_pair(0.0f, 0.0f));
  // A reach takes it only at the commit (here a pick in the reach list): on its head.
  ClickEntry(d.lstTributaCauce, "c-1");
  EXPECT_EQ(c2->Cauce_aa, "c-1");
  EXPECT_EQ(Vertex1(2), std::make_pair(0.0f, 0.0f));
  ClickEntry(d.lstCauces, "c-1");
  EXPECT_EQ(Vertex1(2), std::make_pair(30.0f, 40.0f));
  d.OKButton->click();
  EXPECT_TRUE(Closed());

  // What a pick wrote stays after "Cancelar".
  selCauce = 2;
  dlgCauceEditProp& again = Open();
  ClickEntry(again.lstTributaCauce, "Ninguno");
  again.CancelButton->click();
  EXPECT_EQ(c2->Cauce_aa, "Ninguno");
  EXPECT_EQ(Vertex1(2), std::make_pair(0.0f, 0.0f));
}

TEST_F(DlgCauceEditPropTest, ShowingAReachThatDrainsIntoADamPutsVertexOneOnTheDam) {
  c2->Cauce_aa = QStringLiteral("r-1");
  r1->IconoRepresaX = 11;  // the dam was moved in the editor
  selCauce = 2;
  dlgCauceEditProp& d = Open();
  EXPECT_EQ(Vertex1(2), std::make_pair(11.0f, 6.0f));
  EXPECT_EQ(iRepresa, 1);
  d.CancelButton->click();
}

TEST_F(DlgCauceEditPropTest, APickThatClosesALoopIsRefusedBeforeAnythingIsWritten) {
  // c-2 drains into c-1, r-1 into c-1: for c-1 itself, c-2 and r-1 lie upstream.
  c1->Cauce_aa = QStringLiteral("l-1");
  r1->Cauce_aa = QStringLiteral("c-1");
  dlgCauceEditProp& d = Open();
  const std::pair<Single, Single> before = Vertex1(1);
  ASSERT_EQ(d.lstTributaCauce->currentItem()->text(), "l-1");
  for (const char* upstream : {"c-1", "c-2", "r-1"}) {
    dialogs.answer(vbOK);
    ClickEntry(d.lstTributaCauce, QString::fromLatin1(upstream));
    const auto message = Message();
    EXPECT_EQ(message.prompt, kCiclo) << upstream;
    EXPECT_EQ(message.style, vbOKOnly | vbExclamation);
    EXPECT_EQ(message.title, "Operación Inconsistente");
    EXPECT_EQ(c1->Cauce_aa, "l-1") << upstream;
    EXPECT_EQ(Vertex1(1), before);
    EXPECT_EQ(d.lstTributaCauce->currentItem()->text(), "l-1") << upstream;
    ASSERT_EQ(d.lstTributaCauce->selectedItems().size(), 1);
    EXPECT_EQ(d.lstTributaCauce->selectedItems().first()->text(), "l-1") << upstream;
  }
  // Downstream and unrelated components are fine, even through a loop elsewhere in the network.
  l1->Cauce_aa = QStringLiteral("x-9");
  ClickEntry(d.lstTributaCauce, "Ninguno");
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(c1->Cauce_aa, "Ninguno");
  EXPECT_TRUE(dialogs.records().empty());

  // From c-2, c-1 and everything below it are downstream: accepted.
  c1->Cauce_aa = QStringLiteral("r-1");
  r1->Cauce_aa = QStringLiteral("c-1");  // a loop of the stored network, not through c-2
  selCauce = 2;
  dlgCauceEditProp& again = Open();
  ClickEntry(again.lstTributaCauce, "r-1");
  EXPECT_EQ(c2->Cauce_aa, "r-1");
  EXPECT_TRUE(dialogs.records().empty());
  again.CancelButton->click();
}

TEST_F(DlgCauceEditPropTest, RenamingAReachRenamesEveryReceiverAndTheSavedFiles) {
  u1->Cauce_aa = QStringLiteral("c-2");
  l1->Cauce_aa = QStringLiteral("c-2");
  r1->Cauce_aa = QStringLiteral("c-2");
  c1->Cauce_aa = QStringLiteral("c-2");
  c2->Cauce_aa = QStringLiteral("0");
  selCauce = 2;
  dlgCauceEditProp& d = Open();
  // A length typed before the rename stays in its box; the receiver list offers the reach under its
  // new name, with the receiver still selected.
  test::Type(d.txtLongCauce, "777");
  test::Type(d.txtNombreCauce, "Arroyo");
  test::Leave(d.txtNombreCauce);
  EXPECT_EQ(c2->NombreCauce, "c-Arroyo");
  for (const QString& receptor : {u1->Cauce_aa, l1->Cauce_aa, r1->Cauce_aa, c1->Cauce_aa})
    EXPECT_EQ(receptor, "c-Arroyo");
  EXPECT_EQ(u2->Cauce_aa, "r-1");
  EXPECT_EQ(Entries(d.lstCauces), QStringList({"c-1", "c-Arroyo"}));
  EXPECT_EQ(d.lblNombreCauce->text(), "c-Arroyo");
  EXPECT_EQ(d.txtLongCauce->text(), "777");
  EXPECT_EQ(Entries(d.lstTributaCauce), QStringList({"c-1", "c-Arroyo", "r-1", "l-1", "Ninguno", "0"}));
  EXPECT_EQ(d.lstTributaCauce->currentItem()->text(), "0");
  // The reach's own entry is a loop like any other.
  dialogs.answer(vbOK);
  ClickEntry(d.lstTributaCauce, "c-Arroyo");
  EXPECT_EQ(Message().prompt, kCiclo);
  EXPECT_EQ(c2->Cauce_aa, "0");
  EXPECT_EQ(c2->LongCauce, 0);
  // A name of another reach is refused.
  test::Type(d.txtNombreCauce, "c-1");
  test::Leave(d.txtNombreCauce);
  EXPECT_EQ(d.txtNombreCauce->text(), "Invalido");
  QTest::keyClick(d.txtNombreCauce, Qt::Key_Escape);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(c2->NombreCauce, "c-Arroyo");

  // The network writer saves the new name everywhere.
  QDir(programDir()).mkdir(QStringLiteral("obra"));
  DirTrabajo = path("obra");
  NombreProyecto = QStringLiteral("Demo");
  dialogs.answer(vbOK);
  editor().mnu_btn_toolbarGuardaUEHs();
  dialogs.clear();
  const QByteArray file = test::ReadBytes(path("obra/Demo_UEHs.pcn"));
  EXPECT_EQ(file.count("\"c-Arroyo\""), 5) << file.toStdString();
  EXPECT_EQ(file.count("\"c-2\""), 0);
}

// A project read again under the dialog gets nothing from it, neither into the records nor into the
// vertices: no commit, receiver or rename.
TEST_F(DlgCauceEditPropTest, TheProjectReadAgainUnderTheDialogGetsNothingFromIt) {
  const std::function<dlgCauceEditProp&()> abre = [this]() -> dlgCauceEditProp& { return Open(); };
  NadaTrasRecarga<dlgCauceEditProp>(selCauce, abre, [](dlgCauceEditProp& d) {
    ClickEntry(d.lstTributaCauce, "Ninguno");
    test::Type(d.txtLongCauce, "777");
    d.OKButton->click();
  });
  NadaTrasRecarga<dlgCauceEditProp>(selCauce, abre, [](dlgCauceEditProp& d) {
    test::Type(d.txtNombreCauce, "c-Otro");
    test::Leave(d.txtNombreCauce);
    d.CancelButton->click();
  });
}

TEST_F(DlgCauceEditPropTest, WithoutReachesTheDialogClosesItself) {
  colCauces.clear();
  nCauces = 0;
  dlgCauceEditProp& d = Open();
  EXPECT_FALSE(d.isVisible());
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(editor().isEnabled());
}

}  // namespace
}  // namespace tavo
