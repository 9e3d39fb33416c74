// The editable parameter tables: opened from the main window on the project as saved, typing checked
// key by key against the parameters' ranges, "&Aceptar" with its question and the save, and the
// network editor and other projects met on the way.
#include "components/dlgUEHsEditTabla.h"

#include "components/dlgUEHsTabla.h"
#include "components/tablas_fixture.h"
#include "support/network.h"

namespace tavo {
namespace {

const QString kPregunta =
    QStringLiteral("Confirma los cambios producidos en la tabla de datos de Entradas ?");
const QString kGuardado = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");

class DlgUEHsEditTablaTest : public test::TablasTest {
 protected:
  void SetUp() override {
    TablasTest::SetUp();
    Cuenca();
  }

  static dlgUEHsEditTabla& Abre() {
    main().mnuEditfrmUEHsTabla->trigger();
    QApplication::processEvents();
    dlgUEHsEditTabla& t = dlgUEHsEditTabla::instance();
    QApplication::setActiveWindow(&t);
    QApplication::processEvents();
    return t;
  }
  static bool Cerrada() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !dlgUEHsEditTabla::exists();
  }
  // Types one key into the grid's current cell, as the user does.
  static void Tecla(FlexGrid* grilla, QChar tecla) {
    if (tecla == QChar(8)) {
      QTest::keyClick(grilla, Qt::Key_Backspace);
    } else {
      QTest::keyClick(grilla, tecla.toLatin1());
    }
  }
  QByteArray Red() const { return test::ReadBytes(archivo(QStringLiteral("Cuenca_UEHs.pcn"))); }
};

TEST_F(DlgUEHsEditTablaTest, ShowsUnitsAboveReachesWithTheReadOnlyCellsGrey) {
  CargaRedProyecto();
  vUEHs[1]->Area = 99;  // not saved: the opening drops it
  dlgUEHsEditTabla& t = Abre();
  ASSERT_TRUE(t.isVisible());
  EXPECT_EQ(t.windowTitle(), "Tabla de Edición de datos entrada: Parámetros Físicos UHEs");
  EXPECT_EQ(t.lblProyecto->text(), "Cuenca");
  EXPECT_EQ(t.lblFileProyecto->text(), "Cuenca_Conf.pcn");
  EXPECT_EQ(t.cmdCancel->text(), "&Cancelar");
  EXPECT_EQ(t.OKButton->text(), "&Aceptar");
  EXPECT_EQ(vUEHs[1]->Area, 80);

  FlexGrid* u = t.MSFlexGridEditUEHs;
  ASSERT_EQ(u->Rows(), 3);
  EXPECT_EQ(Fila(u, 0), QStringList({"Componente", "Nro.", "       Nombre      ", "     Afluente de     ",
                                     "    Método    ", "  Area   ", " Long.Máx.", "Vel.Media", "'a' Kost.",
                                     "'b' Kost.", "H Ini[min]", "Q inicio", "'K' Rec.", "Z Ret."}));
  EXPECT_EQ(Fila(u, 1), QStringList({"UEH", "1", "u-Norte", "c-Medio", "Directo", "80", "2400", "1.5", "2",
                                     "0.4", "5", "0.2", "6", "3"}));
  EXPECT_EQ(Fila(u, 2), QStringList({"UEH", "2", "u-Sur", "c-Medio", "Directo", "50", "1800", "1.2", "1.5",
                                     "0.5", "0", "0", "0", "5"}));
  FlexGrid* c = t.MSFlexGridEditCauces;
  ASSERT_EQ(c->Rows(), 3);
  EXPECT_EQ(Fila(c, 1), QStringList({"Cauce", "1", "c-Medio", "c-Bajo", "Muskingum", "2", "1", "1", "1500",
                                     "1", "20", "0.2"}));
  EXPECT_EQ(Fila(c, 2),
            QStringList({"Cauce", "2", "c-Bajo", "0", "Directo", "2", "3", "1", "1200", "1", "0", "0"}));

  const QColor gris(227, 227, 227);
  const QColor blanco(230, 254, 255);
  for (int col = 0; col < 14; ++col)
    EXPECT_EQ(u->item(2, col)->background().color(), col <= 4 ? gris : blanco) << col;
  for (int col = 0; col < 12; ++col)
    EXPECT_EQ(c->item(1, col)->background().color(), col <= 6 || col == 9 ? gris : blanco) << col;
  EXPECT_TRUE(u->item(0, 12)->font().bold());
  EXPECT_FALSE(u->item(0, 13)->font().bold());
}

TEST_F(DlgUEHsEditTablaTest, EachKeyIsCheckedAgainstTheRangeOfItsParameter) {
  dlgUEHsEditTabla& t = Abre();
  FlexGrid* u = t.MSFlexGridEditUEHs;
  FlexGrid* c = t.MSFlexGridEditCauces;
  const QString velocidad = QStringLiteral("Ingrese un valor numérico entero o decimal menor de 15");

  // The first key typed since the program started is added to the cell's text.
  test::ClickCell(c, 1, 7);
  Tecla(c, '5');
  EXPECT_EQ(c->TextMatrix(1, 7), "15");

  struct Caso {
    bool unidades;
    int fila, col;
    const char* teclas;
    QStringList textos;  // the cell after each key
    QString mensaje;     // the one message the keys give, if any
  };
  const Caso casos[] = {
      {false, 2, 7, "155", {"1", "15", "0"}, velocidad},
      {false, 1, 8, "250.", {" 2", " 25", " 250", " 250"}, {}},
      {false,
       2,
       10,
       "x",
       {"0"},
       QStringLiteral("Ingrese un valor numérico, entero o decimal, entre 0 y 9999")},
      {true, 1, 5, "-", {"0"}, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 99999")},
      // The ranges are the unit dialog's: a recession constant of 24 h, 20000 m of travel.
      {true, 1, 12, "24", {"2", "24"}, {}},
      {true, 2, 6, "20000", {" 2", " 20", " 200", " 2000", " 20000"}, {}},
      {true,
       2,
       8,
       "31",
       {"3", "0"},
       QStringLiteral("Ingrese un valor numérico entero o decimal menor de 30")},
      {true,
       1,
       11,
       "10001",
       {"1", "10", "100", "1000", "0"},
       QStringLiteral("Ingrese un valor numérico entero o decimal menor de 1000")},
      // Backspace is a character of the unit grid, and no number; the reach grid ignores it.
      {true, 1, 9, "\b", {"0"}, QStringLiteral("Ingrese un valor numérico decimal entre 0 y 1")},
      {false, 1, 11, "\b", {"0.2"}, {}},
      // Grey cells take no key.
      {true, 1, 2, "7", {"u-Norte"}, {}},
      {false, 1, 9, "7", {"1"}, {}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(std::string(caso.teclas) + " at " + std::to_string(caso.fila) + "," +
                 std::to_string(caso.col));
    FlexGrid* g = caso.unidades ? u : c;
    test::ClickCell(g, caso.fila, caso.col);
    const QString teclas = QString::fromLatin1(caso.teclas);
    for (int k = 0; k < teclas.size(); ++k) {
      if (k == teclas.size() - 1 && !caso.mensaje.isEmpty()) dialogs.answer(vbOK);
      Tecla(g, teclas[k]);
      EXPECT_EQ(g->TextMatrix(caso.fila, caso.col), caso.textos[k]) << k;
    }
    if (caso.mensaje.isEmpty()) {
      EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
    } else {
      const auto m = Mensaje();
      EXPECT_EQ(m.prompt, caso.mensaje);
      EXPECT_EQ(m.title, "Advertencia !");
      EXPECT_EQ(m.style, vbOKOnly | vbExclamation);
    }
  }

  // Delete empties an editable cell and leaves a grey one.
  test::ClickCell(u, 2, 13);
  QTest::keyClick(u, Qt::Key_Delete);
  EXPECT_EQ(u->TextMatrix(2, 13), "");
  test::ClickCell(u, 2, 3);
  QTest::keyClick(u, Qt::Key_Delete);
  EXPECT_EQ(u->TextMatrix(2, 3), "c-Medio");

  // Enter goes down a row in the same column, grey or not, and from the last row to the first.
  for (FlexGrid* g : {u, c}) {
    test::ClickCell(g, 1, 3);
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(std::make_pair(g->Row(), g->Col()), std::make_pair(2, 3));
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(std::make_pair(g->Row(), g->Col()), std::make_pair(1, 3));
  }
}

TEST_F(DlgUEHsEditTablaTest, OnlyYesWritesTheRecordsAndSavesTheNetwork) {
  const QByteArray antes = Red();
  for (const int respuesta : {vbNo, vbYes}) {
    SCOPED_TRACE(respuesta);
    dlgUEHsEditTabla& t = Abre();
    FlexGrid* u = t.MSFlexGridEditUEHs;
    FlexGrid* c = t.MSFlexGridEditCauces;
    // The cell typed into last, before the table was closed, takes the keys after its text.
    test::ClickCell(u, 2, 5);
    QTest::keyClick(u, Qt::Key_Delete);
    Tecla(u, '9');
    Tecla(u, '5');
    test::ClickCell(c, 1, 10);
    QTest::keyClick(c, Qt::Key_Delete);

    dialogs.answer(respuesta);
    if (respuesta == vbYes) dialogs.answer(vbOK);
    t.OKButton->click();
    ASSERT_FALSE(dialogs.records().empty());
    const auto pregunta = dialogs.records().front();
    EXPECT_EQ(pregunta.prompt, kPregunta);
    EXPECT_EQ(pregunta.title, "Consulta de validación de cambios");
    EXPECT_EQ(pregunta.style, vbYesNo | vbQuestion);
    EXPECT_TRUE(Cerrada());
    if (respuesta == vbNo) {
      EXPECT_EQ(dialogs.records().size(), 1u);
      EXPECT_EQ(vUEHs[2]->Area, 50);
      EXPECT_EQ(vCauces[1]->Cauce_k_Musk, 20);
      EXPECT_EQ(Red(), antes);
      EXPECT_FALSE(frmUEHs::isLoaded());
    } else {
      ASSERT_EQ(dialogs.records().size(), 2u);
      EXPECT_TRUE(dialogs.records().back().prompt.startsWith(kGuardado));
      EXPECT_EQ(vUEHs[2]->Area, 95);
      EXPECT_EQ(vCauces[1]->Cauce_k_Musk, 0);
      EXPECT_TRUE(Red().contains("\"u-Sur\"\r\n95\r\n"));
      // The save opens the network editor on the saved network.
      EXPECT_TRUE(frmUEHs::isLoaded());
    }
    dialogs.clear();
  }
}

TEST_F(DlgUEHsEditTablaTest, AnotherProjectOpenedMeanwhileIsReloadedNeverOverwritten) {
  Cuenca(QStringLiteral("Otro"));
  const QByteArray otro = test::ReadBytes(archivo(QStringLiteral("Otro_UEHs.pcn")));
  Proyecto(QStringLiteral("Cuenca"), QStringLiteral("Arroyo Cuenca"));
  dlgUEHsEditTabla& t = Abre();
  ASSERT_EQ(t.lblProyecto->text(), "Cuenca");

  auto abreProyecto = [&](const QString& nombre) {
    QApplication::setActiveWindow(&main());
    dialogs.answerText(archivo(nombre + QStringLiteral("_Conf.pcn")));
    main().mnuAbrirProyecto->trigger();
    dialogs.clear();
    ASSERT_EQ(NombreProyecto, nombre);
  };
  // "&Aceptar" on grids of the project closed: nothing is asked or written, the tables show the project
  // now open, read from its files.
  abreProyecto(QStringLiteral("Otro"));
  test::ClickCell(t.MSFlexGridEditUEHs, 1, 5);
  Tecla(t.MSFlexGridEditUEHs, '7');
  t.OKButton->click();
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(t.lblProyecto->text(), "Otro");
  EXPECT_EQ(t.MSFlexGridEditUEHs->TextMatrix(1, 5), "80");
  EXPECT_EQ(colUEHs.size(), 2u);
  EXPECT_EQ(test::ReadBytes(archivo(QStringLiteral("Otro_UEHs.pcn"))), otro);

  // Coming back to the tables does the same.
  abreProyecto(QStringLiteral("Cuenca"));
  QApplication::setActiveWindow(&t);
  QApplication::processEvents();
  EXPECT_EQ(t.lblProyecto->text(), "Cuenca");
  EXPECT_EQ(t.MSFlexGridEditCauces->TextMatrix(1, 2), "c-Medio");
  dialogs.answer(vbNo);
  t.OKButton->click();
  EXPECT_EQ(dialogs.records().front().prompt, kPregunta);
  EXPECT_TRUE(Cerrada());
}

TEST_F(DlgUEHsEditTablaTest, AnOpenEditorClosesFirstWithItsQuestions) {
  const QString guardar =
      QStringLiteral("¿Desea guardar los cambios realizados en los componentes de UEHs ? ");
  struct Caso {
    bool edicion;  // F3, else F4
    std::vector<int> respuestas;
    bool sinAportes;   // an unsaved reach that receives nothing: the network check asks to go back
    bool abierta;      // the table opened, the editor closed
    const char* area;  // u-Norte's area in the table
  };
  const Caso casos[] = {
      {true, {vbNo}, false, true, "80"},
      {false, {vbYes, vbOK}, false, true, "160"},
      {true, {vbYes, vbYes}, true, false, ""},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.respuestas.size());
    main().mnufrmUEHs->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(frmUEHs::isLoaded());
    vUEHs[1]->Area = 160;
    if (caso.sinAportes) test::AddCauce(QStringLiteral("c-Solo"), QStringLiteral("0"));
    for (int r : caso.respuestas) dialogs.answer(r);
    (caso.edicion ? main().mnuEditfrmUEHsTabla : main().mnufrmUEHsTabla)->trigger();
    QApplication::processEvents();
    if (!caso.sinAportes) {
      EXPECT_EQ(dialogs.records().front().prompt, guardar);
    }
    EXPECT_EQ(frmUEHs::isLoaded(), !caso.abierta);
    EXPECT_EQ(dlgUEHsEditTabla::isLoaded() || dlgUEHsTabla::isLoaded(), caso.abierta);
    if (caso.abierta) {
      const QString area = caso.edicion ? dlgUEHsEditTabla::instance().MSFlexGridEditUEHs->TextMatrix(1, 5)
                                        : dlgUEHsTabla::instance().MSFlexGridTablaUEHs->TextMatrix(6, 5);
      EXPECT_EQ(area, caso.area);
    }
    dialogs.clear();
    UnloadAllForms();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main().show();
  }
}

}  // namespace
}  // namespace tavo
