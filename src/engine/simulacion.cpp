#include "engine/simulacion.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "engine/almacenamiento.h"
#include "engine/informe.h"
#include "engine/resultados.h"
#include "engine/secuencia.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "platform/workers.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "reservoirs/funciones.h"

namespace tavo {

namespace {

// Runs one phase of the simulation. A run-time failure inside it is shown once and ends the phase;
// the run goes on with the next one. A warning of the run (SimulacionDetenida) passes through. Closes
// every open file after a failure.
bool Fase(const std::function<void()>& fase, bool& avisado) {
  try {
    fase();
    return true;
  } catch (const VbError& e) {
    if (!avisado) MsgBox(ErrorNroText(e));
    avisado = true;
    CloseAllFiles();
    return false;
  }
}

// Whole steps of `minutos` at `paso` minutes a step, counting a part step as one.
Integer PasosQueCubren(double minutos, Integer paso) {
  const Single cociente = static_cast<Single>(Div(minutos, paso));
  const double entero = std::floor(static_cast<double>(cociente));
  return CheckInteger(static_cast<long long>(entero) + (cociente > entero ? 1 : 0));
}

// The checks of the units and of the steps, in the order of the units; the first that fails is shown
// and stops the run. Clears the basin totals and sets the basin's area and the step ratio.
// Reads the units, PasoPp and PasoQ; writes VolBaseTotal, VolEscTotal, AreaTotalUEHs, nPasosInfiltra,
// RelacionPasos and iUEH.
void ChequeaUnidadesYPasos() {
  if (nUEHs == 0) {
    AdvertenciaSimulacion(
        QStringLiteral("Debe haber al menos una Unidad de Estudios Hidrólógicos (UEH) Cargada en el sistema. "
                       "(Ingresar UEHs desde "
                       "el Menú Principal  \\Entradas\\Editor UEHs (Gráfico)..."));
  }
  VolBaseTotal = 0;
  VolEscTotal = 0;
  AreaTotalUEHs = 0;
  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    const UEH& u = *vUEHs[iUEH];
    AreaTotalUEHs = static_cast<Single>(AreaTotalUEHs + u.Area);
    if (AreaTotalUEHs == 0) {
      AdvertenciaSimulacion(
          QStringLiteral("Error en la carga de datos de UEHS, posiblemente no ha cargado correctamente las "
                         "superficies y demás "
                         "parámetros, ..."));
    }
    nPasosInfiltra(iUEH) = 1;
    if (u.VelMedia == 0) {
      AdvertenciaSimulacion(
          QStringLiteral("Error en la carga de datos de UEHS Nro. ") + NumberText(iUEH) +
          QStringLiteral(". El dato de Velocidad media de la gota en ladera es incorrecto. Revise "
                         "desde Menú Principal: Entradas\\Editor de UEHS..."));
    }
    if (u.LongitudMax == 0) {
      AdvertenciaSimulacion(
          QStringLiteral("Error en la carga de datos de UEHS Nro. ") + NumberText(iUEH) +
          QStringLiteral(". El dato de Longitud máxima de la gota en ladera es incorrecto. Revise "
                         "desde Menú Principal: Entradas\\Editor de UEHS..."));
    }
  }

  const double cociente = Div(PasoPp, PasoQ);
  RelacionPasos = CheckInteger(static_cast<long long>(std::floor(cociente)));
  if (cociente != RelacionPasos) {
    AdvertenciaSimulacion(
        QStringLiteral("El paso de cálculo de caudales debe dividir exactamente al paso de cálculo de la "
                       "precipitación. Corrija "
                       "los pasos de la tormenta desde el Menú Principal: Entradas\\Precipitaciones..."));
  }
}

// The run refused after a finding of the network check (RedConErrores).
void AdvertenciaRed() {
  AdvertenciaSimulacion(QStringLiteral(
      "Error en la carga de datos de UEHS. Revise desde Menú Principal: Entradas\\Editor de UEHS..."));
}

// True while the run in hand is a storm of a series whose report is omitted: nobody reads its rain,
// inflows, levels and storages once each element is computed, so each of those arrays keeps one row
// (Array2::redimOneRow), and the series' memory does not grow with the threads computing its storms.
// Reads SeriesRunning and ReportOmitted.
bool SinFilasGuardadas() {
  return SeriesRunning && ReportOmitted;
}

// The thread's result arrays given room for a storm of `duracion` minutes: for the longest storm of the
// series under way, once, so that every storm after that finds its room and clears only its own part;
// for a single storm, so that the lags of its reaches find their room. The room takes in what the storm
// may add beyond its horizon: the travel of a unit's last rain to its outlet, and the lag of a directly
// routed reach; the arrays that keep one row (SinFilasGuardadas) take a row's. Reads TiempoAdicional,
// the steps, the network and what SinFilasGuardadas reads; writes the room of the result arrays.
void ReservaHorizonte(Integer duracion) {
  const double horizonte = static_cast<Single>(duracion + TiempoAdicional);
  const int NQ = PasosQueCubren(horizonte, PasoQ) + 2;
  double mas = 0;  // steps a storm may add beyond its horizon
  for (const auto& u : colUEHs) {
    if (u->VelMedia != 0)
      mas = std::max(mas, (static_cast<double>(u->LongitudMax) / u->VelMedia / 60 + PasoPp) / PasoQ);
  }
  double retardo = 0;
  for (const auto& c : colCauces) {
    if (c->optDirMusk && c->VelMediaCauce != 0)
      retardo = std::max(retardo, static_cast<double>(c->LongCauce) / c->VelMediaCauce / 60 / PasoQ);
  }
  const int conAmpliacion = NQ + static_cast<int>(std::min(mas, 32767.0)) + 1;
  const int componentes =
      static_cast<int>(colUEHs.size() + colCauces.size() + colLagos.size() + colRepresas.size()) + 1;
  const bool unaFila = SinFilasGuardadas();
  QSaleCompo.reserve(componentes, conAmpliacion + static_cast<int>(std::min(retardo, 32767.0)) + 1);
  QEntraCompo.reserve(unaFila ? 1 : componentes - nUEHs + 1, conAmpliacion);
  HEmbalseLago.reserve(unaFila ? 1 : nLagos + 1, conAmpliacion);
  SEmbalseLago.reserve(unaFila ? 1 : nLagos + 1, conAmpliacion);
  HEmbalseRepresa.reserve(unaFila ? 1 : nRepresas + 1, conAmpliacion);
  SEmbalseRepresa.reserve(unaFila ? 1 : nRepresas + 1, conAmpliacion);
  PpUEHPaso.reserve(unaFila ? 1 : nUEHs + 1, static_cast<int>(std::floor(Div(duracion, PasoQ) + 1)) + 1);
}

// The run's checks, horizon and result arrays, its component list and order of computation.
// Reads the storm, the settings, the network and NroTormentasSerie; writes NPasosLluvia, nPasosSalida,
// every result array of one storm (made anew), PpUEH, kPaso, PpMediaAcum, RetencionRestante,
// nPasosInfiltra, VolEscUEH, the component list and, for a single storm, NroTormentasSerie, kTormenta
// and the series' results (made anew).
void Preparacion() {
  ChequeaUnidadesYPasos();
  if (SeriesLongestStorm > 0) {
    ReservaHorizonte(SeriesLongestStorm);
  } else {
    try {
      ReservaHorizonte(DurTormenta);
    } catch (const VbError&) {
      // A horizon that cannot be reckoned fails with its message in the steps below.
    }
  }

  const double horizonte = static_cast<Single>(DurTormenta + TiempoAdicional);
  NPasosLluvia = PasosQueCubren(horizonte, PasoPp);
  nPasosSalida = PasosQueCubren(horizonte, PasoQ);
  const Integer NQ = nPasosSalida;

  RetencionRestante.redim(0, nUEHs);
  VolBaseUEH.redim(0, nUEHs + 1);
  CoefEscUEH.redim(0, nUEHs + 1);
  VolEscUEH.redim(0, nUEHs + 1);
  // A series' storms spread the same rain over every unit: the rows of PpUEHPaso are all alike.
  const bool unaFila = SinFilasGuardadas();
  const auto dimensiona = [unaFila](Array2<Single>& a, int lower1, int upper1, int upper2) {
    if (unaFila) {
      a.redimOneRow(lower1, upper1, 0, upper2);
    } else {
      a.redim(lower1, upper1, 0, upper2);
    }
  };
  dimensiona(PpUEHPaso, 0, nUEHs, static_cast<int>(std::floor(Div(DurTormenta, PasoQ) + 1)));
  dimensiona(HEmbalseLago, 0, nLagos, NQ + 1);
  dimensiona(SEmbalseLago, 0, nLagos, NQ + 1);
  dimensiona(HEmbalseRepresa, 0, nRepresas, NQ + 1);
  dimensiona(SEmbalseRepresa, 0, nRepresas, NQ + 1);

  if (FormaPp != 3) {
    for (iUEH = 1; iUEH <= nUEHs; ++iUEH) PpUEH(iUEH) = 0;
  }
  kPaso = 1;
  PpMediaAcum = 0;

  // The series asked about its network once, before its first storm, and ordered its list then.
  const bool ordenDeLaSerie = SeriesChecked && TakeSeriesOrder();
  if (!SeriesChecked) {
    if (NroTormentasSerie == 1) ComponenteFinal();
    ComponenteFinal();
  } else if (!ordenDeLaSerie) {
    BuildComponentList();
  }

  QSaleCompo.redim(0, nComponentes, 0, NQ + 1);
  dimensiona(QEntraCompo, nUEHs + 1, nComponentes + 1, NQ + 1);
  if (FormaPp != 2) {
    NroTormentasSerie = 1;
    kTormenta = 1;
  }
  if (NroTormentasSerie == 1) {
    QpSerie.redim(0, nComponentes, 0, 1);
    ESerie.redim(0, nUEHs, 0, 1);
    CESerie.redim(0, nUEHs, 0, 1);
    CETotalSerie.redim(0, 1);
    ETotalSerie.redim(0, 1);
  }
  if (RedConErrores) AdvertenciaRed();

  if (ordenDeLaSerie) {
    ListaSecuencia();
  } else {
    SecuenciaCalculo();
  }

  for (iUEH = 1; iUEH <= nUEHs; ++iUEH) {
    RetencionRestante(iUEH) = vUEHs[iUEH]->RetensionZ;
    nPasosInfiltra(iUEH) = 1;
    VolEscUEH(iUEH) = 0;
  }
}

// The report file's name, in the program folder.
QString ArchivoInforme() {
  return QStringLiteral("SalePizarra1") + QStringLiteral("_tem.txt");
}

// Hands what the report gained to the report file written ahead, when there is one.
void Adelanta(std::optional<TextValueStream>& informe) {
  if (informe) informe->feed(TextoProceso);
}

// Every reach, lake and dam in the order of computation (see Proceso_en_Cauce, Proceso_en_Lago and
// Proceso_en_Represa), each one's report handed to `informe`; writes RetardoMaximo.
void Componentes(bool& avisado, std::optional<TextValueStream>& informe) {
  RetardoMaximo = 0;
  EncabezadoComponentes();
  for (Integer j = nUEHs + 1; j <= nComponentes; ++j) {
    const QString prefijo = NombresComponentes(j).left(2);
    // Each element's inflow adds up from nothing (a series storm's inflows share one row).
    QEntraCompo.clearOneRow();
    // One failing component is reported once for the whole phase; the next ones are still routed.
    Fase(
        [&] {
          if (prefijo == QLatin1String("l-")) Proceso_en_Lago(j);
          if (prefijo == QLatin1String("r-")) Proceso_en_Represa(j);
          if (prefijo == QLatin1String("c-")) Proceso_en_Cauce(j);
        },
        avisado);
    Adelanta(informe);
  }
}

}  // namespace

bool RunChecks() {
  nPasosInfiltra.redimPreserve(nUEHs);
  try {
    ChequeaUnidadesYPasos();
    if (RedConErrores) AdvertenciaRed();
    return true;
  } catch (const SimulacionDetenida&) {
    return false;
  }
}

void AdvertenciaSimulacion(const QString& texto) {
  MsgBox(texto, vbExclamation, QStringLiteral("Advertencia !"));
  throw SimulacionDetenida{};
}

Integer PosicionComponente(const QString& nombre, Integer first, Integer last) {
  const Array1<QString>& NombresComponentes = tavo::NombresComponentes;  // the thread's, found once
  for (Integer p = first; p <= last; ++p) {
    if (NombresComponentes(p) == nombre) return p;
  }
  Raise(kErrSubscript);
}

void AmpliaHorizonte(Integer m) {
  nPasosSalida = m;
  QSaleCompo.redimPreserve(m + 1);
  QEntraCompo.redimPreserve(m + 1);
  HEmbalseLago.redimPreserve(m + 1);
  SEmbalseLago.redimPreserve(m + 1);
  HEmbalseRepresa.redimPreserve(m + 1);
  SEmbalseRepresa.redimPreserve(m + 1);
}

void Proceso_Simulacion(const Boolean& Unica) {
  // A single storm is a run of its own: the routing's warnings may be asked again. A storm of a
  // series shares the series' answers.
  if (Unica) ForgetStorageWarnings();
  const OutOfTableQuestionsPerRun preguntas;
  nPasosInfiltra.redimPreserve(nUEHs);
  SimulationCompleted = false;
  bool avisado = false;
  try {
    // Without its preparation nothing of the run can be computed: a failure there ends the run.
    // The report starts as the window's text, in the memory of the last run's report when it can.
    if (!ReportOmitted && !Fase([] { TextoProceso.assign(ReportTextBuffer()); }, avisado)) return;
    // A single storm's report goes to its file as the run writes it; the file takes it at the end.
    std::optional<TextValueStream> informe;
    if (Unica) informe.emplace(DirPrograma + QLatin1Char('/') + ArchivoInforme());
    // The threads the units' work is spread over start while the run prepares.
    if (Unica && !SeriesRunning) PreparaHilos(ThreadCount());
    if (!Fase(Preparacion, avisado)) return;
    // In one depth per unit the unit phase hands each unit's depth to the hyetograph through
    // PpTormenta; the storm's own depth comes back afterwards.
    const Single profundidad = PpTormenta;
    bool lluvia = false;
    Fase([] { SimulaUEHs(); }, lluvia);
    if (FormaPp == 3) PpTormenta = profundidad;
    bool resumen = false;
    Fase(ResumenUEHs, resumen);
    Adelanta(informe);
    bool componentes = false;
    Componentes(componentes, informe);
    SimulationCompleted = true;
    if (Unica) {
      bool archivo = false;
      Fase([&informe] { GuardaInformeSimulacion(&*informe); }, archivo);
    }
  } catch (const SimulacionDetenida&) {
    // A warning has been shown: the run ends here.
  }
}

void GuardaInformeSimulacion(TextValueStream* adelantado) {
  if (TextoProceso.size() > 60000) {
    MsgBox(
        QStringLiteral(
            "La tabla de resultados es muy extensa para ser presentada completa en la Pizarra. Los datos se "
            "guardan completos en el archivo de texto <SalePizarra1_tem.txt> del directorio del programa. "
            "Puede "
            "leer directamente este archivo con un editor de texto o bien importar archivo desde Excel como "
            "<delimitado>, con separador <espacio> y formato <general>"),
        vbExclamation, QStringLiteral("La tabla de resultados es muy extensa"));
  }
  ChDir(DirPrograma);
  RutaArchivo = ArchivoInforme();
  SeqFile archivo(RutaArchivo, OpenMode::Output);
  if (adelantado) {
    archivo.write(TextoProceso, *adelantado);
  } else {
    archivo.write(TextoProceso);
  }
  archivo.close();
  CloseAllFiles();
}

}  // namespace tavo
