// The run report: headings, unit lines, summaries and reach tables, appended to TextoProceso.
#include "engine/informe.h"

#include <algorithm>
#include <cstring>

#include "engine/hooks.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {
QString Redondeado(Single x, int decimales) {
  return NumberText(Redondea(x, decimales));
}
}  // namespace

void ApagaPizarra() {
  PizarraMarcada = false;
  ReportSettingHook();
}

QString ReportText() {
  return ReportTextHook();
}

const TextBuffer& ReportTextBuffer() {
  static const TextBuffer kNone;
  const TextBuffer* text = ReportTextBufferHook();
  return text ? *text : kNone;
}

void SetReportText(const QString& text) {
  SetReportTextHook(text);
}

void AppendToReport(const QString& text) {
  AppendToReportHook(text);
}

void ShowReportWindow() {
  ShowReportWindowHook();
}

void RepaintReportWindow() {
  RepaintReportWindowHook();
}

void MuestraPizarra() {
  MuestraPizarraHook();
}

void ResetPizarraState() {
  PizarraActiva = false;
  PizarraMarcada = true;
  TextoProceso.clear();
  SeriesRunning = false;
}

ReportRow& ReportRow::text(const QString& t, int width) {
  if (!p_) return *this;
  const int n = static_cast<int>(t.size());
  if (std::all_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x80; }) && n <= 240) {
    char ascii[256];
    for (int i = 0; i < n; ++i) ascii[i] = static_cast<char>(t[i].unicode());
    return chars(ascii, n, width);
  }
  blanks(width - n);
  if (!text_) {
    // A row in the caller's room holds only ASCII.
    fits(n);
    for (const QChar c : t) *p_++ = c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
    return *this;
  }
  // A text the code page's bytes cannot show as they are goes in as a text, and the row goes on in
  // room of its own size.
  const qsizetype left = end_ - p_;
  text_->commitTail(p_);
  *text_ += t;
  p_ = text_->reserveTail(room_);
  end_ = p_ + left;
  return *this;
}

void EncabezadoUEHs() {
  if (!PizarraActiva) return;
  TextoProceso += QStringLiteral("\r\n");
  TextoProceso += QStringLiteral("\r\nI- SIMULACION EN UEHs");
  TextoProceso +=
      QStringLiteral("\r\nPer.k  t[min]   UEH     Pp[mm]  Retensión Z[mm]   Infiltra I[mm]   CaudalPp[m3/s]");
}

void LineaPasoUEH(Integer k, const QString& nombre, Single p, Single Z, Single I, Single q) {
  // The units of one step often share their rain, retention and infiltration.
  thread_local NumberTextMemo lluvia, retencion, infiltracion;
  const Integer t = CheckInteger(static_cast<long long>(k) * PasoPp);
  ReportRow(TextoProceso)
      .text("\r\n")
      .right(k, 5)
      .right(t, 6)
      .text(nombre, 8)
      .right(Centesimos(p), 10, lluvia)
      .right(Centesimos(Z), 13, retencion)
      .right(Centesimos(I), 17, infiltracion)
      .right(Redondea(q, 2), 17)
      .end();
}

void ResumenUEH(Integer i) {
  const QString unidad = NumberText(i) + QLatin1Char(' ') + vUEHs[i]->NombreUEH + QStringLiteral("   ");
  const double escorrentia = UnitRunoff(i);
  TextoProceso +=
      QStringLiteral("\r\nPrecipitación   UEH ") + unidad + Redondeado(PpUEH(i), 1) + QStringLiteral(" mm");
  TextoProceso += QStringLiteral("\r\nCaudal Máximo   UEH ") + unidad + Redondeado(QpSerie(i, kTormenta), 2) +
                  QStringLiteral(" m3/s");
  TextoProceso += QStringLiteral("\r\nEscorrentía     UEH ") + unidad + NumberText(Round(escorrentia, 0)) +
                  QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nCoef.Escorrent. UEH ") + unidad + Redondeado(CoefEscUEH(i), 1) +
                  QStringLiteral(" %");
  TextoProceso +=
      QStringLiteral("\r\nVolumen de Base UEH ") + unidad + NumberText(VolBaseUEH(i)) + QStringLiteral(" m3");
}

void TotalesCuenca() {
  TextoProceso += QStringLiteral("\r\n");
  TextoProceso +=
      QStringLiteral("\r\nEscorrentía total[m3]    = ") + NumberText(VolEscTotal) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nEscorrentía total[mm]    = ") +
                  NumberText(Round(Div(Div(VolEscTotal, AreaTotalUEHs), 10), 1)) + QStringLiteral(" mm");
  TextoProceso +=
      QStringLiteral("\r\nCoef. Escorrentía        = ") + Redondeado(CoefEscTotal, 2) + QStringLiteral(" %");
  TextoProceso +=
      QStringLiteral("\r\nVolumen de Base          = ") + NumberText(VolBaseTotal) + QStringLiteral(" m3");
  TextoProceso +=
      QStringLiteral("\r\nSuma Pp UEHs             = ") + Redondeado(PpMediaAcum, 1) + QStringLiteral(" mm");
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
  // Flows rounded to thousandths often stay the same from one step to the next.
  thread_local NumberTextMemo entrada, salida;
  const Integer t = CheckInteger(static_cast<long long>(k) * PasoQ);
  const Single entra = Redondea(QEntraCompo(j, k), 3);
  const Single sale = Redondea(QSaleCompo(j, k), 3);
  ReportRow(TextoProceso)
      .text("\r\n ")
      .right(k, 7)
      .right(t, 7)
      .right(entra, 11, entrada)
      .right(sale, 10, salida)
      .end();
}

void CierreComponente(Integer j) {
  TextoProceso += QStringLiteral("\r\nVolumen Escurrido. Entra = ") + Redondeado(VolEntra, 0) +
                  QStringLiteral(" m3 ; Sale = ") + Redondeado(VolSale, 0) + QStringLiteral(" m3");
  TextoProceso += QStringLiteral("\r\nCaudal Máximo = ") + Redondeado(QpSerie(j, kTormenta), 2) +
                  QStringLiteral(" m3/s ");
  TextoProceso += QStringLiteral("\r\n");
}

}  // namespace tavo
