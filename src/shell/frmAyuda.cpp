#include "shell/frmAyuda.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <map>
#include <vector>

#include "platform/activation.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/iconos.h"
#include "platform/printing.h"
#include "platform/seqfile.h"
#include "project/estado.h"

namespace tavo {

namespace {

// The page of every window the program shows, by the window's name.
const std::map<QString, QString>& Paginas() {
  static const std::map<QString, QString> paginas = {
      {QStringLiteral("MDIForm1"), kPaginaPrincipal},
      {QStringLiteral("frmInicio"), kPaginaPrincipal},
      {QStringLiteral("frmAyuda"), kPaginaPrincipal + QStringLiteral("#ventana-ayuda")},
      {QStringLiteral("frmAbout"), QStringLiteral("ventana_principal.html#acerca")},
      {QStringLiteral("frmConfigura"), QStringLiteral("configuracion.html")},
      {QStringLiteral("dlgEliminarProyecto"), QStringLiteral("proyectos.html#eliminar")},
      {QStringLiteral("frmUEHs"), QStringLiteral("editor.html")},
      {QStringLiteral("frmImagenFondo"), QStringLiteral("editor.html#imagen")},
      {QStringLiteral("dlgUEH2"), QStringLiteral("ueh.html")},
      {QStringLiteral("dlgCauceEditProp"), QStringLiteral("cauce.html")},
      {QStringLiteral("dlgLago"), QStringLiteral("lago.html")},
      {QStringLiteral("dlgRepresas"), QStringLiteral("represa.html")},
      {QStringLiteral("dlgTablaSHV"), QStringLiteral("tablas_embalse.html#has")},
      {QStringLiteral("dlgTablaFQ"), QStringLiteral("tablas_embalse.html#hq")},
      {QStringLiteral("dlgTablaSHVQ"), QStringLiteral("tablas_embalse.html#hasq")},
      {QStringLiteral("dlgUEHsTabla"), QStringLiteral("tablas_parametros.html#ver")},
      {QStringLiteral("dlgUEHsEditTabla"), QStringLiteral("tablas_parametros.html#editar")},
      {QStringLiteral("dlgPp"), QStringLiteral("tormenta.html")},
      {QStringLiteral("dlgPpReal"), QStringLiteral("tormenta_real.html")},
      {QStringLiteral("dlgDisPpPer"), QStringLiteral("distribuciones.html")},
      {QStringLiteral("dlgTablasPDRs"), QStringLiteral("tablas_pdr.html")},
      {QStringLiteral("dlgTablaPpUEHs"), QStringLiteral("lluvia_por_ueh.html")},
      {QStringLiteral("frmPp"), QStringLiteral("pizarra.html")},
      {QStringLiteral("frmPp2"), QStringLiteral("corridas.html#progreso")},
      {QStringLiteral("dlgChart1"), QStringLiteral("hietograma.html")},
      {QStringLiteral("dlgChart2"), QStringLiteral("hidrograma.html")},
      {QStringLiteral("dlgChart3"), QStringLiteral("series.html#grafico")},
      {QStringLiteral("dlgTablaSalePDR"), QStringLiteral("series.html#planilla")},
      {QStringLiteral("dlgTablaSalePDR2"), QStringLiteral("series.html#planilla-componente")},
      {QStringLiteral("dlgEmpiricas"), QStringLiteral("formulas.html")},
  };
  return paginas;
}

// The messages the program shows: F1 over one of them opens the page of messages.
const QString kPaginaMensajes = QStringLiteral("mensajes.html");

// The item data that holds an entry's page.
constexpr int kRolPagina = Qt::UserRole;

QPushButton* Boton(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icono,
                   const QString& tooltip) {
  auto* boton = new QPushButton(parent->style()->standardIcon(icono), caption, parent);
  boton->setObjectName(QString::fromLatin1(name));
  boton->setToolTip(tooltip);
  boton->setAutoDefault(false);
  return boton;
}

// The page of the window in use, starting from the widget that has the key.
QString PaginaEnUso(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (w->inherits("QMessageBox")) return kPaginaMensajes;
    const bool ventana = w->isWindow() || qobject_cast<QMdiSubWindow*>(w->parentWidget());
    if (!ventana) continue;
    // In the main window the page is that of the window open inside it, when one is active.
    if (w->objectName() == QLatin1String("MDIForm1") && MdiHost() && MdiHost()->activeSubWindow() &&
        MdiHost()->activeSubWindow()->widget()) {
      const QString pagina = PaginaDeVentana(MdiHost()->activeSubWindow()->widget()->objectName());
      if (!pagina.isEmpty()) return pagina;
    }
    const QString pagina = PaginaDeVentana(w->objectName());
    if (!pagina.isEmpty()) return pagina;
  }
  return kPaginaPrincipal;
}

// F1, in any window, while its owner lives.
class TeclaAyuda : public QObject {
 public:
  explicit TeclaAyuda(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* tecla = static_cast<QKeyEvent*>(event);
    if (tecla->key() != Qt::Key_F1 || (tecla->modifiers() & ~Qt::KeypadModifier)) return false;
    const QString pagina = PaginaEnUso(static_cast<QWidget*>(watched));
    RunGuarded([&] { AbreAyuda(pagina); });
    return true;
  }
};

}  // namespace

QString CarpetaAyuda() {
  return AppPath() + QStringLiteral("/Ayuda");
}

QString PaginaDeVentana(const QString& ventana) {
  const auto it = Paginas().find(ventana);
  return it == Paginas().end() ? QString() : it->second;
}

QStringList VentanasConPagina() {
  QStringList ventanas;
  for (const auto& [ventana, pagina] : Paginas()) ventanas << ventana;
  return ventanas;
}

frmAyuda::frmAyuda() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("frmAyuda"));
  setWindowTitle(QStringLiteral("Ayuda de TAVO"));
  setWindowIcon(IconoPrograma());
  // The help stands beside the program as another application would: reading it is no change of
  // the program's active window.
  StandsOutside(this);

  cmdContenido = Boton(this, "cmdContenido", QStringLiteral("&Contenido"), QStyle::SP_DirHomeIcon,
                       QStringLiteral("La página principal, con el contenido de la ayuda"));
  cmdAtras = Boton(this, "cmdAtras", QStringLiteral("A&trás"), QStyle::SP_ArrowBack,
                   QStringLiteral("La página vista antes (Alt+Izquierda)"));
  cmdAdelante = Boton(this, "cmdAdelante", QStringLiteral("A&delante"), QStyle::SP_ArrowForward,
                      QStringLiteral("La página vista después (Alt+Derecha)"));
  cmdImprimir = Boton(this, "cmdImprimir", QStringLiteral("&Imprimir"), QStyle::SP_FileIcon,
                      QStringLiteral("Imprime la página que se está viendo"));
  lblBuscar = new QLabel(QStringLiteral("&Buscar en la página:"), this);
  lblBuscar->setObjectName(QStringLiteral("lblBuscar"));
  txtBuscar = new QLineEdit(this);
  txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
  txtBuscar->setClearButtonEnabled(true);
  txtBuscar->setToolTip(
      QStringLiteral("Escriba una palabra y pulse Intro (Ctrl+F lleva aquí, F3 busca la siguiente)"));
  lblBuscar->setBuddy(txtBuscar);
  cmdBuscarSiguiente = Boton(this, "cmdBuscarSiguiente", QStringLiteral("&Siguiente"), QStyle::SP_ArrowDown,
                             QStringLiteral("La próxima aparición del texto (F3)"));
  cmdBuscarAnterior = Boton(this, "cmdBuscarAnterior", QStringLiteral("A&nterior"), QStyle::SP_ArrowUp,
                            QStringLiteral("La aparición anterior del texto (Mayús+F3)"));
  lblResultado = new QLabel(this);
  lblResultado->setObjectName(QStringLiteral("lblResultado"));

  tvwContenido = new QTreeWidget(this);
  tvwContenido->setObjectName(QStringLiteral("tvwContenido"));
  tvwContenido->setHeaderLabel(QStringLiteral("Contenido"));
  tvwContenido->setRootIsDecorated(true);
  txtAyuda = new QTextBrowser(this);
  txtAyuda->setObjectName(QStringLiteral("txtAyuda"));
  txtAyuda->setOpenLinks(true);
  txtAyuda->setOpenExternalLinks(true);
  splAyuda = new QSplitter(Qt::Horizontal, this);
  splAyuda->setObjectName(QStringLiteral("splAyuda"));
  splAyuda->addWidget(tvwContenido);
  splAyuda->addWidget(txtAyuda);
  splAyuda->setStretchFactor(0, 0);
  splAyuda->setStretchFactor(1, 1);
  splAyuda->setChildrenCollapsible(false);

  auto* barra = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{cmdContenido, cmdAtras, cmdAdelante, cmdImprimir})
    barra->addWidget(w);
  barra->addSpacing(16);
  barra->addWidget(lblBuscar);
  barra->addWidget(txtBuscar, 1);
  barra->addWidget(cmdBuscarSiguiente);
  barra->addWidget(cmdBuscarAnterior);
  auto* columna = new QVBoxLayout(this);
  columna->addLayout(barra);
  columna->addWidget(lblResultado);
  columna->addWidget(splAyuda, 1);
  lblResultado->hide();

  ConnectGuarded(cmdContenido, &QPushButton::clicked, this, &frmAyuda::cmdContenido_Click);
  ConnectGuarded(cmdAtras, &QPushButton::clicked, this, &frmAyuda::cmdAtras_Click);
  ConnectGuarded(cmdAdelante, &QPushButton::clicked, this, &frmAyuda::cmdAdelante_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &frmAyuda::cmdImprimir_Click);
  ConnectGuarded(cmdBuscarSiguiente, &QPushButton::clicked, this, &frmAyuda::cmdBuscarSiguiente_Click);
  ConnectGuarded(cmdBuscarAnterior, &QPushButton::clicked, this, &frmAyuda::cmdBuscarAnterior_Click);
  ConnectGuarded(txtBuscar, &QLineEdit::returnPressed, this, &frmAyuda::cmdBuscarSiguiente_Click);
  connect(txtBuscar, &QLineEdit::textChanged, this, [this] { lblResultado->hide(); });
  connect(tvwContenido, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { RunGuarded([&] { tvwContenido_Click(item); }); });
  connect(tvwContenido, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { RunGuarded([&] { tvwContenido_Click(item); }); });
  cmdAtras->setEnabled(false);
  cmdAdelante->setEnabled(false);
  connect(txtAyuda, &QTextBrowser::backwardAvailable, cmdAtras, &QWidget::setEnabled);
  connect(txtAyuda, &QTextBrowser::forwardAvailable, cmdAdelante, &QWidget::setEnabled);
  // The browser tells of the new page before it reports it as its source.
  connect(txtAyuda, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& fuente) { MarcaContenido(fuente); });

  auto atajo = [this](const QKeySequence& keys, void (frmAyuda::*handler)()) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
  };
  atajo(QKeySequence::Find, &frmAyuda::EnfocaBusqueda);
  atajo(QKeySequence(Qt::Key_F3), &frmAyuda::cmdBuscarSiguiente_Click);
  atajo(QKeySequence(Qt::SHIFT | Qt::Key_F3), &frmAyuda::cmdBuscarAnterior_Click);
  atajo(QKeySequence::Print, &frmAyuda::cmdImprimir_Click);
}

void frmAyuda::Form_Load() {
  CargaContenido();
  // Most of the screen's height, on its right side, so that the program's windows stay in view.
  QSize tamano(1000, 760);
  const QRect libre = ScreenArea();
  tamano = tamano.boundedTo(libre.size() * 0.92);
  resize(tamano);
  move(libre.right() - tamano.width() - 8, libre.top() + (libre.height() - tamano.height()) / 2);
}

void frmAyuda::CargaContenido() {
  tvwContenido->clear();
  QFile archivo(CarpetaAyuda() + QLatin1Char('/') + kPaginaPrincipal);
  if (!archivo.open(QIODevice::ReadOnly)) return;
  QTextDocument principal;
  principal.setHtml(QString::fromUtf8(archivo.readAll()));
  auto* inicio = new QTreeWidgetItem(tvwContenido, {principal.metaInformation(QTextDocument::DocumentTitle)});
  inicio->setData(0, kRolPagina, kPaginaPrincipal);
  // Each entry of the main page's lists that begins with a link to a page, under the entry of the
  // list around it; the link's text is the entry's title.
  std::vector<QTreeWidgetItem*> ramas;
  for (QTextBlock bloque = principal.begin(); bloque.isValid(); bloque = bloque.next()) {
    const QTextList* lista = bloque.textList();
    if (!lista) continue;
    QString destino;
    QString titulo;
    for (auto it = bloque.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat formato = it.fragment().charFormat();
      const QString href = formato.isAnchor() ? formato.anchorHref() : QString();
      if (destino.isEmpty() && href.isEmpty()) break;
      if (destino.isEmpty()) destino = href;
      if (href != destino) break;
      titulo += it.fragment().text();
    }
    if (destino.isEmpty()) continue;
    const size_t nivel = static_cast<size_t>(std::max(1, lista->format().indent()));
    while (ramas.size() >= nivel) ramas.pop_back();
    QTreeWidgetItem* item = ramas.empty() ? new QTreeWidgetItem(tvwContenido, {titulo.simplified()})
                                          : new QTreeWidgetItem(ramas.back(), {titulo.simplified()});
    item->setData(0, kRolPagina, destino);
    item->setToolTip(0, titulo.simplified());
    ramas.push_back(item);
  }
  tvwContenido->expandToDepth(0);
  // The contents show their titles whole.
  int ancho = 0;
  for (QTreeWidgetItemIterator it(tvwContenido); *it; ++it) {
    int nivel = 0;
    for (QTreeWidgetItem* padre = (*it)->parent(); padre; padre = padre->parent()) ++nivel;
    ancho = std::max(ancho, tvwContenido->fontMetrics().horizontalAdvance((*it)->text(0)) +
                                (nivel + 1) * tvwContenido->indentation());
  }
  tvwContenido->setMinimumWidth(std::min(ancho + 24, 360));
}

void frmAyuda::MuestraPagina(const QString& pagina) {
  const qsizetype marca = pagina.indexOf(QLatin1Char('#'));
  QString archivo = marca < 0 ? pagina : pagina.left(marca);
  const QString ancla = marca < 0 ? QString() : pagina.mid(marca + 1);
  if (archivo.isEmpty() || !QFileInfo::exists(CarpetaAyuda() + QLatin1Char('/') + archivo)) {
    archivo = kPaginaPrincipal;
  }
  QUrl url = QUrl::fromLocalFile(CarpetaAyuda() + QLatin1Char('/') + archivo);
  if (!ancla.isEmpty()) url.setFragment(ancla);
  txtAyuda->setSource(url);
  if (!ancla.isEmpty()) txtAyuda->scrollToAnchor(ancla);
  lblResultado->hide();
}

namespace {
// A page of the help as its file name with its anchor.
QString PaginaDeUrl(const QUrl& url) {
  QString pagina = QFileInfo(url.path()).fileName();
  if (url.hasFragment()) pagina += QLatin1Char('#') + url.fragment();
  return pagina;
}
}  // namespace

QString frmAyuda::PaginaActual() const {
  return PaginaDeUrl(txtAyuda->source());
}

void frmAyuda::MarcaContenido(const QUrl& fuente) {
  const QString actual = PaginaDeUrl(fuente);
  const QString archivo = actual.section(QLatin1Char('#'), 0, 0);
  QTreeWidgetItem* elegido = nullptr;
  for (QTreeWidgetItemIterator it(tvwContenido); *it; ++it) {
    const QString pagina = (*it)->data(0, kRolPagina).toString();
    if (pagina == actual) {
      elegido = *it;
      break;
    }
    if (!elegido && pagina.section(QLatin1Char('#'), 0, 0) == archivo) elegido = *it;
  }
  const QSignalBlocker quieto(tvwContenido);
  tvwContenido->clearSelection();
  tvwContenido->setCurrentItem(elegido);
  if (elegido) elegido->setSelected(true);
}

void frmAyuda::cmdContenido_Click() {
  MuestraPagina(kPaginaPrincipal);
}

void frmAyuda::cmdAtras_Click() {
  txtAyuda->backward();
}

void frmAyuda::cmdAdelante_Click() {
  txtAyuda->forward();
}

void frmAyuda::cmdImprimir_Click() {
  // Without a printer the page goes into a PDF in the working folder, named after the page.
  const QString carpeta = !DirActual.isEmpty() && DirExists(DirActual) ? DirActual : AppPath();
  const QString nombre = QFileInfo(txtAyuda->source().toLocalFile()).completeBaseName();
  PrintDocument(*txtAyuda->document(), carpeta + QStringLiteral("/Ayuda_") + nombre + QStringLiteral(".pdf"));
}

void frmAyuda::EnfocaBusqueda() {
  txtBuscar->setFocus(Qt::ShortcutFocusReason);
  txtBuscar->selectAll();
}

void frmAyuda::cmdBuscarSiguiente_Click() {
  Busca(false);
}

void frmAyuda::cmdBuscarAnterior_Click() {
  Busca(true);
}

void frmAyuda::Busca(bool haciaAtras) {
  const QString texto = txtBuscar->text();
  lblResultado->hide();
  if (texto.isEmpty()) return;
  const QTextDocument::FindFlags sentido =
      haciaAtras ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  // Backwards, the search starts before the text found last, not at its end.
  QTextCursor desde = txtAyuda->textCursor();
  if (haciaAtras && desde.hasSelection()) {
    desde.setPosition(desde.selectionStart());
    txtAyuda->setTextCursor(desde);
  }
  if (txtAyuda->find(texto, sentido)) return;
  // Round the page once: from its other end.
  QTextCursor cursor = txtAyuda->textCursor();
  cursor.movePosition(haciaAtras ? QTextCursor::End : QTextCursor::Start);
  txtAyuda->setTextCursor(cursor);
  if (txtAyuda->find(texto, sentido)) return;
  lblResultado->setText(QStringLiteral("«") + texto + QStringLiteral("» no aparece en esta página."));
  lblResultado->show();
}

void frmAyuda::tvwContenido_Click(QTreeWidgetItem* item) {
  if (!item) return;
  const QString pagina = item->data(0, kRolPagina).toString();
  if (!pagina.isEmpty() && pagina != PaginaActual()) MuestraPagina(pagina);
}

void AbreAyuda(const QString& pagina) {
  try {
    // Without its main page the help is not there: the user is told the folder it was looked for in.
    if (!FileExists(CarpetaAyuda() + QLatin1Char('/') + kPaginaPrincipal)) {
      throw VbError(kErrFileNotFound,
                    QStringLiteral("No se ha encontrado la ayuda del programa en la carpeta ") +
                        QDir::toNativeSeparators(CarpetaAyuda()) + QStringLiteral(". "));
    }
    QWidget* modal = QApplication::activeModalWidget();
    frmAyuda& ayuda = frmAyuda::instance();
    ayuda.MuestraPagina(pagina);
    ShowModeless(&ayuda, false);
    // Over a window that blocks the others the help must still be read: it stands with that window.
    if (modal && modal != &ayuda && modal->windowHandle() && ayuda.windowHandle())
      ayuda.windowHandle()->setTransientParent(modal->windowHandle());
  } catch (const VbError& e) {
    // Without the help the program goes on.
    MsgBox(ErrorNroTextAfterComma(e, QStringLiteral("Verifique")));
  }
}

void InstalaTeclaAyuda(QObject* owner) {
  new TeclaAyuda(owner);
}

}  // namespace tavo
