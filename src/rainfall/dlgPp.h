// The storm definition dialog: the way the storm of the next run is given (five input modes), its
// depth, duration and return period, its temporal distribution and the two time steps of the model,
// with the archived storm list. It stores into the storm definition as the user chooses, and again
// from all its controls at Apply.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "platform/elidedlabel.h"
#include "platform/filelists.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class dlgPp : public QDialog, public FormInstance<dlgPp> {
  Q_OBJECT
 public:
  dlgPp();
  void Form_Load();
  void Form_Unload() {}
  // Each time the dialog becomes the active window: in mode e) the measured storm is read again, as
  // its file stands now.
  void Form_Activate();

  // ---- closing: Apply stores the storm from the controls; OK applies and closes; Cancel closes ----
  // Apply refuses a return period outside 0 to 10000 (its message, the focus in the R box): false
  // then, and nothing is stored from the boxes.
  bool cmdAplicar_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // ---- loading and the input modes ----
  // Fills the controls from the stored storm.
  void CargaControlesPp();
  // Stores the input mode and the distribution, and shows, hides, enables and disables the controls
  // for the mode.
  void ActualizaFormaPp();
  void optformaPp_Click(int Index);
  void optDistriPp_Click(int Index);
  void optTablaPDR_Click(int Index);

  // ---- the depth, duration and return-period boxes and the two step lists; a check returns false
  // to refuse ----
  void txtPp_DblClick();
  void txtDur_DblClick();
  bool txtPp_Validate();
  bool txtDur_Validate();
  // The return period: a number from 0 to 10000 once rounded; stored only at Apply.
  bool cmbRec_Validate();
  bool cmbPasoPp_Validate();
  bool cmbPasoQ_Validate();

  // ---- the archived storm list ----
  // Reads ListaPDR.pcn into cmbPDR; the stored storm does not change.
  void leeListaPpDurRec();
  // Writes cmbPDR to ListaPDR.pcn.
  void GuardaListaPpDurRec();
  // Takes P, D and R of entry `index` of cmbPDR into the storm.
  void LeeItemPpDurRec(int index);
  void cmdPDR_Click();
  void cmdBorraPDR_Click();
  void cmbPDR_Click();

  // ---- e) the measured storm ----
  // A file of the list was chosen (by the user or by the program): it becomes the storm.
  void FilePpReal_Click();
  // Settles the chosen name and selects it in both file lists.
  void ValidaArchivoPpReal();
  // Reads the chosen file into the storm and the group's labels.
  void LeeArchivoPpReal();

  // ---- the openers of the other rainfall windows and of the two previews ----
  void cmdPpReal_Click();
  void cmdPpPerso_Click();
  void cmdTablaPDR_Click();
  void cmdCargaPDRnoUniforme_Click();
  // The two previews of the stored storm: its hyetograph as a table in the report window, or as a chart.
  void cmdVerTablaPt_Click();
  void cmdVerGrafico_Click();

  // ---- input modes ----
  QGroupBox* Frame1;
  std::array<QRadioButton*, 5> optformaPp;
  std::array<QLabel*, 4> Label1;
  QLabel* Label11;
  QLabel* Label10;
  QLabel* Label7;
  QLabel* Label8;
  QPushButton* cmdCargaPDRnoUniforme;

  // ---- a) depth, duration and return period ----
  QGroupBox* Frame2;
  std::array<QLabel*, 3> Label2;
  ValidatedBox* txtPp;
  ValidatedBox* txtDur;
  ValidatedList* cmbRec;
  QPushButton* cmdPDR;

  // ---- b) the archived storm list ----
  QGroupBox* Frame4;
  QComboBox* cmbPDR;
  QPushButton* cmdBorraPDR;

  // ---- c) the P-D-R tables ----
  QGroupBox* Frame3;
  std::array<QRadioButton*, 4> optTablaPDR;
  std::array<QLabel*, 4> Label5;
  QPushButton* cmdTablaPDR;

  // ---- e) the measured storm ----
  QGroupBox* Frame7;
  QPushButton* cmdPpReal;
  FileList* FilePpReal;
  ElidedLabel* lblMiFilePpReal;  // the chosen file: its whole name is fullText()
  QLabel* lblNotasPpReal;
  QLabel* lblNumPer;
  QLabel* lblDateI;
  QLabel* lblTimeI;
  QLabel* lblDateF;
  QLabel* lblTimeF;

  // ---- temporal distributions ----
  QGroupBox* Frame5;
  std::array<QRadioButton*, 8> optDistriPp;
  std::array<QLabel*, 8> Label3;
  QPushButton* cmdPpPerso;
  QLabel* lblValidez;
  QLabel* lblDurMin;
  QLabel* lblDurMax;

  // ---- time steps ----
  QGroupBox* Frame6;
  QLabel* Label4;
  ValidatedList* cmbPasoPp;
  QLabel* Label6;
  ValidatedList* cmbPasoQ;

  // ---- outside the groups ----
  std::array<QLabel*, 2> Label9;
  QPushButton* cmdVerTablaPt;
  QPushButton* cmdVerGrafico;
  QPushButton* cmdAplicar;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // ---- form-level fields ----
  Integer FormaPpPrevia = 0;  // the input mode in force before the last mode change
  // The measured-storm file chosen here, without folder. It outlasts the dialog, so that opening the
  // dialog again keeps the storm chosen.
  static inline QString MiFilePpReal;
  Integer PasoPpReal = 0;  // its interval [min]
  QString NotasPpReal;     // its notes

  // The dialog's state that outlives it, as at start-up.
  static void ResetState();

 public slots:
  // Escape and the window's close button: Cancel.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The enabling of cmdPpPerso for a selected user distribution and, with `validez`, the labels of
  // its valid durations.
  void MuestraPersonalizada(bool validez);
  // Applies the dialog and builds the hyetograph of the stored storm; false when either failed
  // (they have said why). With the report on, `emptyReport` first clears the report window.
  bool HietogramaPrevio(bool emptyReport);
  void buildModes();
  void buildStormBoxes();
  void buildDistributions();
  void buildSteps();
  void connectHandlers();
};

}  // namespace tavo
