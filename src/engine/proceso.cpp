// The run drivers: the data refresh before a run, one storm with its report header, and the storm
// series with its progress window, its filter of durations and recurrences and its results file.
#include "engine/proceso.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "engine/almacenamiento.h"
#include "engine/avisos.h"
#include "engine/hietograma.h"
#include "engine/hooks.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/secuencia.h"
#include "engine/serieparalela.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "platform/workers.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/hooks.h"
#include "project/listacomponentes.h"
#include "project/redfiles.h"
#include "rainfall/tormenta.h"
#include "reservoirs/funciones.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString FechaHora() {
  return Now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

// The hyetograph of the storm in hand; false when it could not be built (its message is shown). See
// DistribucionTemporalPp.
bool Hietograma() {
  DistribucionTemporalPp();
  return !HyetographRefused && !(PpTormenta == 0 && DurTormenta == 0);
}

// The storm in hand as the progress window names it: "P= 40mm  -   D= 60min  -   R= 10años". Reads P,
// D and R.
QString TextoTormenta() {
  return QStringLiteral("P=") + NumberText(PpTormenta) + QStringLiteral("mm  -   D=") +
         NumberText(DurTormenta) + QStringLiteral("min  -   R=") + NumberText(RecTormenta) +
         QStringLiteral("años");
}

// Restores the report switch and closes the progress window on every way out of a series run.
struct FinDeSerie {
  ~FinDeSerie() {
    SeriesRunning = false;
    ReportOmitted = false;
    SeriesChecked = false;
    SeriesLongestStorm = 0;
    SeriesDistributions.reset();
    ForgetSeriesOrder();
    CierraProgresoSerie();
    SetBusyPointer(false);
  }
};

// The storm the user defined, which a series replaces by each of its storms in turn: back as it was,
// with its mode, distribution and steps, on every way out of the series.
struct UsersStorm {
  const Single P = PpTormenta;
  const Integer D = DurTormenta;
  const Integer R = RecTormenta;
  const Integer forma = FormaPp;
  const Integer distribucion = DistriPp;
  const Integer pasoPp = PasoPp;
  const Integer pasoQ = PasoQ;
  ~UsersStorm() {
    PpTormenta = P;
    DurTormenta = D;
    RecTormenta = R;
    FormaPp = forma;
    DistriPp = distribucion;
    PasoPp = pasoPp;
    PasoQ = pasoQ;
  }
};

// The storms of the series under way.
struct SerieEnCurso {
  Integer N = 0;                   // NroTormentasSerie
  std::vector<Integer> retenidas;  // the storms that take part, in storm order
  // The last storm the series computes, which alone writes its report (the report window shows it when
  // it is turned on afterwards): the last that takes part and that the distribution can spread.
  Integer ultima = 0;
  // The cut outlets of each storm computed to its end, noted by the thread that computed it; and the
  // storms with cut outlets, gathered in storm order and told once when the series ends.
  std::vector<std::optional<std::vector<CutOutlet>>> cortes;
  CutStorms cortadas;
};

// Notes the cut outlets of storm k, just computed on this thread (none when a warning stopped it).
void AnotaCortes(Integer k, SerieEnCurso& serie) {
  auto& cortes = serie.cortes[static_cast<size_t>(k)];
  cortes.reset();
  if (SimulationCompleted) cortes = CutOutlets();
}

int Porcentaje(Integer k, Integer N) {
  return static_cast<int>(Round(static_cast<double>(k) / N * 100));
}

// Storm k computed ahead of its turn, with the messages deferred: loaded, spread by its distribution
// and simulated, its results filed in its column of the series (and with `informe` its report written),
// and its cut outlets noted.
// False when it must be computed again in its turn: it would show a message, or its distribution
// refuses it. Reads the series, the settings, the network and its tables; writes the state of one run
// of the thread it runs on, and column k of the series' results.
bool CalculaAdelantada(Integer k, bool informe, SerieEnCurso& serie) {
  struct Restaura {
    bool diferidos = MessagesDeferred;
    ~Restaura() {
      MessagesDeferred = diferidos;
      ReportOmitted = false;
    }
  } restaura;
  MessagesDeferred = true;
  try {
    kTormenta = k;
    LeeTormentaSerie();
    DistribucionTemporalPp();
    if (HyetographRefused) return false;
    ReportOmitted = !informe;
    Proceso_Simulacion(false);
    AnotaCortes(k, serie);
    return true;
  } catch (...) {
    // Whatever stopped it, the storm is computed again in its turn, where the failure shows.
    return false;
  }
}

// Storm k in its turn, on the main thread, as the series computes its storms one after another: the
// storm and the elapsed time in the progress window, its hyetograph (a storm the distribution cannot
// spread is left out, with its message), its simulation, and the bar. False when the series stops
// there. Writes StormsRefused, ReportOmitted and what CalculaAdelantada writes.
bool CalculaEnSuTurno(Integer k, SerieEnCurso& serie) {
  kTormenta = k;
  LeeTormentaSerie();
  ProgresoTormenta(TextoTormenta(), QStringLiteral("Tiempo de proceso: ") + TiempoTranscurrido());
  DistribucionTemporalPp();
  if (HyetographRefused) {
    // A distribution that can spread no storm stops the series; a storm it cannot spread is left out,
    // and the series goes on with the others.
    if (HyetographRefusesEveryStorm) {
      MsgBox(HyetographRefusal, vbExclamation, QStringLiteral("Advertencia !"));
      return false;
    }
    StormsRefused.insert(k);
    MsgBox(QStringLiteral("La tormenta ") + TextoTormenta() + QStringLiteral(" queda fuera de la serie. ") +
               HyetographRefusal,
           vbExclamation, QStringLiteral("Advertencia !"));
    return true;
  }
  // A hyetograph that failed ends the run; its message has been shown.
  if (PpTormenta == 0 && DurTormenta == 0) return false;
  ReportOmitted = k != serie.ultima;
  Proceso_Simulacion(false);
  ReportOmitted = false;
  AnotaCortes(k, serie);
  ProgresoPorcentaje(Porcentaje(k, serie.N));
  return true;
}

// A storm computed ahead, in its turn: the progress window shows it done. Writes kTormenta and what
// LeeTormentaSerie writes.
void MuestraAdelantada(Integer k, const SerieEnCurso& serie) {
  kTormenta = k;
  LeeTormentaSerie();
  ProgresoTormenta(TextoTormenta(), QStringLiteral("Tiempo de proceso: ") + TiempoTranscurrido());
  ProgresoPorcentaje(Porcentaje(k, serie.N));
}

// Column k of the series' results back to 0, as it was before the storm was computed.
void LimpiaColumna(Integer k) {
  for (int c = QpSerie.lower1(); c <= QpSerie.upper1(); ++c) QpSerie(c, k) = 0;
  for (int u = ESerie.lower1(); u <= ESerie.upper1(); ++u) {
    ESerie(u, k) = 0;
    CESerie(u, k) = 0;
  }
  ETotalSerie(k) = 0;
  CETotalSerie(k) = 0;
}

// Computes the storms that take part, in storm order as far as anyone can tell. With one worker every
// storm is computed in its turn, one after another. With more, the workers compute the storms ahead
// side by side while the main thread computes the last one (whose state and report the program keeps);
// a storm set aside is computed in its turn once all the others are done, so that the messages and
// questions come in storm order with the answers given before. False when the series stopped at a
// storm.
bool CalculaTormentas(SerieEnCurso& serie) {
  const int hilos = FormaPp == 2 ? ThreadCount() : 1;
  std::vector<Integer> adelantables;
  for (Integer k : serie.retenidas) {
    if (k != serie.ultima) adelantables.push_back(k);
  }
  // The workers take the longest storms first, so that no worker is left with a long storm while the
  // others are done; each storm's results go to its own place, so the order changes no result.
  std::stable_sort(adelantables.begin(), adelantables.end(),
                   [](Integer a, Integer b) { return DurSerie(a) > DurSerie(b); });
  std::unique_ptr<TormentasAdelantadas> adelantadas;
  bool ultimaHecha = false;                    // the main thread holds the last storm's state, computed ahead
  const TextBuffer textoAntes = TextoProceso;  // the report before the last storm is computed ahead
  if (hilos > 1 && !adelantables.empty()) {
    // No more storms side by side than processors: more would only wait for one another, each holding
    // its hydrographs.
    adelantadas = std::make_unique<TormentasAdelantadas>(
        adelantables, std::min(hilos, ProcessorCount()),
        [&serie](Integer k) { return CalculaAdelantada(k, false, serie); }, ReleaseStormResults);
    if (serie.ultima > 0) ultimaHecha = CalculaAdelantada(serie.ultima, true, serie);
  }
  for (const Integer k : serie.retenidas) {
    const bool hecha = k == serie.ultima ? ultimaHecha : adelantadas && adelantadas->Espera(k);
    if (hecha) {
      MuestraAdelantada(k, serie);
      if (serie.cortes[static_cast<size_t>(k)]) serie.cortadas.add(*serie.cortes[static_cast<size_t>(k)]);
      continue;
    }
    // A storm computed in its turn may ask and remember the answers: the workers are done first.
    if (adelantadas) adelantadas->Termina();
    LimpiaColumna(k);
    // The main thread's state is then that storm's, no longer the last one's.
    if (k < serie.ultima) ultimaHecha = false;
    if (!CalculaEnSuTurno(k, serie)) {
      // The storms after k are not computed: their results stay 0, and the report stays as it was
      // before the last storm was computed ahead.
      for (Integer j : serie.retenidas) {
        if (j > k) LimpiaColumna(j);
      }
      if (adelantadas && serie.ultima >= k) TextoProceso = textoAntes;
      return false;
    }
    if (serie.cortes[static_cast<size_t>(k)]) serie.cortadas.add(*serie.cortes[static_cast<size_t>(k)]);
  }
  return true;
}

}  // namespace

void CargaDatosProceso() {
  LeeConfiguracion();
  CargaRedProyecto();
  if (nRepresas > 0) {
    LeeTablaHQRepresa();
    LeeTablaHSVRepresa();
  }
  if (nLagos > 0) LeeTablaHSVQLago();
  ShowProjectHook();
  CargaFQRepresas();
  if (nRepresas >= 1) EnableDamTestsHook();
}

bool DuracionCalculable(Integer duracion) {
  const double total = static_cast<double>(duracion) + TiempoAdicional + PasoPp;
  if (total <= 32767) return true;
  MsgBox(
      QStringLiteral("La duración de la tormenta (") + PlainNumberText(duracion) +
          QStringLiteral(" min) más el tiempo adicional del hidrograma (") +
          PlainNumberText(TiempoAdicional) +
          QStringLiteral(" min) y el paso de cálculo de la precipitación (") + PlainNumberText(PasoPp) +
          QStringLiteral(" min) supera los 32767 minutos que admite el cálculo. Reduzca el tiempo adicional "
                         "en Opciones de Configuración, la duración de la tormenta o su paso de cálculo."),
      vbExclamation, QStringLiteral("Advertencia !"));
  return false;
}

void CorreUnaTormenta() {
  SetReportText(QString());
  PizarraActiva = PizarraMarcada;
  if (PizarraActiva) {
    ShowReportWindow();
    RepaintReportWindow();
    SetReportText(QString());
    SetReportText(QStringLiteral("TAVO - Modelo de Simulación Hidrológica") + kCrLf + DirActual +
                  QLatin1Char('/') + NombreProyecto + kCrLf + TextoProyecto + kCrLf + TextoUbicacion + kCrLf +
                  TextoCuenca + kCrLf + TextoSubCuenca + kCrLf + TextoOperador + QStringLiteral(" - ") +
                  FechaHora() + kCrLf + kCrLf + QStringLiteral("SIMULACION LLUVIA-CAUDAL PARA UNA TORMENTA") +
                  kCrLf);
  }
  if (PpTormenta == 0 || DurTormenta == 0) return;
  CargaDatosProceso();
  if (!DuracionCalculable(DurTormenta)) return;
  OmiteAvisoSalidas = true;
  // A storm whose hyetograph could not be built is not run; its message has been shown.
  if (!Hietograma()) return;
  ShowRunNotice(NegativeMuskingumNotice());
  Proceso_Simulacion(true);
  ShowRunNotice(CutHydrographNotice(CutOutlets()));
}

void LeeTormentaSerie() {
  const Integer k = kTormenta;
  PpTormenta = PpSerie(k);
  DurTormenta = DurSerie(k);
  RecTormenta = RecSerie(k);
  // A storm without depth or duration cannot be run: it is left out like any excluded storm.
  TormentaExcluida = PpTormenta == 0 || DurTormenta == 0 || DurTormenta < PasoPp;
  for (int i = 0; i < kNroDuraciones; ++i) {
    if (DurTormenta == kDuraciones[i] && SelDuracion(i) == 0) TormentaExcluida = true;
  }
  for (int i = 0; i < kNroRecurrencias; ++i) {
    if (RecTormenta == kRecurrencias[i] && SelRecurrencia(i) == 0) TormentaExcluida = true;
  }
  if (StormsRefused.contains(k)) TormentaExcluida = true;
}

void AbreProgresoSerie() {
  AbreProgresoSerieHook();
}

void ProgresoTormenta(const QString& tormenta, const QString& tiempo) {
  ProgresoTormentaHook(tormenta, tiempo);
}

void ProgresoPorcentaje(int porcentaje) {
  ProgresoPorcentajeHook(porcentaje);
}

void CierraProgresoSerie() {
  CierraProgresoSerieHook();
}

QString TiempoTranscurrido() {
  int segundos = HoraInicioSerie.secsTo(Now().time());
  if (segundos < 0) segundos += 24 * 3600;  // the run passed midnight
  return QStringLiteral("%1:%2:%3").arg(segundos / 3600).arg(segundos / 60 % 60).arg(segundos % 60);
}

void CorreSeriePDR() {
  const UsersStorm tormenta;
  FinDeSerie fin;
  try {
    AbreProgresoSerie();
    HoraInicioSerie = Now().time();
    StormsRefused.clear();

    ApagaPizarra();
    PizarraActiva = false;
    SeriesRunning = true;
    CargaDatosProceso();
    ComponenteFinal();

    const Integer N = NroTormentasSerie;
    QpSerie.redim(0, nComponentes, 0, N);
    ESerie.redim(0, nUEHs, 0, N);
    CESerie.redim(0, nUEHs, 0, N);
    CETotalSerie.redim(0, N);
    ETotalSerie.redim(0, N);
    if (N < 1) {
      MsgBox(QStringLiteral("No se han cargado tormentas PDRs. Para correr esta opción debe previamente "
                            "cargar un conjunto de "
                            "tormentas desde Menu Principal\\Entradas\\Precipitaciones, luego tildar la "
                            "opción <c) Cargar una "
                            "tabla de Pp-D-R desde archivo> y pulsar el botón de cargar tabla PDR ..."),
             vbExclamation, QStringLiteral("Advertencia !"));
      return;
    }
    SerieEnCurso serie;
    serie.N = N;
    for (kTormenta = 1; kTormenta <= N; ++kTormenta) {
      LeeTormentaSerie();
      if (TormentaExcluida) continue;
      serie.retenidas.push_back(kTormenta);
      SeriesLongestStorm = std::max(SeriesLongestStorm, DurTormenta);
      if (!DurationRefused(DurTormenta)) serie.ultima = kTormenta;
    }
    // The data and the network are the same for every storm: a check that fails stops the series once.
    if (!RunChecks()) return;
    SeriesChecked = true;
    BuildSeriesOrder();
    if (!DuracionCalculable(SeriesLongestStorm)) return;
    ShowRunNotice(NegativeMuskingumNotice());
    // Warnings and questions of the routing and of the reservoir tables: once for the whole series.
    ForgetStorageWarnings();
    const OutOfTableQuestionsPerRun preguntas;
    // Every storm spreads its rain by the same user distributions: read once.
    if (DistriPp >= 5 && DistriPp <= 7) LeeTablaDisTemPer(SeriesDistributions.emplace());

    serie.cortes.assign(static_cast<size_t>(N) + 1, std::nullopt);
    if (!CalculaTormentas(serie)) return;
    CierraProgresoSerie();
    ShowSeriesResultsHook();
    GuardaTablasQDR();
    ShowRunNotice(serie.cortadas.notice());
  } catch (const VbError& e) {
    if (e.number > 0) {
      MsgBox(ErrorNroSpacedText(e));
    }
    CloseAllFiles();
  }
}

void GuardaTablasQDR() {
  try {
    ChDir(DirPrograma);
    SeqFile archivo(QStringLiteral("SaleTablasQDRs") + QStringLiteral("_tem.txt"), OpenMode::Output);
    archivo.write({QStringLiteral("TAVO - Modelo de Simulación Hidrológica")});
    archivo.write({DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn")});
    archivo.write({TextoProyecto});
    archivo.write({TextoUbicacion});
    archivo.write({TextoCuenca});
    archivo.write({TextoSubCuenca});
    archivo.write({TextoOperador + QStringLiteral(" - ") + FechaHora()});
    archivo.write({QStringLiteral("SIMULACION PARA SERIE PDR DE TORMENTAS SINTETICAS  ")});
    archivo.write({QStringLiteral("Componente"), QStringLiteral("Nro."), QStringLiteral("P[mm]"),
                   QStringLiteral("D[min]"), QStringLiteral("R[años]"), QStringLiteral("Q[m3/s]"),
                   QStringLiteral("E[m3]"), QStringLiteral("C[%]")});
    // The storms the series kept, and each component's lines made apart, side by side.
    std::vector<Integer> retenidas;
    if (nComponentes >= 1) {
      for (kTormenta = 1; kTormenta <= NroTormentasSerie; ++kTormenta) {
        LeeTormentaSerie();
        if (!TormentaExcluida) retenidas.push_back(kTormenta);
      }
    }
    CompoSel = nComponentes + 1;
    const Array1<QString>& nombres = NombresComponentes;  // this thread's list
    std::vector<TextBuffer> lineas(static_cast<size_t>(nComponentes) + 1);
    EnParalelo(nComponentes, ThreadCount(), [&](int c) {
      // Each line as Write # writes it: the name and position, then the numbers.
      const QString inicio = WriteValueText(nombres(c)) + QLatin1Char(',') + WriteValueText(Integer(c));
      TextBuffer& texto = lineas[static_cast<size_t>(c)];
      char numeros[8 * 40];
      for (const Integer k : retenidas) {
        char* p = numeros;
        const auto agrega = [&p](auto v) {
          *p++ = ',';
          p += FileNumberTextChars(v, p);
        };
        agrega(PpSerie(k));
        agrega(static_cast<long long>(DurSerie(k)));
        agrega(static_cast<long long>(RecSerie(k)));
        agrega(Redondea(QpSerie(c, k), 2));
        if (c <= nUEHs) {
          agrega(static_cast<long long>(ESerie(c, k)));
          agrega(Redondea(CESerie(c, k), 2));
        }
        *p++ = '\r';
        *p++ = '\n';
        texto += inicio;
        texto.appendAscii(numeros, p - numeros);
      }
    });
    for (const TextBuffer& texto : lineas) archivo.print(texto);
    archivo.close();
    CloseAllFiles();
    MsgBox(
        QStringLiteral(
            "La tabla de resultados Q-D-R se guarda completa en el archivo de texto "
            "<SaleTablasQDRs_tem.txt>. Puede leer directamente este archivo con un editor de texto o "
            "bien importar archivo desde Excel como <delimitado>, con separador <,> y formato "
            "<general>") +
            kCrLf + kCrLf + kCrLf + QStringLiteral("Tiempo total del proceso: ") + TiempoTranscurrido(),
        vbExclamation,
        QStringLiteral("La tabla de resultados se guarda en archivo el temporal <SaleTablasQDRs_tem.txt>"));
  } catch (const VbError& e) {
    CloseAllFiles();
    if (e.number > 0) {
      MsgBox(QStringLiteral("El resguardo de resultados en el archivo <SaleTablasQDRs_tem.txt> ha fallado"),
             vbExclamation, QStringLiteral("Falla en resguardo de archivo"));
    }
  }
}

}  // namespace tavo
