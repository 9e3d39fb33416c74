#include "shell/frmAyuda.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <functional>
#include <memory>

#include "components/dlgRepresas.h"
#include "editor/frmUEHs.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "formulas/dlgEmpiricas.h"
#include "platform/app.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/dlgPp.h"
#include "rainfall/tormenta.h"
#include "results/dlgChart2.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"
#include "support/network.h"
#include "support/projectfiles.h"

namespace tavo {
namespace {

const QString kFuente = QStringLiteral(TAVO_SOURCE_DIR);
const QString kAyudaEntregada = kFuente + QStringLiteral("/data/Ayuda");

// The help pages as delivered, by file name, with the anchors each one defines.
struct PaginaAyuda {
  QString texto;
  QSet<QString> anclas;
};
QMap<QString, PaginaAyuda> PaginasEntregadas() {
  QMap<QString, PaginaAyuda> paginas;
  for (const QString& nombre : QDir(kAyudaEntregada).entryList({"*.html"})) {
    QFile archivo(kAyudaEntregada + QLatin1Char('/') + nombre);
    EXPECT_TRUE(archivo.open(QIODevice::ReadOnly)) << nombre.toStdString();
    PaginaAyuda pagina{QString::fromUtf8(archivo.readAll()), {}};
    for (const auto& m : QRegularExpression(QStringLiteral("<a name=\"([^\"]+)\"")).globalMatch(pagina.texto))
      pagina.anclas.insert(m.captured(1));
    paginas.insert(nombre, pagina);
  }
  return paginas;
}

// Where a reference ("page.html#anchor", "imagenes/x.png") of page `desde` leads, or what is wrong.
QString Problema(const QMap<QString, PaginaAyuda>& paginas, const QString& desde, const QString& referencia) {
  const QString archivo = referencia.section(QLatin1Char('#'), 0, 0);
  const QString ancla = referencia.section(QLatin1Char('#'), 1);
  const QString destino = archivo.isEmpty() ? desde : archivo;
  if (!QFile::exists(kAyudaEntregada + QLatin1Char('/') + destino)) return desde + ": falta " + referencia;
  if (!ancla.isEmpty() && !paginas.value(destino).anclas.contains(ancla))
    return desde + ": falta el ancla de " + referencia;
  return {};
}

class FrmAyudaTest : public test::TavoTest {
 protected:
  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }

  // The help as `make run` installs it: the folder Ayuda of the program folder.
  void InstalaAyuda() {
    QDirIterator it(kAyudaEntregada, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString origen = it.next();
      const QString destino = path(QStringLiteral("Ayuda/") + QDir(kAyudaEntregada).relativeFilePath(origen));
      QDir().mkpath(QFileInfo(destino).path());
      ASSERT_TRUE(QFile::copy(origen, destino)) << destino.toStdString();
    }
  }

  static bool AyudaVisible() { return frmAyuda::isLoaded() && frmAyuda::object().isVisible(); }
  static QString Pagina() { return frmAyuda::object().PaginaActual(); }
};

TEST_F(FrmAyudaTest, ContentsAndF1OpenTheMainPage) {
  InstalaAyuda();
  main().show();
  main().mnuHelpContents->trigger();
  ASSERT_TRUE(AyudaVisible());
  EXPECT_EQ(Pagina(), QStringLiteral("AyudaTAVO.html"));
  frmAyuda::object().MuestraPagina(QStringLiteral("formulas.html"));
  frmAyuda::object().hide();

  QTest::keyClick(main().mdiArea, Qt::Key_F1);
  ASSERT_TRUE(AyudaVisible());
  EXPECT_EQ(Pagina(), QStringLiteral("AyudaTAVO.html"));
  // Its contents: one entry per page of the main page's list, the main page first.
  QTreeWidget* contenido = frmAyuda::object().tvwContenido;
  ASSERT_GT(contenido->topLevelItemCount(), 10);
  EXPECT_EQ(contenido->topLevelItem(0)->text(0), QStringLiteral("Ayuda de TAVO"));
  EXPECT_EQ(contenido->topLevelItem(1)->text(0), QStringLiteral("Primeros pasos"));
  EXPECT_EQ(contenido->currentItem(), contenido->topLevelItem(0));
  EXPECT_TRUE(test::ClippedControls(&frmAyuda::object()).isEmpty())
      << test::ClippedControls(&frmAyuda::object()).join('\n').toStdString();
}

TEST_F(FrmAyudaTest, WithoutTheHelpFolderTheUserIsToldAndTheProgramGoesOn) {
  main().show();
  dialogs.answer(vbOK).answer(vbOK);
  main().mnuHelpContents->trigger();
  QTest::keyClick(main().mdiArea, Qt::Key_F1);
  ASSERT_EQ(dialogs.records().size(), 2u);
  for (const auto& r : dialogs.records()) {
    EXPECT_EQ(r.prompt, "Error Nro. 53 ,No se ha encontrado la ayuda del programa en la carpeta " +
                            programDir() + "/Ayuda. Verifique");
    EXPECT_TRUE(r.title.isEmpty());
  }
  EXPECT_FALSE(AyudaVisible());
  EXPECT_FALSE(ProgramHasEnded());
}

// F1 in a window opens that window's page, whatever control of it has the key.
TEST_F(FrmAyudaTest, F1InAWindowOpensItsPage) {
  InstalaAyuda();
  main().show();
  DirActual = programDir();
  DirTrabajo = programDir();
  NombreProyecto = QStringLiteral("Rio");
  test::WriteBytes(path("Rio_Conf.pcn"), test::SettingsFile("Rio", programDir(), "Arroyo"));

  std::unique_ptr<QMessageBox> mensaje;
  struct Caso {
    const char* ventana;
    std::function<QWidget*()> abre;  // opens the window as the user does; the control that gets F1
    const char* pagina;
  };
  const Caso casos[] = {
      {"dlgPp",
       [&] {
         main().mnufrmPp->trigger();
         return static_cast<QWidget*>(dlgPp::object().txtPp);
       },
       "tormenta.html"},
      {"frmUEHs",
       [&] {
         main().mnufrmUEHs->trigger();
         return static_cast<QWidget*>(frmUEHs::object().picDibujo);
       },
       "editor.html"},
      {"dlgRepresas",
       [&] {
         test::AddCauce(QStringLiteral("c-1"), QStringLiteral("0"));
         test::AddRepresa(QStringLiteral("r-1"), QStringLiteral("c-1"));
         selRepresa = 1;
         frmUEHs::object().MuestraDlgRepresas();
         return static_cast<QWidget*>(dlgRepresas::object().txtHInicialEmb);
       },
       "represa.html"},
      {"dlgChart2",
       [&] {
         test::AddUEH(QStringLiteral("u-A"));
         nComponentes = 1;
         NombresComponentes.redim(0, 1);
         NombresComponentes(1) = QStringLiteral("u-A");
         PpTormenta = 40;
         DurTormenta = 60;
         PasoPp = PasoQ = 10;
         NumPer = 1;
         nPasosSalida = 8;
         QSaleCompo.redim(0, 1, 0, 9);
         PpUEHPaso.redim(0, 1, 0, 9);
         main().mnuHidrogramas->trigger();
         return static_cast<QWidget*>(dlgChart2::object().lstCompos);
       },
       "hidrograma.html"},
      {"dlgEmpiricas",
       [&] {
         main().mnuEmpiricos->trigger();
         return static_cast<QWidget*>(dlgEmpiricas::object().txtSup);
       },
       "formulas.html"},
      // Over a message, the page of the messages.
      {"QMessageBox",
       [&] {
         mensaje = std::make_unique<QMessageBox>(QMessageBox::Warning, QStringLiteral("TAVO"),
                                                 QStringLiteral("Advertencia"), QMessageBox::Ok, &main());
         mensaje->show();
         return static_cast<QWidget*>(mensaje->button(QMessageBox::Ok));
       },
       "mensajes.html"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.ventana);
    QWidget* control = caso.abre();
    QApplication::processEvents();
    ASSERT_TRUE(control->window()->isVisible());
    if (frmAyuda::isLoaded()) frmAyuda::object().hide();
    QTest::keyClick(control, Qt::Key_F1);
    ASSERT_TRUE(AyudaVisible());
    EXPECT_EQ(Pagina(), QString::fromLatin1(caso.pagina));
    // The page shown is marked in the contents.
    QTreeWidgetItem* marcado = frmAyuda::object().tvwContenido->currentItem();
    ASSERT_NE(marcado, nullptr);
    EXPECT_EQ(marcado->data(0, Qt::UserRole).toString(), QString::fromLatin1(caso.pagina));
  }
}

// Every window the program can show has a help page, and the page exists with its anchor: the
// windows are the window classes of the program's sources.
TEST_F(FrmAyudaTest, EveryWindowHasAPage) {
  QStringList ventanas;
  const QRegularExpression clase(QStringLiteral("class\\s+(\\w+)\\s*:[^{;]*FormInstance<\\1>"));
  QDirIterator it(kFuente + QStringLiteral("/src"), {"*.h"}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile archivo(it.next());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    for (const auto& m : clase.globalMatch(QString::fromUtf8(archivo.readAll()))) ventanas << m.captured(1);
  }
  ASSERT_GT(ventanas.size(), 25);
  EXPECT_TRUE(ventanas.contains(QStringLiteral("frmAyuda")));
  const QMap<QString, PaginaAyuda> paginas = PaginasEntregadas();
  for (const QString& ventana : ventanas) {
    const QString pagina = PaginaDeVentana(ventana);
    EXPECT_FALSE(pagina.isEmpty()) << "la ventana " << ventana.toStdString() << " no tiene página";
    if (!pagina.isEmpty()) {
      EXPECT_EQ(Problema(paginas, {}, pagina), QString()) << ventana.toStdString();
    }
  }
  // And no page is kept for a window the program no longer has.
  for (const QString& ventana : VentanasConPagina())
    EXPECT_TRUE(ventanas.contains(ventana)) << ventana.toStdString();
}

// Every link between pages leads to a page (and to its anchor), and every picture and style sheet a
// page names is delivered.
TEST_F(FrmAyudaTest, EveryLinkAndPictureResolves) {
  const QMap<QString, PaginaAyuda> paginas = PaginasEntregadas();
  ASSERT_TRUE(paginas.contains(QStringLiteral("AyudaTAVO.html")));
  const QRegularExpression referencia(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
  int referencias = 0;
  QStringList problemas;
  for (auto it = paginas.cbegin(); it != paginas.cend(); ++it) {
    for (const auto& m : referencia.globalMatch(it.value().texto)) {
      ++referencias;
      const QString problema = Problema(paginas, it.key(), m.captured(1));
      if (!problema.isEmpty()) problemas << problema;
    }
  }
  EXPECT_GT(referencias, 100);
  EXPECT_TRUE(problemas.isEmpty()) << problemas.join(QLatin1Char('\n')).toStdString();
  // Every page can be reached from the contents of the main page.
  for (const QString& nombre : paginas.keys()) {
    if (nombre == QLatin1String("AyudaTAVO.html")) continue;
    EXPECT_TRUE(paginas[QStringLiteral("AyudaTAVO.html")].texto.contains("href=\"" + nombre + "\""))
        << nombre.toStdString();
  }
}

TEST_F(FrmAyudaTest, LinksBackForwardAndSearch) {
  InstalaAyuda();
  AbreAyuda(QStringLiteral("AyudaTAVO.html"));
  frmAyuda& ayuda = frmAyuda::object();
  EXPECT_FALSE(ayuda.cmdAtras->isEnabled());
  // A link of the page, and one of the contents.
  ayuda.txtAyuda->setSource(QUrl(QStringLiteral("editor.html#medir")));
  EXPECT_EQ(ayuda.PaginaActual(), QStringLiteral("editor.html#medir"));
  ayuda.tvwContenido_Click(ayuda.tvwContenido->topLevelItem(1));
  EXPECT_EQ(ayuda.PaginaActual(), QStringLiteral("primeros_pasos.html"));
  ASSERT_TRUE(ayuda.cmdAtras->isEnabled());
  ayuda.cmdAtras->click();
  EXPECT_EQ(ayuda.PaginaActual(), QStringLiteral("editor.html#medir"));
  ayuda.cmdAdelante->click();
  EXPECT_EQ(ayuda.PaginaActual(), QStringLiteral("primeros_pasos.html"));
  ayuda.cmdContenido->click();
  EXPECT_EQ(ayuda.PaginaActual(), QStringLiteral("AyudaTAVO.html"));

  // The search goes round the page; a word the page lacks is said so.
  ayuda.MuestraPagina(QStringLiteral("metodos.html"));
  QTest::keyClicks(ayuda.txtBuscar, QStringLiteral("Muskingum"));
  QTest::keyClick(ayuda.txtBuscar, Qt::Key_Return);
  auto encontrado = [&] { return ayuda.txtAyuda->textCursor().selectionStart(); };
  const int primera = encontrado();
  EXPECT_EQ(ayuda.txtAyuda->textCursor().selectedText(), QStringLiteral("Muskingum"));
  ayuda.cmdBuscarSiguiente->click();
  const int segunda = encontrado();
  EXPECT_GT(segunda, primera);
  ayuda.cmdBuscarAnterior->click();
  EXPECT_EQ(encontrado(), primera);
  // Before the first, the search goes on from the end of the page.
  ayuda.cmdBuscarAnterior->click();
  EXPECT_GT(encontrado(), segunda);
  EXPECT_EQ(ayuda.txtAyuda->textCursor().selectedText(), QStringLiteral("Muskingum"));
  EXPECT_TRUE(ayuda.lblResultado->isHidden());
  ayuda.txtBuscar->setText(QStringLiteral("palabrainexistente"));
  ayuda.cmdBuscarSiguiente->click();
  EXPECT_FALSE(ayuda.lblResultado->isHidden());
  EXPECT_TRUE(ayuda.lblResultado->text().contains(QStringLiteral("palabrainexistente")));
}

// Without a printer each printout of a page is a new PDF: one there already stays as it is.
TEST_F(FrmAyudaTest, PrintingWithoutAPrinterWritesThePageAsANewPdf) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "hay una impresora instalada";
  InstalaAyuda();
  DirActual = programDir();
  AbreAyuda(QStringLiteral("formulas.html"));
  for (const char* name : {"Ayuda_formulas.pdf", "Ayuda_formulas (2).pdf"}) {
    SCOPED_TRACE(name);
    dialogs.clear();
    dialogs.answer(vbOK);
    frmAyuda::object().cmdImprimir->click();
    const QString pdf = path(name);
    EXPECT_TRUE(test::ReadBytes(pdf).startsWith("%PDF"));
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt,
              QStringLiteral("No hay una impresora instalada. La página se guardó en el archivo ") + pdf);
    test::WriteBytes(pdf, "anterior");
  }
  EXPECT_EQ(test::ReadBytes(path("Ayuda_formulas.pdf")), "anterior");
}

}  // namespace
}  // namespace tavo
