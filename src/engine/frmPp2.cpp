#include "engine/frmPp2.h"

#include "engine/hooks.h"
#include "engine/proceso.h"

namespace tavo {

namespace {
QPushButton* LineaDeEstado(QWidget* parent, const char* name, const QString& caption, int top) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFlat(true);
  button->setAutoFillBackground(true);
  QPalette colour = button->palette();
  colour.setColor(QPalette::Button, QColor(172, 191, 183));
  colour.setColor(QPalette::Window, QColor(172, 191, 183));
  button->setPalette(colour);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(12);
  font.setBold(true);
  button->setFont(font);
  button->setFocusPolicy(Qt::NoFocus);
  PlaceTwips(button, 0, top, 7332, 492);
  return button;
}
}  // namespace

frmPp2::frmPp2() : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("frmPp2"));
  setWindowTitle(QStringLiteral("Proceso de cálculo de Series de Tormentas Sintéticas para todo el sistem"));
  setAutoFillBackground(true);
  QPalette colour = palette();
  colour.setColor(QPalette::Window, QColor(227, 227, 227));
  setPalette(colour);
  setFixedSize(Px(7344), Px(1176));
  cmdTrestante = LineaDeEstado(this, "cmdTrestante", QStringLiteral("PDR"), 0);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  PlaceTwips(ProgressBar1, 120, 480, 7092, 252);
  cmdMiTime = LineaDeEstado(this, "cmdMiTime", QString(), 720);
}

void frmPp2::Muestra(const QString& caption) {
  ShowModeless(this, false);
  setWindowTitle(caption);
  setCursor(Qt::WaitCursor);
  Repinta();
}

void frmPp2::Termina() {
  unsetCursor();
  ProgressBar1->hide();
  cmdTrestante->hide();
  close();
}

void frmPp2::Repinta() {
  repaint();
}

void InstallProgressWindowHooks() {
  AbreProgresoSerieHook.install([] {
    frmPp2& progreso = FormInstance<frmPp2>::instance();
    progreso.Muestra(QStringLiteral("un momento...esta opción puede tardar varios minutos..."));
    progreso.ProgressBar1->show();
    progreso.ProgressBar1->setValue(0);
    progreso.cmdTrestante->show();
    progreso.cmdTrestante->setText(QString());
    progreso.cmdMiTime->setText(QStringLiteral("PDR"));
  });
  ProgresoTormentaHook.install([](const QString& tormenta, const QString& tiempo) {
    frmPp2& progreso = FormInstance<frmPp2>::instance();
    progreso.cmdTrestante->setText(tormenta);
    progreso.cmdMiTime->setText(tiempo);
  });
  ProgresoPorcentajeHook.install([](int porcentaje) {
    frmPp2& progreso = FormInstance<frmPp2>::instance();
    progreso.ProgressBar1->setValue(porcentaje);
    progreso.Repinta();
  });
  CierraProgresoSerieHook.install([] {
    if (frmPp2::isLoaded()) frmPp2::instance().Termina();
  });
}

}  // namespace tavo
