// The run report: headings, unit lines, summaries and reach tables, appended to TextoProceso.
#include "engine/informe.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "engine/frmPp.h"
#include "engine/listacomponentes.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {
QString Redondeado(Single x, int decimales) { return NumberText(Redondea(x, decimales)); }
}  // namespace

QString Derecha(const QString& text, int width) { return Columna(text, width, true); }

namespace {
// Writes `len` characters right-aligned in `width` at p; returns the end.
char* EscribeAlineado(char* p, const char* chars, int len, int width) {
  for (int pad = width - len; pad > 0; --pad) *p++ = ' ';
  std::memcpy(p, chars, static_cast<size_t>(len));
  return p + len;
}
}  // namespace

char* EscribeDerecha(char* p, Single v, int width) {
  char buf[32];
  return EscribeAlineado(p, buf, NumberTextChars(v, buf), width);
}

char* EscribeDerecha(char* p, Integer v, int width) {
  char buf[16];
  int len = 0;
  if (v >= 0) buf[len++] = ' ';
  len = static_cast<int>(std::to_chars(buf + len, buf + sizeof buf, static_cast<int>(v)).ptr - buf);
  return EscribeAlineado(p, buf, len, width);
}

Single Redondea(Single x, int decimales) { return static_cast<Single>(Round(x, decimales)); }

Single Centesimos(Single x) {
  const Single cien = 100.0f * x;
  return static_cast<Single>(Int(cien) / 100);
}

void EncabezadoUEHs() {
  if (!PizarraActiva) return;
  TextoProceso += QStringLiteral("\r\n");
  TextoProceso += QStringLiteral("\r\nI- SIMULACION EN UEHs");
  TextoProceso +=
      QStringLiteral("\r\nPer.k  t[min]   UEH     Pp[mm]  Retensión Z[mm]   Infiltra I[mm]   CaudalPp[m3/s]");
}

void LineaPasoUEH(Integer k, const QString& nombre, Single p, Single Z, Single I, Single q) {
  const Integer t = CheckInteger(static_cast<long long>(k) * PasoPp);
  TextoProceso += QStringLiteral("\r\n") + Derecha(NumberText(k), 5) + Derecha(NumberText(t), 6) + Derecha(nombre, 8) +
                  Derecha(NumberText(Centesimos(p)), 10) + Derecha(NumberText(Centesimos(Z)), 13) +
                  Derecha(NumberText(Centesimos(I)), 17) + Derecha(Redondeado(q, 2), 17);
}

void ResumenUEH(Integer i) {
  const QString unidad = NumberText(i) + QLatin1Char(' ') + vUEHs[i]->NombreUEH + QStringLiteral("   ");
  const double escorrentia = static_cast<double>(VolEscUEH(i)) - VolBaseUEH(i);
  TextoProceso += QStringLiteral("\r\nPrecipitación   UEH ") + unidad + Redondeado(PpUEH(i), 1) + QStringLiteral(" mm");
  TextoProceso += QStringLiteral("\r\nCaudal Máximo   UEH ") + unidad + Redondeado(QpSerie(i, kTormenta), 2) +
                  QStringLiteral(" m3/s");
  TextoProceso += QStringLiteral("\r\nEscorrentía     UEH ") + unidad + NumberText(Round(escorrentia, 0)) +
                  QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nCoef.Escorrent. UEH ") + unidad + Redondeado(CoefEscUEH(i), 1) + QStringLiteral(" %");
  TextoProceso += QStringLiteral("\r\nVolumen de Base UEH ") + unidad + NumberText(VolBaseUEH(i)) + QStringLiteral(" m3");
}

void TotalesCuenca() {
  TextoProceso += QStringLiteral("\r\n");
  TextoProceso += QStringLiteral("\r\nEscorrentía total[m3]    = ") + NumberText(VolEscTotal) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nEscorrentía total[mm]    = ") +
                  NumberText(Round(Div(Div(VolEscTotal, AreaTotalUEHs), 10), 1)) + QStringLiteral(" mm");
  TextoProceso += QStringLiteral("\r\nCoef. Escorrentía        = ") + Redondeado(CoefEscTotal, 2) + QStringLiteral(" %");
  TextoProceso += QStringLiteral("\r\nVolumen de Base          = ") + NumberText(VolBaseTotal) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nSuma Pp UEHs             = ") + Redondeado(PpMediaAcum, 1) + QStringLiteral(" mm");
}

void EncabezadoComponentes() {
  if (!PizarraActiva) return;
  TextoProceso += QStringLiteral("\r\n");
  TextoProceso += QStringLiteral("\r\nII- SIMULACION EN COMPONENTES RESTANTES");
  TextoProceso += QStringLiteral("\r\n    (Cauces, Lagos y Represas)");
  MuestraPizarra();
}

void EncabezadoCauce(Integer j) {
  TextoProceso += QStringLiteral("\r\nComponente: Tramo de Cauce ") + NombresComponentes(j);
  TextoProceso += QStringLiteral("\r\nPer.k  t[min]  Qentra[m3/s] Qsale[m3/s] ");
}

void FilaCauce(Integer j, Integer k) {
  const Integer t = CheckInteger(static_cast<long long>(k) * PasoQ);
  TextoProceso += QStringLiteral("\r\n ") + Derecha(NumberText(k), 7) + Derecha(NumberText(t), 7) +
                  Derecha(Redondeado(QEntraCompo(j, k), 3), 11) + Derecha(Redondeado(QSaleCompo(j, k), 3), 10);
}

void CierreComponente(Integer j) {
  TextoProceso += QStringLiteral("\r\nVolumen Escurrido. Entra = ") + Redondeado(VolEntra, 0) + QStringLiteral(" m3 ; Sale = ") +
                  Redondeado(VolSale, 0) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nCaudal Máximo = ") + Redondeado(QpSerie(j, kTormenta), 2) + QStringLiteral(" m3/s ");
  TextoProceso += QStringLiteral("\r\n");
}

}  // namespace tavo
