// The graphic network editor: a window of its own beside the main window, in which the network of the
// open project is drawn and edited. Its public procedures (the network writer, the network check and
// the redraw) are also called from outside; the redraw loads and shows the window when it is not.
//
// Positions of its controls are window units: twips of the window's own size, so that the picture
// and the status line follow the window when it is resized.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/arrays.h"
#include "platform/forms.h"
#include "platform/picturebox.h"
#include "platform/vb.h"

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
  void picDibujo_DblClick();
  void picDibujo_KeyPress(int KeyAscii);

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
  void InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales, Array1<QString>& nombres,
                              const QStringList& extraOutlets = {});

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
  QLabel* lblX;
  QLabel* lblY;
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

  const QEvent* teclaVista_ = nullptr;  // the key press the window has already seen
};

// Redraws the network in the editor window, loading and showing the window first when needed.
void DibujaRed();

// Shows the dam dialog modeless, the editor left enabled, after a dam was deleted while others remain.
// Set by the dam dialog's module; empty while the program has no dam dialog.
inline std::function<void()> MuestraDlgRepresasTrasEliminar;

// Grows the bound of the vertex arrays to hold a reach of `vertices` vertices; it never shrinks.
void AmpliaVertices(int vertices);

// Gives every reach its stream order in OrdenCauce: 1 for a reach no other reach feeds, higher
// downstream where tributaries of equal order meet; ten sweeps in collection order.
void CalculaOrdenCauces();

}  // namespace tavo
