#include "components/componentdialog.h"

#include <functional>

#include "components/dialog_fixture.h"
#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"

namespace tavo {
namespace {

// The dialogs' network in project P, whose reservoir tables are not on disk.
class ComponentDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    NombreProyecto = QStringLiteral("P");
    DirActual = programDir();
  }
};

// What the rename test uses of a dialog open on component 1 of its kind.
struct Vista {
  QLineEdit* nombre;     // the name box
  QListWidget* lista;    // the kind's components
  QLabel* etiqueta;      // the stored name of the one shown
  QLineEdit* caja;       // a box committed with the component
  QPushButton* aceptar;  // "Aceptar"
};

// Leaving the name box renames the component and shows the new name in the list and the label; a
// value typed before in another box stays in it, unwritten, and the commit stores it with the name.
TEST_F(ComponentDialogTest, ARenameKeepsWhatIsTypedInTheOtherBoxesForTheCommit) {
  l1->Metodo = kMuskingum;
  l1->Lago_k_Musk = 30;
  r1->Metodo = kMuskingum;
  r1->Represa_k_Musk = 40;
  struct Caso {
    const char* dialogo;
    std::function<Vista()> abre;
    QString nombre;                                        // typed in the name box
    QString valor;                                         // typed in the other box
    QString guardado;                                      // the name the component takes
    std::function<std::pair<QString, Single>()> registro;  // the component's name and the box's field
    Single antes;                                          // the field before the commit
  };
  const Caso casos[] = {
      {"unit",
       [] {
         auto& d = Open<dlgUEH2>();
         return Vista{d.txtNombreUEH, d.lstUEHs, d.lblNombreUEH, d.txtArea, d.OKButton};
       },
       "Norte", "55", "u-Norte", [this] { return std::pair(u1->NombreUEH, u1->Area); }, 10},
      {"reach",
       [] {
         auto& d = Open<dlgCauceEditProp>();
         return Vista{d.txtNombreCauce, d.lstCauces, d.lblNombreCauce, d.txtLongCauce, d.OKButton};
       },
       "Arroyo", "777", "c-Arroyo", [this] { return std::pair(c1->NombreCauce, c1->LongCauce); }, 1500},
      {"lake",
       [] {
         auto& d = Open<dlgLago>();
         return Vista{d.txtNombreLAGO, d.lstLAGOs, d.lblNombreLAGO, d.txtLago_k, d.OKButton};
       },
       "Alta", "45", "l-Alta", [this] { return std::pair(l1->NombreLAGO, l1->Lago_k_Musk); }, 30},
      {"dam",
       [] {
         auto& d = Open<dlgRepresas>();
         return Vista{d.txtNombreRepresa, d.lstRepresas, d.lblNombreRepresa, d.txtRepresa_k, d.OKButton};
       },
       "B", "250", "r-B", [this] { return std::pair(r1->NombreRepresa, r1->Represa_k_Musk); }, 40},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.dialogo);
    const Vista v = caso.abre();
    test::Type(v.caja, caso.valor);
    test::Type(v.nombre, caso.nombre);
    test::Leave(v.nombre);
    EXPECT_EQ(caso.registro(), std::pair(caso.guardado, caso.antes));
    EXPECT_EQ(v.nombre->text(), caso.guardado);
    EXPECT_EQ(v.lista->item(0)->text(), caso.guardado);
    EXPECT_EQ(v.lista->currentRow(), 0);
    EXPECT_EQ(v.etiqueta->text(), caso.guardado);
    EXPECT_EQ(v.caja->text(), caso.valor);
    v.aceptar->click();
    EXPECT_EQ(caso.registro(), std::pair(caso.guardado, Single(caso.valor.toFloat())));
    EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_TRUE(editor().isEnabled());
  }
}

}  // namespace
}  // namespace tavo
