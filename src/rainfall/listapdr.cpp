#include "rainfall/listapdr.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"

namespace tavo {

QString TextoTormentaArchivada(const QString& P, const QString& D, const QString& R) {
  return QStringLiteral("Pp= ") + P + QStringLiteral(" - Dur = ") + D + QStringLiteral(" - Rec = ") + R;
}

std::vector<TormentaArchivada> LeeListaPDR() {
  std::vector<TormentaArchivada> tormentas;
  try {
    ChDir(DirActual);
    RutaArchivo = QStringLiteral("ListaPDR.pcn");
    SeqFile file(RutaArchivo, OpenMode::Input);
    while (!file.eof()) {
      TormentaArchivada t;
      t.P = file.inputSingle();
      t.D = file.inputInteger();
      t.R = file.inputInteger();
      t.texto = TextoTormentaArchivada(PlainNumberText(t.P), PlainNumberText(t.D), PlainNumberText(t.R));
      tormentas.push_back(t);
    }
    file.close();
    NoteFileRead(RutaArchivo, true);
  } catch (const VbError& e) {
    NoteFileRead(DirActual + QLatin1Char('/') + QStringLiteral("ListaPDR.pcn"), false);
    if (e.number != kErrFileNotFound) MsgBox(ErrorNroText(e));
  }
  return tormentas;
}

bool GuardaListaPDR(const std::vector<TormentaArchivada>& tormentas) {
  try {
    ChDir(DirActual);
    RutaArchivo = QStringLiteral("ListaPDR.pcn");
    SeqFile file(RutaArchivo, OpenMode::Output);
    for (const TormentaArchivada& t : tormentas) {
      if (!t.texto.isEmpty()) file.write({t.P, t.D, t.R});
    }
    file.close();
    return true;
  } catch (const VbError& e) {
    MsgBox(ErrorNroText(e));
    return false;
  }
}

}  // namespace tavo
