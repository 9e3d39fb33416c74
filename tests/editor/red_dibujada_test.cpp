// A network drawn and linked by the user in the editor, saved, and run for one storm from the main
// window's menu.
#include <QTest>

#include "components/dlgCauceEditProp.h"
#include "components/dlgUEH2.h"
#include "editor_fixture.h"
#include "engine/frmPp.h"
#include "engine/resultados.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "reservoirs/red.h"

namespace tavo {
namespace {

class RedDibujadaTest : public test::EditorTest {
 protected:
  frmUEHs& editor() { return frmUEHs::object(); }
  // Draws a reach clicked from its downstream end up, named `name` in the name box.
  void drawReach(const char* name, std::initializer_list<QPointF> clicks) {
    tool("btn_toolbarCauce");
    for (const QPointF& p : clicks) press(static_cast<Single>(p.x()), static_cast<Single>(p.y()));
    dialogs.answerText(QString::fromLatin1(name));
    QTest::keyClick(editor().picDibujo, Qt::Key_Return);
  }
  void place(const char* key, QPointF at, const char* name) {
    tool(key);
    dialogs.answerText(QString::fromLatin1(name));
    press(static_cast<Single>(at.x()), static_cast<Single>(at.y()));
  }
  // A dialog the editor opened, made the active window as the window system does.
  template <class Dialog>
  static Dialog& activate(Dialog& d) {
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
    return d;
  }
  // Drags the link handle of the selected unit or dam (anchored at `anchor`) onto `to`, answering Yes.
  void link(QPointF anchor, QPointF to) {
    press(static_cast<Single>(anchor.x() + 5), static_cast<Single>(anchor.y() + 5));
    press(static_cast<Single>(anchor.x()), static_cast<Single>(anchor.y() + 35));
    dialogs.answer(vbYes);
    move(static_cast<Single>(to.x() + 1), static_cast<Single>(to.y() - 1));
    release();
  }
};

TEST_F(RedDibujadaTest, AUnitReachDamReachNetworkDrawnInTheEditorRunsInThatOrder) {
  open();
  fixedView(1000);
  drawReach("Bajo", {{300, 50}, {300, 150}});
  drawReach("Alto", {{300, 300}, {300, 500}});
  place("btn_toolbarUEH", {100, 500}, "Ladera");
  place("btn_toolbarRepresa", {300, 230}, "Presa");
  ASSERT_EQ(nCauces, 2);
  ASSERT_EQ(nUEHs, 1);
  ASSERT_EQ(nRepresas, 1);

  // The unit onto the head of c-Alto, the dam onto the head of c-Bajo, by dragging their handles.
  tool("btn_toolbarSelecciona");
  link({100, 500}, {300, 500});
  link({300, 230}, {300, 150});
  // c-Alto into the dam from the context menu: the reach, then the dam, then the right button.
  press(300, 500);
  press(305, 235);
  ASSERT_EQ(selCauce, 2);
  ASSERT_EQ(selRepresa, 1);
  press(900, 900, 2);
  release();
  ASSERT_TRUE(editor().ItemMenuDibujo("mnu_acoplaCauceaRepresa")->isEnabled());
  editor().ItemMenuDibujo("mnu_acoplaCauceaRepresa")->trigger();
  editor().mnu_DibujoSec->hide();
  EXPECT_EQ(vUEHs[1]->Cauce_aa, "c-Alto");
  EXPECT_EQ(vCauces[2]->Cauce_aa, "r-Presa");
  EXPECT_EQ(vRepresas[1]->Cauce_aa, "c-Bajo");
  EXPECT_EQ(vCauces[1]->Cauce_aa, "0");

  // The parameters, typed into the unit's and the reaches' dialogs.
  press(105, 505);
  emit editor().picDibujo->dblClick();
  dlgUEH2& ueh = activate(dlgUEH2::instance());
  test::Type(ueh.txtArea, "100");
  test::Type(ueh.txtLongMax, "600");
  test::Type(ueh.txtVelMedia, "1");
  ueh.OKButton->click();
  activate(editor());
  QTest::keyClick(editor().picDibujo, Qt::Key_F4);
  dlgCauceEditProp& cauces = activate(dlgCauceEditProp::instance());
  for (const char* cauce : {"c-Bajo", "c-Alto"}) {
    const auto item = cauces.lstCauces->findItems(cauce, Qt::MatchExactly).value(0);
    ASSERT_TRUE(item);
    QTest::mouseClick(cauces.lstCauces->viewport(), Qt::LeftButton, {},
                      cauces.lstCauces->visualItemRect(item).center());
    test::Type(cauces.txtLongCauce, "1200");
    test::Type(cauces.txtVelMediaCauce, "2");
  }
  cauces.OKButton->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(editor().isEnabled());
  EXPECT_EQ(vUEHs[1]->Area, 100);
  EXPECT_EQ(vCauces[1]->LongCauce, 1200);
  EXPECT_EQ(vCauces[2]->VelMediaCauce, 2);

  dialogs.answer(vbOK);
  tool("btn_toolbarGuardaUEHs");
  // One outlet, nothing to warn about and nothing changed since the save: closing asks nothing.
  tool("btn_toolbarSalir");
  QApplication::processEvents();
  EXPECT_EQ(shown().size(), 7);  // four names, two links and the save
  ASSERT_FALSE(frmUEHs::isLoaded());

  // The dam stores 1 ha a metre and lets out 10 m3/s a metre.
  test::PutHSVRepresa(1, {{0, 1, 0}, {10, 1, 100000}});
  test::PutHQRepresa(1, {{0, 0}, {10, 100}});
  GuardaTablaHSVRepresa();
  GuardaTablaHQRepresa();
  PpTormenta = 40;
  DurTormenta = 60;
  PasoPp = 10;
  PasoQ = 10;
  dialogs.answer(vbOK);
  main().mnuCorre1->trigger();
  // The only message: the dam still lets out its flood when the run ends.
  const QStringList messages = shown();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(test::kCutNotice));

  const qsizetype unidad = TextoProceso.indexOf(QStringLiteral("UEH  1 u-Ladera"));
  const qsizetype alto = TextoProceso.indexOf(QStringLiteral("Componente: Tramo de Cauce c-Alto"));
  const qsizetype presa = TextoProceso.indexOf(QStringLiteral("Componente: Represa r-Presa"));
  const qsizetype bajo = TextoProceso.indexOf(QStringLiteral("Componente: Tramo de Cauce c-Bajo"));
  EXPECT_GT(unidad, 0);
  EXPECT_GT(alto, unidad);
  EXPECT_GT(presa, alto);
  EXPECT_GT(bajo, presa);
}

// A unit, a Muskingum reach whose output step lies below 2·K·x, and a dam, drawn in the editor and run
// from the main window: the run says once that the routing has a negative coefficient and once that the
// dam's outflow was still rising when the run ended; a series says each once, not per storm.
TEST_F(RedDibujadaTest, ADrawnNetworkTellsItsNoticesOncePerRunAndPerSeries) {
  open();
  fixedView(1000);
  drawReach("Rio", {{300, 150}, {300, 500}});
  place("btn_toolbarUEH", {100, 500}, "Ladera");
  place("btn_toolbarRepresa", {300, 80}, "Presa");
  tool("btn_toolbarSelecciona");
  link({100, 500}, {300, 500});
  // The reach into the dam from the context menu: the reach, then the dam, then the right button.
  press(300, 500);
  press(305, 85);
  ASSERT_EQ(selCauce, 1);
  ASSERT_EQ(selRepresa, 1);
  press(900, 900, 2);
  release();
  editor().ItemMenuDibujo("mnu_acoplaCauceaRepresa")->trigger();
  editor().mnu_DibujoSec->hide();
  ASSERT_EQ(vUEHs[1]->Cauce_aa, "c-Rio");
  ASSERT_EQ(vCauces[1]->Cauce_aa, "r-Presa");

  press(105, 505);
  emit editor().picDibujo->dblClick();
  dlgUEH2& ueh = activate(dlgUEH2::instance());
  test::Type(ueh.txtArea, "100");
  test::Type(ueh.txtLongMax, "600");
  test::Type(ueh.txtVelMedia, "1");
  ueh.OKButton->click();
  activate(editor());
  // The reach by Muskingum with K = 20 min and x = 0.3: 2·K·x = 12 min, above the output step of 10.
  QTest::keyClick(editor().picDibujo, Qt::Key_F4);
  dlgCauceEditProp& cauce = activate(dlgCauceEditProp::instance());
  QTest::mouseClick(cauce.optMusk, Qt::LeftButton);
  test::Type(cauce.txtCauce_k_Musk, "20");
  test::Type(cauce.txtCauce_n_Musk, "0.3");
  cauce.OKButton->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(vCauces[1]->optDirMusk);
  ASSERT_EQ(vCauces[1]->Cauce_k_Musk, 20);
  dialogs.answer(vbOK);
  tool("btn_toolbarGuardaUEHs");
  // Nothing changed since the save: closing asks nothing.
  tool("btn_toolbarSalir");
  QApplication::processEvents();
  EXPECT_EQ(shown().size(), 5);  // three names, one link and the save
  ASSERT_FALSE(frmUEHs::isLoaded());

  test::PutHSVRepresa(1, {{0, 1, 0}, {10, 1, 100000}});
  test::PutHQRepresa(1, {{0, 0}, {10, 100}});
  GuardaTablaHSVRepresa();
  GuardaTablaHQRepresa();
  PpTormenta = 40;
  DurTormenta = 60;
  PasoPp = 10;
  PasoQ = 10;
  dialogs.answer(vbOK).answer(vbOK);
  main().mnuCorre1->trigger();
  QStringList messages = shown();
  ASSERT_EQ(messages.size(), 2) << messages.join('\n').toStdString();
  EXPECT_EQ(
      messages[0],
      "Con el paso de cálculo de caudales de 10 min, la propagación por Muskingum tiene un coeficiente "
      "negativo en:\r\n   Tramo de cauce c-Rio (K = 20 min, x = 0.3): el paso es menor que 2·K·x = 12 "
      "min.\r\n\r\nUn coeficiente negativo puede dar caudales que oscilan y hasta caudales negativos. "
      "Para evitarlo, el paso debe quedar entre 2·K·x y 2·K·(1 - x): elija otro paso de caudales desde "
      "el Menú Principal: Entradas\\Precipitaciones, o cambie K y x desde el Editor de UEHs. El cálculo "
      "continúa sin cambios. | Advertencia !");
  EXPECT_TRUE(messages[1].startsWith(test::kCutNotice + ":\r\n   r-Presa: "));
  EXPECT_TRUE(messages[1].contains("todavía en aumento."));
  const Integer presa = nComponentes;
  ASSERT_EQ(NombresComponentes(presa), "r-Presa");
  EXPECT_GT(QSaleCompo(presa, nPasosSalida), QSaleCompo(presa, nPasosSalida - 1));

  // Three storms: the question, the Muskingum notice before the first storm, the results file, and
  // the cut floods after the last.
  FormaPp = 2;
  NroTormentasSerie = 3;
  PpSerie.redim(0, 3);
  DurSerie.redim(0, 3);
  RecSerie.redim(0, 3);
  const Single P[] = {30, 40, 50};
  const Integer D[] = {60, 60, 90};
  const Integer R[] = {5, 10, 10};
  for (int k = 1; k <= 3; ++k) {
    PpSerie(k) = P[k - 1];
    DurSerie(k) = D[k - 1];
    RecSerie(k) = R[k - 1];
  }
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK).answer(vbOK);
  main().mnuCorre2->trigger();
  messages = shown();
  ASSERT_EQ(messages.size(), 4) << messages.join('\n').toStdString();
  EXPECT_TRUE(messages[0].endsWith(" | Desea continuar ?"));
  EXPECT_TRUE(messages[1].startsWith(test::kMuskingumNotice));
  EXPECT_TRUE(messages[2].startsWith("La tabla de resultados Q-D-R"));
  EXPECT_TRUE(messages[3].startsWith(test::kCutNotice + " en 3 de las 3 tormentas calculadas de la serie: el "
                                                        "caudal de r-Presa "));
  for (int k = 1; k <= 3; ++k) EXPECT_GT(QpSerie(presa, k), 0) << k;
}

}  // namespace
}  // namespace tavo
