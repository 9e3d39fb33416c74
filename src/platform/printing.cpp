#include "platform/printing.h"

#include <fcntl.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <cerrno>
#include <cstdio>
#include <functional>

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"

namespace tavo {

namespace {

// Draws the image as large as the page lets it, keeping its proportions.
void DrawOnPage(QPainter& painter, const QPixmap& image) {
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(image.rect());
  painter.drawPixmap(0, 0, image);
}

// The n-th name a new file of `path` may take: the path itself, then "<name> (2).<ext>", "<name> (3).<ext>" …
QString NumberedName(const QString& path, int n) {
  if (n == 1) return path;
  const QFileInfo info(path);
  const QString name =
      info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(" (%1)").arg(n);
  return info.suffix().isEmpty() ? name : name + QLatin1Char('.') + info.suffix();
}

// The first name of `path`, from its n-th on, that no file has; `n` ends as that name's number.
QString FreeName(const QString& path, int& n) {
  const auto taken = [](const QString& name) {
    return QFileInfo::exists(name) || QFileInfo(name).isSymLink();
  };
  while (taken(NumberedName(path, n))) ++n;
  return NumberedName(path, n);
}

// Gives the whole file `temporary` the first free name of `path`, never replacing a file: `name` is
// the n-th name, free a moment ago, and the next free one is taken when another file took it
// meanwhile. `name` ends as the name taken. False when it cannot.
bool TakeFreeName(const QString& temporary, const QString& path, int n, QString& name) {
  for (;;) {
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(name);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EEXIST) {
      if (errno != EINVAL && errno != ENOSYS) return false;
      // A file system that cannot refuse to replace: the name was free a moment ago.
      return std::rename(from.constData(), to.constData()) == 0;
    }
    ++n;
    name = FreeName(path, n);
  }
}

// Writes what `draw` puts on a PDF device as a new PDF file, named `pdfPath` when that name is free and
// otherwise "<name> (2).pdf", "<name> (3).pdf" …, so that no earlier file is ever replaced; `pdfPath`
// ends as the name taken, or the one the file would have taken. The file is written whole under a
// temporary name first, so a failed write (a full disk, a folder that takes no file) leaves nothing.
// False when it could not be written.
bool WritePdf(const std::function<bool(QPdfWriter&)>& draw, QString& pdfPath) {
  const QString asked = pdfPath;
  int n = 1;
  pdfPath = FreeName(asked, n);
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1200);  // a printer's high resolution
    if (!draw(pdf)) return false;
  }
  const QString temporary = TemporaryPath(pdfPath);
  QFile file(temporary);
  // Unbuffered, a write the disk takes only in part says so at once.
  bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
                 file.write(bytes) == bytes.size();
  file.close();
  written = written && TakeFreeName(temporary, asked, n, pdfPath);
  if (!written) QFile::remove(temporary);
  return written;
}

// With no printer installed: writes the PDF and says where it went, or that it could not be written.
// `what` names what was printed ("La imagen de la ventana", "La página"). False when a printer is
// installed and nothing was done.
bool PrintToPdfWithoutPrinter(const std::function<bool(QPdfWriter&)>& draw, const QString& what,
                              QString pdfPath) {
  if (!QPrinterInfo::defaultPrinter().isNull()) return false;
  if (!WritePdf(draw, pdfPath)) {
    MsgBox(
        QStringLiteral("No hay una impresora instalada y ") + what.toLower() +
            QStringLiteral(" no pudo guardarse en el archivo ") + pdfPath +
            QStringLiteral(". Verifique el espacio libre y los permisos de la carpeta; el archivo anterior, "
                           "si lo había, no se modificó."),
        vbExclamation);
    return true;
  }
  MsgBox(QStringLiteral("No hay una impresora instalada. ") + what +
             QStringLiteral(" se guardó en el archivo ") + pdfPath,
         vbInformation);
  return true;
}

}  // namespace

void PrintWindowImage(QWidget* window, const QString& pdfPath) {
  const QPixmap image = window->grab();
  const auto draw = [&image](QPdfWriter& pdf) {
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    DrawOnPage(painter, image);
    return painter.end();
  };
  if (PrintToPdfWithoutPrinter(draw, QStringLiteral("La imagen de la ventana"), pdfPath)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
  QPainter painter;
  if (!painter.begin(&printer)) Raise(kErrDeviceIO);
  DrawOnPage(painter, image);
  painter.end();
}

void PrintDocument(const QTextDocument& document, const QString& pdfPath) {
  const auto draw = [&document](QPdfWriter& pdf) {
    document.print(&pdf);
    return true;
  };
  if (PrintToPdfWithoutPrinter(draw, QStringLiteral("La página"), pdfPath)) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
  document.print(&printer);
}

}  // namespace tavo
