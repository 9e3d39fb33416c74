#include "project/redfiles.h"

#include <optional>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/hooks.h"
#include "project/ordencauces.h"

namespace tavo {

const char* const kMensajeArchivoDanado =
    "Hay problemas con el archivo de datos o el archivo está dañado. Si es un prorgamador avanzado, intente "
    "ingresar directamente al archivo y corregir el problema";

const char* const kMensajeExcesoComponentes =
    "El archivo de la red tiene más componentes de los que el programa admite (70 cauces, 70 UEHs, 20 "
    "represas "
    "y 70 lagos). Los componentes que sobran no se han cargado.";

const std::vector<CampoRed>& CamposCauce() {
  using enum TipoCampo;
  static const std::vector<CampoRed> campos = {
      {"numCauce", Entero},         {"NombreCauce", Texto}, {"numVertices", Entero},
      {"IndiceParInicial", Entero}, {"Cauce_aa", Texto},    {"VelMediaCauce", Simple},
      {"LongCauce", Simple},        {"OrdenCauce", Entero}, {"Cauce_k_Musk", Simple},
      {"Cauce_n_Musk", Simple},     {"optDirMusk", Logico},
  };
  return campos;
}

const std::vector<CampoRed>& CamposUEH() {
  using enum TipoCampo;
  static const std::vector<CampoRed> campos = {
      {"numUEH", Entero},      {"NombreUEH", Texto},   {"Area", Simple},       {"Referencia", Texto},
      {"LongitudMax", Simple}, {"VelMedia", Simple},   {"Metodo", Texto},      {"IconoUEHx", Simple},
      {"IconoUEHy", Simple},   {"XCauce", Simple},     {"YCauce", Simple},     {"Cauce_aa", Texto},
      {"KostiakovA", Simple},  {"KostiakovB", Simple}, {"KostiakovI", Simple}, {"Q0Recesion", Simple},
      {"KRecesion", Simple},   {"RetensionZ", Simple},
  };
  return campos;
}

const std::vector<CampoRed>& CamposRepresa() {
  using enum TipoCampo;
  static const std::vector<CampoRed> campos = [] {
    std::vector<CampoRed> c = {
        {"numRepresa", Entero},    {"NombreRepresa", Texto}, {"IconoRepresaX", Simple},
        {"IconoRepresaY", Simple}, {"Metodo", Texto},        {"XCauce", Simple},
        {"YCauce", Simple},        {"Cauce_aa", Texto},      {"optTabla", Logico},
    };
    static const char* const chk[] = {"chkFQ1", "chkFQ2", "chkFQ3", "chkFQ4",
                                      "chkFQ5", "chkFQ6", "chkFQ7", "chkFQ8"};
    static const char* const a[] = {"FQa1", "FQa2", "FQa3", "FQa4", "FQa5", "FQa6", "FQa7", "FQa8"};
    static const char* const b[] = {"FQb1", "FQb2", "FQb3", "FQb4", "FQb5", "FQb6", "FQb7", "FQb8"};
    static const char* const cc[] = {"FQc5", "FQc6", "FQc7", "FQc8"};
    static const char* const hmin[] = {"FQmin1", "FQmin2", "FQmin3", "FQmin4",
                                       "FQmin5", "FQmin6", "FQmin7", "FQmin8"};
    static const char* const hmax[] = {"FQMax1", "FQMax2", "FQMax3", "FQMax4",
                                       "FQMax5", "FQMax6", "FQMax7", "FQMax8"};
    for (const char* n : chk) c.push_back({n, Entero});
    for (const char* n : a) c.push_back({n, Simple});
    for (const char* n : b) c.push_back({n, Simple});
    for (const char* n : cc) c.push_back({n, Simple});
    c.push_back({"Represa_k_Musk", Simple});
    c.push_back({"Represa_n_Musk", Simple});
    for (const char* n : hmin) c.push_back({n, Simple});
    for (const char* n : hmax) c.push_back({n, Simple});
    c.push_back({"HInicialEmb", Simple});
    return c;
  }();
  return campos;
}

const std::vector<CampoRed>& CamposLago() {
  using enum TipoCampo;
  static const std::vector<CampoRed> campos = {
      {"numLAGO", Entero},    {"NombreLAGO", Texto},   {"Referencia", Texto},   {"Metodo", Texto},
      {"IconoLAGOx", Simple}, {"IconoLAGOy", Simple},  {"XCauce", Simple},      {"YCauce", Simple},
      {"Cauce_aa", Texto},    {"Lago_k_Musk", Simple}, {"HInicialEmb", Simple},
  };
  return campos;
}

namespace {

struct ArchivoDanado {};  // the file ended before its counts were met

QString RutaRed(const char* sufijo) {
  return DirTrabajo + QLatin1Char('/') + NombreProyecto + QLatin1String(sufijo);
}

// Reads one value after the other through the shared reading slots. A value that cannot be read is
// reported, and the load is then no longer a faithful copy of the file.
class LectorRed {
 public:
  explicit LectorRed(SeqFile& archivo, bool& completa) : archivo_(archivo), completa_(completa) {}

  Variant lee(TipoCampo tipo) {
    try {
      switch (tipo) {
        case TipoCampo::Entero:
          iGlobal = archivo_.inputInteger();
          return Variant(iGlobal);
        case TipoCampo::Texto:
          LecturaTexto = archivo_.inputString();
          return Variant(LecturaTexto);
        case TipoCampo::Simple:
          LecturaSimple = archivo_.inputSingle();
          return Variant(LecturaSimple);
        case TipoCampo::Logico:
          LecturaLogica = archivo_.inputBoolean();
          return Variant(LecturaLogica);
      }
    } catch (const VbError& e) {
      if (e.number == kErrInputPastEnd) throw ArchivoDanado{};
      MsgBox(ErrorNroText(e));
      completa_ = false;
    }
    // A value that does not fit its type is stored as 0 or as the empty text.
    switch (tipo) {
      case TipoCampo::Entero:
        iGlobal = 0;
        return Variant(iGlobal);
      case TipoCampo::Texto:
        LecturaTexto.clear();
        return Variant(LecturaTexto);
      case TipoCampo::Simple:
        LecturaSimple = 0;
        return Variant(LecturaSimple);
      case TipoCampo::Logico:
        LecturaLogica = false;
        return Variant(LecturaLogica);
    }
    return Variant();
  }

 private:
  SeqFile& archivo_;
  bool& completa_;
};

// Loads the records of one kind: the count, then each record. A record joins the containers only
// once all its values are read, so a record cut short by the end of the file is not loaded. Records
// beyond the kind's limit are read past and dropped. The count is the number of records kept.
template <class R, size_t N>
void CargaTipo(LectorRed& lector, const std::vector<CampoRed>& campos,
               std::vector<std::shared_ptr<R>>& coleccion, std::array<std::shared_ptr<R>, N>& arreglo,
               Integer& cuenta, Integer& contador, bool numeroPrimero, bool& exceso) {
  const int enArchivo = lector.lee(TipoCampo::Entero).toInteger();
  constexpr int limite = static_cast<int>(N) - 1;
  cuenta = 0;
  for (int p = 1; p <= enArchivo; ++p) {
    contador = static_cast<Integer>(p);
    if (numeroPrimero) lector.lee(TipoCampo::Entero);
    if (p > limite && !exceso) {
      exceso = true;
      MsgBox(QString::fromUtf8(kMensajeExcesoComponentes), vbExclamation);
    }
    auto registro = std::make_shared<R>();
    if (!numeroPrimero) lector.lee(TipoCampo::Entero);
    registro->set(QLatin1String(campos[0].nombre), Variant(static_cast<Integer>(p)));
    for (size_t i = 1; i < campos.size(); ++i)
      registro->set(QLatin1String(campos[i].nombre), lector.lee(campos[i].tipo));
    if (p <= limite) {
      arreglo[p] = registro;
      coleccion.push_back(registro);
      cuenta = static_cast<Integer>(p);
    }
  }
  contador = cuenta;
}

// Gives the vertex arrays room for the longest reach (at least 5 vertices).
void DimensionaVertices() {
  int cota = 5;
  for (int k = 1; k <= nCauces; ++k) cota = std::max<int>(cota, numVerticesCauce(k));
  if (cota > XVertice.upper2()) {
    XVertice.redimPreserve(cota);
    YVertice.redimPreserve(cota);
  }
}

void VaciaVertices() {
  XVertice.redim(kMaxCauces, 5);
  YVertice.redim(kMaxCauces, 5);
}

// Reads the vertices of reaches 1 to nCauces from _VerCau.pcn into emptied vertex arrays, RutaArchivo
// naming the file. Without the file the reaches keep their vertices at 0, so that a later save still
// writes the whole network. False when the file could not be opened or ended early (reported);
// `completa` turns false when a value does not read or reaches lost their vertices.
bool LeeVertices(bool& completa) {
  RutaArchivo = RutaRed("_VerCau.pcn");
  VaciaVertices();
  DimensionaVertices();
  std::optional<SeqFile> archivo;
  try {
    archivo.emplace(RutaArchivo, OpenMode::Input);
  } catch (const VbError& e) {
    if (e.number != kErrFileNotFound) {
      MsgBox(ErrorNroText(e));
      return false;
    }
    iCauce = static_cast<Integer>(nCauces + 1);
    for (int p = 1; p <= nCauces; ++p) {
      if (numVerticesCauce(p) > 0) completa = false;
    }
    return true;
  }
  LectorRed vertices(*archivo, completa);
  try {
    for (iCauce = 1; iCauce <= nCauces; ++iCauce) {
      for (jVertice = 1; jVertice <= numVerticesCauce(iCauce); ++jVertice) {
        XVertice(iCauce, jVertice) = vertices.lee(TipoCampo::Simple).toSingle();
        YVertice(iCauce, jVertice) = vertices.lee(TipoCampo::Simple).toSingle();
      }
    }
  } catch (const ArchivoDanado&) {
    MsgBox(QString::fromUtf8(kMensajeArchivoDanado), vbExclamation);
    archivo->close();
    return false;
  }
  archivo->close();
  return true;
}

}  // namespace

namespace {

// Reads the network files into the containers; CargaRedProyecto's result.
bool LeeRed() {
  colUEHs.clear();
  colCauces.clear();
  colRepresas.clear();
  colLagos.clear();
  selUEH = selRepresa = selLago = selCauce = 0;
  nCauces = nUEHs = nRepresas = nLagos = 0;

  RutaArchivo = RutaRed("_UEHs.pcn");
  std::optional<SeqFile> archivo;
  try {
    archivo.emplace(RutaArchivo, OpenMode::Input);
  } catch (const VbError& e) {
    // A missing file is a project without a network; any other failure ends the load.
    if (e.number == kErrFileNotFound) return true;
    MsgBox(ErrorNroText(e));
    return false;
  }

  bool completa = true;
  LectorRed lector(*archivo, completa);
  bool exceso = false;
  bool danado = false;
  try {
    NombreProyecto = lector.lee(TipoCampo::Texto).toString();
    CargaTipo<Cauce>(lector, CamposCauce(), colCauces, vCauces, nCauces, iCauce, true, exceso);
    CargaTipo<UEH>(lector, CamposUEH(), colUEHs, vUEHs, nUEHs, iUEH, false, exceso);
    CargaTipo<Represa>(lector, CamposRepresa(), colRepresas, vRepresas, nRepresas, iRepresa, false, exceso);
    CargaTipo<Lago>(lector, CamposLago(), colLagos, vLagos, nLagos, iLago, false, exceso);
  } catch (const ArchivoDanado&) {
    danado = true;
  }
  // The table files hold the tables of the dams and lakes under the names just read.
  for (const auto& r : colRepresas) r->tablesName = r->NombreRepresa;
  for (const auto& l : colLagos) l->tablesName = l->NombreLAGO;
  for (int p = 1; p <= nCauces; ++p) numVerticesCauce(p) = vCauces[p]->numVertices;
  if (danado) {
    MsgBox(QString::fromUtf8(kMensajeArchivoDanado), vbExclamation);
    archivo->close();
    // The reaches read so far still get their vertices, so that a later save does not write zeros
    // over them; the file at fault stays the network file.
    const QString red = RutaArchivo;
    LeeVertices(completa);
    RutaArchivo = red;
    return false;
  }
  archivo->close();
  archivo.reset();
  if (exceso) completa = false;

  if (!LeeVertices(completa)) return false;

  if (nRepresas > 0) EnableDamTestsHook();
  return completa;
}

}  // namespace

bool CargaRedProyecto() {
  const bool completa = LeeRed();
  // What was read, whole or not, is what the files hold until the next save.
  SavedNetworkText = NetworkText();
  return completa;
}

QString NetworkText() {
  QString texto;
  auto linea = [&texto](const Variant& valor) {
    texto += WriteValueText(valor);
    texto += QLatin1Char('\n');
  };
  auto tipo = [&](Integer cuenta, const auto& coleccion, const std::vector<CampoRed>& campos) {
    linea(cuenta);
    for (const auto& registro : coleccion) {
      for (const CampoRed& campo : campos) {
        // The writer works the stream orders out anew from the receivers.
        if (qstrcmp(campo.nombre, "OrdenCauce") == 0) continue;
        linea(registro->get(QLatin1String(campo.nombre)));
      }
    }
  };
  try {
    linea(NombreProyecto);
    tipo(CheckInteger(static_cast<long long>(colCauces.size())), colCauces, CamposCauce());
    tipo(nUEHs, colUEHs, CamposUEH());
    tipo(nRepresas, colRepresas, CamposRepresa());
    tipo(nLagos, colLagos, CamposLago());
    for (int i = 1; i <= static_cast<int>(colCauces.size()); ++i) {
      for (int j = 1; j <= numVerticesCauce(i); ++j) {
        linea(XVertice(i, j));
        linea(YVertice(i, j));
      }
    }
  } catch (const VbError&) {
    // A network that cannot be written out is never the one in the files.
    return QStringLiteral("\n");
  }
  return texto;
}

std::vector<std::shared_ptr<UEH>> LeeUEHsGuardadas() {
  std::vector<std::shared_ptr<UEH>> unidades;
  RutaArchivo = RutaRed("_UEHs.pcn");
  std::optional<SeqFile> archivo;
  try {
    archivo.emplace(RutaArchivo, OpenMode::Input);
  } catch (const VbError& e) {
    if (e.number != kErrFileNotFound) MsgBox(ErrorNroText(e));
    return unidades;
  }
  // The reaches come first in the file: they are read past into a network of their own.
  bool completa = true;
  LectorRed lector(*archivo, completa);
  std::vector<std::shared_ptr<Cauce>> cauces;
  std::array<std::shared_ptr<Cauce>, kMaxCauces + 1> numCauces;
  std::array<std::shared_ptr<UEH>, kMaxUEHs + 1> numUEHs;
  Integer cuenta = 0;
  Integer contador = 0;
  bool exceso = false;
  try {
    lector.lee(TipoCampo::Texto);
    CargaTipo<Cauce>(lector, CamposCauce(), cauces, numCauces, cuenta, contador, true, exceso);
    CargaTipo<UEH>(lector, CamposUEH(), unidades, numUEHs, cuenta, contador, false, exceso);
  } catch (const ArchivoDanado&) {
    MsgBox(QString::fromUtf8(kMensajeArchivoDanado), vbExclamation);
  }
  archivo->close();
  return unidades;
}

namespace {

template <class R>
void EscribeTipo(SeqFile& archivo, Integer cuenta, const std::vector<std::shared_ptr<R>>& coleccion,
                 const std::vector<CampoRed>& campos) {
  archivo.write({cuenta});
  for (const auto& registro : coleccion) {
    ElementoActual = registro;
    for (const CampoRed& campo : campos) archivo.write({ElementoActual->get(QLatin1String(campo.nombre))});
  }
}

}  // namespace

bool EscribeRedProyecto(QStringList* confirmaciones) {
  CalculaOrdenCauces();
  RutaArchivo = RutaRed("_UEHs.pcn");

  if (nCauces == 0 && nUEHs == 0 && nRepresas == 0 && nLagos == 0) {
    try {
      RmFile(RutaArchivo);
      RutaArchivo = RutaRed("_VerCau.pcn");
      RmFile(RutaArchivo);
    } catch (const VbError& e) {
      MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique")));
      return false;
    }
    SavedNetworkText = NetworkText();
    return true;
  }

  try {
    nCauces = CheckInteger(static_cast<long long>(colCauces.size()));
    SeqFile red(RutaArchivo, OpenMode::Output);
    red.write({NombreProyecto});
    EscribeTipo(red, nCauces, colCauces, CamposCauce());
    EscribeTipo(red, nUEHs, colUEHs, CamposUEH());
    EscribeTipo(red, nRepresas, colRepresas, CamposRepresa());
    EscribeTipo(red, nLagos, colLagos, CamposLago());

    RutaArchivo = RutaRed("_VerCau.pcn");
    SeqFile vertices(RutaArchivo, OpenMode::Output);
    for (iCauce = 1; iCauce <= nCauces; ++iCauce) {
      for (jVertice = 1; jVertice <= numVerticesCauce(iCauce); ++jVertice) {
        vertices.write({XVertice(iCauce, jVertice), YVertice(iCauce, jVertice)});
      }
    }
    // Dams and lakes renamed since the load take their tables along. All the files replace the old
    // ones only when all are complete.
    const std::vector<std::unique_ptr<SeqFile>> tablas = RenamedTableFilesHook();
    std::vector<SeqFile*> archivos{&red, &vertices};
    for (const auto& tabla : tablas) archivos.push_back(tabla.get());
    CloseTogether(archivos);
  } catch (const VbError& e) {
    // The old files stay, and so does the network in memory: nothing is reloaded.
    MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique")));
    return false;
  }

  CargaRedProyecto();
  RedrawNetworkHook();
  const QString guardado = QStringLiteral(
                               "Los datos de componentes de Unidades Hidrológicas del proyecto se han "
                               "guardado correctamente en el archivo ") +
                           RutaArchivo;
  if (confirmaciones) {
    *confirmaciones << guardado;
  } else {
    MsgBox(guardado);
  }
  return true;
}

}  // namespace tavo
