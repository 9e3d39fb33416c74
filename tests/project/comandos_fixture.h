// Tests of the project commands: a working folder Datos beside the default one, the main window, and
// hand-made projects whose files can be compared before and after a command.
#pragma once

#include <QDir>
#include <QMap>
#include <QStringList>

#include "platform/seqfile.h"
#include "project/comandos.h"
#include "project/estado.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"
#include "support/projectfiles.h"

namespace tavo::test {

class ComandosTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir("Datos");
    datos = path("Datos");
    record(datos, "");
    main();
  }

  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }

  // PelcanDir.pcn recording a working directory and a last project.
  void record(const QString& folder, const QString& name) {
    WriteBytes(path("PelcanDir.pcn"), EncodeWindows1252("\"" + folder + "\"\r\n\"" + name + "\"\r\n"));
  }
  QByteArray recorded(const QString& folder, const QString& name) const {
    return EncodeWindows1252("\"" + folder + "\"\r\n\"" + name + "\"\r\n");
  }

  // The network files of the hand-made network, stored under project `name`.
  static QByteArray NetworkFile(const QString& name) {
    QByteArray bytes = ReadBytes(TAVO_FIXTURES_DIR "/red/Demo_UEHs.pcn");
    return bytes.replace(0, bytes.indexOf("\r\n"), EncodeWindows1252("\"" + name + "\""));
  }
  static QByteArray VertexFile() { return ReadBytes(TAVO_FIXTURES_DIR "/red/Demo_VerCau.pcn"); }

  // Writes the files of a project: by default all six; a table file holds its own name.
  void makeProject(const QString& folder, const QString& name, const QString& title,
                   QStringList suffixes = {"_Conf.pcn", "_UEHs.pcn", "_VerCau.pcn", "_RHAS.pcn", "_RHQ.pcn",
                                           "_LHASQ.pcn"}) {
    for (const QString& suffix : suffixes) {
      const QString file = folder + "/" + name + suffix;
      if (suffix == "_Conf.pcn")
        WriteBytes(file, SettingsFile(name, folder, title));
      else if (suffix == "_UEHs.pcn")
        WriteBytes(file, NetworkFile(name));
      else if (suffix == "_VerCau.pcn")
        WriteBytes(file, VertexFile());
      else
        WriteBytes(file, EncodeWindows1252(name + suffix + " 1,2,3\r\n"));
    }
  }

  // Every file of a folder with its bytes.
  static QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
      files[name] = ReadBytes(folder + "/" + name);
    return files;
  }
  // The files of a folder whose names start with `prefix`.
  static QMap<QString, QByteArray> FilesStartingWith(const QString& folder, const QString& prefix) {
    QMap<QString, QByteArray> files = Snapshot(folder);
    for (auto it = files.begin(); it != files.end();)
      it = it.key().startsWith(prefix) ? std::next(it) : files.erase(it);
    return files;
  }

  // The values of a settings file, one a line.
  static QStringList Lines(const QString& file) { return DecodeWindows1252(ReadBytes(file)).split("\r\n"); }

  QStringList prompts() const {
    QStringList out;
    for (const auto& r : dialogs.records()) out << r.prompt;
    return out;
  }

  // Opens a project through the open command, answering the chooser with its settings file.
  void open(const QString& file) {
    dialogs.answerText(file);
    main().mnuAbrirProyecto->trigger();
  }

  QString datos;  // a working folder of the user's own
};

const QString kPromptNombre = "Ingrese un nombre de archivo para el nuevo proyecto: ";
const QString kNombreInvalido =
    "Nombre inválido: Ingrese solamente letras y/o dígitos sin caracteres especiales";
const QString kTituloNombreInvalido = "Nombre de Proyecto inválido!!";

inline QString YaExiste(const QString& name) {
  return "El proyecto ya existe en el archivo <" + name +
         "_Conf.pcn>. Elija un nombre distinto o elimine el proyecto existente.";
}
inline QString SettingsSaved(const QString& file) {
  return "Los datos de configuración del proyecto se han guardado correctamente en el archivo " + file;
}
inline QString NetworkSaved(const QString& file) {
  return "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
         "archivo " +
         file;
}

}  // namespace tavo::test
