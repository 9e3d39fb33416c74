// The report window ("Pizarra"): it shows one growing text, the report of runs and checks (see
// engine/informe.h). The window shares the report's bytes and converts only what its box shows, and
// appending to it costs in proportion to the text added, however long the report already is.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "engine/informe.h"
#include "platform/forms.h"
#include "platform/textbuffer.h"
#include "platform/vb.h"

namespace tavo {

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

// Installs the hooks through which the runs write the report and show this window (engine/hooks.h).
void InstallReportWindowHooks();

}  // namespace tavo
