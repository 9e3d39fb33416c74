#include "shell/frmInicio.h"

#include <QFont>
#include <QSysInfo>

#include "platform/app.h"

namespace tavo {

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QFont font = label->font();
  font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}
}  // namespace

QString SistemaOperativo() {
  // Qt's kernel names, as the user knows the systems.
  const std::pair<const char*, const char*> names[] = {
      {"linux", "Linux"}, {"winnt", "Windows"}, {"darwin", "macOS"}, {"freebsd", "FreeBSD"}};
  QString name = QSysInfo::kernelType();
  for (const auto& [kernel, known] : names) {
    if (name == QLatin1String(kernel)) name = QString::fromLatin1(known);
  }
  const int bits = QSysInfo::currentCpuArchitecture().contains(QLatin1String("64")) ? 64 : 32;
  return QStringLiteral("%1 (%2 bits)").arg(name).arg(bits);
}

frmInicio::frmInicio() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmInicio"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(172, 191, 183));
  setPalette(palette);
  resize(Px(7200), Px(4200));

  lblTitulo = MakeLabel(this, "lblTitulo", QStringLiteral("TAVO"), 36, true);
  PlaceTwips(lblTitulo, 240, 360, 6720, 900);
  lblDescripcion = MakeLabel(
      this, "lblDescripcion",
      QStringLiteral("Modelo hidrológico de simulación de crecidas en pequeños sistemas torrenciales"), 12,
      false);
  PlaceTwips(lblDescripcion, 240, 1440, 6720, 840);
  lblVersion = MakeLabel(this, "lblVersion", QString(), 10, true);
  PlaceTwips(lblVersion, 240, 2520, 6720, 360);
  lblPlataforma =
      MakeLabel(this, "lblPlataforma", QStringLiteral("Sistema Operativo: ") + SistemaOperativo(), 9, false);
  PlaceTwips(lblPlataforma, 240, 3240, 6720, 360);

  move(ScreenArea().center() - rect().center());
}

void frmInicio::Form_Load() {
  lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(TAVO_VERSION_MAJOR)
                          .arg(TAVO_VERSION_MINOR)
                          .arg(TAVO_VERSION_PATCH));
}

}  // namespace tavo
