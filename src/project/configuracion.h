// The project's settings as the rest of the program reads them (ConfiguracionProyecto), and the
// settings file <project>_Conf.pcn that holds them: 59 values read into the settings state and the
// settings form, and written back from the form.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "platform/arrays.h"
#include "platform/errors.h"
#include "platform/vb.h"

namespace tavo {

constexpr int kNroRecurrencias = 14;  // return periods a storm-series run may use
constexpr int kNroDuraciones = 17;    // storm durations a storm-series run may use
// The return periods in years and the durations in minutes, in the order of the settings file.
constexpr std::array<Integer, kNroRecurrencias> kRecurrencias = {2,   5,   10,  20,   25,   40,   50,
                                                                 100, 200, 500, 1000, 2000, 5000, 10000};
constexpr std::array<Integer, kNroDuraciones> kDuraciones = {5,   10,  15,  20,  30,  60,   90,   120, 180,
                                                             240, 300, 360, 540, 720, 1080, 1440, 2880};

// ---- settings state, in the order of the settings file ----
inline QString TextoProyecto;             // project title, heading of reports and result tables
inline QString TextoUbicacion;            // location, heading of reports and result tables
inline QString TextoCuenca;               // basin, heading of reports and result tables
inline QString TextoSubCuenca;            // sub-basin, heading of reports and result tables
inline QString TextoOperador;             // operator, heading of reports and result tables
inline QString TextoFecha;                // project date, shown only in the settings form
inline QString UnidadTrabajo;             // drive recorded with the settings file
inline QString TextoDirNuevo;             // name last typed for a new working folder
inline Integer DistribucionUniforme = 0;  // 1: rain spread uniformly over all units
inline QString ArchivoConf;               // the settings file name as the form shows it
inline Integer UsaImagenFondo = 0;        // 1: the network editor draws a background picture
inline QString ArchivoImagenFondoConf;    // background picture as stored: a file name, "Ninguno" or empty
inline QString ArchivoImagenFondo;        // background picture file the network editor loads
inline Single EscalaImagenFondo = 0;      // background picture size in percent (0 and 100: own size)
inline QString ValorTexS;                 // text of the form's hidden box TexS
inline Boolean OpcionA = false;           // states of the form's three hidden option buttons
inline Boolean OpcionB = false;
inline Boolean OpcionC = false;
inline Single PosXImagenFondo = 0;     // horizontal shift of the background picture, pixels
inline Single PosYImagenFondo = 0;     // vertical shift of the background picture, pixels
inline Boolean UnidadMinutos = false;  // output time unit: minutes or hours
inline Boolean UnidadHoras = false;
inline Boolean UnidadM3 = false;  // output volume unit: cubic metres or litres
inline Boolean UnidadLitros = false;
// Minutes added after the storm for the hydrograph horizon; until a project's settings are read, the 10
// that the settings form's box starts with, so a new project's first settings file holds what it shows.
inline constexpr Single kTiempoAdicionalInicial = 10;
inline Single TiempoAdicional = kTiempoAdicionalInicial;
inline QString ExtensionDibujo;  // width of the network drawing at 100 % zoom, pixels, as text
inline QString EscalaDibujo;     // drawing scale in metres per pixel, as number text; "0": none
inline Array1<Integer> SelRecurrencia(0, kNroRecurrencias - 1);  // element k: kRecurrencias[k] is used
inline Array1<Integer> SelDuracion(0, kNroDuraciones - 1);       // element k: kDuraciones[k] is used

// ---- working lists derived from the selections (from element 1) ----
inline Array1<Integer> ListaRec(0, kNroRecurrencias);  // selected return periods, ascending
inline Integer NroListaRec = 0;
inline Array1<Integer> ListaPasot(0, kNroDuraciones);  // selected durations, ascending
inline Integer NroListaPasot = 0;

// A control of the settings form that a reading of the settings file fills, named as the form names
// it (CampoNumero and RutaConf are the form's variables; Drive1Folder is the drive list showing the drive
// of a folder).
enum class SettingsControl {
  Drive1Folder,
  Dir1,
  RutaConf,
  TextProyecto,
  TextUbica,
  TextCuenca,
  TextSbca,
  TextOpera,
  txtFecha,
  Drive1,
  TextDirNv,
  CheckDistriPp,
  lblMiArchivoConf,
  chkImagenDibujo,
  lblImagenDibujo,
  TexIMGEscala,
  TexS,
  Optiona,
  Optionb,
  Optionc,
  TexIMGX0,
  TexIMGY0,
  OptionMin,
  OptionHr,
  Optionm3,
  OptionLt,
  txtN0Dur,
  txtMaxUEHsPixel,
  txtEscalaImagen,
  CampoNumero,
  checksR,
  checksD
};
// What a reading shows in one control: a text (or folder, drive, path), a number, or the value of a
// check or option (0 or 1); `index` is the place of a return period's or duration's check.
struct SettingShown {
  SettingsControl control;
  QString text;
  Single number = 0;
  Integer value = 0;
  int index = 0;
};
enum class SettingsReading { Whole, Partial, NoFile };

// Reads <DirActual>/<NombreProyecto>_Conf.pcn into the settings state, handing `show`, in the order
// read, what the settings form shows of it; takes the folder read from as the project's folder (in
// memory only: reading never writes), and builds ListaRec and ListaPasot. A file that does not exist is
// read no further; any other failure is told and ends the reading where it happened.
SettingsReading ReadSettings(const std::function<void(const SettingShown&)>& show);
// Reads the settings file as the settings form's leoConf does, without the form when it does not exist
// (a run needs no window): what the form would show of the reading is kept for it and shown when it
// comes into existence (TakeSettingsKeptForTheForm). A missing file, or a new project's, brings the
// form into existence as its reading does.
void LeeConfiguracion();
// What the readings made without the form showed, handed once to the form that has just come into
// existence.
std::vector<SettingShown> TakeSettingsKeptForTheForm();

// Whether two folder texts name the same folder: whole paths compared after cleaning, so a folder of
// another machine ("C:\Datos") never equals one of this machine.
bool SameFolder(const QString& a, const QString& b);

// Sets the settings state to its values at program start.
void ResetConfiguracionProyecto();

}  // namespace tavo
