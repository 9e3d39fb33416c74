#include "platform/printing.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/dialogs.h"
#include "platform/errors.h"

namespace tavo {

void PrintWindowImage(QWidget* window, const QString& pdfPath) {
  const QPixmap image = window->grab();
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  QPrinter printer(QPrinter::HighResolution);
  const bool toPdf = printerInfo.isNull();
  if (toPdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
  } else {
    printer.setPrinterName(printerInfo.printerName());
  }
  QPainter painter;
  if (!painter.begin(&printer)) Raise(kErrDeviceIO);
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(image.rect());
  painter.drawPixmap(0, 0, image);
  painter.end();
  if (toPdf) {
    MsgBox(
        QStringLiteral("No hay una impresora instalada. La imagen de la ventana se guardó en el archivo ") +
            pdfPath,
        vbInformation);
  }
}

}  // namespace tavo
