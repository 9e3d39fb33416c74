// The run report: the report switch and text, the report window's text as the runs use it, and the
// lines the simulation writes into TextoProceso for the units, the basin and the reaches, in the
// report's fixed columns.
#pragma once

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/errors.h"
#include "platform/hooks.h"
#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

// ---- the report switch and the report text ----
inline Boolean PizarraActiva = false;  // detailed report lines are written and the report window is on
inline Boolean PizarraMarcada = true;  // the user's report setting (the main window's report item is
                                       // checked): a single storm writes its detailed report
inline Boolean SeriesRunning = false;  // a storm-series run is under way: the report stays off
// The state of one run, each thread its own:
inline thread_local TextBuffer TextoProceso;  // report text of the last simulation, lines ended by CR LF
inline thread_local Boolean ReportOmitted = false;  // the run in hand writes no report: a storm of a series
                                                    // whose report no one will see (TextoProceso stays)

// The main window's report item shows PizarraMarcada; the main window installs it.
inline Hook<void()> ReportSettingHook;

// Switches the user's report setting off (the series, the report window closing) and has the main
// window show it. Writes PizarraMarcada.
void ApagaPizarra();

// ---- the report window's text, as the runs read and write it (the report window keeps it and
// installs these procedures' hooks, engine/hooks.h; without it they do nothing) ----
// The window's text; using it brings the window into existence (loaded, not shown).
QString ReportText();
const TextBuffer& ReportTextBuffer();
void SetReportText(const QString& text);
void AppendToReport(const QString& text);
// Shows the window without modality, inside the main window.
void ShowReportWindow();
// Brings the window up to date on screen at once, before a long computation.
void RepaintReportWindow();
// Sets the window's text to TextoProceso: when the Pizarra is turned on, and at the refresh points
// of a simulation, where it adds only what the run appended since the last refresh.
void MuestraPizarra();
// Empties the report: the last run's text and, when the window exists, what it shows (a new project
// has no report yet).
void ClearReport();

void ResetPizarraState();

// The number text of the last value a column wrote, for the columns whose rows often repeat a value.
struct NumberTextMemo {
  Single value = 0;
  int length = -1;  // none yet
  char chars[32];
  // The text of v, formatted only when v is not the last value.
  const char* text(Single v) {
    if (length < 0 || std::memcmp(&value, &v, sizeof v) != 0) {
      value = v;
      length = NumberTextChars(v, chars);
    }
    return chars;
  }
};

// A report row written in place at the end of a report text: texts, blanks and number texts, right-
// aligned in a width (blanks before) or padded to it (blanks after); a text is never cut. `room` bounds
// the row's bytes: a piece that would go beyond it raises error 9 and writes nothing. Only end() keeps
// the row.
class ReportRow {
 public:
  // In a run that writes no report (ReportOmitted) the row writes nothing; its values are still
  // worked out, with their checks.
  explicit ReportRow(TextBuffer& text, qsizetype room = 512)
      : text_(&text),
        room_(room + kMargin),
        p_(ReportOmitted ? nullptr : text.reserveTail(room_)),
        end_(p_ ? p_ + room : nullptr) {}
  // A row of at most `room` bytes written at `at`, in room the caller holds, with kMargin bytes beyond
  // the row's own that the row may overwrite; here() then tells where it ends, and end() keeps nothing.
  ReportRow(char* at, qsizetype room) : text_(nullptr), room_(0), p_(at), end_(at + room) {}
  ReportRow& text(const char* ascii) {
    if (!p_) return *this;
    const size_t n = std::strlen(ascii);
    fits(static_cast<qsizetype>(n));
    p_ = std::copy_n(ascii, n, p_);
    return *this;
  }
  ReportRow& text(const QString& t, int width = 0);  // right-aligned in width
  // Blanks go in with copies of a fixed length, which the room's margin allows for.
  ReportRow& blanks(int n) {
    if (!p_) return *this;
    fits(std::max(n, 0));
    if (n <= 32) {
      std::memset(p_, ' ', 32);
      p_ += std::max(n, 0);
    } else {
      p_ = std::fill_n(p_, n, ' ');
    }
    return *this;
  }
  // Padded to width. The number text goes in first, into the margin if need be, and counts once there.
  ReportRow& number(Single v, int width = 0) {
    if (!p_) return *this;
    const int n = NumberTextChars(v, p_);
    fits(n);
    p_ += n;
    return blanks(width - n);
  }
  ReportRow& number(Integer v, int width = 0) {
    if (!p_) return *this;
    const int n = IntegerChars(v, p_);
    fits(n);
    p_ += n;
    return blanks(width - n);
  }
  ReportRow& right(Single v, int width) {
    if (!p_) return *this;
    char c[32];
    return chars(c, NumberTextChars(v, c), width);
  }
  ReportRow& right(Integer v, int width) {
    if (!p_) return *this;
    char c[32];
    return chars(c, IntegerChars(v, c), width);
  }
  // The same, formatted only when v differs from the memo's value.
  ReportRow& number(Single v, int width, NumberTextMemo& memo) {
    if (!p_) return *this;
    const char* c = memo.text(v);
    fits(memo.length);
    std::memcpy(p_, c, 16);
    p_ += memo.length;
    return blanks(width - memo.length);
  }
  ReportRow& right(Single v, int width, NumberTextMemo& memo) {
    if (!p_) return *this;
    const char* c = memo.text(v);
    return chars(c, memo.length, width);
  }
  // Characters as they are (ASCII), and where the next one goes: what a row writes between two places
  // can be copied into another row.
  ReportRow& ascii(const char* c, int n) {
    if (!p_) return *this;
    fits(n);
    p_ = std::copy_n(c, n, p_);
    return *this;
  }
  const char* here() const { return p_; }
  void end() {
    if (p_ && text_) text_->commitTail(p_);
  }

  static constexpr qsizetype kMargin = 64;  // for the copies of a fixed length

 private:
  // Raises error 9 when n more bytes would go beyond the row's room.
  void fits(qsizetype n) const {
    if (n > end_ - p_) Raise(kErrSubscript);
  }
  // The number text of a 16-bit value: a blank before zero and positive values.
  static int IntegerChars(Integer v, char* out) {
    int len = 0;
    if (v >= 0) out[len++] = ' ';
    return static_cast<int>(std::to_chars(out + len, out + 16, static_cast<int>(v)).ptr - out);
  }
  // n characters (at least 16 readable at c) right-aligned in width.
  ReportRow& chars(const char* c, int n, int width) {
    blanks(width - n);
    fits(n);
    if (n <= 16) {
      std::memcpy(p_, c, 16);
    } else {
      std::memcpy(p_, c, static_cast<size_t>(n));
    }
    p_ += n;
    return *this;
  }
  TextBuffer* text_;
  qsizetype room_;
  char* p_;
  char* end_;  // where the row's own room ends
};

// Each of these appends to TextoProceso.
// The unit section heading; reads PizarraActiva.
void EncabezadoUEHs();
// The line of unit `nombre` in rain step k: rain, retention, infiltration and discharge; reads PasoPp.
void LineaPasoUEH(Integer k, const QString& nombre, Single p, Single Z, Single I, Single q);
// The five summary lines of unit i; reads the unit, PpUEH, QpSerie(i, kTormenta), VolEscUEH, VolBaseUEH
// and CoefEscUEH.
void ResumenUEH(Integer i);
// The basin totals; reads VolEscTotal, AreaTotalUEHs, CoefEscTotal, VolBaseTotal and PpMediaAcum.
void TotalesCuenca();
// The heading of the component section; the window then shows the units' part of the report. Reads
// PizarraActiva.
void EncabezadoComponentes();
// The reach table's heading, one row, and the closing lines of a reach, lake or dam at position j.
// Read NombresComponentes, PasoQ, QEntraCompo, QSaleCompo, VolEntra, VolSale and QpSerie(j, kTormenta).
void EncabezadoCauce(Integer j);
void FilaCauce(Integer j, Integer k);
void CierreComponente(Integer j);

}  // namespace tavo
