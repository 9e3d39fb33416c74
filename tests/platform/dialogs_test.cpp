#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "support/fixture.h"

namespace tavo {
namespace {

class QtDialogsTest : public test::TavoTest {
 protected:
  // Runs `look` on the dialog that opens next, then closes it.
  template <class Dialog>
  void whenOpen(const std::function<void(Dialog*)>& look) {
    QTimer::singleShot(0, qApp, [look] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      look(dialog);
      dialog->reject();
    });
  }
  QtDialogs windowed;
};

TEST_F(QtDialogsTest, MessagesAndPromptsShowTheirTextAsItIs) {
  const QString prompt = QStringLiteral("¿Está seguro de borrar los archivos del Proyecto <b> ? ");
  bool seen = false;
  whenOpen<QMessageBox>([&](QMessageBox* box) {
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), prompt);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    seen = true;
  });
  windowed.msgBox(prompt, vbYesNo | vbQuestion, QStringLiteral("Consulta"));
  EXPECT_TRUE(seen);

  seen = false;
  whenOpen<QInputDialog>([&](QInputDialog* dialog) {
    for (const QLabel* label : dialog->findChildren<QLabel*>()) EXPECT_EQ(label->textFormat(), Qt::PlainText);
    seen = true;
  });
  EXPECT_TRUE(windowed.inputBox(QStringLiteral("Nombre <i>nuevo</i>:"), QString(), QString()).isEmpty());
  EXPECT_TRUE(seen);
}

// A message or an input box shows its whole title: the box is wider than the title's text, in bold,
// with room for the title bar's buttons.
TEST_F(QtDialogsTest, AMessageOrInputBoxIsAsWideAsItsTitle) {
  const QString title =
      QStringLiteral("La tabla de resultados se guarda en archivo el temporal <SaleTablasQDRs_tem.txt>");
  QFont bold;
  const auto wide = [&](QWidget* box) {
    bold = box->font();
    bold.setBold(true);
    EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100)
        << box->windowTitle().toStdString();
  };
  whenOpen<QMessageBox>(wide);
  windowed.msgBox(QStringLiteral("Listo."), vbInformation, title);
  for (const char* titulo : {"Agrega un nuevo Cauce", "Agregar una depresión lagunar",
                             "Asignar un nombre de archivo para la tormenta a ingresar"}) {
    whenOpen<QInputDialog>(wide);
    windowed.inputBox(QStringLiteral("Nombre ?"), QString::fromUtf8(titulo), QString());
  }
}

TEST_F(QtDialogsTest, StandardDialogsSpeakSpanish) {
  ASSERT_TRUE(InstallQtSpanish()) << "Qt's Spanish translations are not installed";
  QStringList columns;
  whenOpen<QFileDialog>([&](QFileDialog* dialog) {
    auto* files = dialog->findChild<QTreeView*>();
    ASSERT_NE(files, nullptr);
    for (int c = 0; c < files->header()->count(); ++c)
      columns << files->model()->headerData(c, Qt::Horizontal).toString();
  });
  FileRequest request;
  request.title = QStringLiteral("Abrir");
  request.folder = programDir();
  EXPECT_TRUE(windowed.openFile(request).isEmpty());
  ASSERT_FALSE(columns.isEmpty());
  EXPECT_EQ(columns[0], "Nombre");
}

}  // namespace
}  // namespace tavo
