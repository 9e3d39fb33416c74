#include "rainfall/tormentareal.h"

#include <QDir>

#include "engine/hietograma.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// The storm of three intervals of ten minutes, as the editor writes it.
const QByteArray kTresIntervalos =
    "\"describa brevemente aqu\xed la tormenta \"\r\n3,10\r\n\"12/12/2004\",\"20:30\"\r\n"
    "\"12/12/2004\",\"21:00\"\r\n2.5\r\n4\r\n0\r\n";

class TormentaRealTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir("obra");
    DirActual = path("obra");
  }
  QString file(const QString& name) const { return path("obra/" + name); }
  // A stale storm, so that a reading that fails can be seen to clear it.
  static void stale() {
    NumPer = 6;
    PpTormenta = 40;
    DurTormenta = 60;
  }
  static CabeceraTormentaReal cabecera(Integer N, Integer paso, const QString& notas = QString()) {
    CabeceraTormentaReal c;
    c.Notas = notas;
    c.N = N;
    c.Paso = paso;
    c.FechaI = "12/12/2004";
    c.HoraI = "20:30";
    c.FechaF = "12/12/2004";
    c.HoraF = "21:00";
    return c;
  }
};

TEST_F(TormentaRealTest, DateAndTimeNormalisers) {
  struct Case {
    const char* in;
    const char* out;
    bool refused;
  };
  const Case fechas[] = {
      {"01042004", "01/04/2004", false},   {"", "01/01/1001", false},
      {"0", "01/01/1001", false},          {"00/00/0000", "01/01/1001", false},
      {"01/01/1001", "01/01/1001", false}, {"01/01/0001", "01/01/0001", false},
      {"29/02/2004", "29/02/2004", false}, {"1/4/2004", "1//4//2004", true},
      {"31/02/2004", "31/02/2004", true},  {"15/13/2004", "15/13/2004", true},
      {"01/13/2004", "01/13/2004", true},  {"01/01/2100", "01/01/2100", true},
      {"01/01/0099", "01/01/0099", true},  {"1a/01/2004", "1a/01/2004", true},
      {"01-01-2004", "01-01-2004", true},
  };
  auto check = [](void (*normaliser)(QString&, Integer&), const Case& c) {
    SCOPED_TRACE(c.in);
    QString texto = QString::fromLatin1(c.in);
    Integer invalida = 7;
    normaliser(texto, invalida);
    EXPECT_EQ(texto, c.out);
    EXPECT_EQ(invalida, c.refused ? -1 : 0);
  };
  for (const Case& c : fechas) check(controlMiFecha, c);
  const Case horas[] = {
      {"2030", "20:30", false}, {"24:00", "00:00", false}, {"", "00:00", false},
      {"0", "00:00", false},    {"00/00", "00:00", false}, {"23:59", "23:59", false},
      {"8:30", "8::30", true},  {"24:01", "24:01", true},  {"10:60", "10:60", true},
      {"-1:00", "-1:00", true}, {"ab:cd", "ab:cd", true},
  };
  for (const Case& c : horas) check(controlMiHora, c);
  // A text that is no date or time reads as the empty one, so a hand-edited file still reads.
  EXPECT_EQ(TextoDeFecha(FechaDeTexto("ayer")), "01/01/1001");
  EXPECT_EQ(HoraDeTexto("tarde"), "00:00");
  EXPECT_EQ(HoraDeTexto("8:05"), "08:05");
}

TEST_F(TormentaRealTest, WrittenStormReadsBackWhole) {
  PpPeriodo.redim(0, 5);
  PpPeriodo(1) = 2.5f;
  PpPeriodo(2) = 4;
  PpPeriodo(4) = 9;  // beyond N: dropped by the writing
  GuardaArchivoTormentaReal("Tres_pt.pcn", cabecera(3, 10, "describa brevemente aquí la tormenta "));
  EXPECT_EQ(ReadBytes(file("Tres_pt.pcn")), kTresIntervalos);
  EXPECT_EQ(PpPeriodo.upper(), 3);
  EXPECT_EQ(RutaArchivo, "Tres_pt.pcn");

  stale();
  CabeceraTormentaReal leida;
  ASSERT_EQ(LeeArchivoTormentaReal("Tres_pt.pcn", leida), PartesLeidas::Todo);
  EXPECT_EQ(leida.Notas, "describa brevemente aquí la tormenta ");
  EXPECT_EQ(leida.HoraF, "21:00");
  EXPECT_EQ(NumPer, 3);
  EXPECT_EQ(PpTormenta, 6.5f);
  EXPECT_EQ(DurTormenta, 30);
  EXPECT_EQ(PpPeriodo(2), 4.0f);

  // A storm without intervals is four lines and reads back empty.
  GuardaArchivoTormentaReal("Vacia_pt.pcn", cabecera(0, 10));
  EXPECT_EQ(ReadBytes(file("Vacia_pt.pcn")).count("\r\n"), 4);
  stale();
  EXPECT_EQ(LeeArchivoTormentaReal("Vacia_pt.pcn", leida), PartesLeidas::Todo);
  EXPECT_EQ(NumPer, 0);
  EXPECT_EQ(PpTormenta, 0.0f);
  EXPECT_EQ(DurTormenta, 0);

  // A quote or a line break in the note would make the file unreadable for good.
  GuardaArchivoTormentaReal("Nota_pt.pcn", cabecera(0, 10, "la \"gran\" lluvia\r\nde marzo\ny abril"));
  EXPECT_TRUE(ReadBytes(file("Nota_pt.pcn")).startsWith("\"la 'gran' lluvia de marzo y abril\"\r\n0,10\r\n"));
  EXPECT_EQ(LeeArchivoTormentaReal("Nota_pt.pcn", leida), PartesLeidas::Todo);
}

TEST_F(TormentaRealTest, AFailedReadingLeavesNoRunnableStorm) {
  struct Case {
    const char* what;
    QByteArray bytes;  // empty: no file
    PartesLeidas partes;
  };
  const QByteArray cabeza = "\"n\"\r\n";
  const QByteArray fechas = "\"12/12/2004\",\"20:30\"\r\n\"12/12/2004\",\"21:00\"\r\n";
  const Case cases[] = {
      {"no file", "", PartesLeidas::Nada},
      {"fewer depths than N", cabeza + "5,10\r\n" + fechas + "1\r\n2\r\n3\r\n", PartesLeidas::Fin},
      {"a duration beyond 32767 minutes", cabeza + "600,60\r\n" + fechas, PartesLeidas::Fin},
      {"a depth that is no number", cabeza + "2,10\r\n" + fechas + "1\r\nmucha\r\n", PartesLeidas::Fin},
      {"a negative N", cabeza + "-2,10\r\n" + fechas, PartesLeidas::Notas},
      {"a step of 0", cabeza + "2,0\r\n" + fechas + "1\r\n2\r\n", PartesLeidas::Notas},
      {"no end line", cabeza + "2,10\r\n\"12/12/2004\",\"20:30\"\r\n", PartesLeidas::Inicio},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(file("Mala_pt.pcn"));
    if (!c.bytes.isEmpty()) WriteBytes(file("Mala_pt.pcn"), c.bytes);
    stale();
    CabeceraTormentaReal leida;
    EXPECT_EQ(LeeArchivoTormentaReal("Mala_pt.pcn", leida), c.partes);
    EXPECT_EQ(NumPer, 0);
    EXPECT_EQ(PpTormenta, 0.0f);
    EXPECT_EQ(DurTormenta, 0);
  }
  // The depths read before the failure stay.
  EXPECT_EQ(PpPeriodo(1), 1.0f);
}

TEST_F(TormentaRealTest, DefaultNameAndSampleStorms) {
  for (const char* name : {"Tormenta", "_pt.pcn", "", "Tormenta_pt.PCN"}) {
    EXPECT_EQ(NombreTormentaReal(name), "Pelcan_pt.pcn") << name;
  }
  EXPECT_EQ(NombreTormentaReal("Rio_pt.pcn"), "Rio_pt.pcn");

  // The storms delivered with the program are the protected ones, and each is a whole storm whose
  // end is its start plus N intervals.
  const QDir delivered(TAVO_FIXTURES_DIR "/../../data/Proyectos");
  EXPECT_EQ(delivered.entryList({"*_pt.pcn"}, QDir::Files).size(), 4);
  for (const QString& name : TormentasDeEjemplo()) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_TRUE(EsTormentaDeEjemplo(name));
    EXPECT_FALSE(name.startsWith("Pelcan"));
    QFile::copy(delivered.filePath(name), file(name));
    CabeceraTormentaReal s;
    ASSERT_EQ(LeeArchivoTormentaReal(name, s), PartesLeidas::Todo);
    EXPECT_GT(NumPer, 0);
    EXPECT_GT(PpTormenta, 0.0f);
    EXPECT_EQ(MinutosDe(FechaDeTexto(s.FechaF), s.HoraF) - MinutosDe(FechaDeTexto(s.FechaI), s.HoraI),
              DurTormenta);
  }
  EXPECT_FALSE(EsTormentaDeEjemplo("ejemploFrontal_pt.pcn"));
}

}  // namespace
}  // namespace tavo
