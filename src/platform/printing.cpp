#include "platform/printing.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <functional>

#include "platform/dialogs.h"
#include "platform/errors.h"

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

// Writes what `draw` puts on a PDF device as a PDF file. The file is written whole beside the old one
// and takes its place only then, so a failed write (a full disk, a folder that takes no file) leaves
// the old file as it was. False when it could not be written.
bool WritePdf(const std::function<bool(QPdfWriter&)>& draw, const QString& pdfPath) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1200);  // a printer's high resolution
    if (!draw(pdf)) return false;
  }
  // Unbuffered, a write the disk takes only in part says so at once.
  QSaveFile file(pdfPath);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

// With no printer installed: writes the PDF and says where it went, or that it could not be written.
// `what` names what was printed ("La imagen de la ventana", "La página"). False when a printer is
// installed and nothing was done.
bool PrintToPdfWithoutPrinter(const std::function<bool(QPdfWriter&)>& draw, const QString& what,
                              const QString& pdfPath) {
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
