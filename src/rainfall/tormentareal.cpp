#include "rainfall/tormentareal.h"

#include <QTime>
#include <algorithm>

#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "rainfall/tablefile.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

constexpr qint64 kMinutosDia = 1440;

// The whole number a text of 1 to `maxDigitos` digits forms; -1 for any other text.
int Digitos(const QString& texto, int maxDigitos) {
  if (texto.isEmpty() || texto.size() > maxDigitos) return -1;
  int valor = 0;
  for (const QChar c : texto) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    valor = valor * 10 + (c.unicode() - '0');
  }
  return valor;
}

// The date of "d/m/yyyy" (one or two digits for the day and the month, four for the year); an
// invalid date when the text is none.
QDate LeeFecha(const QString& texto) {
  const QStringList partes = texto.split(QLatin1Char('/'));
  if (partes.size() != 3 || partes[2].size() != 4) return QDate();
  const int d = Digitos(partes[0], 2);
  const int m = Digitos(partes[1], 2);
  const int a = Digitos(partes[2], 4);
  if (d < 0 || m < 0 || a < 1) return QDate();
  return QDate(a, m, d);
}

// The time of day of "h:mm" (one or two digits for the hour, two for the minutes); an invalid time
// when the text is none.
QTime LeeHora(const QString& texto) {
  const QStringList partes = texto.split(QLatin1Char(':'));
  if (partes.size() != 2 || partes[1].size() != 2) return QTime();
  const int h = Digitos(partes[0], 2);
  const int m = Digitos(partes[1], 2);
  if (h < 0 || m < 0) return QTime();
  return QTime(h, m);
}

// The number the leading characters of part of a text form (0 when they form none).
double ValorDe(const QString& texto, qsizetype desde, qsizetype largo) {
  return Val(texto.mid(desde, largo));
}

}  // namespace

const QStringList& TormentasDeEjemplo() {
  static const QStringList nombres = {
      QStringLiteral("EjemploConvectiva_pt.pcn"),
      QStringLiteral("EjemploFrontal_pt.pcn"),
      QStringLiteral("EjemploDosPicos_pt.pcn"),
      QStringLiteral("EjemploNocturna_pt.pcn"),
  };
  return nombres;
}

bool EsTormentaDeEjemplo(const QString& nombre) {
  return TormentasDeEjemplo().contains(nombre, Qt::CaseSensitive);
}

void ListaTormentasReales(FileList* lista) {
  try {
    ChDir(DirActual);
    lista->setPath(DirActual);
  } catch (const VbError&) {
    // No working folder: the list stays where it was.
  }
  lista->setPattern(kPatronTormentaReal);
}

QString NombreTormentaReal(const QString& nombre) {
  if (!nombre.endsWith(kSufijoTormentaReal) || nombre == kSufijoTormentaReal) return kTormentaRealPorDefecto;
  return nombre;
}

// ---------------------------------------------------------------------------------------------------
// The file

PartesLeidas LeeArchivoTormentaReal(const QString& nombre, CabeceraTormentaReal& cabecera) {
  PartesLeidas partes = PartesLeidas::Nada;
  try {
    ChDir(DirActual);
    RutaArchivo = nombre;
    SeqFile archivo(nombre, OpenMode::Input);
    cabecera.Notas = archivo.inputString();
    partes = PartesLeidas::Notas;
    const Integer N = archivo.inputInteger();
    const Integer paso = archivo.inputInteger();
    // A storm that cannot be run is no storm: the counts are not taken.
    if (N < 0 || paso < 1) Raise(kErrInvalidPropertyValue);
    cabecera.N = N;
    cabecera.Paso = paso;
    partes = PartesLeidas::Intervalos;
    cabecera.FechaI = archivo.inputString();
    cabecera.HoraI = archivo.inputString();
    partes = PartesLeidas::Inicio;
    cabecera.FechaF = archivo.inputString();
    cabecera.HoraF = archivo.inputString();
    partes = PartesLeidas::Fin;

    NumPer = N;
    PpPeriodo.redimPreserve(N);
    for (int k = 1; k <= N; ++k) PpPeriodo(k) = 0;
    DurTormenta = CheckInteger(static_cast<long long>(paso) * N);
    PpTormenta = 0;
    for (int k = 1; k <= N; ++k) {
      PpPeriodo(k) = archivo.inputSingle();
      PpTormenta += PpPeriodo(k);
    }
    archivo.close();
    return PartesLeidas::Todo;
  } catch (const VbError&) {
    CloseAllFiles();
    NumPer = 0;
    PpTormenta = 0;
    DurTormenta = 0;
    return partes;
  }
}

void GuardaArchivoTormentaReal(const QString& nombre, const CabeceraTormentaReal& cabecera) {
  const Integer N = cabecera.N;
  QString notas = cabecera.Notas;
  notas.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  notas.replace(QLatin1Char('\r'), QLatin1Char(' '));
  notas.replace(QLatin1Char('\n'), QLatin1Char(' '));

  RutaArchivo = nombre;
  TableFileWriter archivo(nombre, TableFileWriter::OnError::CloseAllFilesQuiet, DirActual);
  archivo.line({notas});
  archivo.line({N, cabecera.Paso});
  archivo.line({cabecera.FechaI, cabecera.HoraI});
  archivo.line({cabecera.FechaF, cabecera.HoraF});
  PpPeriodo.redimPreserve(std::max<int>(N, 0));
  for (int k = 1; k <= N; ++k) archivo.line({PpPeriodo(k)});
  archivo.close();
}

// ---------------------------------------------------------------------------------------------------
// Date and time texts

void controlMiFecha(QString& texto, Integer& invalida) {
  if (texto.size() == 8)
    texto = texto.left(2) + QLatin1Char('/') + texto.mid(2, 2) + QLatin1Char('/') + texto.right(4);
  if (texto.isEmpty() || texto == QLatin1String("0") || texto == QLatin1String("00/00/0000"))
    texto = kFechaVacia;
  invalida = 0;
  if (texto == kFechaBorrada) return;
  const double dia = ValorDe(texto, 0, 2);
  const double mes = ValorDe(texto, 3, 2);
  const double anio = ValorDe(texto, 6, 4);
  const bool refusada = texto.size() != 10 || dia < 1 || dia > 31 || texto[2] != QLatin1Char('/') ||
                        texto[5] != QLatin1Char('/') || mes < 1 || mes > 12 || anio < 100 || anio > 2099 ||
                        !LeeFecha(texto).isValid();
  if (refusada) invalida = -1;
}

void controlMiHora(QString& texto, Integer& invalida) {
  if (texto.size() == 4) texto = texto.left(2) + QLatin1Char(':') + texto.right(2);
  if (texto.isEmpty() || texto == QLatin1String("0") || texto == QLatin1String("00/00") ||
      texto == QLatin1String("24:00"))
    texto = kHoraVacia;
  invalida = 0;
  if (texto == kHoraVacia) return;
  const double hora = ValorDe(texto, 0, 2);
  const double minutos = ValorDe(texto, 3, 2);
  const bool refusada = texto.size() != 5 || hora < 0 || hora > 23 || texto[2] != QLatin1Char(':') ||
                        minutos < 0 || minutos > 60 || !LeeHora(texto).isValid();
  if (refusada) invalida = -1;
}

QDate FechaDeTexto(const QString& texto) {
  const QDate fecha = LeeFecha(texto);
  return fecha.isValid() ? fecha : LeeFecha(kFechaVacia);
}

QString HoraDeTexto(const QString& texto) {
  const QTime hora = LeeHora(texto);
  return hora.isValid() ? QString::asprintf("%02d:%02d", hora.hour(), hora.minute()) : kHoraVacia;
}

QString TextoDeFecha(const QDate& fecha) {
  return QString::asprintf("%02d/%02d/%04d", fecha.day(), fecha.month(), fecha.year());
}

qint64 MinutosDe(const QDate& fecha, const QString& hora) {
  const QTime t = LeeHora(HoraDeTexto(hora));
  return fecha.toJulianDay() * kMinutosDia + t.hour() * 60 + t.minute();
}

QDate FechaDeMinutos(qint64 minutos) {
  qint64 dia = minutos / kMinutosDia;
  if (minutos % kMinutosDia < 0) --dia;
  return QDate::fromJulianDay(dia);
}

QString HoraDeMinutos(qint64 minutos) {
  qint64 resto = minutos % kMinutosDia;
  if (resto < 0) resto += kMinutosDia;
  return QString::asprintf("%02d:%02d", static_cast<int>(resto / 60), static_cast<int>(resto % 60));
}

QString TextoFechaHora(qint64 minutos) {
  return TextoDeFecha(FechaDeMinutos(minutos)) + QLatin1Char(' ') + HoraDeMinutos(minutos);
}

bool FechasComparables(const QDate& a, const QDate& b) {
  // The empty date and the cleared date begin their own undated years.
  auto sinFecha = [](const QDate& f) { return f.year() == 1001 || f.year() == 1; };
  if (sinFecha(a) != sinFecha(b)) return false;
  return !sinFecha(a) || a.year() == b.year();
}

}  // namespace tavo
