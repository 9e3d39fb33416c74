#include "project/configuracion.h"

#include <QDir>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filelists.h"
#include "platform/forms.h"
#include "platform/seqfile.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/frmConfigura.h"

namespace tavo {

namespace {

// The selected entries (a selection other than 0), ascending, into a list from element 1.
template <size_t N>
Integer BuildList(const Array1<Integer>& selections, const std::array<Integer, N>& values,
                  Array1<Integer>& list) {
  Integer count = 0;
  for (size_t k = 0; k < N; ++k) {
    if (selections(static_cast<int>(k)) != 0) {
      ++count;
      list(count) = values[k];
    }
  }
  return count;
}

}  // namespace

bool SameFolder(const QString& a, const QString& b) {
  return !a.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
}

bool WriteSettingsFile(frmConfigura& f, QStringList* confirmaciones) {
  if (NombreProyecto.isEmpty()) {
    DirTrabajo = f.Dir1->path();
    UnidadTrabajo = f.Drive1->drive();
    return true;
  }
  if (CheckValue(f.chkImagenDibujo) == 1 && f.lblImagenDibujo->text() == QLatin1String("Ninguno")) {
    f.chkImagenDibujo->setChecked(false);
    ArchivoImagenFondo.clear();
  }
  DirActual = f.Dir1->path();
  f.RutaConf = DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
  try {
    // The file is written aside and replaces the old one only when complete.
    SeqFile file(f.RutaConf, OpenMode::Output);
    file.write({NombreProyecto});
    for (QLineEdit* box : {f.TextProyecto, f.TextUbica, f.TextCuenca, f.TextSbca, f.TextOpera, f.txtFecha})
      file.write({box->text()});
    file.write({f.Drive1->drive()});
    file.write({f.Dir1->path()});
    file.write({f.TextDirNv->text()});
    file.write({CheckValue(f.CheckDistriPp)});
    file.write({f.lblMiArchivoConf->text()});
    file.write({CheckValue(f.chkImagenDibujo)});
    file.write({f.lblImagenDibujo->text()});
    file.write({f.TexIMGEscala->text()});
    file.write({f.TexS->text()});
    for (QRadioButton* option : {f.Optiona, f.Optionb, f.Optionc}) file.write({option->isChecked()});
    file.write({PosXImagenFondo});
    file.write({PosYImagenFondo});
    for (QRadioButton* option : {f.OptionMin, f.OptionHr, f.Optionm3, f.OptionLt})
      file.write({option->isChecked()});
    file.write({TiempoAdicional});
    file.write({f.txtMaxUEHsPixel->text()});
    file.write({f.txtEscalaImagen->text()});
    for (QCheckBox* check : f.checksR) file.write({CheckValue(check)});
    for (QCheckBox* check : f.checksD) file.write({CheckValue(check)});
    file.close();
  } catch (const VbError& e) {
    MsgBox(ErrorNroTextAfterComma(
        e, QStringLiteral("Verifique. Puede que ya exista un Directorio con ese nombre...")));
    CloseAllFiles();
    return false;
  }
  CloseAllFiles();
  DirActual = f.Dir1->path();
  GuardaArchivoDirectorio();
  const QString guardado =
      QStringLiteral("Los datos de configuración del proyecto se han guardado correctamente en el archivo ") +
      f.RutaConf;
  if (confirmaciones) {
    *confirmaciones << guardado;
  } else {
    MsgBox(guardado);
  }
  return true;
}

namespace {

// What a reading of the settings file shows in the settings form, in the order it was read: put on
// the form at once when it exists, and kept for it otherwise.
using ShowOnForm = std::function<void(frmConfigura&)>;

// The form's part of the readings made while it did not exist: since the last whole reading, which
// shows all that any reading shows.
std::vector<ShowOnForm>& KeptForTheForm() {
  static std::vector<ShowOnForm> kept;
  return kept;
}

enum class Lectura { Entera, Parcial, SinArchivo };

// Reads the settings file into the settings state, handing `show` what the form shows of it. A file
// that does not exist is read no further; any other failure is told and ends the reading where it
// happened.
Lectura ReadSettings(const std::function<void(ShowOnForm)>& show) {
  try {
    // The folder list, both file lists and DirActual name the folder read from.
    const QString carpeta = DirActual;
    show([carpeta](frmConfigura& f) { f.Drive1->showDriveOf(carpeta); });
    DirList::requireFolder(carpeta);
    show([carpeta](frmConfigura& f) { f.Dir1->setPath(carpeta); });
    const QString ruta = DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
    show([ruta](frmConfigura& f) { f.RutaConf = ruta; });
    std::optional<SeqFile> file;
    try {
      file.emplace(ruta, OpenMode::Input);
    } catch (const VbError& e) {
      if (e.number != kErrFileNotFound) throw;
      CloseAllFiles();
      return Lectura::SinArchivo;
    }
    // A box (a member of the form) shows a text, or a number with a decimal point.
    const auto text = [&show](auto box, const QString& value) {
      show([box, value](frmConfigura& f) { (f.*box)->setText(value); });
    };
    const auto number = [&show](auto box, Single value) {
      show([box, value](frmConfigura& f) { f.ShowNumber(f.*box, value); });
    };
    // Logical values into their variables and option buttons.
    const auto readOptions =
        [&](std::initializer_list<std::pair<Boolean*, QRadioButton * frmConfigura::*>> options) {
          for (const auto& entry : options) {
            *entry.first = file->inputBoolean();
            show(
                [option = entry.second, v = *entry.first](frmConfigura& f) { SetOptionValue(f.*option, v); });
          }
        };

    NombreProyecto = file->inputString();
    const std::pair<QString*, QLineEdit * frmConfigura::*> titles[] = {
        {&TextoProyecto, &frmConfigura::TextProyecto}, {&TextoUbicacion, &frmConfigura::TextUbica},
        {&TextoCuenca, &frmConfigura::TextCuenca},     {&TextoSubCuenca, &frmConfigura::TextSbca},
        {&TextoOperador, &frmConfigura::TextOpera},    {&TextoFecha, &frmConfigura::txtFecha}};
    for (const auto& [value, box] : titles) {
      *value = file->inputString();
      text(box, *value);
    }

    UnidadTrabajo = file->inputString();
    DriveList::requireDrive(UnidadTrabajo);
    show([drive = UnidadTrabajo](frmConfigura& f) { f.Drive1->setDrive(drive); });
    // Value 9, the folder the file records. A file read from another folder was copied or moved there
    // (perhaps from another machine): the project goes on in the folder read from. Reading writes
    // nothing; the next Apply records that folder, which the folder list shows.
    file->inputString();
    DirTrabajo = DirActual;

    TextoDirNuevo = file->inputString();
    text(&frmConfigura::TextDirNv, TextoDirNuevo);
    DistribucionUniforme = file->inputInteger();
    show([v = DistribucionUniforme](frmConfigura& f) { SetCheckValue(f.CheckDistriPp, v); });
    ArchivoConf = file->inputString();
    show([v = ArchivoConf](frmConfigura& f) { f.lblMiArchivoConf->setText(v); });
    UsaImagenFondo = file->inputInteger();
    show([v = UsaImagenFondo](frmConfigura& f) { SetCheckValue(f.chkImagenDibujo, v); });
    ArchivoImagenFondoConf = file->inputString();
    ArchivoImagenFondo = ArchivoImagenFondoConf;
    show([v = ArchivoImagenFondoConf](frmConfigura& f) { f.lblImagenDibujo->setText(v); });

    EscalaImagenFondo = CSng(Val(file->inputString()));
    number(&frmConfigura::TexIMGEscala, EscalaImagenFondo);
    ValorTexS = file->inputString();
    text(&frmConfigura::TexS, ValorTexS);
    readOptions({{&OpcionA, &frmConfigura::Optiona},
                 {&OpcionB, &frmConfigura::Optionb},
                 {&OpcionC, &frmConfigura::Optionc}});
    PosXImagenFondo = CSng(Val(file->inputString()));
    number(&frmConfigura::TexIMGX0, PosXImagenFondo);
    PosYImagenFondo = CSng(Val(file->inputString()));
    number(&frmConfigura::TexIMGY0, PosYImagenFondo);

    readOptions({{&UnidadMinutos, &frmConfigura::OptionMin},
                 {&UnidadHoras, &frmConfigura::OptionHr},
                 {&UnidadM3, &frmConfigura::Optionm3},
                 {&UnidadLitros, &frmConfigura::OptionLt}});
    TiempoAdicional = file->inputSingle();
    number(&frmConfigura::txtN0Dur, TiempoAdicional);
    ExtensionDibujo = file->inputString();
    text(&frmConfigura::txtMaxUEHsPixel, ExtensionDibujo);
    // The scale shows as read; it is kept with a point for a decimal comma.
    const QString escala = file->inputString();
    text(&frmConfigura::txtEscalaImagen, escala);
    const QString conPunto = CommaAsPoint(escala);
    show([conPunto](frmConfigura& f) { f.CampoNumero = conPunto; });
    EscalaDibujo = PlainNumberText(Val(conPunto));

    // Any value other than 0 selects its return period or duration.
    for (int k = 0; k < kNroRecurrencias; ++k) {
      SelRecurrencia(k) = file->inputInteger();
      show([k, on = SelRecurrencia(k) != 0](frmConfigura& f) {
        f.checksR[static_cast<size_t>(k)]->setChecked(on);
      });
    }
    for (int k = 0; k < kNroDuraciones; ++k) {
      SelDuracion(k) = file->inputInteger();
      show([k, on = SelDuracion(k) != 0](frmConfigura& f) {
        f.checksD[static_cast<size_t>(k)]->setChecked(on);
      });
    }
    file->close();
    file.reset();

    NroListaRec = BuildList(SelRecurrencia, kRecurrencias, ListaRec);
    NroListaPasot = BuildList(SelDuracion, kDuraciones, ListaPasot);
    CloseAllFiles();
    return Lectura::Entera;
  } catch (const VbError& e) {
    CloseAllFiles();
    if (e.number == kErrInputPastEnd) {
      MsgBox(ErrorNroTextAfterComma(
          e, QStringLiteral("Verifique. El archivo de configuración <") + NombreProyecto +
                 QStringLiteral("_Conf.pcn > está dañado. Corrija o elimine manualmente este archivo")));
      NombreProyecto.clear();
    } else {
      MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique.")));
    }
  }
  return Lectura::Parcial;
}

}  // namespace

void ReadSettingsFile(frmConfigura& f) {
  if (ReadSettings([&f](const ShowOnForm& op) { op(f); }) == Lectura::SinArchivo) {
    f.BtnDefecto_Click();
    ShowModeless(&f, false);
  }
}

void LeeConfiguracion() {
  // A run reads the settings without the form; a new project's settings are written by the form.
  if (frmConfigura::isLoaded() || ProyectoNuevo) {
    FormInstance<frmConfigura>::instance().leoConf();
    return;
  }
  std::vector<ShowOnForm> leidos;
  const Lectura lectura = ReadSettings([&leidos](ShowOnForm op) { leidos.push_back(std::move(op)); });
  if (lectura == Lectura::SinArchivo) {
    // Without a settings file the form opens with its defaults, as when it reads.
    FormInstance<frmConfigura>::instance().leoConf();
    return;
  }
  std::vector<ShowOnForm>& kept = KeptForTheForm();
  // A whole reading shows every field: what earlier readings showed is then of no use.
  if (lectura == Lectura::Entera) kept.clear();
  for (ShowOnForm& op : leidos) kept.push_back(std::move(op));
}

void ShowSettingsKeptForTheForm(frmConfigura& f) {
  std::vector<ShowOnForm> kept = std::exchange(KeptForTheForm(), {});
  for (const ShowOnForm& op : kept) {
    try {
      op(f);
    } catch (const VbError&) {
      // A folder or drive gone since it was read: the form keeps what it shows.
    }
  }
}

void ResetConfiguracionProyecto() {
  KeptForTheForm().clear();
  for (QString* text : {&TextoProyecto, &TextoUbicacion, &TextoCuenca, &TextoSubCuenca, &TextoOperador,
                        &TextoFecha, &UnidadTrabajo, &TextoDirNuevo, &ArchivoConf, &ArchivoImagenFondoConf,
                        &ArchivoImagenFondo, &ValorTexS, &ExtensionDibujo, &EscalaDibujo})
    text->clear();
  DistribucionUniforme = UsaImagenFondo = 0;
  EscalaImagenFondo = PosXImagenFondo = PosYImagenFondo = 0;
  TiempoAdicional = kTiempoAdicionalInicial;
  OpcionA = OpcionB = OpcionC = false;
  UnidadMinutos = UnidadHoras = UnidadM3 = UnidadLitros = false;
  SelRecurrencia.redim(0, kNroRecurrencias - 1);
  SelDuracion.redim(0, kNroDuraciones - 1);
  ListaRec.redim(0, kNroRecurrencias);
  ListaPasot.redim(0, kNroDuraciones);
  NroListaRec = NroListaPasot = 0;
}

}  // namespace tavo
