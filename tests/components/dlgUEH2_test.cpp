#include "components/dlgUEH2.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "components/dialog_fixture.h"
#include "engine/frmPp.h"
#include "platform/dialogs.h"
#include "rainfall/tormenta.h"
#include "shell/MDIForm1.h"
#include "support/projectfiles.h"

namespace tavo {
namespace {

class DlgUEH2Test : public test::DialogTest {
 protected:
  dlgUEH2& Open() { return DialogTest::Open<dlgUEH2>(); }
  bool Closed() { return DialogTest::Closed<dlgUEH2>(); }
};

TEST_F(DlgUEH2Test, OpensOnTheFirstUnitAndCancelGivesTheEditorBack) {
  dlgUEH2& d = Open();
  EXPECT_TRUE(d.isVisible());
  EXPECT_TRUE(d.isWindow());
  EXPECT_EQ(d.windowTitle(), "Propiedades de UHE (Unidad Hidrológica Elemental)");
  EXPECT_EQ(selUEH, 1);
  EXPECT_EQ(Entries(d.lstUEHs), QStringList({"u-1", "u-2"}));
  EXPECT_EQ(d.lstUEHs->currentRow(), 0);
  EXPECT_EQ(d.lblNroUEH->text(), "1");
  EXPECT_EQ(d.lblNombreUEH->text(), "u-1");
  EXPECT_EQ(d.txtNombreUEH->text(), "u-1");
  EXPECT_EQ(Entries(d.lstCauceAA), QStringList({"c-1", "c-2", "r-1", "l-1", "Ninguno", "0"}));
  EXPECT_EQ(d.lstCauceAA->currentRow(), 0);
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "c-1");
  EXPECT_EQ(Entries(d.lstMetodo), QStringList({"Directo"}));
  EXPECT_EQ(d.lblMetodo->text(), "Directo");
  EXPECT_EQ(d.txtReferencia->text(), "Ladera");
  const QStringList numbers = {d.txtArea->text(),        d.txtLongMax->text(),     d.txtVelMedia->text(),
                               d.txtRetension_Z->text(), d.txtKostiakov_a->text(), d.txtKostiakov_b->text(),
                               d.txtKostiakov_i->text(), d.txtQ0Recesion->text(),  d.txtKRecesion->text()};
  EXPECT_EQ(numbers, QStringList({"10", "100", "1.5", "5", "2", "0.4", "6", "0.2", "3"}));
  EXPECT_EQ(QApplication::focusWidget(), d.OKButton);
  EXPECT_FALSE(editor().isEnabled());

  // Every caption fits, and each formula's raised exponent starts where the formula's text ends.
  EXPECT_TRUE(test::ClippedControls(&d).isEmpty()) << test::ClippedControls(&d).join('\n').toStdString();
  for (const auto& [formula, exponent] :
       {std::pair{"I [mm] = a * t[min]^", "b"}, std::pair{"Q [m3/s] = Qi [m3/s]* e ", "- t/k"}}) {
    const QLabel* base = nullptr;
    const QLabel* raised = nullptr;
    for (const QLabel* l : d.findChildren<QLabel*>()) {
      if (l->text() == QString::fromUtf8(formula)) base = l;
      if (l->text() == QString::fromUtf8(exponent)) raised = l;
    }
    ASSERT_TRUE(base && raised) << formula;
    EXPECT_EQ(raised->parentWidget(), base->parentWidget()) << formula;
    EXPECT_GE(raised->x(), base->x() + base->fontMetrics().horizontalAdvance(base->text())) << formula;
    EXPECT_LT(raised->y(), base->y()) << formula;
  }

  // The tab order runs from the buttons through the lists and boxes.
  const QList<QWidget*> orden = {d.OKButton,       d.CancelButton,  d.lstUEHs,        d.txtNombreUEH,
                                 d.lstCauceAA,     d.txtArea,       d.lstMetodo,      d.txtLongMax,
                                 d.txtVelMedia,    d.txtReferencia, d.txtRetension_Z, d.txtKostiakov_a,
                                 d.txtKostiakov_b, d.txtKRecesion,  d.txtQ0Recesion,  d.txtKostiakov_i};
  for (int k = 1; k < orden.size(); ++k) {
    QWidget* next = orden[k - 1]->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, orden[k]) << k;
  }

  QTest::keyClick(d.txtArea, Qt::Key_Escape);
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_EQ(selUEH, 0);
}

TEST_F(DlgUEH2Test, PickingAnotherUnitCommitsTheShownOneAndCancelDropsOnlyTheLast) {
  selUEH = 1;
  selCauce = 2;
  selRepresa = 1;
  dlgUEH2& d = Open();
  test::Type(d.txtArea, "250.5");
  test::Type(d.txtReferencia, "Nueva nota");
  ClickEntry(d.lstUEHs, "u-2");
  EXPECT_EQ(u1->Area, 250.5f);
  EXPECT_EQ(u1->Referencia, "Nueva nota");
  EXPECT_EQ(selUEH, 2);
  EXPECT_EQ(d.lblNroUEH->text(), "2");
  EXPECT_EQ(d.txtArea->text(), "20");
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "r-1");

  test::Type(d.txtArea, "99");
  d.CancelButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u2->Area, 20);
  EXPECT_EQ(u1->Area, 250.5f);
  // Cancel clears the unit and reach selections only.
  EXPECT_EQ(selUEH, 0);
  EXPECT_EQ(selCauce, 0);
  EXPECT_EQ(selRepresa, 1);
}

TEST_F(DlgUEH2Test, OkCommitsEveryFieldAndTheCloseBoxIsCancel) {
  dlgUEH2& d = Open();
  const std::pair<QLineEdit*, const char*> typed[] = {
      {d.txtArea, "99999"},       {d.txtLongMax, "50000"},   {d.txtVelMedia, "15"},
      {d.txtRetension_Z, "0"},    {d.txtKostiakov_a, "30"},  {d.txtKostiakov_b, "1"},
      {d.txtKostiakov_i, "1000"}, {d.txtQ0Recesion, "1000"}, {d.txtKRecesion, "9999"},
  };
  for (const auto& [box, text] : typed) {
    test::Type(box, QString::fromLatin1(text));
    test::Leave(box);
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  // What is typed goes to the record only with the commit.
  EXPECT_EQ(u1->Area, 10);
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u1->Area, 99999);
  EXPECT_EQ(u1->LongitudMax, 50000);
  EXPECT_EQ(u1->VelMedia, 15);
  EXPECT_EQ(u1->RetensionZ, 0);
  EXPECT_EQ(u1->KostiakovA, 30);
  EXPECT_EQ(u1->KostiakovB, 1);
  EXPECT_EQ(u1->KostiakovI, 1000);
  EXPECT_EQ(u1->Q0Recesion, 1000);
  EXPECT_EQ(u1->KRecesion, 9999);
  // The reach receiver puts the link point on the reach's head.
  EXPECT_EQ(u1->XCauce, 30);
  EXPECT_EQ(u1->YCauce, 40);
  EXPECT_TRUE(editor().isEnabled());

  // The window's close box: nothing typed is kept and the editor is enabled again.
  selUEH = 2;
  dlgUEH2& again = Open();
  test::Type(again.txtArea, "7");
  again.close();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u2->Area, 20);
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_EQ(selUEH, 0);
}

TEST_F(DlgUEH2Test, NumericBoxesRefuseWithTheirOwnMessage) {
  dlgUEH2& d = Open();
  struct Box {
    ValidatedBox* box;
    const char* over;
    const char* message;
  };
  const Box boxes[] = {
      {d.txtArea, "99999.5", "Ingrese un valor numérico entero o decimal menor de 99999"},
      {d.txtLongMax, "50001", "Ingrese un valor numérico menor de 50000"},
      {d.txtVelMedia, "15.01", "Ingrese un valor numérico entero o decimal menor de 15"},
      {d.txtRetension_Z, "40.5", "Ingrese un valor numérico entero o decimal menor de 40"},
      {d.txtKostiakov_a, "31", "Ingrese un valor numérico entero o decimal menor de 30"},
      {d.txtKostiakov_b, "1.01", "Ingrese un valor numérico decimal entre 0 y 1"},
      {d.txtKostiakov_i, "1001", "Ingrese un valor numérico decimal entre 0 y 1000"},
      {d.txtKRecesion, "10000", "Ingrese un valor numérico decimal entre 0 y 9999"},
      {d.txtQ0Recesion, "1000.1", "Ingrese un valor numérico entero o decimal menor de 1000"},
  };
  for (const Box& b : boxes) {
    for (const char* text : {b.over, "-1", "", "abc", "1e999"}) {
      const QString shown = b.box->text();
      dialogs.answer(vbOK);
      test::Type(b.box, QString::fromLatin1(text));
      test::Leave(b.box);
      const auto message = Message();
      EXPECT_EQ(message.prompt, QString::fromUtf8(b.message)) << text;
      EXPECT_EQ(message.style, vbOKOnly | vbExclamation);
      EXPECT_TRUE(message.title.isEmpty());
      EXPECT_TRUE(b.box->hasFocus()) << b.box->objectName().toStdString() << " " << text;
      EXPECT_EQ(b.box->selectedText(), b.box->text());
      test::Type(b.box, shown);
      test::Leave(b.box);
    }
  }
  EXPECT_EQ(u1->Area, 10);
  EXPECT_EQ(u1->KostiakovB, 0.4f);

  // A comma is the decimal point: "1,5" shows "1.5" and commits 1.5.
  test::Type(d.txtArea, "1,5");
  test::Leave(d.txtArea);
  EXPECT_TRUE(dialogs.records().empty());
  EXPECT_EQ(d.txtArea->text(), "1.5");
  d.OKButton->click();
  EXPECT_EQ(u1->Area, 1.5f);
}

TEST_F(DlgUEH2Test, ARefusedBoxHoldsTheFocusUntilCancelled) {
  dlgUEH2& d = Open();
  dialogs.answer(vbOK);
  test::Type(d.txtArea, "abc");
  test::Leave(d.txtArea);
  Message();
  // A pick in the unit list checks the box again and waits; so does "Aceptar", which stays open.
  dialogs.answer(vbOK);
  ClickEntry(d.lstUEHs, "u-2");
  Message();
  EXPECT_EQ(selUEH, 1);
  EXPECT_EQ(d.lstUEHs->currentRow(), 0);
  EXPECT_TRUE(d.txtArea->hasFocus());
  dialogs.answer(vbOK);
  d.OKButton->click();
  Message();
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(u1->Area, 10);
  // Esc still cancels.
  QTest::keyClick(d.txtArea, Qt::Key_Escape);
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u1->Area, 10);
  EXPECT_TRUE(editor().isEnabled());
}

TEST_F(DlgUEH2Test, ReceiverChoiceIsWrittenAtOnceAndKeptByCancel) {
  dlgUEH2& d = Open();
  // A dam or a lake moves the link point at once.
  ClickEntry(d.lstCauceAA, "r-1");
  EXPECT_EQ(u1->Cauce_aa, "r-1");
  EXPECT_EQ(std::make_pair(u1->XCauce, u1->YCauce), std::make_pair(5.0f, 6.0f));
  EXPECT_EQ(iRepresa, 1);
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "r-1");
  ClickEntry(d.lstCauceAA, "l-1");
  EXPECT_EQ(std::make_pair(u1->XCauce, u1->YCauce), std::make_pair(7.0f, 8.0f));
  // A reach leaves it until the commit.
  ClickEntry(d.lstCauceAA, "c-2");
  EXPECT_EQ(u1->Cauce_aa, "c-2");
  EXPECT_EQ(std::make_pair(u1->XCauce, u1->YCauce), std::make_pair(7.0f, 8.0f));
  ClickEntry(d.lstUEHs, "u-2");
  EXPECT_EQ(std::make_pair(u1->XCauce, u1->YCauce), std::make_pair(50.0f, 60.0f));

  // "Ninguno" and "0" are stored as they read and make the unit an outlet at (0, 0).
  for (const char* none : {"0", "Ninguno"}) {
    ClickEntry(d.lstCauceAA, QString::fromLatin1(none));
    EXPECT_EQ(u2->Cauce_aa, none);
    EXPECT_EQ(std::make_pair(u2->XCauce, u2->YCauce), std::make_pair(0.0f, 0.0f));
  }
  d.CancelButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u2->Cauce_aa, "Ninguno");
}

TEST_F(DlgUEH2Test, StoredValuesOutsideTheListsShowNoSelectionAndCommitEmpty) {
  u1->Cauce_aa = QString();
  u1->Metodo = QStringLiteral("Muskingum");
  u2->XCauce = 1;  // u-2 drains into r-1: showing it puts the link on the dam
  dlgUEH2& d = Open();
  EXPECT_EQ(d.lstCauceAA->currentRow(), -1);
  EXPECT_EQ(d.lblDrenaCauceAA->text(), "");
  EXPECT_EQ(d.lstMetodo->currentRow(), -1);
  EXPECT_EQ(d.lblMetodo->text(), "");
  // Passing through the lists with the keyboard picks nothing.
  d.txtNombreUEH->setFocus();
  test::Leave(d.txtNombreUEH);
  ASSERT_TRUE(d.lstCauceAA->hasFocus());
  test::Leave(d.lstCauceAA);
  test::Leave(d.txtArea);
  ASSERT_TRUE(d.lstMetodo->hasFocus());
  EXPECT_EQ(d.lstCauceAA->currentRow(), -1);
  EXPECT_EQ(d.lstMetodo->currentRow(), -1);
  u1->XCauce = 9;
  ClickEntry(d.lstUEHs, "u-2");
  EXPECT_EQ(u1->Cauce_aa, "");
  EXPECT_EQ(std::make_pair(u1->XCauce, u1->YCauce), std::make_pair(0.0f, 0.0f));
  EXPECT_EQ(u1->Metodo.toString(), "");
  EXPECT_EQ(u2->XCauce, 5);
  d.CancelButton->click();
  EXPECT_EQ(u2->XCauce, 5);
}

TEST_F(DlgUEH2Test, NameBoxAddsThePrefixCutsAndRenames) {
  dlgUEH2& d = Open();
  // Leaving the name box renames the unit; what was typed in the other boxes stays, to be committed
  // with the unit.
  test::Type(d.txtArea, "55");
  test::Type(d.txtKRecesion, "7.5");
  test::Type(d.txtNombreUEH, "Norte");
  test::Leave(d.txtNombreUEH);
  EXPECT_EQ(u1->NombreUEH, "u-Norte");
  EXPECT_EQ(d.txtNombreUEH->text(), "u-Norte");
  EXPECT_EQ(d.lblNombreUEH->text(), "u-Norte");
  EXPECT_EQ(Entries(d.lstUEHs), QStringList({"u-Norte", "u-2"}));
  EXPECT_EQ(d.lstUEHs->currentRow(), 0);
  EXPECT_EQ(d.txtArea->text(), "55");
  EXPECT_EQ(d.txtKRecesion->text(), "7.5");
  EXPECT_EQ(u1->Area, 10);
  ClickEntry(d.lstUEHs, "u-2");
  EXPECT_EQ(u1->Area, 55);
  EXPECT_EQ(u1->KRecesion, 7.5f);
  ClickEntry(d.lstUEHs, "u-Norte");

  // Twenty characters without the prefix: "u-" and the first 13.
  test::Type(d.txtNombreUEH, "abcdefghijklmnopqrst");
  test::Leave(d.txtNombreUEH);
  EXPECT_EQ(u1->NombreUEH, "u-abcdefghijklm");

  // A click adds the prefix and cuts as well, and selects the whole name.
  test::Type(d.txtNombreUEH, "Sur del arroyo grande");
  QTest::mouseClick(d.txtNombreUEH, Qt::LeftButton);
  EXPECT_EQ(d.txtNombreUEH->text(), "u-Sur del arroy");
  EXPECT_EQ(d.txtNombreUEH->selectedText(), "u-Sur del arroy");

  // A double quote cannot be typed into a name or a note.
  test::Type(d.txtNombreUEH, "u-\"A\"");
  EXPECT_EQ(d.txtNombreUEH->text(), "u-A");
  test::Type(d.txtReferencia, "Dice \"hola\"");
  EXPECT_EQ(d.txtReferencia->text(), "Dice hola");
}

TEST_F(DlgUEH2Test, NameThatCannotBeTakenTurnsInvalidoAndKeepsTheStoredName) {
  dlgUEH2& d = Open();
  for (const char* refused : {"u-2", "2", "u-", ""}) {
    test::Type(d.txtNombreUEH, QString::fromLatin1(refused));
    test::Leave(d.txtNombreUEH);
    EXPECT_EQ(d.txtNombreUEH->text(), "Invalido") << refused;
    EXPECT_TRUE(d.txtNombreUEH->hasFocus());
    EXPECT_EQ(d.txtNombreUEH->selectedText(), "Invalido");
    EXPECT_EQ(u1->NombreUEH, "u-1");
  }
  // Leaving again or clicking keeps "Invalido"; a pick in the list waits; "Aceptar" stays open.
  test::Leave(d.txtNombreUEH);
  QTest::mouseClick(d.txtNombreUEH, Qt::LeftButton);
  EXPECT_EQ(d.txtNombreUEH->text(), "Invalido");
  ClickEntry(d.lstUEHs, "u-2");
  EXPECT_EQ(selUEH, 1);
  d.OKButton->click();
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(u1->NombreUEH, "u-1");
  EXPECT_EQ(Entries(d.lstUEHs), QStringList({"u-1", "u-2"}));

  // The commit itself never stores a name the box refuses, whatever path reaches it.
  for (const char* refused : {"Invalido", "u-2", "u-", "sin prefijo", "u-demasiado largo"}) {
    d.txtNombreUEH->setText(QString::fromLatin1(refused));
    d.GuardaDatosUEH();
    EXPECT_EQ(u1->NombreUEH, "u-1") << refused;
  }
  c2->Cauce_aa = QStringLiteral("u-1");  // as a file may hold it
  d.txtNombreUEH->setText(QStringLiteral("u-Nuevo"));
  d.GuardaDatosUEH();
  EXPECT_EQ(u1->NombreUEH, "u-Nuevo");
  EXPECT_EQ(c2->Cauce_aa, "u-Nuevo");

  // A name the user types then is taken as usual.
  test::Type(d.txtNombreUEH, "u-Alto");
  d.OKButton->click();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(u1->NombreUEH, "u-Alto");
  EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(DlgUEH2Test, LongNoteBecomesZeroWhenClicked) {
  dlgUEH2& d = Open();
  const QString nota(81, QLatin1Char('x'));
  test::Type(d.txtReferencia, nota);
  QTest::mouseClick(d.txtReferencia, Qt::LeftButton);
  EXPECT_EQ(d.txtReferencia->text(), "0");
  EXPECT_EQ(u1->Referencia, "0");
  test::Type(d.txtReferencia, nota.left(80));
  QTest::mouseClick(d.txtReferencia, Qt::LeftButton);
  EXPECT_EQ(u1->Referencia, nota.left(80));
  // Cancel keeps what a click wrote.
  d.CancelButton->click();
  EXPECT_EQ(u1->Referencia, nota.left(80));
}

// A project read again under the dialog gets nothing from it: no commit, receiver, note or rename.
TEST_F(DlgUEH2Test, TheProjectReadAgainUnderTheDialogGetsNothingFromIt) {
  u2->XCauce = 5;
  u2->YCauce = 6;
  const std::function<dlgUEH2&()> abre = [this]() -> dlgUEH2& { return Open(); };
  NadaTrasRecarga<dlgUEH2>(selUEH, abre, [](dlgUEH2& d) {
    ClickEntry(d.lstCauceAA, "Ninguno");
    QTest::mouseClick(d.txtReferencia, Qt::LeftButton);
    test::Type(d.txtReferencia, "nota");
    test::Type(d.txtArea, "99");
    d.OKButton->click();
  });
  NadaTrasRecarga<dlgUEH2>(selUEH, abre, [](dlgUEH2& d) {
    test::Type(d.txtNombreUEH, "u-Otro");
    test::Leave(d.txtNombreUEH);
    d.CancelButton->click();
  });
}

TEST_F(DlgUEH2Test, WithoutUnitsTheDialogClosesItselfAndTheEditorIsEnabled) {
  colUEHs.clear();
  nUEHs = 0;
  dlgUEH2& d = Open();
  EXPECT_FALSE(d.isVisible());
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(editor().isEnabled());
  EXPECT_EQ(selUEH, 0);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// Project Cuenca, opened in the editor from the main window: two units draining into two reaches.
class DlgUEH2EditorTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir(QStringLiteral("Proyectos"));
    const QString dir = path("Proyectos");
    for (const char* file : {"Cuenca_UEHs.pcn", "Cuenca_VerCau.pcn"})
      QFile::copy(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/") + file, dir + "/" + file);
    test::WriteBytes(dir + "/Cuenca_Conf.pcn", test::SettingsFile("Cuenca", dir, "Arroyo"));
    DirPrograma = programDir();
    DirActual = dir;
    DirTrabajo = dir;
    NombreProyecto = QStringLiteral("Cuenca");
    PpTormenta = 40;
    DurTormenta = 60;
    PasoPp = 10;
    PasoQ = 10;
    main().show();
  }
  static MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  // The runoff volume of unit u-Norte in the report of the last run.
  static long Escorrentia() {
    const auto m =
        QRegularExpression(QStringLiteral("Escorrentía +UEH +1 u-Norte +(\\d+) m3")).match(TextoProceso);
    return m.hasMatch() ? m.captured(1).toLong() : -1;
  }
};

TEST_F(DlgUEH2EditorTest, AreaEditedThroughTheEditorIsSavedAndRun) {
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  ASSERT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  dialogs.clear();
  const long antes = Escorrentia();
  ASSERT_EQ(antes, 24148);

  main().mnufrmUEHs->trigger();
  QApplication::processEvents();
  frmUEHs& editor = frmUEHs::object();
  ASSERT_TRUE(editor.isVisible());
  // The user picks u-Norte and opens its dialog with a double click.
  selUEH = 1;
  emit editor.picDibujo->dblClick();
  ASSERT_FALSE(editor.isEnabled());
  dlgUEH2& d = dlgUEH2::object();
  QApplication::setActiveWindow(&d);
  QApplication::processEvents();
  ASSERT_EQ(d.txtArea->text(), "80");
  test::Type(d.txtArea, QStringLiteral("160"));
  d.OKButton->click();
  QApplication::processEvents();
  EXPECT_FALSE(dlgUEH2::isLoaded());
  EXPECT_TRUE(editor.isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), editor.picDibujo);

  // Leaving the editor saves the network.
  dialogs.answer(vbYes).answer(vbOK);
  editor.BotonToolbar(QStringLiteral("btn_toolbarSalir"))->trigger();
  QApplication::processEvents();
  ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  dialogs.clear();
  EXPECT_TRUE(test::ReadBytes(path("Proyectos/Cuenca_UEHs.pcn")).contains("\"u-Norte\"\r\n160\r\n"));

  // The run reads the project again: the unit's runoff doubles with its area.
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  EXPECT_NEAR(Escorrentia(), 2 * antes, 2);
}

}  // namespace
}  // namespace tavo
