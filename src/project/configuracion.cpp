#include "project/configuracion.h"

#include <QDir>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filelists.h"
#include "platform/seqfile.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/hooks.h"

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

namespace {

// The form's part of the readings made while it did not exist: since the last whole reading, which
// shows all that any reading shows.
std::vector<SettingShown>& KeptForTheForm() {
  static std::vector<SettingShown> kept;
  return kept;
}

}  // namespace

SettingsReading ReadSettings(const std::function<void(const SettingShown&)>& show) {
  using C = SettingsControl;
  // A control shows a text, a number, or a check or option value.
  const auto text = [&show](C control, const QString& value) { show({control, value}); };
  const auto number = [&show](C control, Single value) { show({control, {}, value}); };
  const auto state = [&show](C control, Integer value, int index = 0) {
    show({control, {}, 0, value, index});
  };
  try {
    // The folder list, both file lists and DirActual name the folder read from.
    const QString carpeta = DirActual;
    text(C::Drive1Folder, carpeta);
    DirList::requireFolder(carpeta);
    text(C::Dir1, carpeta);
    const QString ruta = DirActual + QLatin1Char('/') + NombreProyecto + QStringLiteral("_Conf.pcn");
    text(C::RutaConf, ruta);
    std::optional<SeqFile> file;
    try {
      file.emplace(ruta, OpenMode::Input);
    } catch (const VbError& e) {
      if (e.number != kErrFileNotFound) throw;
      CloseAllFiles();
      return SettingsReading::NoFile;
    }
    // Logical values into their variables and option buttons.
    const auto readOptions = [&](std::initializer_list<std::pair<Boolean*, C>> options) {
      for (const std::pair<Boolean*, C>& option : options) {
        *option.first = file->inputBoolean();
        state(option.second, *option.first ? 1 : 0);
      }
    };

    NombreProyecto = file->inputString();
    const std::pair<QString*, C> titles[] = {
        {&TextoProyecto, C::TextProyecto}, {&TextoUbicacion, C::TextUbica}, {&TextoCuenca, C::TextCuenca},
        {&TextoSubCuenca, C::TextSbca},    {&TextoOperador, C::TextOpera},  {&TextoFecha, C::txtFecha}};
    for (const std::pair<QString*, C>& title : titles) {
      *title.first = file->inputString();
      text(title.second, *title.first);
    }

    UnidadTrabajo = file->inputString();
    DriveList::requireDrive(UnidadTrabajo);
    text(C::Drive1, UnidadTrabajo);
    // Value 9, the folder the file records. A file read from another folder was copied or moved there
    // (perhaps from another machine): the project goes on in the folder read from. Reading writes
    // nothing; the next Apply records that folder, which the folder list shows.
    file->inputString();
    DirTrabajo = DirActual;

    TextoDirNuevo = file->inputString();
    text(C::TextDirNv, TextoDirNuevo);
    DistribucionUniforme = file->inputInteger();
    state(C::CheckDistriPp, DistribucionUniforme);
    ArchivoConf = file->inputString();
    text(C::lblMiArchivoConf, ArchivoConf);
    UsaImagenFondo = file->inputInteger();
    state(C::chkImagenDibujo, UsaImagenFondo);
    ArchivoImagenFondoConf = file->inputString();
    ArchivoImagenFondo = ArchivoImagenFondoConf;
    text(C::lblImagenDibujo, ArchivoImagenFondoConf);

    EscalaImagenFondo = CSng(Val(file->inputString()));
    number(C::TexIMGEscala, EscalaImagenFondo);
    ValorTexS = file->inputString();
    text(C::TexS, ValorTexS);
    readOptions({{&OpcionA, C::Optiona}, {&OpcionB, C::Optionb}, {&OpcionC, C::Optionc}});
    PosXImagenFondo = CSng(Val(file->inputString()));
    number(C::TexIMGX0, PosXImagenFondo);
    PosYImagenFondo = CSng(Val(file->inputString()));
    number(C::TexIMGY0, PosYImagenFondo);

    readOptions({{&UnidadMinutos, C::OptionMin},
                 {&UnidadHoras, C::OptionHr},
                 {&UnidadM3, C::Optionm3},
                 {&UnidadLitros, C::OptionLt}});
    TiempoAdicional = file->inputSingle();
    number(C::txtN0Dur, TiempoAdicional);
    ExtensionDibujo = file->inputString();
    text(C::txtMaxUEHsPixel, ExtensionDibujo);
    // The scale shows as read; it is kept with a point for a decimal comma.
    const QString escala = file->inputString();
    text(C::txtEscalaImagen, escala);
    const QString conPunto = CommaAsPoint(escala);
    text(C::CampoNumero, conPunto);
    EscalaDibujo = PlainNumberText(Val(conPunto));

    // Any value other than 0 selects its return period or duration.
    for (int k = 0; k < kNroRecurrencias; ++k) {
      SelRecurrencia(k) = file->inputInteger();
      state(C::checksR, SelRecurrencia(k) != 0 ? 1 : 0, k);
    }
    for (int k = 0; k < kNroDuraciones; ++k) {
      SelDuracion(k) = file->inputInteger();
      state(C::checksD, SelDuracion(k) != 0 ? 1 : 0, k);
    }
    file->close();
    file.reset();

    NroListaRec = BuildList(SelRecurrencia, kRecurrencias, ListaRec);
    NroListaPasot = BuildList(SelDuracion, kDuraciones, ListaPasot);
    CloseAllFiles();
    return SettingsReading::Whole;
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
  return SettingsReading::Partial;
}

void LeeConfiguracion() {
  // A run reads the settings without the form; a new project's settings are written by the form.
  if (SettingsFormLoadedHook() || ProyectoNuevo) {
    ReadSettingsWithFormHook();
    return;
  }
  std::vector<SettingShown> leidos;
  const SettingsReading lectura = ReadSettings([&leidos](const SettingShown& s) { leidos.push_back(s); });
  if (lectura == SettingsReading::NoFile) {
    // Without a settings file the form opens with its defaults, as when it reads.
    ReadSettingsWithFormHook();
    return;
  }
  std::vector<SettingShown>& kept = KeptForTheForm();
  // A whole reading shows every field: what earlier readings showed is then of no use.
  if (lectura == SettingsReading::Whole) kept.clear();
  kept.insert(kept.end(), leidos.begin(), leidos.end());
}

std::vector<SettingShown> TakeSettingsKeptForTheForm() {
  return std::exchange(KeptForTheForm(), {});
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
