// The property dialogs' tests: a small network in memory, the editor open and disabled as its
// openers leave it, and helpers that type, leave boxes and pick list entries as the user does.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "project/estado.h"
#include "support/fixture.h"
#include "support/network.h"

namespace tavo::test {

// A mouse click on a list's entry.
inline void ClickListEntry(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  ASSERT_FALSE(found.isEmpty()) << text.toStdString();
  list->scrollToItem(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
  QApplication::processEvents();
}

// Reaches c-1 (outlet, vertices (10,10) (20,10) (30,40)) and c-2 (into c-1, (30,40) (50,60)); dam
// r-1 (symbol at (5,6)) and lake l-1 (symbol at (7,8)), neither with a receiver; units u-1 (into
// c-1) and u-2 (into r-1). The editor is open and active, as when the user opens a dialog.
class DialogTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    c1 = AddCauce(QStringLiteral("c-1"), QStringLiteral("0"));
    c2 = AddCauce(QStringLiteral("c-2"), QStringLiteral("c-1"));
    Vertices(1, {{10, 10}, {20, 10}, {30, 40}});
    Vertices(2, {{30, 40}, {50, 60}});
    c1->LongCauce = 1500;
    c1->VelMediaCauce = 1.5f;
    c1->Cauce_k_Musk = 20;
    c1->Cauce_n_Musk = 0.2f;
    c1->OrdenCauce = 2;
    c2->OrdenCauce = 1;
    c2->optDirMusk = true;
    r1 = AddRepresa(QStringLiteral("r-1"), QStringLiteral("0"));
    r1->IconoRepresaX = 5;
    r1->IconoRepresaY = 6;
    l1 = AddLago(QStringLiteral("l-1"));
    l1->IconoLAGOx = 7;
    l1->IconoLAGOy = 8;
    u1 = AddUEH(QStringLiteral("u-1"), QStringLiteral("c-1"));
    u1->XCauce = 30;
    u1->YCauce = 40;
    u1->Metodo = QStringLiteral("Directo");
    u1->Referencia = QStringLiteral("Ladera");
    u1->Area = 10;
    u1->LongitudMax = 100;
    u1->VelMedia = 1.5f;
    u1->RetensionZ = 5;
    u1->KostiakovA = 2;
    u1->KostiakovB = 0.4f;
    u1->KostiakovI = 6;
    u1->Q0Recesion = 0.2f;
    u1->KRecesion = 3;
    u2 = AddUEH(QStringLiteral("u-2"), QStringLiteral("r-1"));
    u2->Area = 20;
    editor().show();
    QApplication::setActiveWindow(&editor());
    QApplication::processEvents();
  }

  static frmUEHs& editor() { return frmUEHs::instance(); }

  // Gives reach k its vertices, vertex 1 first.
  static void Vertices(int k, std::initializer_list<std::pair<Single, Single>> puntos) {
    int j = 0;
    for (const auto& [x, y] : puntos) {
      ++j;
      XVertice(k, j) = x;
      YVertice(k, j) = y;
    }
    numVerticesCauce(k) = static_cast<Integer>(j);
    vCauces[k]->numVertices = static_cast<Integer>(j);
  }

  // Shows a property dialog as the editor's openers do: the editor disabled, the dialog modeless
  // and active.
  template <class Dialog>
  static Dialog& Open() {
    editor().setEnabled(false);
    Dialog& d = Dialog::instance();
    ShowModeless(&d, false);
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
    return d;
  }

  static void ClickEntry(QListWidget* list, const QString& text) { ClickListEntry(list, text); }
  static QStringList Entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }
  // The dialog closed: gone once the events pending have run.
  template <class Dialog>
  static bool Closed() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !Dialog::exists();
  }
  // Types into a box and leaves it. Returns the message a refusal shows (OK only, no title), then
  // forgotten; empty when the box accepts the text.
  QString TypeAndLeave(QLineEdit* box, const QString& text, bool refused) {
    if (refused) dialogs.answer(vbOK);
    Type(box, text);
    Leave(box);
    QString prompt;
    if (!dialogs.records().empty()) {
      EXPECT_EQ(dialogs.records().size(), 1u) << text.toStdString();
      EXPECT_EQ(dialogs.records().back().style, vbOKOnly) << text.toStdString();
      EXPECT_EQ(dialogs.records().back().title, "") << text.toStdString();
      prompt = dialogs.records().back().prompt;
    }
    dialogs.clear();
    return prompt;
  }
  // The one message shown since the last check, then forgotten.
  ScriptedDialogs::Record Message() {
    EXPECT_EQ(dialogs.records().size(), 1u) << DescribeDialogs(dialogs).toStdString();
    ScriptedDialogs::Record r =
        dialogs.records().empty() ? ScriptedDialogs::Record{} : dialogs.records().back();
    dialogs.clear();
    return r;
  }

  std::shared_ptr<Cauce> c1, c2;
  std::shared_ptr<Represa> r1;
  std::shared_ptr<Lago> l1;
  std::shared_ptr<UEH> u1, u2;
};

}  // namespace tavo::test
