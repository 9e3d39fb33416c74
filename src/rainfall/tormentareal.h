// Measured storms: each is a file "<storm>_pt.pcn" of the working folder holding a note, the number of
// intervals N and their length, the texts of the start and end date and time, and the rain depth of
// each interval. Reading a file makes its storm the current one. Also the normalisers of the date and
// time texts and the minute arithmetic of the start and end of a storm, all on the calendar alone
// (no time zone, no locale).
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "platform/filelists.h"
#include "platform/vb.h"

namespace tavo {

inline const QString kSufijoTormentaReal = QStringLiteral("_pt.pcn");
inline const QString kPatronTormentaReal = QStringLiteral("*_pt.pcn");
// The name a storm file gets when it has none of its own.
inline const QString kTormentaRealPorDefecto = QStringLiteral("Pelcan_pt.pcn");
// The empty date (a storm without a valid date), the date of a cleared storm and the empty time.
inline const QString kFechaVacia = QStringLiteral("01/01/1001");
inline const QString kFechaBorrada = QStringLiteral("01/01/0001");
inline const QString kHoraVacia = QStringLiteral("00:00");
// N of a storm made in the editor, and its duration N × step [min], which must fit a whole number.
constexpr int kMaxIntervalos = 999;
constexpr int kMaxDuracionReal = 32767;

// The sample storms delivered with the program: they are shown, never written.
const QStringList& TormentasDeEjemplo();
bool EsTormentaDeEjemplo(const QString& nombre);

// Lists the storm files of the working folder in `lista` (which keeps its folder when the working
// folder is missing).
void ListaTormentasReales(FileList* lista);

// The file name the readers and the writer work on: a name that is not "<storm>_pt.pcn" is the
// default name.
QString NombreTormentaReal(const QString& nombre);

// The first four lines of a storm file.
struct CabeceraTormentaReal {
  QString Notas;
  Integer N = 0;     // intervals
  Integer Paso = 0;  // interval length [min]
  QString FechaI, HoraI, FechaF, HoraF;
};

// How far a reading got: the lines of the header it read whole.
enum class PartesLeidas { Nada, Notas, Intervalos, Inicio, Fin, Todo };

// Reads the storm file `nombre` of the working folder into the current storm: its depths into
// PpPeriodo(1..N), N into NumPer, their sum into PpTormenta and N × step into DurTormenta. `cabecera`
// gets what the header holds, as far as the reading got. Any failure (a missing file, fewer lines or
// depths than announced, a field that is no number, N below 0, a step below 1, N × step beyond 32767)
// leaves N, P and D at 0, so no stale storm can be run; the depths read so far stay.
PartesLeidas LeeArchivoTormentaReal(const QString& nombre, CabeceraTormentaReal& cabecera);

// Writes the storm `cabecera` with the depths PpPeriodo(1..N) to the file `nombre` of the working
// folder, first dropping the depths above N. A double quote of the note is stored as a single quote
// and a line break as a blank, so the file always reads back. A failure is shown and keeps the old file.
void GuardaArchivoTormentaReal(const QString& nombre, const CabeceraTormentaReal& cabecera);

// ---- date and time texts ----

// Normalise a date text ("dd/mm/yyyy") or a time text ("hh:nn") in place; `invalida` is -1 when the
// text is refused, else 0. "01042004" is "01/04/2004", "2030" is "20:30"; the empty text and "0" are
// the empty date and the empty time.
void controlMiFecha(QString& texto, Integer& invalida);
void controlMiHora(QString& texto, Integer& invalida);

// The date a date text denotes; a text that is no date denotes the empty date.
QDate FechaDeTexto(const QString& texto);
// A time text as "hh:nn"; a text that is no time of day gives the empty time.
QString HoraDeTexto(const QString& texto);
// A date as "dd/mm/yyyy".
QString TextoDeFecha(const QDate& fecha);
// A date and a time "hh:nn" as minutes from a fixed origin, and back as "dd/mm/yyyy hh:nn".
qint64 MinutosDe(const QDate& fecha, const QString& hora);
QDate FechaDeMinutos(qint64 minutos);
QString HoraDeMinutos(qint64 minutos);
QString TextoFechaHora(qint64 minutos);
// True when the minutes between two dates mean something: both are dates of the calendar, or both
// stand for the same "no date" (the empty or the cleared date, and the days after it).
bool FechasComparables(const QDate& a, const QDate& b);

}  // namespace tavo
