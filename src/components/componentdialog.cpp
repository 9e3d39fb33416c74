#include "components/componentdialog.h"

#include <QCloseEvent>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

#include "editor/frmUEHs.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"

namespace tavo {

void DisableEditor() {
  if (frmUEHs::isLoaded()) frmUEHs::object().setEnabled(false);
}

void ReturnToEditor() {
  if (!frmUEHs::isLoaded()) return;
  frmUEHs& editor = frmUEHs::object();
  editor.setEnabled(true);
  if (editor.isVisible()) {
    editor.activateWindow();
    editor.picDibujo->setFocus();
  }
}

QString TextoCampo(Single valor) {
  return PlainNumberText(valor);
}

Single LeeCampo(const QLineEdit* caja) {
  return CSng(Val(caja->text()));
}

QString TextoLista(const QListWidget* lista) {
  const QListWidgetItem* item = lista->currentItem();
  return item ? item->text() : QString();
}

void FijaFila(QListWidget* lista, int fila) {
  if (fila >= 0) {
    lista->setCurrentRow(fila);
    return;
  }
  // No selection, and none made for it when the list gets the focus.
  const QSignalBlocker quiet(lista);
  lista->setCurrentIndex(QModelIndex());
}

int FilaDe(const QListWidget* lista, const QString& texto) {
  for (int i = 0; i < lista->count(); ++i) {
    if (lista->item(i)->text() == texto) return i;
  }
  return -1;
}

void MuestraMetodo(QListWidget* lista, Variant& metodo) {
  lista->clear();
  for (const QString& m : {kPiscinaNivelada, kMuskingum, kRungeKutta}) lista->addItem(m);
  if (FilaDe(lista, metodo.toString()) < 0) metodo = kPiscinaNivelada;
  FijaFila(lista, FilaDe(lista, metodo.toString()));
}

// ---- the window ----

ComponentDialog::ComponentDialog(const char* name, const QString& caption, int ancho, int alto,
                                 const QString& prefijo)
    : QWidget(nullptr, Qt::Dialog), prefijo_(prefijo) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(caption);
  setFixedSize(Px(ancho), Px(alto));
  QFont letra = font();
  letra.setPointSize(8);
  setFont(letra);
  QRect marco = rect();
  marco.moveCenter(ScreenArea().center());
  move(marco.topLeft());
}

QLabel* ComponentDialog::Etiqueta(QWidget* parent, const char* name, const QString& caption, int left,
                                  int top, int width, int height) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  PlaceTwips(label, left, top, width, height);
  return label;
}

QLabel* ComponentDialog::Valor(QWidget* parent, const char* name, const QString& caption, int left, int top,
                               int width) {
  QLabel* label = Etiqueta(parent, name, caption, left, top, width, 300);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setIndent(3);
  return label;
}

QListWidget* ComponentDialog::Lista(QWidget* parent, const char* name, int left, int top, int width,
                                    int height) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  PlaceTwips(list, left, top, width, height);
  return list;
}

namespace {
void SinComillas(QLineEdit* box) {
  box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box));
}
}  // namespace

QLineEdit* ComponentDialog::CajaTexto(QWidget* parent, const char* name, int left, int top, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  SinComillas(box);
  PlaceTwips(box, left, top, width, 315);
  return box;
}

ValidatedBox* ComponentDialog::Caja(QWidget* parent, const char* name, int left, int top, int width,
                                    std::function<bool()> check) {
  auto* box = new ValidatedBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  PlaceTwips(box, left, top, width, 315);
  TakesNumbers(box);
  if (check) Valida(box, std::move(check));
  return box;
}

ValidatedBox* ComponentDialog::CajaNumero(QWidget* parent, const char* name, int left, int top, int width,
                                          double maximo, const QString& mensaje, int icono,
                                          std::function<void()> rechazo) {
  ValidatedBox* box = Caja(parent, name, left, top, width);
  Valida(box, [box, maximo, mensaje, icono, rechazo] {
    if (DentroDeRango(box->text(), maximo)) return true;
    MsgBox(mensaje, vbOKOnly | icono);
    if (rechazo) rechazo();
    return false;
  });
  return box;
}

ValidatedBox* ComponentDialog::CajaNumero(QWidget* parent, const char* name, int left, int top, int width,
                                          const RangoParametro& rango, std::function<void()> rechazo) {
  return CajaNumero(parent, name, left, top, width, rango.maximo, rango.mensaje, rango.icono,
                    std::move(rechazo));
}

namespace {
// Level `fila` of element n's table; 0 where the table holds no such row.
Single NivelTabla(const Array2<Single>& h, int n, int fila) {
  const bool dentro = n >= h.lower1() && n <= h.upper1() && fila >= h.lower2() && fila <= h.upper2();
  return dentro ? h(n, fila) : Single(0);
}
}  // namespace

ValidatedBox* ComponentDialog::CajaHInicial(QWidget* parent, const char* name, int left, int top, int width,
                                            const Array1<Integer>& filas, const Array2<Single>& h,
                                            const Integer& elemento) {
  ValidatedBox* box = Caja(parent, name, left, top, width);
  Valida(box, [box, &filas, &h, &elemento] {
    const int n = elemento;
    const int ultima = n >= filas.lower() && n <= filas.upper() ? filas(n) : 0;
    const Single hmin = NivelTabla(h, n, 1);
    const Single hmax = NivelTabla(h, n, ultima);
    const QString texto = box->text();
    if (IsNumeric(texto)) {
      try {
        const double valor = Val(texto);
        if (valor == 0) return true;
        const Single nivel = CSng(valor);
        if (nivel >= hmin && nivel <= hmax) return true;
      } catch (const VbError&) {
        // too large for a level: refused as any level out of the table
      }
    }
    MsgBox(QStringLiteral("Ingrese '0' o un valor numérico entre la altura H mímima=") + NumberText(hmin) +
               QStringLiteral("y la altura H máxima=") + NumberText(hmax) +
               QStringLiteral(" dadas en la 'Tabla SHV'"),
           vbOKOnly);
    box->setText(QStringLiteral("0"));
    return false;
  });
  return box;
}

ValidatedBox* ComponentDialog::CajaNombre(QWidget* parent, const char* name, int left, int top, int width,
                                          std::function<bool()> alSalir) {
  auto* box = new ValidatedBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  PlaceTwips(box, left, top, width, 315);
  SinComillas(box);
  txtNombre = box;
  Valida(box, std::move(alSalir));
  return box;
}

void ComponentDialog::Valida(ValidatedBox* box, std::function<bool()> check) {
  box->setValidation([this, box, check] {
    if (cerrando_) return true;
    const bool aceptado = check();
    rechazada_ = aceptado ? nullptr : box;
    return aceptado;
  });
}

void ComponentDialog::Botones(int left, int top) {
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancelar"), left, top, 1215);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Aceptar"), left + 1335, top, 1215);
  // A click on a button leaves the focus where it is: "Aceptar" checks the box being edited itself,
  // and "Cancelar" checks nothing.
  for (QPushButton* button : {OKButton, CancelButton}) {
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
  }
}

void ComponentDialog::Termina() {
  connect(OKButton, &QPushButton::clicked, this, [this] {
    RunGuarded([this] {
      const bool valido = rechazada_ ? rechazada_->validate() : ValidateFocusedBox(this);
      if (valido) OKButton_Click();
    });
  });
  connect(CancelButton, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { CancelButton_Click(); }); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, CancelButton, &QPushButton::click);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  OKButton->setFocus();
}

bool ComponentDialog::eventFilter(QObject* watched, QEvent* event) {
  // While a box refuses its text, clicks elsewhere wait: only the box and the two buttons take them.
  const QEvent::Type type = event->type();
  if (rechazada_ && !cerrando_ &&
      (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
       type == QEvent::MouseButtonDblClick) &&
      watched != rechazada_ && watched != OKButton && watched != CancelButton)
    return true;
  return QWidget::eventFilter(watched, event);
}

void ComponentDialog::closeEvent(QCloseEvent* event) {
  // The close box is "Cancelar"; a dialog that waits for its table window stays open.
  event->ignore();
  if (!isEnabled()) return;
  RunGuarded([this] { CancelButton_Click(); });
}

void ComponentDialog::setVisible(bool visible) {
  // A dialog that closed itself while loading is not shown by its opener.
  if (visible && cerrando_) return;
  QWidget::setVisible(visible);
}

// ---- names ----

bool ComponentDialog::NombreAceptable(const QString& nombre) const {
  return nombre.startsWith(prefijo_) && nombre.size() > prefijo_.size() && nombre.size() <= kLargoNombre &&
         nombre != kNombreInvalido && !NombreOcupado(nombre);
}

namespace {
// The kind's prefix in front of a name that lacks it, and the name cut to its first 15 characters.
QString ConPrefijo(const QString& texto, const QString& prefijo) {
  const QString nombre = texto.startsWith(prefijo) ? texto : prefijo + texto;
  return nombre.left(kLargoNombre);
}
}  // namespace

void ComponentDialog::ClickNombre(bool duplicados) {
  if (txtNombre->text() != kNombreInvalido) {
    txtNombre->setText(ConPrefijo(txtNombre->text(), prefijo_));
    if (duplicados && !NombreAceptable(txtNombre->text())) txtNombre->setText(kNombreInvalido);
  }
  txtNombre->selectAll();
  txtNombre->setFocus();
}

void ComponentDialog::NamesShownIn(QListWidget* components, QLabel* nameLabel, QListWidget* receivers) {
  componentList_ = components;
  nameLabel_ = nameLabel;
  receiverList_ = receivers;
}

bool ComponentDialog::SaleNombre() {
  if (!ShownIsSelected()) return true;
  // "Invalido" is never taken as a name: the box keeps it until the user types another.
  if (txtNombre->text() == kNombreInvalido) return false;
  txtNombre->setText(ConPrefijo(txtNombre->text(), prefijo_));
  if (!NombreAceptable(txtNombre->text())) {
    txtNombre->setText(kNombreInvalido);
    return false;
  }
  Renombra(txtNombre->text());
  // The entries keep their selection: renaming them picks nothing and commits nothing.
  const QStringList nombres = KindNames();
  for (QListWidget* lista : {componentList_, receiverList_}) {
    if (!lista) continue;
    for (int fila = 0; fila < lista->count() && fila < nombres.size(); ++fila)
      lista->item(fila)->setText(nombres[fila]);
  }
  nameLabel_->setText(NombreActual());
  return true;
}

void ComponentDialog::GuardaNombre() {
  const QString nombre = txtNombre->text();
  if (nombre != NombreActual() && NombreAceptable(nombre)) Renombra(nombre);
}

QString ComponentDialog::ClickNota(QLineEdit* nota) {
  if (nota->text().size() > 80) nota->setText(QStringLiteral("0"));
  nota->selectAll();
  nota->setFocus();
  return nota->text();
}

// ---- receiver ----

bool ComponentDialog::RefusaBucle(QListWidget* lista, int anterior, const QString& componente) {
  if (!RefusesLoop(componente, TextoLista(lista))) return false;
  {
    const QSignalBlocker quiet(lista);
    lista->setCurrentRow(anterior);
  }
  // A mouse press still selects the entry under the pointer once this returns: select again after it.
  QTimer::singleShot(0, lista, [lista, anterior] {
    const QSignalBlocker quiet(lista);
    lista->setCurrentRow(anterior);
  });
  return true;
}

// ---- closing ----

void ComponentDialog::Cierra() {
  cerrando_ = true;
  Descarga();
  ReturnToEditor();
}

}  // namespace tavo
