// Reading and writing the user temporal distributions: a line of the three period counts, then per
// table its note, its range of durations and one share per period.
#include "rainfall/distribuciones.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/tablefile.h"

namespace tavo {

namespace {

constexpr int kMaxPeriodos = 999;  // the most periods a table may have

// The fields a reading fills: the editor's store or a copy of one reader's own.
struct Destino {
  std::array<Integer, 4>& NroFilasTablaPp;
  Array2<Single>& DisPer;
  std::array<Integer, 4>& DurMinDisPer;
  std::array<Integer, 4>& DurMaxDisPer;
  std::array<QString, 4>& NotasDisPer;
};

int MayorCuenta(const std::array<Integer, 4>& cuentas) {
  return *std::max_element(cuentas.begin() + 1, cuentas.end());
}

void Lee(Destino d) {
  RutaArchivo = QStringLiteral("distriPp_dpt.pcn");
  const QString ruta = DirPrograma + QLatin1Char('/') + RutaArchivo;
  try {
    ChDir(DirPrograma);
    SeqFile file(RutaArchivo, OpenMode::Input);
    for (int t = 1; t <= 3; ++t) {
      d.NroFilasTablaPp[t] = file.inputInteger();
      if (d.NroFilasTablaPp[t] < 0 || d.NroFilasTablaPp[t] > kMaxPeriodos) Raise(kErrInvalidCall);
    }
    d.DisPer.redimPreserve(MayorCuenta(d.NroFilasTablaPp) + 1);
    for (int t = 1; t <= 3; ++t) {
      d.NotasDisPer[t] = file.inputString();
      d.DurMinDisPer[t] = file.inputInteger();
      d.DurMaxDisPer[t] = file.inputInteger();
      for (int j = 1; j <= d.NroFilasTablaPp[t]; ++j) d.DisPer(t, j) = file.inputSingle();
    }
    file.close();
    NoteFileRead(ruta, true);
    ChDir(DirActual);
  } catch (const VbError&) {
    CloseAllFiles();
    NoteFileRead(ruta, false);
    d.NroFilasTablaPp = {};
  }
}

}  // namespace

void LeeTablaDisTemPer() {
  Lee({NroFilasTablaPp, DisPer, DurMinDisPer, DurMaxDisPer, NotasDisPer});
}

void LeeTablaDisTemPer(TablasDisTemPer& tablas) {
  Lee({tablas.NroFilasTablaPp, tablas.DisPer, tablas.DurMinDisPer, tablas.DurMaxDisPer, tablas.NotasDisPer});
}

void DimensionaDisPer() {
  if (DisPer.upper2() < MayorCuenta(NroFilasTablaPp)) DisPer.redimPreserve(MayorCuenta(NroFilasTablaPp));
}

void GuardaTablaDisTemPer() {
  RutaArchivo = QStringLiteral("distriPp_dpt.pcn");
  TableFileWriter file(RutaArchivo, TableFileWriter::OnError::DropFile);
  file.line({NroFilasTablaPp[1], NroFilasTablaPp[2], NroFilasTablaPp[3]});
  for (int t = 1; t <= 3; ++t) {
    file.line({QuotedTextForFile(NotasDisPer[t])});
    file.line({DurMinDisPer[t], DurMaxDisPer[t]});
    for (int j = 1; j <= NroFilasTablaPp[t]; ++j) file.line({DisPer(t, j)});
  }
  file.close();
}

void ResetDistribucionesState() {
  NroFilasTablaPp = {};
  DisPer.redim(0, 3, 0, 1);
  DurMinDisPer = {};
  DurMaxDisPer = {};
  NotasDisPer = {};
}

}  // namespace tavo
