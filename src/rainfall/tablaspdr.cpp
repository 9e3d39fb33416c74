// Reading and writing the storm tables: a line of the four storm counts, then per table its notes
// and one line of P, D and R per storm.
#include "rainfall/tablaspdr.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/tablefile.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {
constexpr int kMaxTormentas = 999;  // the most storms a table may have

QString FileName() {
  return QStringLiteral("TablasPDRs") + QStringLiteral("_pdr.pcn");
}
}  // namespace

void DimensionaTablasPDRs() {
  const int largest = *std::max_element(NroFilasTablaPDR.begin(), NroFilasTablaPDR.end());
  PpTablaPDR.redimPreserve(largest + 1);
  DurTablaPDR.redimPreserve(largest + 1);
  RecTablaPDR.redimPreserve(largest + 1);
}

void LeeTablaPDRs() {
  RutaArchivo = FileName();
  const QString ruta = DirPrograma + QLatin1Char('/') + FileName();
  try {
    ChDir(DirPrograma);
    SeqFile file(RutaArchivo, OpenMode::Input);
    // The counts are taken only once the whole line of counts has read.
    std::array<Integer, 4> cuentas{};
    for (Integer& n : cuentas) {
      n = file.inputInteger();
      if (n < 0 || n > kMaxTormentas) Raise(kErrInvalidCall);
    }
    NroFilasTablaPDR = cuentas;
    DimensionaTablasPDRs();
    for (int t = 0; t <= 3; ++t) {
      for (int i = 1; i <= NroFilasTablaPDR[t]; ++i)
        PpTablaPDR(t, i) = DurTablaPDR(t, i) = RecTablaPDR(t, i) = 0;
    }
    for (int t = 0; t <= 3; ++t) {
      NotasTablaPDR[t] = file.inputString();
      for (int i = 1; i <= NroFilasTablaPDR[t]; ++i) {
        PpTablaPDR(t, i) = file.inputInteger();
        DurTablaPDR(t, i) = file.inputInteger();
        RecTablaPDR(t, i) = file.inputInteger();
      }
    }
    if (NroTablaPDR < 1 || NroTablaPDR > 3) NroTablaPDR = 0;
    const int t = NroTablaPDR;
    NroTormentasSerie = NroFilasTablaPDR[t];
    PpSerie.redim(0, NroTormentasSerie);
    DurSerie.redim(0, NroTormentasSerie);
    RecSerie.redim(0, NroTormentasSerie);
    for (int k = 1; k <= NroTormentasSerie; ++k) {
      PpSerie(k) = PpTablaPDR(t, k);
      DurSerie(k) = DurTablaPDR(t, k);
      RecSerie(k) = RecTablaPDR(t, k);
    }
    file.close();
    NoteFileRead(ruta, true);
    ChDir(DirActual);
  } catch (const VbError&) {
    // The regional table keeps its count and the storms read so far, so that a later save of a
    // user table writes them back; the user tables are left empty. The series is not loaded from a
    // table read in part, and none of an earlier reading remains to be run in its place.
    CloseAllFiles();
    NoteFileRead(ruta, false);
    NroFilasTablaPDR[1] = NroFilasTablaPDR[2] = NroFilasTablaPDR[3] = 0;
    DimensionaTablasPDRs();
    ClearSeries();
  }
}

void GuardaTablasPDRs() {
  RutaArchivo = FileName();
  // A count raised in the window has its storms in memory before any of them is written.
  DimensionaTablasPDRs();
  TableFileWriter file(RutaArchivo, TableFileWriter::OnError::CloseAllFilesQuiet);
  file.line({NroFilasTablaPDR[0], NroFilasTablaPDR[1], NroFilasTablaPDR[2], NroFilasTablaPDR[3]});
  for (int t = 0; t <= 3; ++t) {
    file.line({QuotedTextForFile(NotasTablaPDR[t])});
    for (int i = 1; i <= NroFilasTablaPDR[t]; ++i)
      file.line({PpTablaPDR(t, i), DurTablaPDR(t, i), RecTablaPDR(t, i)});
  }
  file.close();
}

void ResetTablasPDRState() {
  NroFilasTablaPDR = {};
  PpTablaPDR.redim(0, 3, 0, 1);
  DurTablaPDR.redim(0, 3, 0, 1);
  RecTablaPDR.redim(0, 3, 0, 1);
  NotasTablaPDR = {};
}

}  // namespace tavo
