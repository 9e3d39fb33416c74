// The run report: the lines the simulation writes into TextoProceso for the units, the basin and the
// reaches, in the report's fixed columns.
#pragma once

#include <QString>

#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

// The number text of the last value a column wrote, for the columns whose rows often repeat a value.
struct NumberTextMemo {
  Single value = 0;
  int length = -1;  // none yet
  char chars[32];
};

// A report row written in place at the end of a report text: texts, blanks and number texts, right-
// aligned in a width (blanks before) or padded to it (blanks after); a text is never cut. `room` bounds
// the bytes of the row's ASCII pieces. Only end() keeps the row.
class ReportRow {
 public:
  explicit ReportRow(TextBuffer& text, qsizetype room = 512) : text_(text), room_(room), p_(text.reserveTail(room)) {}
  ReportRow& text(const char* ascii);
  ReportRow& text(const QString& t, int width = 0);  // right-aligned in width
  ReportRow& blanks(int n);
  ReportRow& number(Single v, int width = 0);   // padded to width
  ReportRow& number(Integer v, int width = 0);  // padded to width
  ReportRow& right(Single v, int width);
  ReportRow& right(Integer v, int width);
  // The number text of v right-aligned in width, formatted only when v differs from the memo's.
  ReportRow& right(Single v, int width, NumberTextMemo& memo);
  void end() { text_.commitTail(p_); }

 private:
  ReportRow& chars(const char* c, int n, int width, bool right);
  TextBuffer& text_;
  qsizetype room_;
  char* p_;
};

// x rounded to `decimales` (halves to even) and kept in Single, as the report writes it.
Single Redondea(Single x, int decimales);
// The whole part of 100·x divided by 100, in Single: x cut down to hundredths.
Single Centesimos(Single x);

// The unit section heading.
void EncabezadoUEHs();
// The line of unit `nombre` in rain step k: rain, retention, infiltration and discharge.
void LineaPasoUEH(Integer k, const QString& nombre, Single p, Single Z, Single I, Single q);
// The five summary lines of unit i.
void ResumenUEH(Integer i);
// The basin totals.
void TotalesCuenca();
// The heading of the component section; the window then shows the units' part of the report.
void EncabezadoComponentes();
// The reach table's heading, one row, and the closing lines of a reach, lake or dam at position j.
void EncabezadoCauce(Integer j);
void FilaCauce(Integer j, Integer k);
void CierreComponente(Integer j);

}  // namespace tavo
