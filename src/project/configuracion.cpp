#include "project/configuracion.h"

#include <QDir>
#include <optional>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/seqfile.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/frmConfigura.h"

namespace tavo {

namespace {

// The selected entries of a row of check boxes, ascending, into a list from element 1.
template <size_t N>
Integer BuildList(const std::array<QCheckBox*, N>& checks, const std::array<Integer, N>& values,
                  Array1<Integer>& list) {
  Integer count = 0;
  for (size_t k = 0; k < N; ++k) {
    if (CheckValue(checks[k]) == 1) {
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

void ReadSettingsFile(frmConfigura& f) {
  try {
    // The folder list, both file lists and DirActual name the folder read from.
    f.Drive1->showDriveOf(DirActual);
    f.Dir1->setPath(DirActual);
    f.RutaConf = DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
    std::optional<SeqFile> file(std::in_place, f.RutaConf, OpenMode::Input);
    // Logical values into their variables and option buttons.
    auto readOptions = [&file](std::initializer_list<std::pair<Boolean*, QRadioButton*>> options) {
      for (const auto& [value, option] : options) {
        *value = file->inputBoolean();
        SetOptionValue(option, *value);
      }
    };

    NombreProyecto = file->inputString();
    const std::pair<QString*, QLineEdit*> titles[] = {
        {&TextoProyecto, f.TextProyecto}, {&TextoUbicacion, f.TextUbica}, {&TextoCuenca, f.TextCuenca},
        {&TextoSubCuenca, f.TextSbca},    {&TextoOperador, f.TextOpera},  {&TextoFecha, f.txtFecha}};
    for (const auto& [text, box] : titles) {
      *text = file->inputString();
      box->setText(*text);
    }

    UnidadTrabajo = file->inputString();
    f.Drive1->setDrive(UnidadTrabajo);
    // Value 9, the folder the file records. A file read from another folder was copied or moved there
    // (perhaps from another machine): the project goes on in the folder read from. Reading writes
    // nothing; the next Apply records that folder, which the folder list shows.
    file->inputString();
    DirTrabajo = DirActual;

    TextoDirNuevo = file->inputString();
    f.TextDirNv->setText(TextoDirNuevo);
    DistribucionUniforme = file->inputInteger();
    SetCheckValue(f.CheckDistriPp, DistribucionUniforme);
    ArchivoConf = file->inputString();
    f.lblMiArchivoConf->setText(ArchivoConf);
    UsaImagenFondo = file->inputInteger();
    SetCheckValue(f.chkImagenDibujo, UsaImagenFondo);
    ArchivoImagenFondoConf = file->inputString();
    ArchivoImagenFondo = ArchivoImagenFondoConf;
    f.lblImagenDibujo->setText(ArchivoImagenFondoConf);

    f.CampoNumero = file->inputString();
    EscalaImagenFondo = CSng(Val(f.CampoNumero));
    f.ShowNumber(f.TexIMGEscala, EscalaImagenFondo);
    ValorTexS = file->inputString();
    f.TexS->setText(ValorTexS);
    readOptions({{&OpcionA, f.Optiona}, {&OpcionB, f.Optionb}, {&OpcionC, f.Optionc}});
    f.CampoNumero = file->inputString();
    PosXImagenFondo = CSng(Val(f.CampoNumero));
    f.ShowNumber(f.TexIMGX0, PosXImagenFondo);
    f.CampoNumero = file->inputString();
    PosYImagenFondo = CSng(Val(f.CampoNumero));
    f.ShowNumber(f.TexIMGY0, PosYImagenFondo);

    readOptions({{&UnidadMinutos, f.OptionMin},
                 {&UnidadHoras, f.OptionHr},
                 {&UnidadM3, f.Optionm3},
                 {&UnidadLitros, f.OptionLt}});
    TiempoAdicional = file->inputSingle();
    f.ShowNumber(f.txtN0Dur, TiempoAdicional);
    ExtensionDibujo = file->inputString();
    f.txtMaxUEHsPixel->setText(ExtensionDibujo);
    EscalaDibujo = file->inputString();
    f.CampoNumero = EscalaDibujo;
    f.txtEscalaImagen->setText(f.CampoNumero);
    f.ComaPorPuntoCampo();
    EscalaDibujo = PlainNumberText(Val(f.CampoNumero));

    // Any value other than 0 selects its return period or duration.
    for (int k = 0; k < kNroRecurrencias; ++k) {
      SelRecurrencia(k) = file->inputInteger();
      f.checksR[k]->setChecked(SelRecurrencia(k) != 0);
    }
    for (int k = 0; k < kNroDuraciones; ++k) {
      SelDuracion(k) = file->inputInteger();
      f.checksD[k]->setChecked(SelDuracion(k) != 0);
    }
    file->close();
    file.reset();

    NroListaRec = BuildList(f.checksR, kRecurrencias, ListaRec);
    NroListaPasot = BuildList(f.checksD, kDuraciones, ListaPasot);
    CloseAllFiles();
  } catch (const VbError& e) {
    CloseAllFiles();
    if (e.number == kErrFileNotFound) {
      f.BtnDefecto_Click();
      ShowModeless(&f, false);
    } else if (e.number == kErrInputPastEnd) {
      MsgBox(ErrorNroTextAfterComma(
          e, QStringLiteral("Verifique. El archivo de configuración <") + NombreProyecto +
                 QStringLiteral("_Conf.pcn > está dañado. Corrija o elimine manualmente este archivo")));
      NombreProyecto.clear();
    } else {
      MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique.")));
    }
  }
}

void ResetConfiguracionProyecto() {
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
