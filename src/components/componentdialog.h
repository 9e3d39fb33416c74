// The frame that the property dialogs of units, reaches, lakes and dams share. Each is a window of
// its own over the disabled network editor; it lists every component of its kind, shows one at a
// time and writes it back into its record when another is picked and on "Aceptar". Numeric boxes are
// checked when they are left, the name box keeps the kind's prefix, the length limit and uniqueness,
// and a rename carries over to every component that named the old name as its receiver.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "components/rangos.h"
#include "platform/arrays.h"
#include "platform/forms.h"
#include "platform/vb.h"
#include "project/receptores.h"

namespace tavo {

constexpr int kLargoNombre = 15;  // longest component name, prefix included

// The text a name box turns into when it refuses a name.
inline const QString kNombreInvalido = QStringLiteral("Invalido");
// The receiver entries that name no component.
inline const QString kNinguno = QStringLiteral("Ninguno");

// The network editor while a property dialog is open: it takes no input, and gets it back with the
// keyboard focus in its drawing when the dialog closes. Nothing happens when the editor is not open.
void DisableEditor();
void ReturnToEditor();

// The routing methods of lakes and dams, in the order their method lists show them.
inline const QString kPiscinaNivelada = QStringLiteral("Piscina Nivelada");
inline const QString kMuskingum = QStringLiteral("Muskingum");
inline const QString kRungeKutta = QStringLiteral("Runge Kutta");
// Fills a lake's or a dam's method list and selects its method, as a pick would; a method that is none
// of the three becomes "Piscina Nivelada" in the record first.
void MuestraMetodo(QListWidget* lista, Variant& metodo);

// A number as the property dialogs show it: plain number text, "." its decimal separator.
QString TextoCampo(Single valor);
// The value of a box: the number its text starts with, in single precision.
Single LeeCampo(const QLineEdit* caja);
// The text of the list's selected entry; empty when none is selected.
QString TextoLista(const QListWidget* lista);
// Selects a list's entry from code, as a pick would (the list's pick handling runs); -1 selects
// nothing and runs nothing.
void FijaFila(QListWidget* lista, int fila);
// The first entry of the list equal to `texto`; -1 when none is.
int FilaDe(const QListWidget* lista, const QString& texto);

// The record numbered `sel` while it is a component of the network in memory; null otherwise.
template <class R, size_t N>
ObjectRef SelectedIn(const std::vector<std::shared_ptr<R>>& coleccion,
                     const std::array<std::shared_ptr<R>, N>& arreglo, int sel) {
  if (sel < 1 || sel >= static_cast<int>(N) || !arreglo[sel]) return nullptr;
  const bool enRed = std::find(coleccion.begin(), coleccion.end(), arreglo[sel]) != coleccion.end();
  return enRed ? arreglo[sel] : nullptr;
}

class ComponentDialog : public QWidget {
  Q_OBJECT
 public:
  Boolean LlenandoListas = false;  // the opening is selecting the current component: nothing is committed

  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

  virtual void OKButton_Click() = 0;
  virtual void CancelButton_Click() = 0;

 protected:
  // The window, its caption and its size in twips; the prefix of the kind's names.
  ComponentDialog(const char* name, const QString& caption, int ancho, int alto, const QString& prefijo);

  // ---- building, positions in twips ----
  static QLabel* Etiqueta(QWidget* parent, const char* name, const QString& caption, int left, int top,
                          int width, int height = 255);
  // A label that shows a value, in a sunken frame.
  static QLabel* Valor(QWidget* parent, const char* name, const QString& caption, int left, int top,
                       int width);
  static QListWidget* Lista(QWidget* parent, const char* name, int left, int top, int width, int height);
  // A one-line box in which a double quote cannot be typed (it would break the network file).
  static QLineEdit* CajaTexto(QWidget* parent, const char* name, int left, int top, int width);
  // A number box: it selects its whole text when it gets the focus, takes a typed comma as the
  // decimal point, and is checked by `check` when it is left (no check: every text is accepted).
  ValidatedBox* Caja(QWidget* parent, const char* name, int left, int top, int width,
                     std::function<bool()> check = {});
  // A box checked when it is left: refused when its text is not a number or reads below 0 or above
  // `maximo`, with `mensaje` (OK only, `icono`, no title). `rechazo` runs after the message.
  ValidatedBox* CajaNumero(QWidget* parent, const char* name, int left, int top, int width, double maximo,
                           const QString& mensaje, int icono, std::function<void()> rechazo = {});
  // The same with a parameter's range, its message and its icon.
  ValidatedBox* CajaNumero(QWidget* parent, const char* name, int left, int top, int width,
                           const RangoParametro& rango, std::function<void()> rechazo = {});
  // The name box; `alSalir` runs when it is left and returns false when it refuses the name.
  ValidatedBox* CajaNombre(QWidget* parent, const char* name, int left, int top, int width,
                           std::function<bool()> alSalir);
  // "Cancelar" and "Aceptar" side by side, from `left`.
  void Botones(int left, int top);
  // Ends the building: the buttons' and Esc's handling, and the clicks that wait for a refused box.
  void Termina();

  // ---- the kind, told by each dialog ----
  // The record of the kind's selected component (selUEH ...); null when the selection names none.
  virtual ObjectRef SelectedRecord() const = 0;
  // The stored name of the component shown.
  virtual QString NombreActual() const = 0;
  // True when another component of the kind has this name.
  virtual bool NombreOcupado(const QString& nombre) const = 0;
  // Gives the component shown the name, and every component that drained into it the new name as
  // its receiver.
  virtual void Renombra(const QString& nombre) = 0;
  // The names of the kind's components, in the order of their collection.
  virtual QStringList KindNames() const = 0;

  // The initial water level of a lake or a dam: 0, or a number between the first and the last level
  // of the table of element `elemento` (the table's row counts `filas` and levels `h`, as they stand
  // when the box is left). Any other text shows the range and turns into "0".
  ValidatedBox* CajaHInicial(QWidget* parent, const char* name, int left, int top, int width,
                             const Array1<Integer>& filas, const Array2<Single>& h, const Integer& elemento);

  // ---- the component shown ----
  // Notes the selected component as the one shown; each show does it first.
  void NoteShown() { mostrado_ = SelectedRecord(); }
  // True while the component shown is still the selected component of the network in memory. The
  // main window takes input while a dialog is open, and a run or a parameter table may reload or
  // reset the project under it: from then on nothing the dialog holds is written into any component.
  bool ShownIsSelected() const { return mostrado_ && SelectedRecord() == mostrado_; }

  // ---- name box ----
  // Where the dialog shows the kind's names: its component list, the label with the shown component's
  // name and, for a kind whose receiver list offers the kind's own components first, that list.
  void NamesShownIn(QListWidget* components, QLabel* nameLabel, QListWidget* receivers = nullptr);
  // A click in the name box: the prefix and the length limit, the whole text selected, and, when
  // `duplicados`, a name that cannot be taken turned into "Invalido".
  void ClickNombre(bool duplicados = true);
  // The name box left: the prefix and the length limit, then the rename; a name that cannot be taken
  // turns into "Invalido" and gives false. "Invalido" itself is never taken. Once the component shown
  // is no longer selected, nothing is renamed and the box is left. The lists and the name label show
  // the new name at once; what is typed in the other boxes stays there until the commit.
  bool SaleNombre();
  // The commit's name: the box's text when it can be the name, else the stored name stays.
  void GuardaNombre();
  // True when `nombre` can be the shown component's name: the prefix and something after it, at
  // most 15 characters, no other component of the kind with it, not "Invalido".
  bool NombreAceptable(const QString& nombre) const;
  // The note box clicked: a note longer than 80 characters becomes "0", and its whole text is
  // selected. Returns the note.
  static QString ClickNota(QLineEdit* nota);

  // ---- receiver ----
  // A receiver pick in `lista` that would make `componente` drain into its own tributary: the
  // message, then the entry `anterior` selected again. True when the pick is refused.
  static bool RefusaBucle(QListWidget* lista, int anterior, const QString& componente);

  // ---- closing ----
  // Unloads the dialog and gives the editor back.
  void Cierra();
  // The dialog's own unloading (its instance's unloadLater).
  virtual void Descarga() = 0;

  ValidatedBox* txtNombre = nullptr;  // the name box

  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  void setVisible(bool visible) override;

 private:
  // Checks a box with `check`, keeping note of a box that refuses its text.
  void Valida(ValidatedBox* box, std::function<bool()> check);

  QString prefijo_;
  QListWidget* componentList_ = nullptr;  // the kind's components
  QLabel* nameLabel_ = nullptr;           // the shown component's name
  QListWidget* receiverList_ = nullptr;   // receivers led by the kind's own components, if any
  ObjectRef mostrado_;                    // the record of the component shown
  ValidatedBox* rechazada_ = nullptr;     // the box that refused its text and holds the focus
  bool cerrando_ = false;                 // the dialog is unloading: no box is checked any more
};

}  // namespace tavo
