#include "results/graficos.h"

#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/app.h"
#include "platform/formlayout.h"
#include "platform/forms.h"
#include "platform/printing.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/listacomponentes.h"

namespace tavo {

QString EtiquetaTiempo(Integer paso, Integer k, Boolean enMinutos) {
  const Integer minutos = CheckInteger(static_cast<long long>(paso) * k);
  if (enMinutos) return NumberText(minutos);
  // The hours in Double, then cut: 69 minutes are 1.15 h, held as 1.1499…, which shows as 1.14.
  const double horas = minutos / 60.0;
  return NumberText(Int(horas * 100) / 100);
}

CategoryScale MenosEtiquetas(CategoryScale escala) {
  escala.automatic = false;
  escala.divisionsPerLabel = static_cast<Integer>(std::min(2 * escala.divisionsPerLabel, 32767));
  escala.divisionsPerTick = static_cast<Integer>(escala.divisionsPerLabel / 2);
  escala.labelsOnTicks = true;
  return escala;
}

CategoryScale MasEtiquetas(CategoryScale escala) {
  escala.automatic = false;
  escala.divisionsPerLabel = static_cast<Integer>(std::max(escala.divisionsPerLabel / 2, 1));
  escala.divisionsPerTick = static_cast<Integer>(escala.divisionsPerLabel / 2);
  escala.labelsOnTicks = true;
  return escala;
}

namespace {
constexpr int kAltoBoton = 330;  // twips
}  // namespace

ChartToolbar::ChartToolbar(QWidget* window, Chart* chart, Lefts lefts, std::function<void()> redraw)
    : window_(window), chart_(chart), redraw_(std::move(redraw)) {
  cmdXmas = MakeButton(window, QStringLiteral("cmdXmas"), QStringLiteral("+DivideEjeX"), lefts.xMas, 0, 1092,
                       kAltoBoton);
  cmdXmenos = MakeButton(window, QStringLiteral("cmdXmenos"), QStringLiteral("-DivideEjeX"), lefts.xMenos, 0,
                         1092, kAltoBoton);
  cmdImprimir = MakeButton(window, QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir"), lefts.imprimir,
                           0, 852, kAltoBoton);
  OKButton = MakeButton(window, QStringLiteral("OKButton"), QStringLiteral("&Cerrar"), lefts.cerrar, 0, 972,
                        kAltoBoton);
  OnSignal(cmdXmas, &QPushButton::clicked, window, [this] { cmdXmas_Click(); });
  OnSignal(cmdXmenos, &QPushButton::clicked, window, [this] { cmdXmenos_Click(); });
}

void ChartToolbar::cmdXmas_Click() {
  chart_->setCategoryScale(MenosEtiquetas(chart_->model().categoryScale));
  redraw_();
}

void ChartToolbar::cmdXmenos_Click() {
  chart_->setCategoryScale(MasEtiquetas(chart_->model().categoryScale));
  redraw_();
}

void ChartToolbar::Print(const QString& name, const std::vector<QWidget*>& hidden,
                         const std::function<void()>& printLayout, const std::function<void()>& afterPrint,
                         const std::function<void()>& restore) {
  cmdImprimir->hide();
  OKButton->hide();
  for (QWidget* w : hidden) w->hide();
  // Whatever happens while printing, the window gets its controls and its layout back.
  struct Vuelta {
    ChartToolbar* barra;
    const std::function<void()>& restore;
    ~Vuelta() {
      barra->cmdImprimir->show();
      barra->OKButton->show();
      restore();
    }
  } vuelta{this, restore};
  printLayout();
  ImprimeVentana(window_, name);
  afterPrint();
}

void SeleccionaComponente(QComboBox* lista) {
  const QString texto = lista->currentText();
  int i = 0;
  while (i < lista->count() && lista->itemText(i) != texto) ++i;
  if (i < lista->count()) {
    const QSignalBlocker quiet(lista);
    lista->setCurrentIndex(i);
  }
  CompoSel = static_cast<Integer>(std::clamp<int>(i + 1, 1, nComponentes));
}

void ColocaVentana(QWidget* window, int left, int top) {
  const QRect free = ScreenArea();
  QRect frame(free.topLeft() + QPoint(Px(left), Px(top)), window->size());
  frame.moveRight(std::min(frame.right(), free.right()));
  frame.moveBottom(std::min(frame.bottom(), free.bottom()));
  frame.moveTopLeft(QPoint(std::max(frame.left(), free.left()), std::max(frame.top(), free.top())));
  window->move(frame.topLeft());
}

QSize TamanoExteriorTwips(const QWidget* window) {
  QSize outer = window->frameGeometry().size();
  if (const auto* frame = qobject_cast<const QMdiSubWindow*>(window->parentWidget())) outer = frame->size();
  return QSize(Twips(outer.width()), Twips(outer.height()));
}

int AltoVentanaGrafico(const QWidget* window) {
  return std::max(TamanoExteriorTwips(window).height(), 3000);
}

void ImprimeVentana(QWidget* window, const QString& name) {
  const QString folder = DirActual.isEmpty() ? CurDir() : DirActual;
  PrintWindowImage(window, folder + QLatin1Char('/') + name + QStringLiteral(".pdf"));
}

}  // namespace tavo
