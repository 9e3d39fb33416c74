// The editor's context menu and the openers of the property dialogs: which commands the selection
// makes available, and how the keys, the double click and the menu show the dialogs over the editor.
#include <QTest>
#include <set>

#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"
#include "editor_fixture.h"
#include "reservoirs/dlgTablaReservorio.h"

namespace tavo {
namespace {

class MenuDibujoTest : public test::EditorTest {
 protected:
  // c-2 drains into c-1; u-1 into c-1, u-2 nowhere; r-1 into c-2; l-1 nowhere.
  void SetUp() override {
    EditorTest::SetUp();
    open();
    Reach("c-1", "0", {{100, 100}, {100, 200}, {100, 300}});
    Reach("c-2", "c-1", {{100, 300}, {300, 300}});
    Unit("u-1", "c-1", {400, 100}, {100, 300});
    Unit("u-2", "", {400, 300});
    Dam("r-1", "c-2", {600, 100}, {300, 300});
    Lake("l-1", "", {600, 400});
    fixedView(1000);
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  static void key(Qt::Key k) { QTest::keyClick(frmUEHs::object().picDibujo, k); }
  // The command items available, by name.
  std::set<QString> available() {
    std::set<QString> names;
    for (QAction* a : editor().mnu_DibujoSec->actions()) {
      const QString name = a->objectName();
      if (a->isEnabled() && name.startsWith("mnu_") && name != "mnu_CentrarDibujo" && name != "mnu_ZoomAll")
        names.insert(name);
    }
    return names;
  }
  static bool dialogShown() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dlgUEH2::isLoaded() && dlgUEH2::object().isVisible();
  }
};

TEST_F(MenuDibujoTest, TheSelectionDecidesWhichCommandsAreOffered) {
  struct Case {
    const char* name;
    int cauce, cauce2, vertice, ueh, represa, lago;
    std::set<QString> offered;
  };
  const Case cases[] = {
      {"a coupled unit", 0, 0, 0, 1, 0, 0, {"mnu_PopUpdlgUEH2", "mnu_desacoplaUEH"}},
      {"a free unit", 0, 0, 0, 2, 0, 0, {"mnu_PopUpdlgUEH2"}},
      {"a unit and a reach", 1, 0, 0, 2, 0, 0, {"mnu_acoplaUEHaCauce"}},
      {"a unit and a lake", 0, 0, 0, 2, 0, 1, {"mnu_acoplaUEHaLago"}},
      {"a reach and its vertex", 1, 0, 2, 0, 0, 0, {"mnu_PopUpCauceEditPropiedades", "mnu_DivideCauce"}},
      {"a reach with a vertex and a lake",
       1,
       0,
       2,
       0,
       0,
       1,
       {"mnu_DivideCauce", "mnu_acoplaCauceaLago", "mnu_acoplaLAGOaCauce"}},
      {"the reach picked first drains into the one picked last",
       1,
       2,
       0,
       0,
       0,
       0,
       {"mnu_PopUpCauceEditPropiedades"}},
      {"the reach picked last drains into the one picked first",
       2,
       1,
       0,
       0,
       0,
       0,
       {"mnu_PopUpCauceEditPropiedades", "mnu_acoplaCauce1aCauce2", "mnu_desacoplaCauce"}},
      {"a coupled dam", 0, 0, 0, 0, 1, 0, {"mnu_PopUpdlgRepresa", "mnu_desacoplaRepresa"}},
      {"a dam and a unit", 0, 0, 0, 2, 1, 0, {"mnu_acoplaUEHaRepresa", "mnu_desacoplaRepresa"}},
      {"a dam and a reach",
       1,
       0,
       0,
       0,
       1,
       0,
       {"mnu_acoplaRepresaaCauce", "mnu_acoplaCauceaRepresa", "mnu_desacoplaRepresa"}},
      {"nothing", 0, 0, 0, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    selCauce = static_cast<Integer>(c.cauce);
    selCauce2 = static_cast<Integer>(c.cauce2);
    selVertice = static_cast<Integer>(c.vertice);
    selUEH = static_cast<Integer>(c.ueh);
    selRepresa = static_cast<Integer>(c.represa);
    selLago = static_cast<Integer>(c.lago);
    key(Qt::Key_F2);
    EXPECT_TRUE(editor().mnu_DibujoSec->isVisible());
    EXPECT_EQ(available(), c.offered);
    EXPECT_TRUE(editor().ItemMenuDibujo("mnu_CentrarDibujo")->isEnabled());
    EXPECT_TRUE(editor().ItemMenuDibujo("mnu_ZoomAll")->isEnabled());
    editor().mnu_DibujoSec->hide();
  }

  // A right press with a unit selected opens the menu and does not drag the unit.
  selCauce = selCauce2 = selVertice = selRepresa = selLago = 0;
  selUEH = 2;
  press(405, 305, 2);
  EXPECT_TRUE(editor().mnu_DibujoSec->isVisible());
  EXPECT_FALSE(ArrastraUEH);
  EXPECT_EQ(available(), std::set<QString>{"mnu_PopUpdlgUEH2"});
}

TEST_F(MenuDibujoTest, TheReachToReachCommandNamesTheReachAndWhatItWillDrainInto) {
  Reach("c-A&B", "0", {{800, 100}, {800, 300}});
  QAction* item = editor().ItemMenuDibujo("mnu_acoplaCauce1aCauce2");
  struct Case {
    const char* name;
    int first, last;  // the reaches picked first and last; 0: none
    bool lake;        // l-1 drains into c-1 from here on
    const char* caption;
    const char* receiver;  // of c-A&B after the command
  };
  const Case cases[] = {
      {"nothing picked", 0, 0, false, "Acopla Cauce 1 a Cauce 2", "0"},
      {"a free reach", 3, 1, false, "Acopla Cauce c-A&&B a Cauce c-1", "c-1"},
      {"a reach a dam drains into", 3, 2, false, "Acopla Cauce c-A&&B a Represa r-1, que drena a c-2", "r-1"},
      {"a reach a lake drains into", 3, 1, true, "Acopla Cauce c-A&&B a Lago l-1, que drena a c-1", "l-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.lake) vLagos[1]->Cauce_aa = "c-1";
    selUEH = selRepresa = selLago = selVertice = 0;
    selCauce2 = static_cast<Integer>(c.first);
    selCauce = static_cast<Integer>(c.last);
    key(Qt::Key_F2);
    EXPECT_EQ(item->text(), QString::fromUtf8(c.caption));
    if (item->isEnabled()) item->trigger();
    editor().mnu_DibujoSec->hide();
    EXPECT_EQ(vCauces[3]->Cauce_aa, c.receiver);
  }
}

TEST_F(MenuDibujoTest, KeysDoubleClicksAndTheMenuOpenTheDialogs) {
  // F3 with nothing selected shows the first unit, its number in the label, over the disabled editor.
  key(Qt::Key_F3);
  ASSERT_TRUE(dialogShown());
  EXPECT_EQ(dlgUEH2::object().lblNroUEH->text(), "1");
  EXPECT_EQ(dlgUEH2::object().lblNombreUEH->text(), "u-1");
  EXPECT_FALSE(editor().isEnabled());
  dlgUEH2::object().CancelButton->click();
  EXPECT_TRUE(editor().isEnabled());

  // The menu's item and the double click show the selected unit.
  selUEH = 2;
  editor().ItemMenuDibujo("mnu_PopUpdlgUEH2")->trigger();
  ASSERT_TRUE(dialogShown());
  EXPECT_EQ(dlgUEH2::object().lblNroUEH->text(), "2");
  dlgUEH2::object().CancelButton->click();
  selUEH = 2;
  emit editor().picDibujo->dblClick();
  ASSERT_TRUE(dialogShown());
  EXPECT_EQ(dlgUEH2::object().lblNombreUEH->text(), "u-2");
  dlgUEH2::object().CancelButton->click();

  // A selected reach comes first; Insert and F4 show it too; the reach dialog disables the editor.
  for (const auto& open :
       std::vector<std::function<void()>>{[this] { emit editor().picDibujo->dblClick(); },
                                          [] { key(Qt::Key_Insert); }, [] { key(Qt::Key_F4); }}) {
    selCauce = 2;
    selUEH = 1;
    open();
    ASSERT_TRUE(dlgCauceEditProp::isLoaded());
    EXPECT_EQ(dlgCauceEditProp::object().lblNroCauce->text(), "2");
    EXPECT_FALSE(editor().isEnabled());
    dlgCauceEditProp::object().CancelButton->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor().isEnabled());
  }
  EXPECT_FALSE(dlgUEH2::isLoaded());

  // F5, the menu's item and the double click on a lone dam show the dam dialog; F6, the menu and the
  // double click on a lone lake the lake dialog; each over the disabled editor, with its number.
  struct Case {
    const char* how;
    std::function<void()> open;
    bool dam;
  };
  const Case cases[] = {
      {"F5", [] { key(Qt::Key_F5); }, true},
      {"menu", [this] { editor().ItemMenuDibujo("mnu_PopUpdlgRepresa")->trigger(); }, true},
      {"double click", [this] { emit editor().picDibujo->dblClick(); }, true},
      {"F6", [] { key(Qt::Key_F6); }, false},
      {"menu", [this] { editor().ItemMenuDibujo("mnu_PopUpdlgLAGO")->trigger(); }, false},
      {"double click", [this] { emit editor().picDibujo->dblClick(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.how) + (c.dam ? " dam" : " lake"));
    selCauce = selUEH = selRepresa = selLago = 0;
    (c.dam ? selRepresa : selLago) = 1;
    c.open();
    ComponentDialog* shown = c.dam ? static_cast<ComponentDialog*>(&dlgRepresas::object())
                                   : static_cast<ComponentDialog*>(&dlgLago::object());
    ASSERT_TRUE(c.dam ? dlgRepresas::isLoaded() : dlgLago::isLoaded());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->findChild<QLabel*>(c.dam ? "lblNroRepresa" : "lblNroLAGO")->text(), "1");
    EXPECT_FALSE(editor().isEnabled());
    shown->CancelButton->click();
    EXPECT_TRUE(editor().isEnabled());
  }
}

// The shortcuts the menu shows work with the menu closed, over the drawing or another control of the
// editor, for the commands the selection allows.
TEST_F(MenuDibujoTest, TheMenuShortcutsWorkOverTheDrawing) {
  struct Case {
    const char* keys;
    QWidget* over;
    Integer cauce, lago;  // selected before
    Integer cauceAfter, lagoAfter;
    bool zoomTotal;
    bool reachDialog;
  };
  const Case cases[] = {
      {"Ctrl+Z", editor().picDibujo, 2, 1, 0, 1, true, false},
      {"Ctrl+Z", editor().sldEscala, 2, 0, 0, 0, true, false},
      {"Ctrl+C", editor().picDibujo, 2, 1, 0, 0, false, false},
      {"Ctrl+E", editor().picDibujo, 2, 0, 2, 0, false, true},
      {"Ctrl+E", editor().picDibujo, 2, 1, 2, 1, false, false},  // a reach and a lake: not offered
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.keys) + " over " + c.over->objectName().toStdString());
    selCauce = c.cauce;
    selLago = c.lago;
    selUEH = selRepresa = 0;
    CentrarVista = ZoomTotal = false;
    QTest::keySequence(c.over, QKeySequence(QString::fromLatin1(c.keys)));
    EXPECT_EQ(selCauce, c.cauceAfter);
    EXPECT_EQ(selLago, c.lagoAfter);
    EXPECT_EQ(CentrarVista, !c.reachDialog && c.cauceAfter == 0);
    EXPECT_EQ(ZoomTotal, c.zoomTotal);
    EXPECT_EQ(dlgCauceEditProp::isLoaded(), c.reachDialog);
    if (dlgCauceEditProp::isLoaded()) dlgCauceEditProp::object().CancelButton->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(editor().mnu_DibujoSec->isVisible());
  }
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

// The editor closes the dialogs it opened, and their table windows, once its closing question is
// answered: nothing typed there can be accepted into a network no longer being edited.
TEST_F(MenuDibujoTest, ClosingTheEditorClosesTheDialogsItOpened) {
  struct Case {
    const char* name;
    std::function<void()> open;
    std::function<bool()> loaded;
  };
  const Case cases[] = {
      {"unit", [] { key(Qt::Key_F3); }, [] { return dlgUEH2::isLoaded(); }},
      {"reach",
       [] {
         selCauce = 1;
         key(Qt::Key_F4);
       },
       [] { return dlgCauceEditProp::isLoaded(); }},
      {"lake and its table",
       [] {
         selLago = 1;
         key(Qt::Key_F6);
         QTest::mouseClick(dlgLago::object().cmdParametros, Qt::LeftButton);
       },
       [] { return dlgLago::isLoaded() || dlgTablaSHVQ::isLoaded(); }},
      {"dam and its table",
       [] {
         selRepresa = 1;
         key(Qt::Key_F5);
         QTest::mouseClick(dlgRepresas::object().cmdHSV, Qt::LeftButton);
       },
       [] { return dlgRepresas::isLoaded() || dlgTablaSHV::isLoaded(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!frmUEHs::isLoaded()) open();
    {
      colCauces.clear();
      colUEHs.clear();
      colRepresas.clear();
      colLagos.clear();
      nCauces = nUEHs = nRepresas = nLagos = 0;
      Reach("c-1", "0", {{100, 100}, {100, 200}});
      Unit("u-1", "c-1", {400, 100}, {100, 200});
      Dam("r-1", "c-1", {600, 100}, {100, 200});
      Unit("u-2", "r-1", {700, 100}, {600, 100});
      Lake("l-1", "c-1", {600, 400}, {100, 200});
      Unit("u-3", "l-1", {700, 400}, {600, 400});
      fixedView(1000);
    }
    selCauce = selUEH = selRepresa = selLago = 0;
    c.open();
    ASSERT_TRUE(c.loaded());
    dialogs.answer(vbNo);  // the network is not saved
    editor().close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown(),
              QStringList{QString::fromUtf8("¿Desea guardar los cambios realizados en los componentes "
                                            "de UEHs ?  | Resguardo de datos de componentes UEHs")});
    EXPECT_FALSE(frmUEHs::isLoaded());
    EXPECT_FALSE(c.loaded());
  }
}

TEST_F(MenuDibujoTest, DialogKeysNeedAComponentOfTheirKind) {
  colCauces.clear();
  colUEHs.clear();
  nCauces = nUEHs = 0;
  redraw();
  key(Qt::Key_F3);
  key(Qt::Key_F4);
  EXPECT_FALSE(dlgUEH2::isLoaded());
  EXPECT_FALSE(dlgCauceEditProp::isLoaded());
  EXPECT_TRUE(editor().isEnabled());
}

}  // namespace
}  // namespace tavo
