#include "support/fixture.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <csignal>
#include <cstring>

#include "components/tablasparametros.h"
#include "editor/estado_editor.h"
#include "engine/almacenamiento.h"
#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "platform/app.h"
#include "platform/errors.h"
#include "platform/flexgrid.h"
#include "platform/forms.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/dlgDisPpPer.h"
#include "rainfall/dlgPp.h"
#include "rainfall/dlgTablaPpUEHs.h"
#include "rainfall/dlgTablasPDRs.h"
#include "rainfall/tormenta.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "reservoirs/tablas.h"
#include "results/dlgChart1.h"
#include "results/dlgChart2.h"
#include "shell/hooks.h"
#include "shell/inicio.h"

void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QByteArray& bytes, std::ostream* os) {
  *os << '"' << QString::fromLatin1(bytes).toStdString() << '"';
}

namespace tavo::test {

void TavoTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  UnloadAllForms();
  ResetEstadoProyecto();
  ResetEstadoEditor();
  ResetReservoirState();
  ResetConfiguracionProyecto();
  ResetRainfallState();
  ResetHietogramaState();
  ResetListaComponentesState();
  ResetPizarraState();
  ResetResultadosState();
  ResetAlmacenamientoState();
  ResetTablasParametrosState();
  // The windows' lasting values.
  ResetTablaReservorioState();
  dlgTablasPDRs::ResetState();
  dlgDisPpPer::ResetState();
  dlgPp::ResetState();
  dlgTablaPpUEHs::ResetState();
  dlgChart1::ResetState();
  dlgChart2::ResetState();
  InicioSplash = 0;
  SetSplashSeconds(0);
  SetAppPath(dir_.path());
  ChDir(dir_.path());
  ForgetFilesNotReadWhole();
  SetFixedClock(QDateTime());
  SetProgramHasEnded(false);
  InstallDialogs(&dialogs);
  InstallWindowHooks();
}

void TavoTest::TearDown() {
  UnloadAllForms();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  CloseAllFiles();
  InstallDialogs(nullptr);
  EXPECT_TRUE(dialogs.unexpected().isEmpty()) << "unexpected dialogs:\n"
                                              << dialogs.unexpected().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(dialogs.pendingAnswers(), 0) << "answers queued that no dialog used";
}

int ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const VbError& e) {
    return e.number;
  }
  return 0;
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

void WithFullDisk(qint64 bytes, const std::function<void()>& action) {
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit full = before;
  full.rlim_cur = static_cast<rlim_t>(bytes);
  // A write past the limit fails with an error instead of ending the process.
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &full);
  struct Restore {
    rlimit limit;
    void (*handler)(int);
    ~Restore() {
      setrlimit(RLIMIT_FSIZE, &limit);
      std::signal(SIGXFSZ, handler);
    }
  } restore{before, handler};
  action();
}

qint64 EndedProcessNumber() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

namespace {
const char* const kAnotherCopy = "--otra-copia-escribe";
}  // namespace

bool WriteAsAnotherCopy(const QString& file, const QString& text) {
  return QProcess::execute(QCoreApplication::applicationFilePath(),
                           {QString::fromLatin1(kAnotherCopy), file, text}) == 0;
}

int RunAsAnotherCopy(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], kAnotherCopy) != 0) return -1;
  try {
    SeqFile file(QString::fromLocal8Bit(argv[2]), OpenMode::Output);
    file.write({QString::fromLocal8Bit(argv[3])});
    file.close();
    return 0;
  } catch (const VbError&) {
    return 1;
  }
}

QString DamagedCopyMessage(const QString& file, const QString& copy) {
  return "El archivo " + file +
         " no se pudo leer completo: puede estar dañado. Antes de reemplazarlo se guardó una copia de él tal "
         "como estaba, con el nombre " +
         copy + ", en la misma carpeta.";
}

void Type(QLineEdit* box, const QString& text) {
  box->setFocus();
  QApplication::processEvents();
  box->selectAll();
  if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

void Leave(QWidget* control) {
  QTest::keyClick(control, Qt::Key_Tab);
  QApplication::processEvents();
}

QString DescribeDialogs(const ScriptedDialogs& dialogs) {
  QStringList lines;
  for (const auto& r : dialogs.records())
    lines << QStringLiteral("[%1|%2] %3").arg(r.title).arg(r.style).arg(r.prompt);
  return lines.join(QLatin1Char('\n'));
}

QStringList Prompts(const ScriptedDialogs& dialogs) {
  QStringList prompts;
  for (const auto& r : dialogs.records()) prompts << r.prompt;
  return prompts;
}

bool OnlyCutNotice(const ScriptedDialogs& dialogs) {
  return dialogs.records().size() == 1 && dialogs.records()[0].prompt.startsWith(kCutNotice);
}

void ClickCell(FlexGrid* grid, int row, int col) {
  const QPoint middle = grid->visualRect(grid->model()->index(row, col)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, middle);
}

CellShown Shown(const FlexGrid* grid, int row, int col) {
  const QModelIndex cell = grid->model()->index(row, col);
  CellShown shown;
  shown.text = cell.data(Qt::DisplayRole).toString();
  shown.background = cell.data(Qt::BackgroundRole).value<QBrush>().color();
  const QVariant font = cell.data(Qt::FontRole);
  shown.font = font.isValid() ? font.value<QFont>() : QFont();
  shown.alignment = Qt::Alignment::fromInt(cell.data(Qt::TextAlignmentRole).toInt());
  shown.flags = cell.flags();
  return shown;
}

QStringList ClippedControls(const QWidget* window) {
  QStringList clipped;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    QString text;
    QSize need;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      text = label->text();
      need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                               : QSize(label->sizeHint().width(), label->fontMetrics().height());
    } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
      // The box or circle and the text beside it; the text's own height.
      text = static_cast<const QAbstractButton*>(w)->text();
      need = QSize(w->sizeHint().width(), w->fontMetrics().height());
    } else if (const auto* button = qobject_cast<const QPushButton*>(w)) {
      // A push button's text with room for its frame; the style's own minimum width is no need.
      text = button->text();
      const QFontMetrics metrics = button->fontMetrics();
      need =
          QSize(metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 8, metrics.height() + 4);
    }
    if (text.isEmpty()) continue;
    // A label may shorten a long text with "…" when its tooltip holds the whole of it.
    if (qobject_cast<const QLabel*>(w) && text.contains(QChar(0x2026))) {
      const qsizetype at = text.indexOf(QChar(0x2026));
      const QString whole = w->toolTip();
      if (whole.size() < text.size() || !whole.startsWith(text.left(at)) || !whole.endsWith(text.mid(at + 1)))
        clipped << QStringLiteral("%1: %2 (shortened, its tooltip \"%3\" not the whole text)")
                       .arg(w->objectName(), text, whole);
    }
    if (need.width() > w->width() || need.height() > w->height()) {
      clipped << QStringLiteral("%1: %2 (%3x%4 in %5x%6)")
                     .arg(w->objectName(), text)
                     .arg(need.width())
                     .arg(need.height())
                     .arg(w->width())
                     .arg(w->height());
    }
  }
  return clipped;
}

}  // namespace tavo::test
