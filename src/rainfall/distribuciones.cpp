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
}  // namespace

void LeeTablaDisTemPer() {
  RutaArchivo = QStringLiteral("distriPp_dpt.pcn");
  try {
    ChDir(DirPrograma);
    SeqFile file(RutaArchivo, OpenMode::Input);
    for (int t = 1; t <= 3; ++t) {
      NroFilasTablaPp[t] = file.inputInteger();
      if (NroFilasTablaPp[t] < 0 || NroFilasTablaPp[t] > kMaxPeriodos) Raise(kErrInvalidCall);
    }
    DisPer.redimPreserve(*std::max_element(NroFilasTablaPp.begin() + 1, NroFilasTablaPp.end()) + 1);
    for (int t = 1; t <= 3; ++t) {
      NotasDisPer[t] = file.inputString();
      DurMinDisPer[t] = file.inputInteger();
      DurMaxDisPer[t] = file.inputInteger();
      for (int j = 1; j <= NroFilasTablaPp[t]; ++j) DisPer(t, j) = file.inputSingle();
    }
    file.close();
    ChDir(DirActual);
  } catch (const VbError&) {
    CloseAllFiles();
    NroFilasTablaPp = {};
  }
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
