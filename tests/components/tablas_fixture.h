// The parameter tables' tests: projects saved in <program folder>/Proyectos and opened in the main
// window, as the user finds them before pressing F3 or F4.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "editor/frmUEHs.h"
#include "platform/flexgrid.h"
#include "project/estado.h"
#include "project/redfiles.h"
#include "shell/MDIForm1.h"
#include "shell/inicio.h"
#include "support/fixture.h"
#include "support/projectfiles.h"

namespace tavo::test {

class TablasTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    QDir(programDir()).mkdir(QStringLiteral("Proyectos"));
    DirPrograma = programDir();
    main().show();
  }

  static MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  QString carpeta() const { return path(QStringLiteral("Proyectos")); }
  QString archivo(const QString& nombre) const { return carpeta() + QLatin1Char('/') + nombre; }

  // Writes project `nombre`'s settings file, titled `titulo`, and makes it the open project, recorded in
  // the working-directory file as the program leaves it after opening a project. The network in memory
  // is emptied, as an opening does.
  void Proyecto(const QString& nombre, const QString& titulo) {
    WriteBytes(archivo(nombre + QStringLiteral("_Conf.pcn")), SettingsFile(nombre, carpeta(), titulo));
    ReiniciaProyecto();
    DirActual = carpeta();
    DirTrabajo = carpeta();
    NombreProyecto = nombre;
    GuardaArchivoDirectorio();
  }

  // The project "Cuenca" of the fixtures (reaches c-Medio into c-Bajo, units u-Norte and u-Sur into
  // c-Medio), or a copy of its network under another name.
  void Cuenca(const QString& nombre = QStringLiteral("Cuenca")) {
    Proyecto(nombre, QStringLiteral("Arroyo ") + nombre);
    QByteArray red = ReadBytes(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/Cuenca_UEHs.pcn"));
    red.replace(0, red.indexOf('\r'), "\"" + nombre.toLatin1() + "\"");
    WriteBytes(archivo(nombre + QStringLiteral("_UEHs.pcn")), red);
    QFile::copy(QStringLiteral(TAVO_FIXTURES_DIR "/proyecto/Cuenca_VerCau.pcn"),
                archivo(nombre + QStringLiteral("_VerCau.pcn")));
  }

  // Saves the network built in memory as the open project's files, through the network writer, and
  // closes the editor the writer opened.
  void GuardaRed() {
    QStringList confirmaciones;
    ASSERT_TRUE(EscribeRedProyecto(&confirmaciones));
    frmUEHs::unload();
  }

  // The texts of a grid's row, from column 0.
  static QStringList Fila(const FlexGrid* grilla, int fila) {
    QStringList textos;
    for (int c = 0; c < grilla->Cols(); ++c) textos << grilla->TextMatrix(fila, c);
    return textos;
  }

  // The one message shown since the last check, then forgotten.
  ScriptedDialogs::Record Mensaje() {
    EXPECT_EQ(dialogs.records().size(), 1u) << DescribeDialogs(dialogs).toStdString();
    ScriptedDialogs::Record r =
        dialogs.records().empty() ? ScriptedDialogs::Record{} : dialogs.records().back();
    dialogs.clear();
    return r;
  }
};

}  // namespace tavo::test
