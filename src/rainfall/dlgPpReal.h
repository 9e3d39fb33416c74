// The measured-storm editor: the user picks, creates, clears and edits the measured storms of the
// working folder, one file each, typing the depth of each interval into a table and the storm's time
// frame into the count, step, start and end fields. It works on the current storm's interval depths
// and follows the storm dialog: becoming the active window switches the storm to the measured storm
// chosen there, and Apply writes the storm and hands its file back to the dialog.
#pragma once

#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <memory>

#include "platform/arrays.h"
#include "platform/elidedlabel.h"
#include "platform/filelists.h"
#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgPpReal : public QDialog, public FormInstance<dlgPpReal> {
  Q_OBJECT
 public:
  dlgPpReal();
  void Form_Load();
  void Form_Unload() {}
  // Each time the window becomes the active one: the measured storm of the storm dialog is shown
  // again, edits not applied are dropped.
  void Form_Activate();

  // ---- files ----
  void FilePpReal_Click();
  // Settles the current file name and selects it in the list.
  void ValidaArchivoPpReal();
  // Reads the current file into the boxes and the current storm.
  void CargaArchivoPpReal();
  // Writes the current storm to the current file.
  void GuardaArchivoPpReal();
  void cmdNuevaPpReal_Click();
  void cmdBorraTablaDisPer_Click();

  // ---- closing and the chart ----
  // Writes the storm (a sample storm is never written) and makes its file the storm dialog's
  // measured storm; false when it stopped.
  bool cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();
  void cmdVerGrafico_Click();

  // ---- the interval table ----
  // Refills the table from the storm and sets which fields can be edited.
  void LlenaGrillaPpReal();
  // Recomputes the running sums of the depths.
  void AcumulaGrillaPpReal();
  void MSFlexGridTablaPpReal_KeyDown(int KeyCode);
  void MSFlexGridTablaPpReal_KeyPress(int KeyAscii);
  void MSFlexGridTablaPpReal_LeaveCell();

  // ---- the time fields; a check returns false to keep the focus ----
  bool txtNroPpReal_Validate();
  void cmbPasot_Click();
  bool txtDateI_Validate();
  bool txtTimeI_Validate();
  bool txtDateF_Validate();
  bool txtTimeF_Validate();
  void optNroPpReal_Click();
  void txtNotas_Change();

  // ---- controls ----
  QGroupBox* Frame1;
  FileList* FilePpReal;
  QPushButton* cmdNuevaPpReal;
  QLabel* Label2;
  ElidedLabel* lblMiFilePpReal;  // the current file: its whole name is fullText()
  QLabel* Label5;
  QLineEdit* txtNotas;
  QGroupBox* Frame3;
  QLabel* Label10;
  ValidatedBox* txtNroPpReal;
  QLabel* Label3;
  QComboBox* cmbPasot;
  QLabel* Label4;
  QLabel* Label12;
  QLabel* Label6;
  QLabel* Label1;
  ValidatedBox* txtDateI;
  ValidatedBox* txtTimeI;
  QLabel* Label7;
  ValidatedBox* txtDateF;
  ValidatedBox* txtTimeF;
  QLabel* Label8;
  std::array<QRadioButton*, 2> optNroPpReal;  // 0: the end fixed, N computed; 1: N fixed, the end computed
  QGroupBox* Frame2;
  FlexGrid* MSFlexGridTablaPpReal;
  QPushButton* cmdBorraTablaDisPer;
  QPushButton* cmdVerGrafico;
  QPushButton* cmdAplicar;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- the window's fields ----
  QString MiFilePpReal;              // current storm file, without folder
  QString NotasPpReal;               // its notes, as txtNotas holds them
  Integer PasoPpReal = 0;            // interval length [min]
  QDate FechaI, FechaF;              // start and end date
  QString HoraI, HoraF;              // start and end time, "hh:nn"
  QString FechaHoraI, FechaHoraF;    // start and end, "dd/mm/yyyy hh:nn"
  Boolean ArchivoProtegido = false;  // the storm shown is a sample storm: shown, never written
  Boolean TeclaPendiente = false;    // a depth was typed and not yet stored
  Integer ColTecla = 0;              // the cell of the last typed key
  Integer FilaTecla = 0;
  Array1<Single> PpAcumGrilla{0, 0};  // running sums of the depths
  QString FormatoGrilla;              // the table's heading

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 private:
  void buildControls();
  void connectHandlers();
  // The steps the step list offers: the durations chosen in the project settings, or the standard
  // steps when none is.
  void LlenaPasos();
  // Selects a step in the step list without running its handler; a step the list lacks is added.
  void MuestraPasoReal(Integer paso);
  // The name chosen in the storm dialog's list (this window's own when that dialog is closed).
  QString ArchivoDelDialogo() const;
  // Selects a name in the file list without running its handler.
  void SeleccionaArchivo(const QString& nombre);
  // The start, from the start boxes, in minutes; and the end it gives with N intervals.
  qint64 MinutosInicio();
  void CalculaFinal();
  // N from the end boxes; a count that cannot be taken is said and N stays.
  void CalculaIntervalos();
  // Stores a depth typed into the current cell and not yet stored; true when it did.
  bool GuardaTecla();
  // Normalises a date or time box with `control`; a refused text is said and the box gets `vacio`.
  bool NormalizaCaja(ValidatedBox* caja, void (*control)(QString&, Integer&), const QString& mensaje,
                     const QString& vacio);
  // A count for the table: false after the message when it is refused.
  bool AceptaIntervalos(long long n, Integer paso);
  // Makes the file the measured storm of the storm dialog, or of the storm itself when the dialog is
  // closed, and reads it back.
  void EntregaArchivo();

  std::unique_ptr<GridTyping> typing_;
  QPointer<QWidget> dejadaPor_;  // the window that became active when this one was left
};

}  // namespace tavo
