// The main window: the frame that owns the menus, the toolbar and the project panel, and inside
// which every other window of the program opens.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <vector>

#include "platform/elidedlabel.h"
#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class MDIForm1 : public QMainWindow, public FormInstance<MDIForm1> {
  Q_OBJECT
 public:
  MDIForm1();
  ~MDIForm1() override;
  void Form_Load();
  void Form_Unload() {}

  // The main window's own controls on or off: menus, toolbar and project panel. The windows open
  // inside it are not affected.
  void HabilitaPrincipal(bool enabled);
  bool PrincipalHabilitado() const;

  // The project commands.
  void mnuNuevoProyecto_Click();
  void mnuAbrirProyecto_Click();
  void mnuGuardarProyectoComo_Click();
  void mnuEliminarProyecto_Click();
  void mnu_ultimoarchivo1_Click();
  // Exit: records the working directory and ends the program.
  void mnuSalir_Click();
  void mnuAyudaAcerca_Click();
  void mnuHelpContents_Click();
  // Runs the command of the toolbar button with this key.
  void tbToolBar_ButtonClick(const QString& key);
  // The graphic network editor of the open project.
  void mnufrmUEHs_Click();
  // The storm definition dialog, once a project or a rainfall file has been used.
  void mnufrmPp_Click();
  // The run commands: the current storm, or the storm series of a P-D-R table.
  void mnuCorre1_Click();
  void mnuCorre2_Click();
  // The report window on or off.
  void mnuPizarra1_Click();
  // The hyetograph of the current storm, and the hydrographs of the last run.
  void mnuGraficoPp_Click();
  void mnuHidrogramas_Click();
  // The results of the last storm series: the Q-D-R chart, and the tables of every component and of
  // one, which need a series of more than one storm.
  void mnuGraficoPDRComponente_Click();
  void mnuPlanillaPDRCompleta_Click();
  void mnuPlanillaPDRComponente_Click();
  // The checks of the dams' storage and outflow functions, when the project has dams.
  void mnu_prueba_funcionesSHVrepresas_Click();
  void mnu_prueba_funcionesHQrepresas_Click();
  // The settings window: blocking from the menu (the panel is refreshed after it), not from the toolbar.
  void mnuOpcionesConfigurar_Click();
  void tbConfigurar_Click();
  // The empirical formulas calculator, with or without a project.
  void mnuEmpiricos_Click();
  // The two parameter tables of the Entradas menu work on the open project: with none open each says
  // so.
  void mnuEditfrmUEHsTabla_Click();
  void mnufrmUEHsTabla_Click();
  // The hover rule of the long panel values: a pointer inside the label's hot corner (twips)
  // unfolds it to show its whole text, anywhere else folds it to one line.
  void lblTitulo_MouseMove(int button, int shift, Single X, Single Y);
  void lblUbicacion_MouseMove(int button, int shift, Single X, Single Y);
  void lblCuenca_MouseMove(int button, int shift, Single X, Single Y);
  void lblSubCuenca_MouseMove(int button, int shift, Single X, Single Y);
  void lblMiDirTrabajo_MouseMove(int button, int shift, Single X, Single Y);
  // Shows the open project in the panel and records it in the working-directory file.
  void carga_lbl_proyecto();
  // The panel's part of carga_lbl_proyecto: the project identity and the settings form's titles.
  void FillProjectPanel();
  // Brings the panel into line with the open project when a command changed it without a refresh
  // (an open that found no settings file, a reset that dropped a project whose files are gone).
  void PanelSigueProyecto();
  // The panel's project name, folder and file names.
  void PanelIdentidad();

  QMdiArea* mdiArea;
  QToolBar* tbToolBar;

  QMenu* mnuFile;
  QAction* mnuNuevoProyecto;
  QAction* mnuAbrirProyecto;
  QAction* mnuGuardarProyectoComo;
  QAction* mnuDirCrea;
  QAction* mnuEliminarProyecto;
  QAction* mnuFilePageSetup;
  QAction* mnuVistaPreliminar;
  QAction* mnuImprimir;
  QAction* mnuSalir;
  QAction* mnu_ultimoarchivo1;
  QMenu* mnuOpciones;
  QAction* mnuOpcionesBarra;
  QAction* mnuOpcionesConfigurar;
  QAction* mnu_prueba_funcionesSHVrepresas;
  QAction* mnu_prueba_funcionesHQrepresas;
  QMenu* mnuEntradas;
  QAction* mnufrmUEHs;
  QAction* mnuEditfrmUEHsTabla;
  QAction* mnufrmUEHsTabla;
  QAction* mnufrmPp;
  QMenu* mnuProceso;
  QAction* mnuCorre1;
  QAction* mnuCorre2;
  QAction* mnuPizarra1;
  QMenu* mnuSalidas;
  QAction* mnuGraficoPp;
  QAction* mnuHidrogramas;
  QAction* mnuGraficoPDRComponente;
  QAction* mnuPlanillaPDRCompleta;
  QAction* mnuPlanillaPDRComponente;
  QAction* mnuEmpiricos;
  QMenu* mnuVentana;
  QMenu* mnuAyuda;
  QAction* mnuHelpContents;
  QAction* mnuAyudaAcerca;

  // The toolbar button with this key (nullptr for none).
  QAction* BotonBarra(const QString& key) const;

  // The project panel above the window area, and its value labels.
  QWidget* Picture1;
  QLabel* lblProyecto;
  // The five free texts show whole where the panel has room, else shortened with the whole text as
  // their tooltip.
  ElidedLabel* lblTitulo;
  ElidedLabel* lblUbicacion;
  ElidedLabel* lblCuenca;
  ElidedLabel* lblSubCuenca;
  QLabel* lblFileProyecto;
  ElidedLabel* lblMiDirTrabajo;
  QLabel* lblFilesTrabajo;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The first showing places the whole window, frame included, inside the screen.
  void showEvent(QShowEvent* event) override;

 private:
  void CreaMenus();
  void CreaBarra();
  void CreaPanel(QWidget* client);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Unfolds a long panel value over its whole text, or folds it back to one line; the rows below it
  // make room for it.
  void Plegado(ElidedLabel* label, bool unfold);
  // Places the panel's rows: each at its designed height, or just under an unfolded row above it;
  // the values as wide as their column's room.
  void AcomodaPanel();

  // A row of the panel: its caption, its value, and its designed top and height (twips). Two columns
  // of rows.
  struct FilaPanel {
    QLabel* caption;
    QLabel* value;
    int top;
    int height;
  };
  std::vector<FilaPanel> columnas_[2];
  bool placed_ = false;
};

// The message of the commands that need an open project.
void MensajeSinProyecto();

}  // namespace tavo
