#include "platform/printing.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

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

// Writes the image as a PDF file. The file is written whole beside the old one and takes its place
// only then, so a failed write (a full disk, a folder that takes no file) leaves the old file as it
// was. False when it could not be written.
bool WritePdf(const QPixmap& image, const QString& pdfPath) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1200);  // a printer's high resolution
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    DrawOnPage(painter, image);
    if (!painter.end()) return false;
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

}  // namespace

void PrintWindowImage(QWidget* window, const QString& pdfPath) {
  const QPixmap image = window->grab();
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  if (printerInfo.isNull()) {
    if (!WritePdf(image, pdfPath)) {
      MsgBox(
          QStringLiteral("No hay una impresora instalada y la imagen de la ventana no pudo guardarse en el "
                         "archivo ") +
              pdfPath +
              QStringLiteral(
                  ". Verifique el espacio libre y los permisos de la carpeta; el archivo anterior, "
                  "si lo había, no se modificó."),
          vbExclamation);
      return;
    }
    MsgBox(
        QStringLiteral("No hay una impresora instalada. La imagen de la ventana se guardó en el archivo ") +
            pdfPath,
        vbInformation);
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(printerInfo.printerName());
  QPainter painter;
  if (!painter.begin(&printer)) Raise(kErrDeviceIO);
  DrawOnPage(painter, image);
  painter.end();
}

}  // namespace tavo
