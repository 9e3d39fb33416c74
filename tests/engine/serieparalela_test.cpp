// A storm series computes its storms side by side on as many workers as TAVO_HILOS asks for, and
// leaves exactly what it leaves when it computes them one after another: the same results file, series
// results, report and last storm, with its messages and questions in storm order.
#include "engine/serieparalela.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/cuenca_fixture.h"
#include "engine/frmPp2.h"
#include "engine/informe.h"
#include "engine/proceso.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/workers.h"
#include "project/listacomponentes.h"
#include "support/fixture.h"

namespace tavo {
namespace {

// Everything a series leaves that someone can see.
struct Resultado {
  QByteArray archivo;  // SaleTablasQDRs_tem.txt
  QStringList mensajes;
  QList<int> barra;           // the progress bar's values, in order
  std::vector<Single> serie;  // QpSerie, ESerie, CESerie, ETotalSerie, CETotalSerie
  QString informe;            // TextoProceso
  QStringList componentes;
  std::vector<Single> ultima;      // the last storm's hydrographs, levels and storages
  std::vector<Single> hietograma;  // the hyetograph left
  bool terminado = false;          // the program ended
};

void ExpectSame(const Resultado& a, const Resultado& b) {
  EXPECT_EQ(a.archivo, b.archivo);
  EXPECT_EQ(a.mensajes, b.mensajes);
  EXPECT_EQ(a.barra, b.barra);
  EXPECT_EQ(a.terminado, b.terminado);
  if (b.terminado) return;  // nothing else is left to see
  EXPECT_EQ(a.serie, b.serie);
  EXPECT_EQ(a.informe, b.informe);
  EXPECT_EQ(a.componentes, b.componentes);
  EXPECT_EQ(a.ultima, b.ultima);
  EXPECT_EQ(a.hietograma, b.hietograma);
}

// A generated project: its seed and the temporal distribution of its storms.
struct Generacion {
  std::uint32_t semilla;
  Integer distribucion;
};
void PrintTo(const Generacion& g, std::ostream* os) {
  *os << "semilla " << g.semilla << ", distribución " << g.distribucion;
}

class SerieParalelaTest : public test::CuencaTest, public testing::WithParamInterface<Generacion> {
 protected:
  // The series run with `hilos` workers, answering the messages with `respuestas`.
  Resultado Corre(const QByteArray& hilos, const std::vector<int>& respuestas = {vbOK}) {
    const test::ThreadCountSetting entorno(hilos);
    QFile::remove(path("SaleTablasQDRs_tem.txt"));
    SetProgramHasEnded(false);
    dialogs.clear();
    for (int respuesta : respuestas) dialogs.answer(respuesta);
    FormInstance<frmPp2>::instance().ProgressBar1->setValue(0);
    QSignalSpy barra(FormInstance<frmPp2>::instance().ProgressBar1, &QProgressBar::valueChanged);
    bool terminado = false;
    try {
      CorreSeriePDR();
    } catch (const ProgramEnded&) {
      terminado = true;
    }
    Resultado r = Capta();
    r.terminado = terminado;
    r.archivo = test::ReadBytes(path("SaleTablasQDRs_tem.txt"));
    r.mensajes = test::Prompts(dialogs);
    for (const auto& args : barra) r.barra << args.at(0).toInt();
    return r;
  }

  // The series results, the report, the component list, the last storm and the hyetograph left.
  static Resultado Capta() {
    Resultado r;
    for (int k = 1; k <= NroTormentasSerie; ++k) {
      for (int c = 1; c <= QpSerie.upper1(); ++c) r.serie.push_back(QpSerie(c, k));
      for (int u = 1; u <= ESerie.upper1(); ++u) {
        r.serie.push_back(static_cast<Single>(ESerie(u, k)));
        r.serie.push_back(CESerie(u, k));
      }
      r.serie.push_back(static_cast<Single>(ETotalSerie(k)));
      r.serie.push_back(CETotalSerie(k));
    }
    r.informe = TextoProceso.toString();
    for (int p = 1; p <= nComponentes; ++p) r.componentes << NombresComponentes(p);
    for (int k = 0; k <= std::min<int>(nPasosSalida, QSaleCompo.upper2()); ++k) {
      for (int c = 1; c <= QSaleCompo.upper1(); ++c) r.ultima.push_back(QSaleCompo(c, k));
      for (int n = 1; n <= HEmbalseLago.upper1(); ++n) r.ultima.push_back(HEmbalseLago(n, k));
      for (int n = 1; n <= HEmbalseRepresa.upper1(); ++n) r.ultima.push_back(SEmbalseRepresa(n, k));
    }
    r.hietograma = {static_cast<Single>(NumPer), static_cast<Single>(nPerDistri), PpTormenta,
                    static_cast<Single>(DurTormenta)};
    for (int k = 0; k <= std::min<int>(NumPer, PpAcumPer.upper()); ++k) r.hietograma.push_back(PpAcumPer(k));
    return r;
  }

  // One storm from the menu, with the report window on or off, with `hilos` threads, answering the
  // messages with `respuestas` as far as they go: what it leaves, its series results those of its one
  // storm.
  Resultado CorreTormenta(const QByteArray& hilos, const std::vector<int>& respuestas, bool pizarra = false) {
    const test::ThreadCountSetting entorno(hilos);
    QFile::remove(path("SalePizarra1_tem.txt"));
    dialogs.clear();
    for (int respuesta : respuestas) dialogs.answer(respuesta);
    PizarraMarcada = pizarra;
    main().mnuCorre1_Click();
    Resultado r = Capta();
    r.archivo = test::ReadBytes(path("SalePizarra1_tem.txt"));
    r.mensajes = test::Prompts(dialogs);
    dialogs.clear();  // the answers the notices of this project did not take
    for (int u = 1; u <= nUEHs; ++u) {
      r.serie.push_back(VolEscUEH(u));
      r.serie.push_back(static_cast<Single>(VolBaseUEH(u)));
      r.serie.push_back(RetencionRestante(u));
      r.serie.push_back(nPasosInfiltra(u));
      r.serie.push_back(PpUEH(u));
    }
    r.serie.push_back(PpMediaAcum);
    r.serie.push_back(static_cast<Single>(VolBaseTotal));
    r.serie.push_back(static_cast<Single>(nPasosSalida));
    return r;
  }

  // A storm of 80 mm in a day, at a rain and output step of a minute: enough unit steps for a run to
  // spread them over threads.
  static void TormentaDeUnDia() {
    PpTormenta = 80;
    DurTormenta = 1440;
    PasoPp = 1;
    PasoQ = 1;
  }

  // A series of `P.size()` storms of the durations and recurrences given, every one taking part in
  // the settings of project Cuenca (no 120-minute and no 5000-year storm).
  static void Tormentas(const std::vector<Single>& P, const std::vector<Integer>& D,
                        const std::vector<Integer>& R) {
    NroTormentasSerie = static_cast<Integer>(P.size());
    PpSerie.redim(0, NroTormentasSerie);
    DurSerie.redim(0, NroTormentasSerie);
    RecSerie.redim(0, NroTormentasSerie);
    for (int k = 1; k <= NroTormentasSerie; ++k) {
      PpSerie(k) = P[static_cast<size_t>(k - 1)];
      DurSerie(k) = D[static_cast<size_t>(k - 1)];
      RecSerie(k) = R[static_cast<size_t>(k - 1)];
    }
    FormaPp = 2;
    PasoQ = 10;
  }

  // Project Cuenca with components added from `semilla`: lakes and dams of every routing method, each
  // fed by a unit of its own and draining into one of the project's reaches, with tables wide enough
  // that no level leaves them.
  void Generado(std::uint32_t semilla) {
    auto azar = [&semilla](int n) {
      semilla = semilla * 1664525u + 1013904223u;
      return static_cast<int>((semilla >> 8) % static_cast<std::uint32_t>(n));
    };
    const char* metodos[] = {"Muskingum", "Piscina Nivelada", "Runge Kutta"};
    const int lagos = 2 + azar(3);
    const int represas = 1 + azar(2);
    std::vector<bool> conTablaHQ;
    EditNetwork([&] {
      auto unidad = [&](const QString& nombre, const QString& receptor) {
        auto u = test::AddUEH(nombre, receptor);
        u->Area = static_cast<Single>(40 + azar(200));
        u->VelMedia = 0.5f + static_cast<Single>(azar(10)) / 10;
        u->LongitudMax = static_cast<Single>(800 + azar(3000));
        u->RetensionZ = static_cast<Single>(azar(6));
        u->KostiakovA = 0.2f + static_cast<Single>(azar(5)) / 10;
        u->KostiakovB = 0.5f;
        u->KostiakovI = 2;
        u->Q0Recesion = static_cast<Single>(azar(3)) / 10;
        u->KRecesion = static_cast<Single>(6 + azar(12));
      };
      auto receptor = [&] { return azar(2) ? QStringLiteral("c-Medio") : QStringLiteral("c-Bajo"); };
      for (int i = 1; i <= lagos; ++i) {
        const QString nombre = QStringLiteral("l-G%1").arg(i);
        auto l = test::AddLago(nombre, receptor());
        l->Metodo = QString::fromLatin1(metodos[azar(3)]);
        l->Lago_k_Musk = static_cast<Single>(20 + azar(100));
        unidad(QStringLiteral("u-L%1").arg(i), nombre);
      }
      for (int i = 1; i <= represas; ++i) {
        const QString nombre = QStringLiteral("r-G%1").arg(i);
        auto r = test::AddRepresa(nombre, receptor());
        r->Metodo = QString::fromLatin1(metodos[azar(3)]);
        r->Represa_k_Musk = static_cast<Single>(20 + azar(100));
        r->optTabla = azar(2) == 0;
        conTablaHQ.push_back(r->optTabla);
        r->chkFQ1 = 1;
        r->FQa1 = static_cast<Single>(2 + azar(8));
        r->FQb1 = 1.5f;
        r->FQmin1 = 0;
        r->FQMax1 = 40;
        unidad(QStringLiteral("u-R%1").arg(i), nombre);
      }
    });
    auto tabla = [&](bool conQ) {
      std::vector<test::FilaHSV> filas;
      const Single area = static_cast<Single>(30 + azar(60));
      for (int f = 0; f <= 8; ++f) {
        const Single h = static_cast<Single>(5 * f);
        filas.push_back({h, area + h, static_cast<Long>(10000 * (area * h + h * h / 2)),
                         conQ ? static_cast<Single>(3 * h * std::sqrt(h)) : 0.0f});
      }
      return filas;
    };
    for (int n = 1; n <= lagos; ++n) test::PutHSVQLago(n, tabla(true));
    for (int n = 1; n <= represas; ++n) {
      test::PutHSVRepresa(n, tabla(false));
      if (conTablaHQ[static_cast<size_t>(n - 1)]) test::PutHQRepresa(n, {{0, 0}, {10, 60}, {40, 900}});
    }
    GuardaTablaHSVQLago();
    GuardaTablaHSVRepresa();
    GuardaTablaHQRepresa();
  }
};

// The series of a project generated from a seed, of lakes and dams of every routing method, run with
// one, two, eight and thirty-two workers. The storm of 50 hours in the middle of it is refused by the
// theoretical distribution, and left out in its turn, with its message.
TEST_P(SerieParalelaTest, SameResultsWhateverTheWorkerCount) {
  Generado(GetParam().semilla);
  DistriPp = GetParam().distribucion;
  Tormentas({12, 18, 25, 30, 40, 48, 22, 60, 75, 35, 90, 55, 44, 28, 66, 80},
            {30, 60, 180, 240, 360, 720, 30, 3000, 180, 240, 360, 720, 45, 90, 300, 600},
            {2, 2, 2, 5, 5, 5, 10, 10, 10, 25, 25, 25, 50, 50, 100, 100});
  const bool rechazo = DistriPp == 1;
  // The refusal in its turn, the closing message and the notice on the storms whose flood the horizon cut.
  std::vector<int> respuestas{vbOK, vbOK};
  if (rechazo) respuestas.push_back(vbOK);
  const Resultado uno = Corre("1", respuestas);
  ASSERT_EQ(uno.mensajes.size(), respuestas.size()) << uno.mensajes.join('\n').toStdString();
  EXPECT_TRUE(uno.mensajes.back().startsWith(QStringLiteral("La crecida no había terminado")));
  ASSERT_FALSE(uno.archivo.isEmpty());
  EXPECT_EQ(uno.archivo.contains(",60,3000,"), !rechazo);
  EXPECT_GT(uno.barra.size(), 8);
  for (const char* hilos : {"2", "8", "32"}) {
    SCOPED_TRACE(hilos);
    ExpectSame(Corre(hilos, respuestas), uno);
  }
}

// One storm of a day at a rain step of a minute, report window off and on: the units' work and their
// table, spread over two, eight and thirty-two threads, leave what one thread leaves, the report file byte
// for byte. The units' last rain reaches their outlets after the horizon, which grows.
TEST_P(SerieParalelaTest, OneStormTheSameWhateverTheThreadCount) {
  Generado(GetParam().semilla);
  DistriPp = GetParam().distribucion;
  TormentaDeUnDia();
  const std::vector<int> avisos(4, vbOK);
  for (const bool pizarra : {false, true}) {
    SCOPED_TRACE(pizarra ? "report window on" : "report window off");
    const Resultado uno = CorreTormenta("1", avisos, pizarra);
    ASSERT_FALSE(uno.archivo.isEmpty());
    EXPECT_GT(nPasosSalida, 1440 + 10);
    EXPECT_GT(QpSerie(nComponentes, 1), 0);
    for (const char* hilos : {"2", "8", "32"}) {
      SCOPED_TRACE(hilos);
      ExpectSame(CorreTormenta(hilos, avisos, pizarra), uno);
    }
  }
}

// A unit whose infiltration cannot be worked out (a negative initial time) fails in the middle of
// the storm: the units before it in that step, and the steps before, are computed, the rest not,
// whatever the threads; the message and everything left are the same.
TEST_P(SerieParalelaTest, AUnitFailingInTheMiddleLeavesWhatItLeavesInOrder) {
  Generado(GetParam().semilla);
  EditNetwork([] { vUEHs[3]->KostiakovI = -5; });
  TormentaDeUnDia();
  const std::vector<int> avisos(4, vbOK);
  const Resultado uno = CorreTormenta("1", avisos);
  EXPECT_TRUE(uno.mensajes.join('\n').contains(QStringLiteral("Error Nro. 5")))
      << uno.mensajes.join('\n').toStdString();
  ExpectSame(CorreTormenta("8", avisos), uno);
}

// The system starts no more threads, as under a limit of processes: a single storm and a series work
// on the threads the pool has, or on the calling thread alone, and leave what one thread leaves. Run
// here, with whatever threads earlier cases left in the pool, and again in a program of its own, whose
// pool never gets a thread.
TEST_F(SerieParalelaTest, ThreadsThatCannotStartLeaveFewerWorkers) {
  struct SinHilosNuevos {
    SinHilosNuevos() {
      SetThreadStarter([](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      });
    }
    ~SinHilosNuevos() { SetThreadStarter({}); }
  } sinHilosNuevos;
  const int antes = PoolThreads();
  const QByteArray mas = QByteArray::number(antes + 4);
  Generado(7);
  TormentaDeUnDia();
  const std::vector<int> avisos(4, vbOK);
  const Resultado uno = CorreTormenta("1", avisos);
  ASSERT_FALSE(uno.archivo.isEmpty());
  ExpectSame(CorreTormenta(mas, avisos), uno);
  Tormentas({12, 18, 25, 30, 40, 48}, {30, 60, 180, 240, 360, 720}, {2, 2, 2, 5, 5, 5});
  PasoPp = 10;
  const std::vector<int> respuestas{vbOK, vbOK};
  const Resultado serie = Corre("1", respuestas);
  ASSERT_FALSE(serie.archivo.isEmpty()) << serie.mensajes.join(QLatin1Char(10)).toStdString();
  ExpectSame(Corre(mas, respuestas), serie);
  EXPECT_EQ(PoolThreads(), antes);

  if (qEnvironmentVariableIsSet("TAVO_PRUEBA_SIN_HILOS")) {
    EXPECT_EQ(antes, 0);
    return;
  }
  QProcess programa;
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  entorno.insert(QStringLiteral("TAVO_PRUEBA_SIN_HILOS"), QStringLiteral("1"));
  entorno.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
  entorno.remove(QStringLiteral("GTEST_SHARD_INDEX"));
  programa.setProcessEnvironment(entorno);
  programa.setProcessChannelMode(QProcess::MergedChannels);
  programa.start(
      QCoreApplication::applicationFilePath(),
      {QStringLiteral("--gtest_filter=SerieParalelaTest.ThreadsThatCannotStartLeaveFewerWorkers")});
  ASSERT_TRUE(programa.waitForFinished(-1));
  const QByteArray salida = programa.readAll();
  EXPECT_EQ(programa.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(programa.exitCode(), 0) << salida.toStdString();
  EXPECT_TRUE(salida.contains("[  PASSED  ] 1 test")) << salida.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Proyectos, SerieParalelaTest,
                         testing::Values(Generacion{7, 1}, Generacion{12345, 2}, Generacion{99, 0}));

// Storm 5 of 9 takes a Runge-Kutta dam above its table, which asks whether to go on, and then about
// the area of 0 it finds there; the larger storms after it go on with the answers given. The
// theoretical distribution cannot spread the storms of 50 hours, the third and the last: each is left
// out in its turn, with its message.
TEST_F(SerieParalelaTest, QuestionsAndRefusalsComeInStormOrderWithTheSameAnswers) {
  DamBelowTheOutlet();
  EditNetwork([] { vRepresas[1]->Metodo = QStringLiteral("Runge Kutta"); });
  test::PutHSVRepresa(1, {{0, 3, 0}, {1.2f, 3, 36000}});
  test::PutHQRepresa(1, {{0, 0}, {1.2f, 2}});
  GuardaTablaHSVRepresa();
  GuardaTablaHQRepresa();
  DistriPp = 1;
  Tormentas({10, 12, 15, 16, 80, 85, 90, 95, 99}, {60, 60, 3000, 60, 60, 60, 60, 60, 3000},
            {2, 10, 2, 10, 2, 10, 2, 10, 2});
  const QString pregunta = QStringLiteral("Error, la altura de embalse supera el máximo de la Tabla");
  const std::vector<int> respuestas = {vbOK, vbYes, vbYes, vbOK, vbOK, vbOK};

  const Resultado uno = Corre("1", respuestas);
  ASSERT_EQ(uno.mensajes.size(), 6) << uno.mensajes.join('\n').toStdString();
  EXPECT_TRUE(uno.mensajes[0].startsWith(QStringLiteral("La tormenta P= 15mm  -   D= 3000min")));
  EXPECT_TRUE(uno.mensajes[1].startsWith(pregunta));
  EXPECT_TRUE(uno.mensajes[2].startsWith(QStringLiteral("La superficie a(h) obtenida para h=")));
  EXPECT_TRUE(uno.mensajes[3].startsWith(QStringLiteral("La tormenta P= 99mm  -   D= 3000min")));
  EXPECT_TRUE(uno.mensajes[4].startsWith(QStringLiteral("La tabla de resultados Q-D-R")));
  EXPECT_TRUE(uno.mensajes[5].startsWith(QStringLiteral("La crecida no había terminado")));
  EXPECT_EQ(uno.barra, QList<int>({11, 22, 44, 56, 67, 78, 89}));
  EXPECT_FALSE(uno.archivo.contains(",3000,"));
  EXPECT_GT(QpSerie(nComponentes, 8), 0);

  for (const char* hilos : {"2", "8", "32"}) {
    SCOPED_TRACE(hilos);
    ExpectSame(Corre(hilos, respuestas), uno);
  }

  // No ends the program at storm 5: nothing is written, whatever the workers were doing.
  const Resultado fin = Corre("1", {vbOK, vbNo});
  EXPECT_TRUE(fin.terminado);
  EXPECT_TRUE(fin.archivo.isEmpty());
  EXPECT_EQ(fin.mensajes.size(), 2);
  ExpectSame(Corre("8", {vbOK, vbNo}), fin);
}

// A hyetograph that no storm can have (a user distribution without periods) stops the series at its
// first storm, once, whatever the workers: nothing is written and the report stays as it was.
TEST_F(SerieParalelaTest, ASeriesStoppedAtItsFirstStormLeavesNothingOfTheOthers) {
  Serie();
  PasoQ = 10;
  DistriPp = 5;
  SetReportText(QStringLiteral("Antes de la serie\r\n"));
  TextoProceso.clear();
  TextoProceso += QStringLiteral("Informe anterior");
  const Resultado uno = Corre("1");
  ASSERT_EQ(uno.mensajes.size(), 1);
  EXPECT_TRUE(uno.mensajes[0].startsWith(QStringLiteral("La distribución personalizada 1 no tiene")));
  EXPECT_EQ(uno.informe, "Informe anterior");
  ExpectSame(Corre("8"), uno);
}

}  // namespace
}  // namespace tavo
