#include "platform/forms.h"

#include <QApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class FormsTest : public test::TavoTest {};

class Counted : public QWidget, public FormInstance<Counted> {
 public:
  static inline int loads = 0;
  static inline int unloads = 0;
  void Form_Load() { ++loads; }
  void Form_Unload() { ++unloads; }
};

TEST_F(FormsTest, OneInstanceLoadedOnFirstUse) {
  Counted::loads = Counted::unloads = 0;
  FormInstance<Counted>::object();
  EXPECT_TRUE(FormInstance<Counted>::exists());
  EXPECT_FALSE(FormInstance<Counted>::isLoaded());
  EXPECT_EQ(Counted::loads, 0);
  Counted& a = FormInstance<Counted>::instance();
  Counted& b = FormInstance<Counted>::instance();
  EXPECT_EQ(&a, &b);
  EXPECT_EQ(Counted::loads, 1);
  FormInstance<Counted>::unload();
  EXPECT_EQ(Counted::unloads, 1);
  EXPECT_FALSE(FormInstance<Counted>::exists());
  FormInstance<Counted>::instance();
  EXPECT_EQ(Counted::loads, 2);
  UnloadAllForms();
  EXPECT_EQ(Counted::unloads, 2);
}

TEST_F(FormsTest, GuardShowsAnUntrappedErrorAndMarksTheEnd) {
  dialogs.answer(vbOK);
  RunGuarded([] { Raise(kErrDivisionByZero); });
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_TRUE(dialogs.records()[0].prompt.contains(QStringLiteral("'11'")));
  EXPECT_TRUE(dialogs.records()[0].prompt.contains(QStringLiteral("División por cero")));
  EXPECT_FALSE(ProgramHasEnded());
  RunGuarded([] { EndProgram(); });
  EXPECT_TRUE(ProgramHasEnded());
}

// A window with two validated boxes and a button, shown offscreen.
struct BoxWindow {
  QWidget window;
  ValidatedBox* first = new ValidatedBox(&window);
  ValidatedBox* second = new ValidatedBox(&window);
  QPushButton* button = new QPushButton(QStringLiteral("Aceptar"), &window);
  BoxWindow() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(button);
    refuse(first, QStringLiteral("Valor fuera de rango"));
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    QApplication::processEvents();
  }
  // The box refuses the text "mal" with this message.
  static void refuse(ValidatedBox* box, const QString& message) {
    box->setValidation([box, message] {
      if (box->text() == QLatin1String("mal")) {
        MsgBox(message, vbExclamation);
        return false;
      }
      return true;
    });
  }
};

TEST_F(FormsTest, FailingBoxKeepsTheFocusWithItsTextSelected) {
  BoxWindow w;
  ASSERT_TRUE(w.first->hasFocus());
  w.first->clear();
  QTest::keyClicks(w.first, QStringLiteral("mal"));
  dialogs.answer(vbOK);
  QTest::keyClick(w.first, Qt::Key_Tab);
  QApplication::processEvents();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Valor fuera de rango");
  EXPECT_TRUE(w.first->hasFocus());
  EXPECT_EQ(w.first->selectedText(), "mal");

  // A good value lets the focus go, and the next box selects its text.
  w.first->setText(QStringLiteral("bien"));
  w.second->setText(QStringLiteral("otro"));
  QTest::keyClick(w.first, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(w.second->hasFocus());
  EXPECT_EQ(w.second->selectedText(), "otro");
  EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(FormsTest, TwoRefusingBoxesDoNotPassTheFocusBackAndForth) {
  BoxWindow w;
  BoxWindow::refuse(w.second, QStringLiteral("Segundo fuera de rango"));
  w.second->setText(QStringLiteral("mal"));
  w.first->setText(QStringLiteral("mal"));
  dialogs.answer(vbOK);
  QTest::keyClick(w.first, Qt::Key_Tab);
  QApplication::processEvents();
  // Only the box being left is checked; the focus it passed through is taken back quietly.
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Valor fuera de rango");
  EXPECT_TRUE(w.first->hasFocus());
}

TEST_F(FormsTest, ANumberBoxTakesATypedOrPastedCommaAsThePoint) {
  BoxWindow w;
  TakesNumbers(w.first);
  w.first->clear();
  QTest::keyClicks(w.first, QStringLiteral("125"));
  // A comma typed between digits: the caret stays after the point it became.
  w.first->setCursorPosition(2);
  QTest::keyClicks(w.first, QStringLiteral(",0"));
  EXPECT_EQ(w.first->text(), "12.05");
  w.first->selectAll();
  w.first->insert(QStringLiteral("1,5,"));  // as a paste
  EXPECT_EQ(w.first->text(), "1.5.");
  // A text the program puts in stays as it is.
  w.first->setText(QStringLiteral("3,5"));
  EXPECT_EQ(w.first->text(), "3,5");
}

TEST_F(FormsTest, ButtonsValidateTheFocusedBoxFirst) {
  BoxWindow w;
  w.first->setText(QStringLiteral("mal"));
  dialogs.answer(vbOK);
  EXPECT_FALSE(ValidateFocusedBox(&w.window));
  w.first->setText(QStringLiteral("bien"));
  EXPECT_TRUE(ValidateFocusedBox(&w.window));
}

TEST_F(FormsTest, AClickOnAButtonPastARefusingBoxTellsOnceAndClicksNothing) {
  BoxWindow w;
  int clicks = 0;
  QObject::connect(w.button, &QPushButton::clicked, [&] {
    if (ValidateFocusedBox(&w.window)) ++clicks;
  });
  w.first->setText(QStringLiteral("mal"));
  dialogs.answer(vbOK);
  QTest::mouseClick(w.button, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(w.first->hasFocus());

  // Once the box accepts its text, the next click goes through.
  w.first->setText(QStringLiteral("bien"));
  QTest::mouseClick(w.button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST(ScriptedDialogs, AnswersFromTheQueueAndRecordsTheUnexpected) {
  ScriptedDialogs d;
  d.answer(vbNo).answerText(QStringLiteral("u-Alta"));
  EXPECT_EQ(d.msgBox(QStringLiteral("¿Seguro?"), vbYesNo | vbQuestion, QStringLiteral("Título")), vbNo);
  EXPECT_EQ(d.inputBox(QStringLiteral("Nombre"), QString(), QString()), "u-Alta");
  EXPECT_TRUE(d.unexpected().isEmpty());
  EXPECT_EQ(d.msgBox(QStringLiteral("Otro"), vbOKOnly, QString()), vbOK);
  EXPECT_EQ(d.unexpected(), QStringList{QStringLiteral("mensaje: Otro")});
  ASSERT_EQ(d.records().size(), 3u);
  EXPECT_EQ(d.records()[0].style, vbYesNo | vbQuestion);
  EXPECT_EQ(d.records()[0].title, "Título");
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST_F(FormsTest, ModalShowWaitsUntilTheWindowIsHidden) {
  QWidget form;
  bool waitedWhileShown = false;
  QTimer::singleShot(0, [&] {
    waitedWhileShown = form.isVisible();
    form.hide();
  });
  ShowModal(&form);
  EXPECT_TRUE(waitedWhileShown);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(FormsTest, ModelessChildOpensOnceInsideTheHostArea) {
  QMdiArea area;
  area.show();
  SetMdiHost(&area);
  auto* form = new QWidget;
  ShowModeless(form, true);
  ShowModeless(form, true);
  EXPECT_EQ(area.subWindowList().size(), 1);
  EXPECT_TRUE(form->isVisible());
  HideForm(form);
  EXPECT_FALSE(form->isVisible());
  delete form;
  SetMdiHost(nullptr);
}

}  // namespace
}  // namespace tavo
