#include "rainfall/dlgPp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "platform/controls.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/frmConfigura.h"
#include "project/listacomponentes.h"
#include "rainfall/cuenca_fixture.h"
#include "rainfall/tormenta.h"
#include "results/dlgChart1.h"
#include "results/dlgChart2.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const QString kMensajePp = "Ingrese un valor numérico, entero o decimal, entre 0 y 999";
const QString kMensajeDur = "Ingrese un valor numérico, entero o decimal, entre 0 y 14400";
const QString kSinTormenta = "No ha ingresado datos de Pp y Duración de la tormenta.";
const QString kMensajeRec = "Ingrese un valor numérico entero entre 0 y 10000 ";

// The dialog over a working directory that is also the program folder, where the user
// distributions, the storm tables and the archived list live.
class DlgPpTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    DirPrograma = programDir();
    DirActual = programDir();
    NombreProyecto = "Cuenca";
  }

  dlgPp& form() { return dlgPp::instance(); }
  void show() {
    ShowModeless(&form(), false);
    QApplication::setActiveWindow(&form());
    QApplication::processEvents();
  }
  void type(QLineEdit* box, const QString& text) { test::Type(box, text); }
  // Types into the R box as the user does: its whole text selected, then the keys.
  void typeRec(const QString& text) {
    form().cmbRec->setFocus();
    QApplication::processEvents();
    form().cmbRec->lineEdit()->selectAll();
    if (text.isEmpty()) QTest::keyClick(form().cmbRec, Qt::Key_Delete);
    QTest::keyClicks(form().cmbRec, text);
  }
  void leave(QWidget* control) { test::Leave(control); }
  // Picks an entry of a step list as the user does, then leaves the list.
  void pick(QComboBox* list, const QString& text) {
    list->setFocus();
    QApplication::processEvents();
    list->setCurrentIndex(list->findText(text));
    leave(list);
  }
  QStringList prompts() const {
    QStringList out;
    for (const auto& r : dialogs.records()) out << r.prompt;
    return out;
  }
  QStringList items(const QComboBox* list) const {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
  }
  static bool shown(const QWidget* w) { return !w->isHidden(); }
};

TEST_F(DlgPpTest, EachModeShowsHidesAndEnablesItsGroups) {
  struct Case {
    int mode;
    bool frame3, frame4, frame5, frame7, label9_0, label9_1;
    bool boxes, rec, add, archived, tables, distributions, rainStep, previews;
  };
  const Case cases[] = {
      // mode; groups c), b), distributions, e) and the two headings shown; enabled: P and D, R, add,
      // archived list, tables, distributions, rain step, previews
      {1, false, true, true, false, true, true, false, false, false, true, false, true, true, true},
      {2, true, false, true, false, true, true, false, false, false, false, true, true, true, false},
      {0, false, true, true, false, true, true, true, true, true, false, false, true, true, true},
      {3, false, false, true, false, false, true, false, true, true, false, false, false, true, false},
      {4, false, false, false, true, true, false, false, false, true, false, false, false, false, false},
  };
  show();
  form().optDistriPp[6]->setChecked(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    form().optformaPp[c.mode]->setChecked(true);
    EXPECT_EQ(FormaPp, c.mode);
    EXPECT_TRUE(shown(form().Frame2));
    EXPECT_EQ(shown(form().Frame3), c.frame3);
    EXPECT_EQ(shown(form().Frame4), c.frame4);
    EXPECT_EQ(shown(form().Frame5), c.frame5);
    EXPECT_EQ(shown(form().Frame7), c.frame7);
    EXPECT_EQ(shown(form().Label9[0]), c.label9_0);
    EXPECT_EQ(shown(form().Label9[1]), c.label9_1);
    EXPECT_EQ(form().txtPp->isEnabled(), c.boxes);
    EXPECT_EQ(form().txtDur->isEnabled(), c.boxes);
    EXPECT_EQ(form().cmbRec->isEnabled(), c.rec);
    EXPECT_EQ(form().cmdPDR->isEnabled(), c.add);
    EXPECT_EQ(form().cmbPDR->isEnabled(), c.archived);
    EXPECT_EQ(form().cmdBorraPDR->isEnabled(), c.archived);
    EXPECT_EQ(form().optTablaPDR[1]->isEnabled(), c.tables);
    EXPECT_EQ(form().cmdTablaPDR->isEnabled(), c.tables);
    EXPECT_EQ(form().optDistriPp[5]->isEnabled(), c.distributions);
    EXPECT_EQ(form().cmbPasoPp->isEnabled(), c.rainStep);
    EXPECT_EQ(form().cmdVerGrafico->isEnabled(), c.previews);
    EXPECT_EQ(form().cmdVerTablaPt->isEnabled(), c.previews);
    EXPECT_EQ(form().FormaPpPrevia, c.mode);
  }
  // d) forced the constant distribution over "Personalizada 2", e) forces the measured one.
  EXPECT_EQ(DistriPp, 7);
  EXPECT_TRUE(form().optDistriPp[7]->isChecked());
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpTest, ModeDForcesTheConstantDistribution) {
  show();
  form().optDistriPp[6]->setChecked(true);
  EXPECT_TRUE(form().cmdPpPerso->isEnabled());
  form().optformaPp[3]->setChecked(true);
  EXPECT_EQ(DistriPp, 0);
  EXPECT_TRUE(form().optDistriPp[0]->isChecked());
  EXPECT_FALSE(form().cmdPpPerso->isEnabled());
  EXPECT_TRUE(form().cmdCargaPDRnoUniforme->isEnabled());
  // Another window choosing a distribution meanwhile does not undo it.
  form().optDistriPp[5]->setChecked(true);
  EXPECT_EQ(DistriPp, 0);
  EXPECT_TRUE(form().optDistriPp[0]->isChecked());
}

TEST_F(DlgPpTest, LoadingShowsTheStoredStorm) {
  struct Case {
    const char* what;
    Integer pasoPp, pasoQ;
    QString shownPp, shownQ;
    Integer storedQ;
  };
  const Case cases[] = {
      {"a fresh storm", 0, 0, "10", "10", 10},
      {"an output step that does not divide", 30, 20, "30", "30", 30},
      {"a longer output step", 10, 20, "10", "10", 10},
      {"steps that fit", 60, 15, "60", "15", 15},
      {"a step cut to the duration", 45, 15, "45", "15", 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PasoPp = c.pasoPp;
    PasoQ = c.pasoQ;
    dlgPp::unload();
    EXPECT_EQ(form().cmbPasoPp->currentText(), c.shownPp);
    EXPECT_EQ(form().cmbPasoQ->currentText(), c.shownQ);
    EXPECT_EQ(PasoPp, c.shownPp.toInt());
    EXPECT_EQ(PasoQ, c.storedQ);
  }
  // The step cut to the duration stands among the others, in order.
  EXPECT_EQ(items(form().cmbPasoPp).mid(4, 4), QStringList({"30", "45", "60", "120"}));
  EXPECT_TRUE(form().optformaPp[0]->isChecked());
  EXPECT_TRUE(form().optDistriPp[0]->isChecked());

  dlgPp::unload();
  PpTormenta = 12.5f;
  DurTormenta = 90;
  RecTormenta = 25;
  NroListaRec = 3;
  ListaRec(1) = 2;
  ListaRec(2) = 10;
  ListaRec(3) = 100;
  FormaPp = 2;
  DistriPp = 5;
  NroTablaPDR = 3;
  EXPECT_EQ(form().txtPp->text(), "12.5");
  EXPECT_EQ(form().txtDur->text(), "90");
  EXPECT_EQ(form().cmbRec->currentText(), "25");
  EXPECT_EQ(items(form().cmbRec), QStringList({"2", "10", "100"}));
  EXPECT_TRUE(form().optformaPp[2]->isChecked());
  EXPECT_TRUE(form().optDistriPp[5]->isChecked());
  EXPECT_TRUE(form().optTablaPDR[3]->isChecked());
  EXPECT_TRUE(form().cmdTablaPDR->isEnabled());
  EXPECT_EQ(DistriPp, 5);
  EXPECT_EQ(NroTablaPDR, 3);
}

TEST_F(DlgPpTest, LoadingAStoredModeWithItsOwnDistribution) {
  FormaPp = 4;
  DistriPp = 7;
  EXPECT_TRUE(shown(form().Frame7));
  EXPECT_FALSE(shown(form().Frame5));
  EXPECT_FALSE(form().cmbPasoPp->isEnabled());
  EXPECT_EQ(form().FormaPpPrevia, 4);
  EXPECT_EQ(DistriPp, 7);

  // A per-unit storm keeps its constant distribution, whatever distribution was stored with it.
  dlgPp::unload();
  FormaPp = 3;
  DistriPp = 5;
  EXPECT_TRUE(form().optformaPp[3]->isChecked());
  EXPECT_TRUE(form().optDistriPp[0]->isChecked());
  EXPECT_EQ(DistriPp, 0);
}

TEST_F(DlgPpTest, UserDistributionsShowTheDurationsTheirFileGives) {
  // Table 1 is meant for storms of 60 minutes or more, table 2 for 30 to 120; table 3 says nothing.
  WriteBytes(path("distriPp_dpt.pcn"),
             "2,1,0\r\n\"uno\"\r\n60,0\r\n40\r\n60\r\n\"dos\"\r\n30,120\r\n100\r\n\"\"\r\n0,0\r\n");
  show();
  struct Case {
    int option;
    bool validez;
    QString min, max;  // empty: hidden
  };
  const Case cases[] = {{5, true, "60", ""}, {6, true, "30", "120"}, {7, true, "", ""}, {1, false, "", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    form().optDistriPp[c.option]->setChecked(true);
    EXPECT_EQ(DistriPp, c.option);
    EXPECT_EQ(form().cmdPpPerso->isEnabled(), c.validez);
    EXPECT_EQ(shown(form().lblValidez), c.validez);
    EXPECT_EQ(shown(form().lblDurMin), !c.min.isEmpty());
    EXPECT_EQ(shown(form().lblDurMax), !c.max.isEmpty());
    if (!c.min.isEmpty()) {
      EXPECT_EQ(form().lblDurMin->text(), c.min);
    }
    if (!c.max.isEmpty()) {
      EXPECT_EQ(form().lblDurMax->text(), c.max);
    }
  }
  EXPECT_EQ(form().txtDur->text(), "0");

  // The built-in measured shapes are storms of one day.
  DurTormenta = 60;
  for (int option : {2, 3, 4}) {
    form().txtDur->setText("60");
    form().optDistriPp[option]->setChecked(true);
    EXPECT_EQ(form().txtDur->text(), "1440");
  }
  EXPECT_EQ(DurTormenta, 60);  // stored when the box is left or at Apply
}

TEST_F(DlgPpTest, DepthBox) {
  struct Case {
    const char* typed;
    bool accepted;
    Single stored;  // the previous depth, 7, when refused
    const char* shown;
  };
  const Case cases[] = {
      {"12.345", true, 12.34f, "12.34"},
      {"1.15", true, 1.15f, "1.15"},
      {"12,5", true, 12.5f, "12.5"},
      {" 999 ", true, 999, "999"},
      {"0", true, 0, "0"},
      {"1000", false, 7, "1000"},
      {"-3", false, 7, "-3"},
      {"abc", false, 7, "abc"},
      {"", false, 7, ""},
  };
  show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear();
    PpTormenta = 7;
    if (!c.accepted) dialogs.answer(vbOK);
    type(form().txtPp, c.typed);
    if (QString(c.typed).isEmpty()) form().txtPp->clear();
    leave(form().txtPp);
    EXPECT_EQ(PpTormenta, c.stored);
    EXPECT_EQ(form().txtPp->text(), c.shown);
    EXPECT_EQ(form().txtPp->hasFocus(), !c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(dialogs.records().empty());
    } else {
      ASSERT_EQ(dialogs.records().size(), 1u);
      EXPECT_EQ(dialogs.records()[0].prompt, kMensajePp);
      EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
      EXPECT_EQ(dialogs.records()[0].title, "");
      EXPECT_EQ(form().txtPp->selectedText(), c.shown);
      form().txtPp->setText("5");
      leave(form().txtPp);
    }
  }
}

TEST_F(DlgPpTest, DurationBox) {
  struct Case {
    const char* typed;
    bool accepted;
    Integer stored;
    const char* shown;
  };
  const Case cases[] = {
      {"90.9", true, 90, "90"},       {"14400", true, 14400, "14400"}, {"0", true, 0, "0"},
      {"20000", false, 1440, "1440"}, {"99999", false, 1440, "1440"},  {"", false, 1440, "1440"},
      {"-1", false, 1440, "1440"},
  };
  show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear();
    DurTormenta = 7;
    if (!c.accepted) dialogs.answer(vbOK);
    type(form().txtDur, c.typed);
    if (QString(c.typed).isEmpty()) form().txtDur->clear();
    leave(form().txtDur);
    EXPECT_EQ(DurTormenta, c.stored);
    EXPECT_EQ(form().txtDur->text(), c.shown);
    EXPECT_EQ(form().txtDur->hasFocus(), !c.accepted);
    EXPECT_EQ(prompts(), c.accepted ? QStringList() : QStringList{kMensajeDur});
    if (!c.accepted) leave(form().txtDur);
  }
}

TEST_F(DlgPpTest, AReturnPeriodStandsAsTyped) {
  NroListaRec = 3;
  ListaRec(1) = 2;
  ListaRec(2) = 25;
  ListaRec(3) = 100;
  show();
  for (const char* typed : {"1", "10", "2", "1000"}) {
    SCOPED_TRACE(typed);
    typeRec(typed);
    leave(form().cmbRec);
    EXPECT_EQ(form().cmbRec->currentText(), typed);
  }
  EXPECT_EQ(form().cmbRec->count(), 3);  // nothing typed joins the list
  typeRec("10");
  form().txtPp->setText("40");
  form().txtDur->setText("60");
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(RecTormenta, 10);
}

TEST_F(DlgPpTest, ReturnPeriodBox) {
  struct Case {
    const char* typed;
    bool accepted;
    const char* shown = nullptr;  // the typed text when not given
  };
  const Case cases[] = {{"0", true},      {"10000", true},  {"25.5", true}, {"12,5", true, "12.5"},
                        {"10001", false}, {"99999", false}, {"-1", false},  {"-40000", false},
                        {"abc", false},   {"", false}};
  show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear();
    if (!c.accepted) dialogs.answer(vbOK);
    typeRec(c.typed);
    leave(form().cmbRec);
    EXPECT_EQ(form().cmbRec->currentText(), c.shown ? c.shown : c.typed);
    EXPECT_EQ(form().cmbRec->hasFocus(), !c.accepted);
    EXPECT_EQ(RecTormenta, 0);  // the box stores only at Apply
    if (c.accepted) {
      EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    } else {
      ASSERT_EQ(prompts(), QStringList{kMensajeRec});
      EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
      EXPECT_EQ(dialogs.records()[0].title, "");
      EXPECT_EQ(form().cmbRec->lineEdit()->selectedText(), c.typed);
    }
  }
}

TEST_F(DlgPpTest, AReturnPeriodBeyondItsRangeStoresNothingWhereverTheUserGoes) {
  RecTormenta = 5;
  show();
  form().txtPp->setText("40");
  form().txtDur->setText("60");
  // From the box itself to Apply, OK and the archive button; then with the box left behind (as when
  // another window took the focus).
  struct Case {
    const char* typed;
    QPushButton* dlgPp::*button;
    bool fromBox;
  };
  const Case cases[] = {
      {"99999", &dlgPp::cmdAplicar, true}, {"-40000", &dlgPp::OKButton, true},
      {"99999", &dlgPp::cmdPDR, true},     {"10001", &dlgPp::cmdAplicar, false},
      {"-40000", &dlgPp::OKButton, false}, {"99999", &dlgPp::cmdPDR, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " " + (form().*c.button)->objectName().toStdString());
    dialogs.clear();
    dialogs.answer(vbOK);
    if (c.fromBox) {
      typeRec(c.typed);
    } else {
      form().txtDur->setFocus();
      QApplication::processEvents();
      form().cmbRec->setEditText(c.typed);
    }
    QTest::mouseClick(form().*c.button, Qt::LeftButton);
    EXPECT_EQ(prompts(), QStringList{kMensajeRec});
    EXPECT_TRUE(dlgPp::isLoaded());
    EXPECT_TRUE(form().cmbRec->hasFocus());
    EXPECT_EQ(RecTormenta, 5);
    EXPECT_EQ(PpTormenta, 0);
    EXPECT_EQ(form().cmbPDR->count(), 0);
    EXPECT_FALSE(QFile::exists(path("ListaPDR.pcn")));
    form().cmbRec->setEditText("5");
    QApplication::processEvents();
  }
}

TEST_F(DlgPpTest, DoubleClicksFillTheBoxesWithoutStoring) {
  show();
  QTest::mouseDClick(form().txtPp, Qt::LeftButton);
  EXPECT_EQ(form().txtPp->text(), "100");
  EXPECT_EQ(PpTormenta, 0);
  // Leaving the box stores it.
  QTest::mouseDClick(form().txtDur, Qt::LeftButton);
  EXPECT_EQ(PpTormenta, 100);
  EXPECT_EQ(form().txtDur->text(), "60");
  EXPECT_EQ(DurTormenta, 0);
}

TEST_F(DlgPpTest, RainStepNoLongerThanTheStorm) {
  const QString message =
      "Elija un paso de tiempo para las entradas (Precipitaciones)  múlitplo menor, o al menos igual, a la "
      "Duración de la Tormenta. (Sugerido: 1/3 del tiempo de concentración de la cuenca)";
  show();
  form().txtDur->setText("60");
  dialogs.answer(vbOK);
  pick(form().cmbPasoPp, "120");
  EXPECT_EQ(prompts(), QStringList{message});
  EXPECT_EQ(dialogs.records()[0].title, "Corrección de selección del paso de entrada (Precipitación)");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_TRUE(form().cmbPasoPp->hasFocus());
  EXPECT_EQ(form().cmbPasoPp->currentText(), "120");

  // Without a duration any step passes.
  dialogs.clear();
  form().txtDur->setText("0");
  leave(form().cmbPasoPp);
  EXPECT_TRUE(dialogs.records().empty());
  EXPECT_FALSE(form().cmbPasoPp->hasFocus());
  EXPECT_EQ(PasoPp, 10);  // stored at Apply only
}

TEST_F(DlgPpTest, OutputStepMustDivideTheRainStep) {
  const QString message =
      "Elija un paso de tiempo para las salidas (Caudales) igual, o múlitplo menor, al paso de entradas "
      "(precipitaciones)";
  show();
  pick(form().cmbPasoPp, "60");
  for (const char* accepted : {"15", "60", "5"}) {
    pick(form().cmbPasoQ, accepted);
    EXPECT_FALSE(form().cmbPasoQ->hasFocus()) << accepted;
  }
  EXPECT_TRUE(dialogs.records().empty());

  pick(form().cmbPasoPp, "30");
  dialogs.answer(vbOK);
  pick(form().cmbPasoQ, "20");
  EXPECT_EQ(prompts(), QStringList{message});
  EXPECT_EQ(dialogs.records()[0].title, "Corrección de selección del paso de salida");
  EXPECT_TRUE(form().cmbPasoQ->hasFocus());
  EXPECT_EQ(form().cmbPasoQ->currentText(), "30");
  EXPECT_EQ(PasoQ, 10);  // the rain step stored at loading
  leave(form().cmbPasoQ);
  EXPECT_EQ(dialogs.records().size(), 1u);
  EXPECT_FALSE(form().cmbPasoQ->hasFocus());

  dialogs.clear();
  dialogs.answer(vbOK);
  pick(form().cmbPasoQ, "60");  // longer than the rain step
  EXPECT_EQ(prompts(), QStringList{message});
}

TEST_F(DlgPpTest, ApplyStoresTheStormFromTheControls) {
  show();
  form().txtPp->setText("40");
  form().txtDur->setText("45");
  form().cmbRec->setEditText("25.5");
  form().cmbPasoPp->setCurrentIndex(form().cmbPasoPp->findText("60"));
  form().cmbPasoQ->setCurrentIndex(form().cmbPasoQ->findText("15"));
  form().optDistriPp[1]->setChecked(true);
  form().optDistriPp[5]->setChecked(true);
  EXPECT_TRUE(shown(form().lblValidez));
  form().cmdAplicar->click();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(FormaPp, 0);
  EXPECT_EQ(PpTormenta, 40);
  EXPECT_EQ(DurTormenta, 45);
  EXPECT_EQ(RecTormenta, 26);
  EXPECT_EQ(DistriPp, 5);
  // The rain step is cut to the duration, and the list shows it.
  EXPECT_EQ(PasoPp, 45);
  EXPECT_EQ(form().cmbPasoPp->currentText(), "45");
  EXPECT_EQ(PasoQ, 15);
  EXPECT_FALSE(shown(form().lblValidez));
  EXPECT_TRUE(dlgPp::isLoaded());

  form().cmbRec->setEditText("24.5");
  SetOptionValue(form().optformaPp[0], false);  // no mode selected
  FormaPp = 3;
  form().OKButton->click();
  EXPECT_EQ(RecTormenta, 24);
  EXPECT_EQ(FormaPp, 0);
  EXPECT_FALSE(dlgPp::isLoaded());
}

TEST_F(DlgPpTest, ApplyWithoutDepthOrDurationWarnsAndCloses) {
  PasoPp = 30;
  PasoQ = 10;
  show();
  form().optformaPp[1]->setChecked(true);
  form().optDistriPp[4]->setChecked(true);
  form().txtPp->setText("0");
  form().txtDur->setText("30");
  form().cmbRec->setEditText("10");
  form().cmbPasoPp->setCurrentIndex(0);
  DistriPp = 2;
  dialogs.answer(vbOK);
  form().cmdAplicar->click();
  ASSERT_EQ(prompts(), QStringList{kSinTormenta});
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_FALSE(dlgPp::isLoaded());
  EXPECT_EQ(FormaPp, 1);
  EXPECT_EQ(PpTormenta, 0);
  EXPECT_EQ(DurTormenta, 30);
  EXPECT_EQ(RecTormenta, 10);
  // The distribution and the steps are not read.
  EXPECT_EQ(DistriPp, 2);
  EXPECT_EQ(PasoPp, 30);
  EXPECT_EQ(PasoQ, 10);
}

TEST_F(DlgPpTest, ApplyInModeCTakesTheFirstStormOfTheTable) {
  WriteBytes(
      path("TablasPDRs_pdr.pcn"),
      "1,0,2,0\r\n\"regional\"\r\n50,60,2\r\n\"uno\"\r\n\"dos\"\r\n35,90,25\r\n40,120,50\r\n\"tres\"\r\n");
  show();
  form().optformaPp[2]->setChecked(true);
  form().optTablaPDR[2]->setChecked(true);
  EXPECT_EQ(NroTablaPDR, 2);
  form().cmdAplicar->click();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(NroTormentasSerie, 2);
  EXPECT_EQ(form().txtPp->text(), "35");
  EXPECT_EQ(form().txtDur->text(), "90");
  EXPECT_EQ(form().cmbRec->currentText(), "25");
  EXPECT_EQ(PpTormenta, 35);
  EXPECT_EQ(DurTormenta, 90);
  EXPECT_EQ(RecTormenta, 25);
  EXPECT_EQ(FormaPp, 2);
}

TEST_F(DlgPpTest, CancelUndoesNothing) {
  show();
  type(form().txtPp, "12");
  leave(form().txtPp);
  form().optformaPp[1]->setChecked(true);
  form().optDistriPp[3]->setChecked(true);
  form().CancelButton->click();
  EXPECT_FALSE(dlgPp::isLoaded());
  EXPECT_EQ(FormaPp, 1);
  EXPECT_EQ(DistriPp, 3);
  EXPECT_EQ(PpTormenta, 12);
}

TEST_F(DlgPpTest, ApplyChecksTheBoxBeingEditedFirst) {
  show();
  type(form().txtDur, "99999");
  dialogs.answer(vbOK);
  QTest::keyClick(form().txtDur, Qt::Key_Return);  // the default button, OK
  EXPECT_EQ(prompts(), QStringList{kMensajeDur});
  EXPECT_TRUE(dlgPp::isLoaded());
  EXPECT_EQ(DurTormenta, 1440);
  EXPECT_EQ(PpTormenta, 0);
}

TEST_F(DlgPpTest, ArchivedListAddAndRemove) {
  show();
  EXPECT_EQ(form().cmbPDR->count(), 0);
  struct Storm {
    const char *p, *d, *r, *item, *line;
  };
  const Storm storms[] = {
      {"12.5", "30", "10", "Pp= 12.5 - Dur = 30 - Rec = 10", "12.5,30,10\r\n"},
      {"100", "60", "0", "Pp= 100 - Dur = 60 - Rec = 0", "100,60,0\r\n"},
      {"0.5", "5", "5", "Pp= 0.5 - Dur = 5 - Rec = 5", ".5,5,5\r\n"},
  };
  QByteArray file;
  for (const Storm& s : storms) {
    SCOPED_TRACE(s.item);
    form().txtPp->setText(s.p);
    form().txtDur->setText(s.d);
    form().cmbRec->setEditText(s.r);
    form().cmdPDR->click();
    file += s.line;
    EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), file);
    EXPECT_EQ(form().cmbPDR->currentText(), s.item);
    EXPECT_EQ(PpTormenta, QString(s.p).toFloat());
    EXPECT_EQ(DurTormenta, QString(s.d).toInt());
    EXPECT_EQ(RecTormenta, QString(s.r).toInt());
  }
  EXPECT_EQ(RutaArchivo, "ListaPDR.pcn");

  // Mode b): pick the second storm and remove it.
  form().optformaPp[1]->setChecked(true);
  form().optformaPp[0]->setChecked(true);
  form().optformaPp[1]->setChecked(true);
  EXPECT_EQ(form().cmbPDR->count(), 3);
  EXPECT_EQ(form().cmbPDR->currentIndex(), -1);
  EXPECT_EQ(PpTormenta, 0.5f);  // reading the list picks nothing
  form().cmbPDR->setCurrentIndex(1);
  EXPECT_EQ(form().txtPp->text(), "100");
  EXPECT_EQ(PpTormenta, 100);
  form().cmdBorraPDR->click();
  EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), "12.5,30,10\r\n.5,5,5\r\n");
  EXPECT_EQ(items(form().cmbPDR), QStringList({storms[0].item, storms[2].item}));
  EXPECT_EQ(form().cmbPDR->currentIndex(), -1);
  for (QString text : {form().txtPp->text(), form().txtDur->text(), form().cmbRec->currentText()})
    EXPECT_EQ(text, "0");
  EXPECT_EQ(PpTormenta, 100);  // until Apply
  EXPECT_EQ(DurTormenta, 60);

  // With no storm selected, removing does nothing and writes nothing.
  QFile::remove(path("ListaPDR.pcn"));
  form().cmdBorraPDR->click();
  EXPECT_FALSE(QFile::exists(path("ListaPDR.pcn")));
  EXPECT_EQ(form().cmbPDR->count(), 2);

  // A storm of the file with a minus sign reads back whole.
  WriteBytes(path("ListaPDR.pcn"), "12.5,30,10\r\n.5,5,-5\r\n");
  form().optformaPp[0]->setChecked(true);
  form().optformaPp[1]->setChecked(true);
  form().cmbPDR->setCurrentIndex(1);
  EXPECT_EQ(RecTormenta, -5);
  EXPECT_EQ(PpTormenta, 0.5f);
  EXPECT_EQ(DurTormenta, 5);
  // Its period cannot be typed in this mode: Apply takes it as stored, without a message.
  ASSERT_FALSE(form().cmbRec->isEnabled());
  EXPECT_TRUE(form().cmdAplicar_Click());
  EXPECT_EQ(RecTormenta, -5);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(DlgPpTest, ArchivedListRefusesWhatCannotBeReadBack) {
  WriteBytes(path("ListaPDR.pcn"), "100,60,0\r\n");
  show();
  struct Case {
    const char *p, *d, *message;
  };
  const Case cases[] = {
      {"1500", "60", "pp"}, {"-3", "60", "pp"}, {"10", "99999", "dur"}, {"10", "abc", "dur"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.p) + " " + c.d);
    dialogs.clear();
    form().txtPp->setText(c.p);
    form().txtDur->setText(c.d);
    dialogs.answer(vbOK);
    form().cmdPDR->click();
    const bool pp = QString(c.message) == "pp";
    EXPECT_EQ(prompts(), QStringList{pp ? kMensajePp : kMensajeDur});
    EXPECT_TRUE((pp ? form().txtPp : form().txtDur)->hasFocus());
    EXPECT_EQ(form().cmbPDR->count(), 1);
    EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), "100,60,0\r\n");
    form().txtPp->setText("10");
    form().txtDur->setText("60");
    QApplication::processEvents();
  }
}

TEST_F(DlgPpTest, ArchivedListFileFailures) {
  // A value that is not a number ends the reading with the storms before it.
  WriteBytes(path("ListaPDR.pcn"), "100,60,0\r\nabc,30,10\r\n12.5,30,10\r\n");
  dialogs.answer(vbOK);
  show();
  EXPECT_EQ(prompts(), QStringList{"Error Nro. 13" + ErrorDescription(13) + " ,Verifique"});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly);
  EXPECT_EQ(items(form().cmbPDR), QStringList{"Pp= 100 - Dur = 60 - Rec = 0"});

  // A failed write says so once and keeps the old file.
  dialogs.clear();
  QDir().mkpath(TemporaryPath(path("ListaPDR.pcn")));
  form().txtPp->setText("20");
  form().txtDur->setText("30");
  form().cmbRec->setEditText("2");
  dialogs.answer(vbOK);
  form().cmdPDR->click();
  EXPECT_EQ(prompts(), QStringList{"Error Nro. 70" + ErrorDescription(70) + " ,Verifique"});
  EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), "100,60,0\r\nabc,30,10\r\n12.5,30,10\r\n");
  EXPECT_EQ(PpTormenta, 20);

  // On a full disk too.
  QDir().rmdir(TemporaryPath(path("ListaPDR.pcn")));
  dialogs.clear();
  dialogs.answer(vbOK);
  test::WithFullDisk(20, [&] { form().cmdPDR->click(); });
  EXPECT_EQ(prompts(), QStringList{"Error Nro. 61" + ErrorDescription(61) + " ,Verifique"});
  EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), "100,60,0\r\nabc,30,10\r\n12.5,30,10\r\n");

  // The first write that succeeds keeps the file it replaces, as it was, beside it, and says so.
  dialogs.clear();
  dialogs.answer(vbOK);
  form().cmdPDR->click();
  EXPECT_EQ(prompts(), QStringList{test::DamagedCopyMessage("ListaPDR.pcn", "ListaPDR.pcn.dañado")});
  EXPECT_EQ(ReadBytes(path("ListaPDR.pcn.dañado")), "100,60,0\r\nabc,30,10\r\n12.5,30,10\r\n");
  EXPECT_EQ(ReadBytes(path("ListaPDR.pcn")), "100,60,0\r\n20,30,2\r\n20,30,2\r\n20,30,2\r\n");
  dialogs.clear();
  form().cmdPDR->click();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

// The storm defined from the main window and run on a hand-made project.
class StormFromMainWindowTest : public DlgPpTest {
 protected:
  void SetUp() override {
    DlgPpTest::SetUp();
    test::OpenCuencaInMainWindow(programDir(), dialogs);
  }
  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  void open() {
    main().mnufrmPp->trigger();
    ASSERT_TRUE(dlgPp::isLoaded());
    ASSERT_TRUE(form().isVisible());
    QApplication::setActiveWindow(&form());
    QApplication::processEvents();
  }
};

TEST_F(StormFromMainWindowTest, TypedStormIsRun) {
  open();
  type(form().txtPp, "40");
  type(form().txtDur, "60");
  leave(form().txtDur);
  QTest::mouseClick(form().cmdAplicar, Qt::LeftButton);
  EXPECT_EQ(PpTormenta, 40);
  EXPECT_EQ(DurTormenta, 60);
  EXPECT_EQ(PasoPp, 10);
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(nComponentes, 4);
  EXPECT_GT(nPasosSalida, 6);
  EXPECT_TRUE(TextoProceso.contains("Pp=  40 [mm]   60 [min]"));
}

TEST_F(StormFromMainWindowTest, AReturnPeriodMissingFromTheSettingsIsRunAndArchivedAsTyped) {
  // The project's settings leave 10 years out of the list (its third return-period flag).
  const QString conf = path("Proyectos/Cuenca_Conf.pcn");
  QStringList lines = QString::fromLatin1(ReadBytes(conf)).split("\r\n");
  ASSERT_EQ(lines[30], "1");
  lines[30] = "0";
  WriteBytes(conf, lines.join("\r\n").toLatin1());
  FormInstance<frmConfigura>::instance().leoConf();
  open();
  ASSERT_EQ(items(form().cmbRec).mid(0, 3), QStringList({"2", "5", "20"}));
  type(form().txtPp, "40");
  type(form().txtDur, "60");
  typeRec("10");
  QTest::mouseClick(form().cmdPDR, Qt::LeftButton);
  EXPECT_EQ(ReadBytes(path("Proyectos/ListaPDR.pcn")), "40,60,10\r\n");
  EXPECT_EQ(form().cmbPDR->currentText(), "Pp= 40 - Dur = 60 - Rec = 10");
  QTest::mouseClick(form().OKButton, Qt::LeftButton);
  EXPECT_EQ(RecTormenta, 10);
  dialogs.answer(vbOK);  // the flood is still passing when the run ends
  main().mnuCorre1->trigger();
  EXPECT_TRUE(test::OnlyCutNotice(dialogs)) << test::DescribeDialogs(dialogs).toStdString();
  ASSERT_TRUE(dlgChart2::isLoaded());
  EXPECT_TRUE(dlgChart2::instance().lblTitulo->text().contains("Recurrencia =  10 años"))
      << dlgChart2::instance().lblTitulo->text().toStdString();
}

TEST_F(StormFromMainWindowTest, OpensOnlyWithAProjectOrARainfallFile) {
  main().tbToolBar_ButtonClick("EntraPp");
  EXPECT_TRUE(dlgPp::isLoaded());
  dlgPp::unload();
  NombreProyecto.clear();
  RutaArchivo.clear();
  main().mnufrmPp->trigger();
  EXPECT_FALSE(dlgPp::isLoaded());
  RutaArchivo = "ListaPDR.pcn";
  main().mnufrmPp->trigger();
  EXPECT_TRUE(dlgPp::isLoaded());
}

TEST_F(StormFromMainWindowTest, LeavingTheMeasuredStormWarnsAndTheRunRefusesAnEmptyUserTable) {
  open();
  form().optformaPp[4]->setChecked(true);
  dialogs.answer(vbOK);
  form().optformaPp[0]->setChecked(true);
  ASSERT_EQ(prompts(), QStringList{"Verifique la Distribución temporal de LLuvia"});
  EXPECT_EQ(dialogs.records()[0].title, "Atención...");
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_TRUE(form().optDistriPp[7]->isChecked());

  dialogs.clear();
  form().txtPp->setText("40");
  form().txtDur->setText("60");
  form().OKButton->click();
  EXPECT_EQ(DistriPp, 7);
  dialogs.answer(vbOK);
  main().mnuCorre1->trigger();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith("La distribución personalizada 3 no tiene períodos"));
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
  EXPECT_EQ(nPasosSalida, 0);
}

TEST_F(StormFromMainWindowTest, TablePreviewListsTheStormAndItsPeriodsInTheReport) {
  for (const char* recurrence : {"0", "25"}) {
    SCOPED_TRACE(recurrence);
    open();
    SetReportText(QStringLiteral("informe anterior"));  // the report window is on
    form().txtPp->setText("10");
    form().txtDur->setText("30");
    form().cmbRec->setEditText(recurrence);
    form().cmbPasoPp->setCurrentIndex(form().cmbPasoPp->findText("10"));
    form().cmbPasoQ->setCurrentIndex(form().cmbPasoQ->findText("10"));
    form().optDistriPp[0]->setChecked(true);
    QTest::mouseClick(form().cmdVerTablaPt, Qt::LeftButton);
    EXPECT_TRUE(frmPp::instance().isVisible());
    const QString rec = QString::fromLatin1(recurrence) == "0" ? QString() : "\r\nRecurrencia= 25 [años]";
    EXPECT_EQ(ReportText(), "\r\nEntrada: PRECIPITACION\r\nPp Total= 10 [mm]\r\nDuración= 30 [min]" + rec +
                                "\r\npaso Pp= 10 [min]\r\npaso Q = 10 [min]\r\nDistribución Pp(t)= 0 [índice]"
                                "\r\nPer. Pp[mm] PpAcum[mm] Int.Pp[mm/min]\r\n1  10  10  0.3333333");
    EXPECT_EQ(form().PasoPpReal, 30);
    dlgPp::unload();
    frmPp::unload();
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

TEST_F(StormFromMainWindowTest, TablePreviewWithTheReportOffOnlyBuildsTheHyetograph) {
  open();
  form().optDistriPp[2]->setChecked(true);
  form().txtPp->setText("40");
  form().txtDur->setText("60");
  form().cmdVerTablaPt->click();
  EXPECT_FALSE(frmPp::isLoaded());
  EXPECT_EQ(NumPer, 5);
  EXPECT_EQ(PpPeriodo(1), 40 * 0.34f);
}

TEST_F(StormFromMainWindowTest, ChartPreviewShowsTheHyetographTitledWithTheMeasuredStormsNotes) {
  open();
  form().optDistriPp[3]->setChecked(true);
  form().txtPp->setText("40");
  form().txtDur->setText("30");  // five periods of 6 minutes
  form().NotasPpReal = QStringLiteral("Tormenta del 3 de marzo");
  QTest::mouseClick(form().cmdVerGrafico, Qt::LeftButton);
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  ASSERT_TRUE(dlgChart1::isLoaded());
  EXPECT_TRUE(dlgChart1::instance().isVisible());
  const ChartModel& chart = dlgChart1::instance().MSChartPp->model();
  EXPECT_EQ(chart.rowCount(), 5);
  EXPECT_EQ(chart.title, "  Tormenta del 3 de marzo  ");
  EXPECT_EQ(chart.footnote, " Pp=  40mm;  D=  30 min ;   paso =  6 min");
  EXPECT_EQ(form().PasoPpReal, 6);

  // A storm without depth: Apply warns and closes the dialog, and there is no preview.
  dlgChart1::unload();
  open();
  form().txtPp->setText("0");
  dialogs.answer(vbOK);
  form().cmdVerGrafico->click();
  EXPECT_EQ(prompts(), QStringList{kSinTormenta});
  EXPECT_FALSE(dlgChart1::isLoaded());
}

// A depth the box refused is never used by a preview: the chart shows the storm last accepted, or
// says there is none, and the box shows that depth again.
TEST_F(StormFromMainWindowTest, APreviewNeverTakesARefusedDepth) {
  for (const char* accepted : {"40", "0"}) {
    SCOPED_TRACE(accepted);
    open();
    form().optDistriPp[0]->setChecked(true);
    type(form().txtPp, accepted);
    type(form().txtDur, "30");
    leave(form().txtDur);
    dialogs.answer(vbOK);
    type(form().txtPp, "3.4028235E+38");
    leave(form().txtPp);
    ASSERT_EQ(prompts(), QStringList{kMensajePp});
    dialogs.clear();
    const bool none = QString::fromLatin1(accepted) == "0";
    if (none) dialogs.answer(vbOK);
    form().cmdVerGrafico->click();  // as its shortcut Alt+G does, with the focus left in the box
    EXPECT_EQ(prompts(), none ? QStringList{kSinTormenta} : QStringList())
        << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(PpTormenta, none ? 0 : 40);
    EXPECT_EQ(dlgChart1::isLoaded(), !none);
    if (!none) {
      EXPECT_TRUE(dlgChart1::instance().MSChartPp->model().footnote.startsWith(" Pp=  40mm;  D=  30 min"));
      EXPECT_EQ(form().txtPp->text(), "40");
    }
    dialogs.clear();
    dlgChart1::unload();
    dlgPp::unload();
  }
}

TEST_F(StormFromMainWindowTest, APreviewOfAStormItsDistributionCannotSpreadOnlySaysWhy) {
  // User distribution 1 has no periods: each preview gives the builder's reason and shows nothing.
  PizarraActiva = true;
  open();
  form().optDistriPp[5]->setChecked(true);
  form().txtPp->setText("40");
  form().txtDur->setText("60");
  for (QPushButton* preview : {form().cmdVerGrafico, form().cmdVerTablaPt}) {
    SCOPED_TRACE(preview->objectName().toStdString());
    dialogs.clear();
    dialogs.answer(vbOK);
    preview->click();
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(prompts()[0].startsWith("La distribución personalizada 1 no tiene períodos cargados"));
    EXPECT_FALSE(dlgChart1::isLoaded());
    EXPECT_FALSE(ReportText().contains("Distribución Pp(t)"));
  }
}

}  // namespace
}  // namespace tavo
