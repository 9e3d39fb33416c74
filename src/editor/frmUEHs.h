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
  // A toolbar button was clicked.
  void ToolbarUEHs_ButtonClick(const QString& key);

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

  const QEvent* teclaVista_ = nullptr;  // the key press the window has already seen
};

// Redraws the network in the editor window, loading and showing the window first when needed.
void DibujaRed();

// Gives every reach its stream order in OrdenCauce: 1 for a reach no other reach feeds, higher
// downstream where tributaries of equal order meet; ten sweeps in collection order.
void CalculaOrdenCauces();

}  // namespace tavo
