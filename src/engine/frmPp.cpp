#include "engine/frmPp.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QTextCursor>
#include <algorithm>

#include "engine/hooks.h"
#include "platform/printing.h"
#include "platform/seqfile.h"
#include "project/estado.h"

namespace tavo {

namespace {
// The box shows at most this many characters of the report; the whole report stays in the window's
// text and goes to the report file.
constexpr qsizetype kMaxCaracteresCaja = 2000000;

// The box shows each CR LF as one line end.
QString BoxText(QString text) {
  return text.remove(QLatin1Char('\r'));
}
}  // namespace

frmPp::frmPp() {
  setObjectName(QStringLiteral("frmPp"));
  setWindowTitle(QStringLiteral("Pizarra de Variables y Salidas"));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
  setPalette(palette);
  resize(Px(7605), Px(6405));

  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setUndoRedoEnabled(false);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::TypeWriter);
  courier.setFixedPitch(true);
  courier.setPointSizeF(9.75);
  Text1->setFont(courier);
  PlaceTwips(Text1, 360, 360, 7092, 5532);

  const QFont arial(QStringLiteral("Arial"));
  cmdCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
  cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
  cmdCerrar->setFont(arial);
  PlaceTwips(cmdCerrar, 5880, 6000, 972, 372);
  cmdImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
  cmdImprimir->setFont(arial);
  PlaceTwips(cmdImprimir, 4560, 6000, 1092, 372);
  setTabOrder(Text1, cmdCerrar);
  setTabOrder(cmdCerrar, cmdImprimir);

  connect(Text1, &QPlainTextEdit::textChanged, this, [this] {
    if (!writing_) edited_ = true;
  });
  ConnectGuarded(cmdCerrar, &QPushButton::clicked, this, &frmPp::cmdCerrar_Click);
  ConnectGuarded(cmdImprimir, &QPushButton::clicked, this, &frmPp::cmdImprimir_Click);
}

void frmPp::Form_Load() {
  if (!SeriesRunning) PizarraActiva = true;
}

void frmPp::Form_Resize() {
  // The window's outer size, its frame included, as the positions are reckoned from it.
  QSize outer = frameGeometry().size();
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) outer = frame->size();
  const int width = Twips(outer.width());
  const int height = Twips(outer.height());
  // The buttons sit 900 twips above the window's bottom; the text takes 85 % of the height, and
  // ends above the buttons in a window smaller than its designed size.
  const int buttons = height - 900;
  PlaceTwips(Text1, 100, 100, static_cast<int>(0.97 * width),
             std::min(static_cast<int>(0.85 * height), buttons - 160));
  cmdCerrar->move(cmdCerrar->x(), Px(buttons));
  cmdImprimir->move(cmdImprimir->x(), Px(buttons));
}

void frmPp::Form_Unload() {
  ApagaPizarra();
  PizarraActiva = false;
}

void frmPp::cmdCerrar_Click() {
  PizarraActiva = false;
  unloadLater();
}

void frmPp::cmdImprimir_Click() {
  const QString folder = DirActual.isEmpty() ? CurDir() : DirActual;
  PrintWindowImage(this, folder + QStringLiteral("/Pizarra.pdf"));
}

void frmPp::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RunGuarded([this] { Form_Resize(); });
}

void frmPp::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded([] { unloadLater(); });
}

QString frmPp::text() {
  return shownText().toString();
}

const TextBuffer& frmPp::buffer() {
  return shownText();
}

const TextBuffer& frmPp::shownText() {
  if (edited_) {
    text_ = Text1->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    boxed_ = text_.size();
    edited_ = false;
  }
  return text_;
}

void frmPp::setText(const QString& text) {
  setText(TextBuffer(text));
}

void frmPp::setText(const TextBuffer& text) {
  const bool continues = text.startsWith(shownText());
  text_ = text;
  if (continues) {
    addToBox();
    return;
  }
  boxed_ = std::min(text_.size(), kMaxCaracteresCaja);
  writing_ = true;
  Text1->setPlainText(BoxText(text_.mid(0, boxed_)));
  writing_ = false;
}

void frmPp::appendText(const QString& text) {
  if (text.isEmpty()) return;
  shownText();
  text_ += text;
  addToBox();
}

void frmPp::addToBox() {
  const qsizetype upTo = std::min(text_.size(), kMaxCaracteresCaja);
  if (upTo <= boxed_) return;
  writing_ = true;
  QTextCursor end(Text1->document());
  end.movePosition(QTextCursor::End);
  end.insertText(BoxText(text_.mid(boxed_, upTo - boxed_)));
  boxed_ = upTo;
  writing_ = false;
}

void frmPp::showReport() {
  setText(TextoProceso);
}

void InstallReportWindowHooks() {
  ReportTextHook.install([] { return frmPp::instance().text(); });
  ReportTextBufferHook.install([] { return &frmPp::instance().buffer(); });
  SetReportTextHook.install([](const QString& text) { frmPp::instance().setText(text); });
  AppendToReportHook.install([](const QString& text) { frmPp::instance().appendText(text); });
  ShowReportWindowHook.install([] { ShowModeless(&frmPp::instance(), true); });
  RepaintReportWindowHook.install([] {
    frmPp& form = frmPp::instance();
    form.repaint();
    form.Text1->viewport()->repaint();
  });
  MuestraPizarraHook.install([] { frmPp::instance().showReport(); });
}

void ClearReport() {
  TextoProceso.clear();
  if (frmPp::isLoaded()) frmPp::instance().setText(QString());
}

}  // namespace tavo
