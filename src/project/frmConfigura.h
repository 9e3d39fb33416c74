// The settings form: the editable copy of the open project's settings in six tabs (folders and
// files, background picture, view, return periods, storm durations and titles), with the reader and
// the writer of the settings file. There is one such form for the whole run of the program; reading
// one of its fields creates it hidden and initialises it.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "platform/filelists.h"
#include "platform/forms.h"
#include "project/configuracion.h"

namespace tavo {

class frmConfigura : public QWidget, public FormInstance<frmConfigura> {
  Q_OBJECT
 public:
  frmConfigura();
  void Form_Load();
  void Form_Unload() {}

  // The writer of the settings file; also the Click of "Aplicar".
  void cmdAplicar_Click();
  // The reader of the settings file.
  void leoConf();
  // Points the lists at the working directory and shows the project's file; for a project that has
  // no settings file yet (ProyectoNuevo) writes it and opens the titles.
  void InicializaConfigura();

  // ---- event handlers ----
  void Form_Activate();
  void Form_Deactivate();
  void OKButton_Click();
  void CancelButton_Click();
  void BtnRecuDef_Click();
  void BtnDurDef_Click();
  void txtFecha_DblClick();
  void txtN0Dur_GotFocus();
  bool txtN0Dur_Validate();
  bool txtEscalaImagen_Validate();
  void txtMaxUEHsPixel_Change();
  void txtMaxUEHsPixel_Click();
  void TexIMGEscala_GotFocus();
  bool TexIMGEscala_Validate();
  void TexIMGX0_GotFocus();
  bool TexIMGX0_Validate();
  void TexIMGY0_GotFocus();
  bool TexIMGY0_Validate();
  void Optiona_Click();
  void Optionb_Click();
  void Optionc_Click();
  void Drive1_Change();
  void Dir1_Change();
  void CheckDirNv_Click();
  void BtnDirNv_Click();
  void BtnDefecto_Click();
  void filArchivoConfigura_Click();
  void chkImagenDibujo_Click();
  void filArchivoImagenDib_MouseDown();

  // ---- above the tabs and below them ----
  QLabel* Label3;
  QLabel* lblnombreproyecto;
  QTabWidget* SSTab1;
  QPushButton* OKButton;
  QPushButton* cmdAplicar;
  QPushButton* CancelButton;

  // ---- "Directorios" ----
  QGroupBox* Frame1;
  DriveList* Drive1;
  DirList* Dir1;
  QCheckBox* CheckDirNv;
  QLineEdit* TextDirNv;
  QPushButton* BtnDirNv;
  FileList* filArchivoConfigura;
  QCheckBox* chkImagenDibujo;
  FileList* filArchivoImagenDib;
  QLabel* lblMiArchivoConf;
  QLabel* lblImagenDibujo;
  QPushButton* BtnDefecto;
  QCheckBox* CheckDistriPp;

  // ---- "Imagen Fondo" ----
  QGroupBox* Frame2;
  ValidatedBox* TexIMGX0;
  ValidatedBox* TexIMGY0;
  ValidatedBox* TexIMGEscala;
  QLineEdit* TexS;
  QRadioButton* Optiona;
  QRadioButton* Optionb;
  QRadioButton* Optionc;

  // ---- "Ver" ----
  QGroupBox* Frame10;
  QLineEdit* txtMaxUEHsPixel;
  ValidatedBox* txtEscalaImagen;
  QGroupBox* Frame9;
  ValidatedBox* txtN0Dur;
  QGroupBox* Frame3;
  QGroupBox* Frame4;
  QRadioButton* Optionm3;
  QRadioButton* OptionLt;
  QGroupBox* Frame5;
  QRadioButton* OptionMin;
  QRadioButton* OptionHr;
  QGroupBox* Frame12;
  QGroupBox* Frame13;

  // ---- "Recurrencias" ----
  QGroupBox* Frame6;
  QCheckBox *CheckR2, *CheckR5, *CheckR10, *CheckR20, *CheckR25, *CheckR40, *CheckR50, *CheckR100, *CheckR200,
      *CheckR500, *CheckR1000, *CheckR2000, *CheckR5000, *CheckR10000;
  QPushButton* BtnRecuDef;

  // ---- "DuraciónPp" ----
  QGroupBox* Frame7;
  QCheckBox *CheckD5, *CheckD10, *CheckD15, *CheckD20, *CheckD30, *CheckD60, *CheckD90, *CheckD120,
      *CheckD180, *CheckD240, *CheckD300, *CheckD360, *CheckD540, *CheckD720, *CheckD1080, *CheckD1440,
      *CheckD2880;
  QPushButton* BtnDurDef;

  // ---- "Títulos" ----
  QGroupBox* Frame8;
  QLineEdit* TextProyecto;
  QLineEdit* TextUbica;
  QLineEdit* TextCuenca;
  QLineEdit* TextSbca;
  QLineEdit* TextOpera;
  QLineEdit* txtFecha;

  // The check boxes of the return periods and of the durations, in the order of kRecurrencias and
  // kDuraciones.
  std::array<QCheckBox*, kNroRecurrencias> checksR;
  std::array<QCheckBox*, kNroDuraciones> checksD;

  // Puts a number into a box through CampoNumero.
  void ShowNumber(QLineEdit* box, Single value);

  // ---- form-level variables ----
  QString RutaConf;            // full path of the settings file last written or read
  QString CampoNumero;         // a number text on its way into a box
  QString DirBaseDefecto;      // the default base folder
  QString ArchivoConfElegido;  // the settings file chosen in the list

  // Tab numbers of SSTab1.
  enum Tab { kTabDirectorios = 0, kTabImagenFondo, kTabVer, kTabRecurrencias, kTabDuracion, kTabTitulos };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Closing the form: the main window's panel shows the fields, and the form hides.
  void CloseForm();
  // The main window's project panel from the project state and the title fields.
  void RefreshPanel();

  void buildDirectorios(QWidget* page);
  void buildImagenFondo(QWidget* page);
  void buildVer(QWidget* page);
  void buildRecurrencias(QWidget* page);
  void buildDuraciones(QWidget* page);
  void buildTitulos(QWidget* page);
  void connectHandlers();
};

// Shows on the form what a reading of the settings file read for one of its controls.
void ShowSetting(frmConfigura& form, const SettingShown& shown);
// Reads <DirActual>/<NombreProyecto>_Conf.pcn into the settings state and the form's fields; without
// the file the form shows its defaults and comes up.
void ReadSettingsFile(frmConfigura& form);
// Writes the form's fields into <folder of the form's folder list>/<NombreProyecto>_Conf.pcn and
// confirms, or adds the confirmation to `confirmaciones` for the caller to show. False when the file
// could not be written (after saying so).
bool WriteSettingsFile(frmConfigura& form, QStringList* confirmaciones = nullptr);

}  // namespace tavo
