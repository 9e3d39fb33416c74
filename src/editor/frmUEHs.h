// The graphic network editor: a window of its own beside the main window, in which the network of the
// open project is drawn and edited. Its public procedures (the network writer, the network check and
// the redraw) are also called from outside; the redraw loads and shows the window when it is not.
//
// Positions of its controls are window units: twips of the window's own size, so that the picture
// and the status line follow the window when it is resized.
#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/arrays.h"
#include "platform/elidedlabel.h"
#include "platform/forms.h"
#include "platform/picturebox.h"
#include "platform/vb.h"
#include "project/componentes.h"

namespace tavo {

class frmUEHs : public QWidget, public FormInstance<frmUEHs> {
  Q_OBJECT
 public:
  frmUEHs();

  void Form_Load();
  void Form_Resize();
  void Form_Activate();
  void Form_Deactivate();
  void Form_Unload();
  // A character typed anywhere in the window, before the control with the focus sees it.
  void Form_KeyPress(int KeyAscii);
  // A key goes down anywhere in the window, before the control with the focus sees it.
  void Form_KeyDown(int KeyCode, int Shift);

  // ---- tools, toolbar and view controls ----
  // A toolbar button was clicked.
  void ToolbarUEHs_ButtonClick(const QString& key);
  // The tool whose toolbar button is pressed.
  bool HerramientaActiva(const QString& key) const;
  void cmdAnchoLineaDib_Click();
  void cmdImagenUEHs_Click();
  void cmdOrdenCauce_Click();
  void mnu_ZoomAll_Click();
  void mnu_CentrarDibujo_Click();
  void ScrEscalaHor_Change();
  void ScrEscalaVer_Change();
  // The user moved the zoom slider.
  void sldEscala_Click();

  // ---- pointer and keys on the drawing; positions in drawing units ----
  void picDibujo_MouseDown(int Button, int Shift, Single X, Single Y);
  // Shows the pointer and carries on the drag the last press started: a vertex of the selected reach,
  // the selected unit, dam or lake, or a link from one of them to its receiver.
  void picDibujo_MouseMove(int Button, int Shift, Single X, Single Y);
  // Ends every drag: stores the dragged vertex where the last move held it, offering a reach whose
  // head lies under a dropped downstream end as its receiver.
  void picDibujo_MouseUp(int Button, int Shift, Single X, Single Y);
  void picDibujo_DblClick();
  void picDibujo_KeyDown(int KeyCode, int Shift);
  void picDibujo_KeyPress(int KeyAscii);

  // Measures the measuring polyline, open or closed, and shows its length, or its perimeter and area.
  void modCalculoLongArea();

  // ---- context menu and property dialogs ----
  // Redraws, offers the menu's commands that the selection allows, and pops the menu up at the pointer.
  void MuestraMenuDibujo();
  // Enables the menu's commands that the selection allows, and names the reach-to-reach command's
  // reaches.
  void OfreceComandosMenu();
  // A key pressed anywhere in the window that is the shortcut of a menu command the selection allows
  // runs that command, as the menu would; whether it was one.
  bool AtajoMenuDibujo(const QKeyEvent& tecla);
  // The property dialogs of units, dams, lakes and reaches, for the selected component of the kind.
  void MuestraDlgUEH2();
  void MuestraDlgRepresas();
  void MuestraDlgLago();
  void MuestraDlgCauceEditProp();
  // Closes the property dialogs open over the editor, and the table windows of a lake's or a dam's,
  // as their "Cancelar" does: nothing they hold goes into the network.
  void CloseComponentDialogs();
  void mnu_PopUpdlgUEH2_Click();
  void mnu_PopUpCauceEditPropiedades_Click();
  void mnu_PopUpdlgLAGO_Click();
  void mnu_PopUpdlgRepresa_Click();
  // The menu item with this name ("mnu_CentrarDibujo" … "mnu_desacoplaRepresa").
  QAction* ItemMenuDibujo(const QString& name) const;

  // ---- coupling and uncoupling the selected components ----
  void mnu_acoplaUEHaCauce_Click();
  void mnu_acoplaRepresaaCauce_Click();
  void mnu_acoplaLAGOaCauce_Click();
  void mnu_acoplaUEHaRepresa_Click();
  void mnu_acoplaUEHaLago_Click();
  void mnu_acoplaCauceaRepresa_Click();
  void mnu_acoplaCauceaLago_Click();
  // The reach selected first (selCauce2) drains into the reach selected last (selCauce).
  void mnu_acoplaCauce1aCauce2_Click();
  void mnu_desacoplaUEH_Click();
  void mnu_desacoplaCauce_Click();
  void mnu_desacoplaRepresa_Click();
  void mnu_desacoplaLAGO_Click();
  // Cuts the selected reach at its selected inner vertex: it keeps the downstream piece, and a new
  // last reach takes the upstream piece and drains into it.
  void mnu_DivideCauce_Click();

  // ---- adding and deleting components ----
  // Starts drawing a new reach; a reach being drawn is discarded.
  void IniciaTrazadoCauce();
  // Turns the reach being drawn into a new reach of the network, named by the user; with
  // DivisionEnCurso, the reach numbered nCauces that a division prepared, named NombreNuevo.
  void AgregaCauce();
  // Add a unit, dam or lake anchored at (XIcono, YIcono), named by the user; they do not redraw.
  void AgregaUEH();
  void AgregaRepresa();
  void AgregaLago();
  // Delete the selected reach, unit, dam or lake, unless something drains into it, and save the
  // network.
  void EliminaCauce();
  void EliminaUEH();
  void EliminaRepresa();
  void EliminaLago();

  // Closes the editor through the network check and the save question; the editor stays open when
  // the user goes back to editing.
  void CierraEditorUEHs();
  // Saves the network to its two files and reads it back (see EscribeRedProyecto).
  void mnu_btn_toolbarGuardaUEHs();
  // Lists the components and the outlets, checks the network, and records in ContinuarConErrores and
  // RedCorrecta what the user answered.
  void ComponenteFinal();

  // Redraws the whole network from memory, aligning the reach ends on their receivers and routing
  // into each lake and dam the reaches that meet it; shows the window.
  void DibujaRed();
  // The symbol and link line of the unit, dam or lake numbered iUEH, iRepresa or iLago, anchored at
  // (XIcono, YIcono) and linked to (XAcople, YAcople).
  void DibujaIconoUEH();
  void DibujaIconoRepresa();
  void DibujaIconoLago();
  // Marks the selected reach, its selected vertex and the second selected reach.
  void ResaltaCauceSeleccionado();

  // The toolbar button with this key ("btn_toolbarUEH" … "btn_toolbarSalir").
  QAction* BotonToolbar(const QString& key) const;

  QToolBar* ToolbarUEHs;
  PictureBox* picDibujo;
  QSlider* sldEscala;
  QScrollBar* ScrEscalaHor;
  QScrollBar* ScrEscalaVer;
  QPushButton* cmdImagenUEHs;
  QPushButton* cmdAnchoLineaDib;
  QPushButton* cmdOrdenCauce;
  ElidedLabel* lblX;  // the pointer's coordinates, whole where the window has room for them
  ElidedLabel* lblY;
  QLabel* lblEstado;
  QMenu* mnu_DibujoSec;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreaBarra();
  void CreaMenuDibujo();
  // The window's size in window units.
  int AnchoVentana() const;
  int AltoVentana() const;
  // The inner coordinate system of the window and of the background-picture holder.
  void FijaEscalaInterna();
  // Steps 2 onwards of the redraw; a run-time error ends it.
  void DibujaRedPasos();
  void DibujaCauces();
  void DibujaSimbolos();
  void DibujaMedida();
  // Draws the link part of a symbol in its normal or selected look.
  struct Enlace;
  void DibujaEnlace(const Enlace& enlace, bool seleccionado);
  // The reach being drawn, in blue over the network.
  void DibujaTrazado();

  // Releases the toolbar buttons with these keys.
  void LevantaBotones(std::initializer_list<const char*> keys);
  // The pointer of the window: the cross hair of the drawing tools, or the default one.
  void PunteroCruz(bool cruz);
  // Refuses a component beyond its kind's limit with the message naming the limit.
  static bool ExcedeLimite(int cuenta, int limite, const char* mensaje);
  // Whether (x, y) lies inside the view of the drawing.
  bool InView(Single x, Single y) const;
  // After a component is added: the view stays as it is when the component lies inside it; one that
  // lies outside a view held so far brings back the view of the whole network.
  void ViewAfterAdding(bool inside);
  // Steps of a press with the left button: drawing a reach, picking with the select tool, lakes,
  // placing and measuring.
  void PresionTrazado(Single X, Single Y);
  void PresionSeleccion(Single X, Single Y);
  void PresionLagos(Single X, Single Y);
  void PresionColocacion(Single X, Single Y);
  // Adds the point to the measuring polyline and draws it.
  void AgregaPuntoMedida(Single X, Single Y);
  // Whether a component drains into the one named `nombre`: a unit or a reach, and also a lake or a
  // dam when `todos`; the message of the kind refuses the deletion.
  static bool RefusaTributarios(const QString& nombre, bool todos, const QString& tipo);
  // Saves the network after a deletion; nothing is left selected.
  void GuardaEliminacion();

  // Steps of a pointer move: the vertex drag, which may end the handler (true), and the link drags
  // from the selected unit, dam or lake, which end it (true) at a question answered No, a refusal or
  // a link made.
  bool MueveVertice(Single X, Single Y);
  bool ArrastraAcopleDeUEH(Single X, Single Y);
  // The link drag of a dam or lake, which links to a reach head only: `pregunta` starts the question
  // and `conexion` ends the refusal of a reach that already receives a dam or lake.
  bool ArrastraAcopleACauce(Registro& componente, const QString& nombre, Single ax, Single ay,
                            const QString& pregunta, const QString& conexion, Single X, Single Y);
  // The red band from the symbol anchored at (ax, ay) to the pointer, the previous band erased.
  void BandaAcople(Single ax, Single ay, Single X, Single Y);
  // The first reach, by number, whose head lies within a symbol size of the pointer; 0 when none.
  static int CauceEnRango(Single X, Single Y);
  // Links a unit, dam or lake to `receptor` at the link point (x, y); nothing is left selected and
  // the network is redrawn.
  void EnlazaArrastre(Registro& componente, const QString& receptor, Single x, Single y);
  // Refuses a dam or lake draining into a reach that another dam or lake drains into, with the
  // message that ends with `conexion` (the dragged component); `propio` does not count.
  static bool RefusaOtroAcople(const QString& cauce, const Registro* propio, const QString& conexion);
  // Couples a unit, dam or lake (`tipo` "UEH", "Represa" or "LAGO") to the selected reach, unless it
  // already drains into it or the user answers No; a dam or lake (`conexion` not empty) is refused by
  // a reach that another dam or lake drains into, and by a reach it would close a loop with.
  enum class Acople { Ya, No, Si };
  Acople AcoplaACauce(Registro& componente, const QString& tipo, const QString& nombre,
                      const QString& conexion);
  // Connects a context-menu item to its handler.
  void ConectaItem(const char* name, void (frmUEHs::*handler)());

  bool enMovimiento_ = false;  // a pointer move is being handled: the moves a question lets through wait

  // The key press the window has already seen: the event and its keys, since the next press (Z after
  // Ctrl) may come in an event at the same address.
  const QEvent* teclaVista_ = nullptr;
  QKeyCombination teclasVistas_;
};

// Redraws the network in the editor window, loading and showing the window first when needed.
void DibujaRed();

// Before a run reads the network again from its files, while the editor holds edits not saved: asks
// whether to save them. Sí saves them (the run then reads them back); No drops them, and the editor
// shows the network of the files; Cancelar keeps them and the run does not take place. False when the
// run must not take place: the user cancelled, or the save failed (its message has been shown).
bool SaveEditsBeforeRun();

// Grows the bound of the vertex arrays to hold a reach of `vertices` vertices; it never shrinks.
void AmpliaVertices(int vertices);

}  // namespace tavo
