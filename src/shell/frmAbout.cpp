#include "shell/frmAbout.h"

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/iconos.h"

namespace tavo {

namespace {
constexpr Long HKEY_LOCAL_MACHINE = static_cast<Long>(0x80000002u);

QLabel* Etiqueta(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                 int height) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  PlaceTwips(label, left, top, width, height);
  return label;
}
}  // namespace

frmAbout::frmAbout() {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("Acerca de TAVO"));
  setWindowFlags(Qt::Dialog);
  setFixedSize(Px(5730), Px(3750));

  picIcon = Etiqueta(this, "picIcon", QString(), 240, 240, 720, 720);
  picIcon->setPixmap(IconoPrograma().pixmap(48, 48));
  lblTitle = Etiqueta(this, "lblTitle", QStringLiteral("Título de la aplicación"), 1140, 240, 4320, 480);
  QFont titulo = lblTitle->font();
  titulo.setPointSize(14);
  titulo.setBold(true);
  lblTitle->setFont(titulo);
  lblVersion = Etiqueta(this, "lblVersion", QStringLiteral("Versión:"), 1140, 780, 4320, 225);
  lblDescription =
      Etiqueta(this, "lblDescription",
               QStringLiteral("Modelo hidrológico para la simulación de crecidas en sistemas torrenciales "
                              "y en cuencas pequeñas y medianas."),
               1140, 1125, 4320, 720);
  Label4 =
      Etiqueta(this, "Label4",
               QStringLiteral("El uso y aplicación que se efectúe con este programa y sus resultados es de "
                              "exclusiva responsabilidad del usuario"),
               240, 2040, 5220, 720);
  cmdOK = new QPushButton(QStringLiteral("Cerrar"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 4125, 2880, 1380, 375);
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("Info. del &sistema..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  PlaceTwips(cmdSysInfo, 1845, 2880, 2160, 375);
  ConnectGuarded(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  ConnectGuarded(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load() {
  lblVersion->setText(QStringLiteral("Versión %1.%2.%3")
                          .arg(TAVO_VERSION_MAJOR)
                          .arg(TAVO_VERSION_MINOR)
                          .arg(TAVO_VERSION_PATCH));
  lblTitle->setText(QStringLiteral("TAVO"));
}

void frmAbout::cmdOK_Click() {
  close();
}

void frmAbout::cmdSysInfo_Click() {
  SetBusyPointer(true);
  StartSysInfo();
  SetBusyPointer(false);
}

void frmAbout::StartSysInfo() {
  QString path;
  if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                  QStringLiteral("PATH"), path) &&
      OpenWithDesktop(path)) {
    return;
  }
  if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                  QStringLiteral("MSINFO"), path) &&
      OpenWithDesktop(path + QStringLiteral("/MSINFO32.EXE"))) {
    return;
  }
  MsgBox(QStringLiteral("La información del sistema no está disponible en este momento"), vbOKOnly);
}

Boolean frmAbout::GetKeyValue(Long, const QString&, const QString&, QString& keyValue) {
  keyValue.clear();
  return false;
}

}  // namespace tavo
