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

// The number text of a 16-bit value: a blank before zero and positive values.
int IntegerChars(Integer v, char* out) {
  int len = 0;
  if (v >= 0) out[len++] = ' ';
  return static_cast<int>(std::to_chars(out + len, out + 16, static_cast<int>(v)).ptr - out);
}
}  // namespace

ReportRow& ReportRow::chars(const char* c, int n, int width, bool right) {
  const int pad = width > n ? width - n : 0;
  if (right) p_ = std::fill_n(p_, pad, ' ');
  p_ = std::copy_n(c, n, p_);
  if (!right) p_ = std::fill_n(p_, pad, ' ');
  return *this;
}

ReportRow& ReportRow::text(const char* ascii) {
  while (*ascii) *p_++ = *ascii++;
  return *this;
}

ReportRow& ReportRow::text(const QString& t, int width) {
  const int n = static_cast<int>(t.size());
  if (std::all_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x80; }) && n <= 256) {
    char ascii[256];
    for (int i = 0; i < n; ++i) ascii[i] = static_cast<char>(t[i].unicode());
    return chars(ascii, n, width, true);
  }
  blanks(width - n);
  text_.commitTail(p_);
  text_ += t;
  p_ = text_.reserveTail(room_);
  return *this;
}

ReportRow& ReportRow::blanks(int n) {
  if (n > 0) p_ = std::fill_n(p_, n, ' ');
  return *this;
}

ReportRow& ReportRow::number(Single v, int width) {
  char c[32];
  return chars(c, NumberTextChars(v, c), width, false);
}

ReportRow& ReportRow::number(Integer v, int width) {
  char c[16];
  return chars(c, IntegerChars(v, c), width, false);
}

ReportRow& ReportRow::right(Single v, int width) {
  char c[32];
  return chars(c, NumberTextChars(v, c), width, true);
}

ReportRow& ReportRow::right(Integer v, int width) {
  char c[16];
  return chars(c, IntegerChars(v, c), width, true);
}

ReportRow& ReportRow::right(Single v, int width, NumberTextMemo& memo) {
  if (memo.length < 0 || std::memcmp(&memo.value, &v, sizeof v) != 0) {
    memo.value = v;
    memo.length = NumberTextChars(v, memo.chars);
  }
  return chars(memo.chars, memo.length, width, true);
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
  ReportRow(TextoProceso)
      .text("\r\n")
      .right(k, 5)
      .right(t, 6)
      .text(nombre, 8)
      .right(Centesimos(p), 10)
      .right(Centesimos(Z), 13)
      .right(Centesimos(I), 17)
      .right(Redondea(q, 2), 17)
      .end();
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
  const Single entra = Redondea(QEntraCompo(j, k), 3);
  const Single sale = Redondea(QSaleCompo(j, k), 3);
  ReportRow(TextoProceso).text("\r\n ").right(k, 7).right(t, 7).right(entra, 11).right(sale, 10).end();
}

void CierreComponente(Integer j) {
  TextoProceso += QStringLiteral("\r\nVolumen Escurrido. Entra = ") + Redondeado(VolEntra, 0) + QStringLiteral(" m3 ; Sale = ") +
                  Redondeado(VolSale, 0) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nCaudal Máximo = ") + Redondeado(QpSerie(j, kTormenta), 2) + QStringLiteral(" m3/s ");
  TextoProceso += QStringLiteral("\r\n");
}

}  // namespace tavo
