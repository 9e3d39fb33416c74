#include "project/dlgEliminarProyecto.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "platform/vb.h"
#include "project/comandos.h"
#include "project/configuracion.h"
#include "project/directorio.h"
#include "project/estado.h"
#include "project/hooks.h"

namespace tavo {

namespace {

const QString kNinguno = QStringLiteral("Ninguno");

QGroupBox* Marco(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                 int height) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(name));
  PlaceTwips(frame, left, top, width, height);
  return frame;
}

QLabel* Etiqueta(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                 int height) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  PlaceTwips(label, left, top, width, height);
  return label;
}

QPushButton* Boton(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  PlaceTwips(button, left, top, 1320, 375);
  return button;
}

}  // namespace

dlgEliminarProyecto::dlgEliminarProyecto() : QWidget(nullptr, Qt::Dialog) {
  setObjectName(QStringLiteral("dlgEliminarProyecto"));
  setWindowTitle(QStringLiteral("Eliminar un Proyecto existente"));
  setFixedSize(Px(7200), Px(6060));

  Frame2 = Marco(this, "Frame2", QStringLiteral("Directorio de Trabajo:"), 120, 120, 6960, 720);
  lblDirTrabajo = Etiqueta(Frame2, "lblDirTrabajo", QString(), 120, 330, 6720, 285);

  filProyectoEliminar = new FileList(this);
  filProyectoEliminar->setObjectName(QStringLiteral("filProyectoEliminar"));
  filProyectoEliminar->setPattern(QStringLiteral("*_Conf.pcn"));
  PlaceTwips(filProyectoEliminar, 120, 960, 3000, 2520);

  Frame3 = Marco(this, "Frame3", QStringLiteral("Si pulsa Aceptar borra el Proyecto:"), 3240, 960, 3840, 900);
  lblProyectoAEliminar = Etiqueta(Frame3, "lblProyectoAEliminar", kNinguno, 120, 420, 3600, 300);
  QFont bold = lblProyectoAEliminar->font();
  bold.setBold(true);
  lblProyectoAEliminar->setFont(bold);
  OKButton = Boton(this, "OKButton", QStringLiteral("Aceptar"), 3240, 2040);
  CancelButton = Boton(this, "CancelButton", QStringLiteral("Cancelar"), 4680, 2040);

  Frame1 = Marco(this, "Frame1", QStringLiteral("IMPORTANTE !!!"), 120, 3600, 6960, 2340);
  Label1 = Etiqueta(
      Frame1, "Label1",
      QStringLiteral("Esta opción elimina todos los archivos del Proyecto Seleccionado, existentes en "
                     "el Directorio de Trabajo (archivos tipo <nombrearchivo*.pcn> )"),
      120, 330, 6720, 840);
  Label2 = Etiqueta(
      Frame1, "Label2",
      QStringLiteral("Si desea eliminar un Proyecto que se encuentra en otro Directorio diferente al "
                     "de trabajo, debe seleccionar correctamente el Directorio desde el Menú de "
                     "Opciones de Configuración"),
      120, 1260, 6720, 960);
  // The notes are plain text, not markup: "<nombrearchivo*.pcn>" shows as it is.
  for (QLabel* label : {Label1, Label2, lblDirTrabajo, lblProyectoAEliminar})
    label->setTextFormat(Qt::PlainText);

  ConnectGuarded(filProyectoEliminar, &FileList::clicked, this,
                 &dlgEliminarProyecto::filProyectoEliminar_Click);
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgEliminarProyecto::OKButton_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgEliminarProyecto::CancelButton_Click);
}

void dlgEliminarProyecto::Form_Load() {
  lblDirTrabajo->setText(DirActual);
  ChDir(DirActual);
  filProyectoEliminar->setPath(DirActual);
  filProyectoEliminar->setPattern(QStringLiteral("*_Conf.pcn"));
  lblProyectoAEliminar->setText(kNinguno);
}

void dlgEliminarProyecto::filProyectoEliminar_Click() {
  ArchivoAEliminar = filProyectoEliminar->fileName();
  lblProyectoAEliminar->setText(ArchivoAEliminar);
}

void dlgEliminarProyecto::CancelButton_Click() {
  HideForm(this);
}

void dlgEliminarProyecto::OKButton_Click() {
  const QString elegido = lblProyectoAEliminar->text();
  if (elegido.isEmpty() || elegido == kNinguno) return;
  const QString nombre = Left(ArchivoAEliminar, ArchivoAEliminar.size() - 9);
  if (MsgBox(QStringLiteral("¿Está seguro de borrar los archivos del Proyecto <") + nombre +
                 QStringLiteral("> ? "),
             vbYesNo | vbQuestion, QStringLiteral("Consulta")) != vbYes)
    return;
  // The files go from the folder the dialog shows, the one the user confirmed: the project's own
  // files and nothing else, so a project named <nombre>_x and the stored storms stay.
  const QString folder = filProyectoEliminar->path() + QLatin1Char('/');
  // The open project, once its settings file is gone, is no project any more: it is closed, and the
  // main window and the working-directory file say so.
  const bool abierto = nombre == NombreProyecto && SameFolder(filProyectoEliminar->path(), DirActual);
  bool borrado = false;
  auto cierra = [&] {
    if (!abierto || !borrado) return;
    NombreProyecto.clear();
    RutaArchivo.clear();
    if (!ShowProjectIfMainWindowHook()) GuardaArchivoDirectorio();
  };
  try {
    ChDir(DirActual);
    Kill(folder + ArchivoAEliminar);
    borrado = true;
    for (size_t i = 1; i < kArchivosProyecto.size(); ++i)
      RmFile(folder + nombre + QLatin1String(kArchivosProyecto[i]));
  } catch (const VbError&) {
    // What was deleted before the failure stays deleted.
    cierra();
    HideForm(this);
    return;
  }
  cierra();
  // The list no longer shows the project, so none is chosen.
  filProyectoEliminar->refresh();
  ArchivoAEliminar = filProyectoEliminar->fileName();
  lblProyectoAEliminar->setText(ArchivoAEliminar.isEmpty() ? kNinguno : ArchivoAEliminar);
}

void ShowDeleteProjectDialog() {
  if (dlgEliminarProyecto::isLoaded() && dlgEliminarProyecto::object().isHidden())
    dlgEliminarProyecto::unload();
  ShowModeless(&dlgEliminarProyecto::instance(), false);
}

}  // namespace tavo
