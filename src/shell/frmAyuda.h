// The program's help: pages of HTML with their pictures, in the folder Ayuda of the program folder,
// read in a window of the program's own with the contents, back and forward, search in the page, the
// links between pages and printing. F1 opens it at the page of the window in use.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QString>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QWidget>

#include "platform/forms.h"

namespace tavo {

// The main page of the help: what the program is, the contents and how to read the help.
inline const QString kPaginaPrincipal = QStringLiteral("AyudaTAVO.html");

class frmAyuda : public QWidget, public FormInstance<frmAyuda> {
  Q_OBJECT
 public:
  frmAyuda();
  void Form_Load();
  void Form_Unload() {}

  // Shows a page of the help folder, given as its file name with an optional anchor
  // ("editor.html#teclas"). A page the folder does not hold shows the main page.
  void MuestraPagina(const QString& pagina);
  // The page shown, as its file name with the anchor it was opened at.
  QString PaginaActual() const;

  void cmdContenido_Click();
  void cmdAtras_Click();
  void cmdAdelante_Click();
  void cmdImprimir_Click();
  // Finds the searched text after (or before) the cursor, going round the page once.
  void cmdBuscarSiguiente_Click();
  void cmdBuscarAnterior_Click();
  // Takes the cursor to the search box (Ctrl+F).
  void EnfocaBusqueda();
  void tvwContenido_Click(QTreeWidgetItem* item);

  QSplitter* splAyuda;
  QTreeWidget* tvwContenido;
  QTextBrowser* txtAyuda;
  QPushButton* cmdContenido;
  QPushButton* cmdAtras;
  QPushButton* cmdAdelante;
  QPushButton* cmdImprimir;
  QLabel* lblBuscar;
  QLineEdit* txtBuscar;
  QPushButton* cmdBuscarSiguiente;
  QPushButton* cmdBuscarAnterior;
  QLabel* lblResultado;

 private:
  // The contents, built from the list of the main page: one entry per page, indented as the list is.
  void CargaContenido();
  // Marks in the contents the entry of the page at `fuente`.
  void MarcaContenido(const QUrl& fuente);
  void Busca(bool haciaAtras);
};

// The folder of the help pages: Ayuda in the program folder.
QString CarpetaAyuda();
// The help page that describes a window, by the window's name: empty when the help has none.
QString PaginaDeVentana(const QString& ventana);
// Every window name that has a page, in no particular order.
QStringList VentanasConPagina();
// Opens the help window at a page. Without the help's main page the user is told that the file is
// missing, and the program goes on.
void AbreAyuda(const QString& pagina);
// Makes F1 open the help at the page of the window in use, in every window of the program, for as
// long as `owner` lives.
void InstalaTeclaAyuda(QObject* owner);

}  // namespace tavo
