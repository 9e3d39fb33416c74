#include "project/redfiles.h"

#include <QDir>

#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/ordencauces.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"
#include "support/network.h"
#include "support/projectfiles.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const QString kGuardado = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");

class RedFilesTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir(QStringLiteral("obra"));
    DirTrabajo = path("obra");
    DirActual = DirTrabajo;
    NombreProyecto = QStringLiteral("Demo");
    // The save redraws the network in the editor, whose loading reads the project's settings.
    WriteBytes(path("obra/Demo_Conf.pcn"),
               test::SettingsFile(NombreProyecto, DirTrabajo, QStringLiteral("Demo")));
  }
  QString red(const char* suffix) const { return path("obra/Demo") + QLatin1String(suffix); }
  QByteArray fixture(const char* name) const {
    return ReadBytes(QStringLiteral(TAVO_FIXTURES_DIR "/red/") + name);
  }
  void copyFixture() {
    WriteBytes(red("_UEHs.pcn"), fixture("Demo_UEHs.pcn"));
    WriteBytes(red("_VerCau.pcn"), fixture("Demo_VerCau.pcn"));
  }
  QString lastPrompt() const {
    return dialogs.records().empty() ? QString() : dialogs.records().back().prompt;
  }
};

// The network of the hand-written fixture, built in memory with every property distinct.
void BuildDemoNetwork() {
  auto alto = test::AddCauce(QString());
  alto->NombreCauce = QStringLiteral("c-Alto");
  alto->numVertices = 8;
  alto->IndiceParInicial = 1;
  alto->Cauce_aa = QStringLiteral("c-Bajo");
  alto->VelMediaCauce = 1.5f;
  alto->LongCauce = 1250.75f;
  alto->Cauce_k_Musk = 30;
  alto->Cauce_n_Musk = 0.2f;
  alto->optDirMusk = true;
  alto->OrdenCauce = 7;  // recomputed by the save
  auto bajo = test::AddCauce(QString());
  bajo->NombreCauce = QStringLiteral("c-Bajo");
  bajo->IndiceParInicial = 9;
  bajo->Cauce_aa = QStringLiteral("0");
  bajo->VelMediaCauce = 2.25f;
  bajo->LongCauce = 800;
  bajo->OrdenCauce = 7;  // recomputed by the save
  bajo->Cauce_k_Musk = 45.5f;
  bajo->Cauce_n_Musk = 0.35f;
  numVerticesCauce(1) = 8;
  numVerticesCauce(2) = 0;
  XVertice.redim(kMaxCauces, 8);
  YVertice.redim(kMaxCauces, 8);
  const float xs[] = {10, 30.5f, 50, 70, 90, 110, 130, 150};
  const float ys[] = {20, 40, 60.25f, 80, 100, 120, 140, 160};
  for (int j = 1; j <= 8; ++j) {
    XVertice(1, j) = xs[j - 1];
    YVertice(1, j) = ys[j - 1];
  }

  auto u = test::AddUEH(QString());
  u->NombreUEH = QStringLiteral("u-Ladera");
  u->Area = 125.5f;
  u->Referencia = QStringLiteral("Pendiente del río");
  u->LongitudMax = 1800;
  u->VelMedia = 0.75f;
  u->Metodo = QStringLiteral("Directo");
  u->IconoUEHx = 100.5f;
  u->IconoUEHy = 200.25f;
  u->XCauce = 300;
  u->YCauce = 400;
  u->Cauce_aa = QStringLiteral("c-Alto");
  u->KostiakovA = 12.3f;
  u->KostiakovB = 0.45f;
  u->KostiakovI = 5;
  u->Q0Recesion = 0.8f;
  u->KRecesion = 24;
  u->RetensionZ = 15;

  auto r = test::AddRepresa(QString());
  r->NombreRepresa = QStringLiteral("r-Presa");
  r->IconoRepresaX = 510.5f;
  r->IconoRepresaY = 620.25f;
  r->Metodo = QStringLiteral("Piscina Nivelada");
  r->XCauce = 700;
  r->YCauce = 710;
  r->Cauce_aa = QStringLiteral("c-Alto");
  r->optTabla = true;
  for (int k = 1; k <= 8; ++k) {
    r->chkFQ(k) = k % 2;
    r->FQa(k) = k + 0.1f;
    r->FQb(k) = k + 0.2f;
    if (k >= 5) r->FQc(k) = k + 0.3f;
    r->FQmin(k) = 99.5f + k;
    r->FQMax(k) = 109.0f + k;
  }
  r->Represa_k_Musk = 60;
  r->Represa_n_Musk = 0.15f;
  r->HInicialEmb = 98.75f;

  auto l = test::AddLago(QString());
  l->NombreLAGO = QStringLiteral("l-Laguna");
  l->Referencia = QStringLiteral("Depresión norte");
  l->Metodo = QStringLiteral("Runge Kutta");
  l->IconoLAGOx = 900;
  l->IconoLAGOy = 910;
  l->XCauce = 920;
  l->YCauce = Single(930);
  l->Cauce_aa = QStringLiteral("c-Bajo");
  l->Lago_k_Musk = 90;
  l->HInicialEmb = 3.5f;
}

// Every property of every record, by name, as one list of texts.
QStringList Snapshot() {
  QStringList out;
  auto dump = [&](const auto& col) {
    for (const auto& r : col) {
      for (const auto& m : r->members()) {
        if (QLatin1String(m.name) != QLatin1String("MetDirecto"))
          out << QLatin1String(m.name) + QLatin1Char('=') + NumberText(r->get(QLatin1String(m.name)));
      }
    }
  };
  dump(colCauces);
  dump(colUEHs);
  dump(colRepresas);
  dump(colLagos);
  return out;
}

TEST_F(RedFilesTest, SaveWritesTheFixtureBytesAndReadsEveryValueBack) {
  FormInstance<MDIForm1>::instance();  // the main window, whose dam tests a load with dams enables
  BuildDemoNetwork();
  QStringList before = Snapshot();
  before.replaceInStrings(QStringLiteral("OrdenCauce= 7"), QStringLiteral("OrdenCauce= 1"));
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();

  EXPECT_EQ(ReadBytes(red("_UEHs.pcn")), fixture("Demo_UEHs.pcn"));
  EXPECT_EQ(ReadBytes(red("_VerCau.pcn")), fixture("Demo_VerCau.pcn"));
  EXPECT_EQ(lastPrompt(), kGuardado + red("_VerCau.pcn"));
  EXPECT_EQ(dialogs.records().back().style, vbOKOnly);
  // The redraw loaded and showed the editor.
  EXPECT_TRUE(frmUEHs::isLoaded());
  EXPECT_TRUE(frmUEHs::object().isVisible());

  // The save read the network back: fresh records holding the same values, but for the redraw's
  // alignment: the lake drains into c-Bajo, so c-Alto, which drained there too, now drains into
  // the lake.
  before[before.indexOf(QStringLiteral("Cauce_aa=c-Bajo"))] = QStringLiteral("Cauce_aa=l-Laguna");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(nCauces, 2);
  EXPECT_EQ(numVerticesCauce(1), 8);
  EXPECT_EQ(XVertice(1, 2), 30.5f);
  EXPECT_EQ(YVertice(1, 8), 160.0f);
  EXPECT_GE(XVertice.upper2(), 8);
  EXPECT_EQ(MaxVertices, 8);
  ASSERT_NE(vLagos[1]->YCauce.get_if<Single>(), nullptr);
  EXPECT_EQ(iCauce, 1);  // the reach the redraw routed into the lake
  EXPECT_EQ(iUEH, 1);
  EXPECT_TRUE(FormInstance<MDIForm1>::instance().mnu_prueba_funcionesSHVrepresas->isEnabled());
  EXPECT_TRUE(CargaRedProyecto());
}

TEST_F(RedFilesTest, LoadRenumbersAndTakesTheStoredProjectName) {
  QByteArray file = fixture("Demo_UEHs.pcn");
  file.replace("\"Demo\"\r\n2\r\n1\r\n", "\"Otro\"\r\n2\r\n5\r\n");
  file.replace("\r\n2\r\n\"c-Bajo\"", "\r\n9\r\n\"c-Bajo\"");
  WriteBytes(red("_UEHs.pcn"), file);
  WriteBytes(red("_VerCau.pcn"), fixture("Demo_VerCau.pcn"));
  selCauce = selUEH = selRepresa = selLago = 1;
  selCauce2 = 2;
  CargaRedProyecto();
  EXPECT_EQ(NombreProyecto, "Otro");
  ASSERT_EQ(nCauces, 2);
  EXPECT_EQ(vCauces[1]->numCauce, 1);
  EXPECT_EQ(vCauces[2]->numCauce, 2);
  EXPECT_EQ(colCauces[1], vCauces[2]);
  EXPECT_EQ(selCauce + selUEH + selRepresa + selLago, 0);
  EXPECT_EQ(selCauce2, 2);
  // Later files are those of the stored name.
  EXPECT_EQ(RutaArchivo, path("obra/Otro_VerCau.pcn"));
}

TEST_F(RedFilesTest, EmptyNetworkSaveDeletesBothFilesSilently) {
  copyFixture();
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  EXPECT_FALSE(QFile::exists(red("_UEHs.pcn")));
  EXPECT_FALSE(QFile::exists(red("_VerCau.pcn")));
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();  // nothing left to delete
  EXPECT_TRUE(CargaRedProyecto());
  EXPECT_EQ(nCauces + nUEHs + nRepresas + nLagos, 0);
  EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(RedFilesTest, RecordCutByTheEndOfTheFileIsNotLoaded) {
  struct Case {
    const char* name;
    const char* endsAfter;  // the file ends right after this text
    int reaches, units, dams;
  };
  const Case cases[] = {
      {"reach ending after its vertex count", "\"c-Bajo\"\r\n0\r\n", 1, 0, 0},
      {"unit ending after its name", "\"u-Ladera\"\r\n", 2, 0, 0},
      {"dam ending after its first outflow coefficient", "\r\n1.1\r\n", 2, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear();
    QByteArray file = fixture("Demo_UEHs.pcn");
    file.truncate(file.indexOf(c.endsAfter) + qstrlen(c.endsAfter));
    WriteBytes(red("_UEHs.pcn"), file);
    WriteBytes(red("_VerCau.pcn"), fixture("Demo_VerCau.pcn"));
    // Left from a network loaded before.
    numVerticesCauce(2) = 6;
    XVertice(1, 1) = 555;
    dialogs.answer(vbOK);
    EXPECT_FALSE(CargaRedProyecto());
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt, QString::fromUtf8(kMensajeArchivoDanado));
    EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(RutaArchivo, red("_UEHs.pcn"));
    EXPECT_EQ(nCauces, c.reaches);
    EXPECT_EQ(colCauces.size(), size_t(c.reaches));
    EXPECT_EQ(nUEHs, c.units);
    EXPECT_EQ(colUEHs.size(), size_t(c.units));
    EXPECT_EQ(nRepresas, c.dams);
    EXPECT_EQ(colRepresas.size(), size_t(c.dams));
    EXPECT_EQ(nLagos, 0);
    EXPECT_EQ(numVerticesCauce(1), 8);
    // The reaches read get their vertices, and no vertex of the network before stays.
    EXPECT_EQ(XVertice(1, 1), 10.0f);
    EXPECT_EQ(YVertice(1, 8), 160.0f);
    EXPECT_EQ(XVertice(2, 1), 0.0f);
    EXPECT_GE(XVertice.upper2(), 8);
  }
}

TEST_F(RedFilesTest, SaveAfterADamagedLoadKeepsTheVertexFile) {
  QByteArray file = fixture("Demo_UEHs.pcn");
  file.truncate(file.indexOf("\"u-Ladera\""));
  WriteBytes(red("_UEHs.pcn"), file);
  WriteBytes(red("_VerCau.pcn"), fixture("Demo_VerCau.pcn"));
  dialogs.answer(vbOK);
  EXPECT_FALSE(CargaRedProyecto());
  ASSERT_EQ(nCauces, 2);
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  EXPECT_EQ(ReadBytes(red("_VerCau.pcn")), fixture("Demo_VerCau.pcn"));
}

TEST_F(RedFilesTest, SurplusRecordsAreReadPastAndDropped) {
  QByteArray file = "\"Demo\"\r\n72\r\n";
  for (int i = 1; i <= 72; ++i) {
    file += QStringLiteral("%1\r\n\"c-%1\"\r\n0\r\n0\r\n\"0\"\r\n1\r\n1\r\n1\r\n1\r\n0\r\n#FALSE#\r\n")
                .arg(i)
                .toLatin1();
  }
  file +=
      "1\r\n1\r\n\"u-Tras\"\r\n50\r\n\"\"\r\n1\r\n1\r\n\"Directo\"\r\n0\r\n0\r\n0\r\n0\r\n\"c-"
      "1\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  WriteBytes(red("_UEHs.pcn"), file);
  WriteBytes(red("_VerCau.pcn"), "");
  dialogs.answer(vbOK);
  CargaRedProyecto();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, QString::fromUtf8(kMensajeExcesoComponentes));
  EXPECT_EQ(nCauces, 70);
  EXPECT_EQ(colCauces.size(), 70u);
  EXPECT_EQ(vCauces[70]->NombreCauce, "c-70");
  ASSERT_EQ(nUEHs, 1);
  EXPECT_EQ(vUEHs[1]->NombreUEH, "u-Tras");
  EXPECT_EQ(vUEHs[1]->Area, 50.0f);
}

TEST_F(RedFilesTest, ValueOfTheWrongTypeIsStoredAsZero) {
  QByteArray file = fixture("Demo_UEHs.pcn");
  file.replace("\r\n125.5\r\n", "\r\nmucho\r\n");   // the unit's area
  file.replace("\r\n1250.75\r\n", "\r\n1e40\r\n");  // a reach length beyond Single
  WriteBytes(red("_UEHs.pcn"), file);
  WriteBytes(red("_VerCau.pcn"), fixture("Demo_VerCau.pcn"));
  LecturaSimple = 77;
  dialogs.answer(vbOK).answer(vbOK);
  EXPECT_FALSE(CargaRedProyecto());
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 6Desbordamiento ,Verifique");
  EXPECT_EQ(dialogs.records()[1].prompt, "Error Nro. 13No coinciden los tipos ,Verifique");
  EXPECT_EQ(vCauces[1]->LongCauce, 0.0f);
  EXPECT_EQ(vUEHs[1]->Area, 0.0f);
  // The reading stayed in step.
  EXPECT_EQ(vUEHs[1]->Referencia, QStringLiteral("Pendiente del río"));
  EXPECT_EQ(vLagos[1]->HInicialEmb, 3.5f);
}

TEST_F(RedFilesTest, MissingFolderIsOneMessageForLoadAndSave) {
  DirTrabajo = path("no-existe");
  dialogs.answer(vbOK);
  CargaRedProyecto();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 76No se ha encontrado la ruta de acceso ,Verifique");

  BuildDemoNetwork();
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(dialogs.records()[1].prompt, "Error Nro. 76 ,No se ha encontrado la ruta de accesoVerifique");
  // The network in memory is kept.
  EXPECT_EQ(nCauces, 2);
  EXPECT_EQ(vUEHs[1]->NombreUEH, "u-Ladera");
}

TEST_F(RedFilesTest, FailedSaveKeepsBothOldFiles) {
  copyFixture();
  QDir().mkpath(TemporaryPath(red("_VerCau.pcn")));  // the vertex file cannot be written
  BuildDemoNetwork();
  vUEHs[1]->Area = 1;
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith(QStringLiteral("Error Nro. 70 ,")));
  EXPECT_EQ(ReadBytes(red("_UEHs.pcn")), fixture("Demo_UEHs.pcn"));
  EXPECT_EQ(ReadBytes(red("_VerCau.pcn")), fixture("Demo_VerCau.pcn"));
  EXPECT_FALSE(QFile::exists(TemporaryPath(red("_UEHs.pcn"))));
  EXPECT_EQ(vUEHs[1]->Area, 1.0f);
}

TEST_F(RedFilesTest, MissingVertexFileKeepsTheReaches) {
  WriteBytes(red("_UEHs.pcn"), fixture("Demo_UEHs.pcn"));
  // The load is not whole: the first reach had vertices.
  EXPECT_FALSE(CargaRedProyecto());
  EXPECT_EQ(RutaArchivo, red("_VerCau.pcn"));
  EXPECT_EQ(nCauces, 2);
  EXPECT_EQ(numVerticesCauce(1), 8);
  EXPECT_EQ(XVertice(1, 8), 0.0f);
  // A save now writes the whole network again, vertices at 0.
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  EXPECT_EQ(ReadBytes(red("_UEHs.pcn")), fixture("Demo_UEHs.pcn"));
  EXPECT_EQ(ReadBytes(red("_VerCau.pcn")), QByteArray("0,0\r\n").repeated(8));
}

TEST_F(RedFilesTest, SaveNeverShrinksTheVertexBound) {
  test::AddCauce(QStringLiteral("c-A"), QStringLiteral("0"))->numVertices = 2;
  numVerticesCauce(1) = 2;
  XVertice(1, 2) = 7;
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  EXPECT_EQ(XVertice.upper2(), 5);
  EXPECT_EQ(YVertice.upper2(), 5);
  EXPECT_EQ(XVertice(1, 2), 7.0f);
}

TEST_F(RedFilesTest, DoubleQuoteIsStoredAsASingleQuote) {
  BuildDemoNetwork();
  vUEHs[1]->Referencia = QStringLiteral("el \"alto\"");
  dialogs.answer(vbOK);
  frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  EXPECT_TRUE(ReadBytes(red("_UEHs.pcn")).contains("\"el 'alto'\"\r\n"));
  EXPECT_EQ(vUEHs[1]->Referencia, "el 'alto'");
  EXPECT_EQ(vLagos[1]->HInicialEmb, 3.5f);
}

// ---- stream order ----

struct Reach {
  const char* name;
  const char* into;
  int expected;
};

void OrderCase(std::initializer_list<Reach> reaches,
               std::initializer_list<std::pair<const char*, const char*>> lakes = {},
               std::initializer_list<std::pair<const char*, const char*>> units = {}) {
  ResetEstadoProyecto();
  for (const Reach& r : reaches) {
    auto c = test::AddCauce(QString());
    c->NombreCauce = QString::fromLatin1(r.name);
    c->Cauce_aa = QString::fromLatin1(r.into);
  }
  for (const auto& [name, into] : lakes) {
    auto l = test::AddLago(QString());
    l->NombreLAGO = QString::fromLatin1(name);
    l->Cauce_aa = QString::fromLatin1(into);
  }
  for (const auto& [name, into] : units) {
    auto u = test::AddUEH(QString());
    u->NombreUEH = QString::fromLatin1(name);
    u->Cauce_aa = QString::fromLatin1(into);
  }
  CalculaOrdenCauces();
  int i = 0;
  for (const Reach& r : reaches) {
    EXPECT_EQ(colCauces[i++]->OrdenCauce, r.expected) << r.name;
  }
}

TEST(OrdenCauces, StrahlerBySweeps) {
  {
    SCOPED_TRACE("one reach");
    OrderCase({{"c-A", "0", 1}});
  }
  {
    SCOPED_TRACE("two headwaters meet");
    OrderCase({{"c-A", "c-C", 1}, {"c-B", "c-C", 1}, {"c-C", "0", 2}});
  }
  {
    SCOPED_TRACE("one tributary of order 2 passes its order on");
    OrderCase({{"c-A", "c-C", 1}, {"c-B", "c-C", 1}, {"c-C", "c-D", 2}, {"c-D", "0", 2}});
  }
  {
    SCOPED_TRACE("tributaries 2, 2, 3");
    OrderCase({{"a1", "A", 1},
               {"a2", "A", 1},
               {"A", "X", 2},
               {"b1", "B", 1},
               {"b2", "B", 1},
               {"B", "X", 2},
               {"c1", "c", 1},
               {"c2", "c", 1},
               {"c", "C", 2},
               {"d1", "d", 1},
               {"d2", "d", 1},
               {"d", "C", 2},
               {"C", "X", 3},
               {"X", "0", 4}});
  }
  {
    SCOPED_TRACE("tributaries 3, 2, 2");
    OrderCase({{"c1", "c", 1},
               {"c2", "c", 1},
               {"c", "C", 2},
               {"d1", "d", 1},
               {"d2", "d", 1},
               {"d", "C", 2},
               {"C", "X", 3},
               {"a1", "A", 1},
               {"a2", "A", 1},
               {"A", "X", 2},
               {"b1", "B", 1},
               {"b2", "B", 1},
               {"B", "X", 2},
               {"X", "0", 3}});
  }
  {
    SCOPED_TRACE("tributaries 2, 3, 3");
    OrderCase({{"a1", "A", 1},
               {"a2", "A", 1},
               {"A", "X", 2},
               {"c1", "c", 1},
               {"c2", "c", 1},
               {"c", "C", 2},
               {"d1", "d", 1},
               {"d2", "d", 1},
               {"d", "C", 2},
               {"C", "X", 3},
               {"e1", "e", 1},
               {"e2", "e", 1},
               {"e", "E", 2},
               {"f1", "f", 1},
               {"f2", "f", 1},
               {"f", "E", 2},
               {"E", "X", 3},
               {"X", "0", 4}});
  }
  {
    SCOPED_TRACE("through a lake; units do not count");
    OrderCase({{"c-A", "l-L", 1}, {"c-B", "c-C", 1}, {"c-C", "0", 2}}, {{"l-L", "c-C"}}, {{"u-1", "c-C"}});
  }
  {
    SCOPED_TRACE("fed only by units");
    OrderCase({{"c-A", "0", 1}}, {}, {{"u-1", "c-A"}, {"u-2", "c-A"}});
  }
  {
    SCOPED_TRACE("reaches draining into each other");
    OrderCase({{"c-A", "c-B", 0}, {"c-B", "c-A", 0}});
  }
}

TEST(OrdenCauces, ChainOfElevenSettlesOnlyFromTheHead) {
  // Listed from the downstream end: an order travels one reach per pass.
  std::vector<Reach> down;
  std::vector<std::string> names;
  for (int i = 0; i < 11; ++i) names.push_back("c-" + std::to_string(i));
  ResetEstadoProyecto();
  for (int i = 0; i < 11; ++i) {
    auto c = test::AddCauce(QString());
    c->NombreCauce = QString::fromStdString(names[i]);
    c->Cauce_aa = i == 0 ? QStringLiteral("0") : QString::fromStdString(names[i - 1]);
  }
  CalculaOrdenCauces();
  EXPECT_EQ(colCauces[0]->OrdenCauce, 0);
  for (int i = 1; i < 11; ++i) EXPECT_EQ(colCauces[i]->OrdenCauce, 1) << i;

  std::reverse(colCauces.begin(), colCauces.end());
  CalculaOrdenCauces();
  for (int i = 0; i < 11; ++i) EXPECT_EQ(colCauces[i]->OrdenCauce, 1) << i;
}

}  // namespace
}  // namespace tavo
