// The report window ("Pizarra") and the report text. Runs and checks write a plain-text report; the
// switch PizarraActiva decides whether its detailed parts are written at all, and the window shows
// one growing text. The window shares the report's bytes and converts only what its box shows, and
// appending to it costs in proportion to the text added, however long the report already is.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "platform/forms.h"
#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

inline Boolean PizarraActiva = false;  // detailed report lines are written and the report window is on
inline TextBuffer TextoProceso;        // report text of the last simulation, lines ended by CR LF
inline Boolean SeriesRunning = false;  // a storm-series run is under way: the report stays off
inline Boolean ReportOmitted = false;  // the run in hand writes no report: a storm of a series whose
                                       // report no one will see (TextoProceso stays as it is)

class frmPp : public QWidget, public FormInstance<frmPp> {
  Q_OBJECT
 public:
  frmPp();
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void cmdCerrar_Click();
  void cmdImprimir_Click();

  // The text of Text1, with the line ends the program wrote (CR LF).
  QString text();
  // The same text as the report keeps it.
  const TextBuffer& buffer();
  // Sets the text. A text that begins with the one shown only has its new part added to the box.
  void setText(const QString& text);
  void setText(const TextBuffer& text);
  void appendText(const QString& text);
  // Shows TextoProceso; after the first time in a run only what the run appended goes to the box.
  void showReport();

  QPlainTextEdit* Text1;
  QPushButton* cmdCerrar;
  QPushButton* cmdImprimir;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const TextBuffer& shownText();
  void addToBox();
  TextBuffer text_;      // the window's text, as the program wrote it
  qsizetype boxed_ = 0;  // characters of text_ that the box shows
  bool edited_ = false;  // the user has typed into the box since the program last wrote it
  bool writing_ = false;
};

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

void ResetPizarraState();

}  // namespace tavo
