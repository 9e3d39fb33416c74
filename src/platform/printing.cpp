#include "platform/printing.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/dialogs.h"
#include "platform/errors.h"

namespace tavo {

namespace {

// Points the printer at the default printer, or at the PDF file when there is none; true for the PDF.
bool ChoosePrinter(QPrinter& printer, const QString& pdfPath) {
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  if (printerInfo.isNull()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
  }
  printer.setPrinterName(printerInfo.printerName());
  return false;
}

void TellWherePdfWent(const QString& what, const QString& pdfPath) {
  MsgBox(QStringLiteral("No hay una impresora instalada. ") + what +
             QStringLiteral(" se guardó en el archivo ") + pdfPath,
         vbInformation);
}

}  // namespace

void PrintWindowImage(QWidget* window, const QString& pdfPath) {
  const QPixmap image = window->grab();
  QPrinter printer(QPrinter::HighResolution);
  const bool toPdf = ChoosePrinter(printer, pdfPath);
  QPainter painter;
  if (!painter.begin(&printer)) Raise(kErrDeviceIO);
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(image.rect());
  painter.drawPixmap(0, 0, image);
  painter.end();
  if (toPdf) TellWherePdfWent(QStringLiteral("La imagen de la ventana"), pdfPath);
}

void PrintDocument(const QTextDocument& document, const QString& pdfPath) {
  QPrinter printer(QPrinter::HighResolution);
  const bool toPdf = ChoosePrinter(printer, pdfPath);
  document.print(&printer);
  if (toPdf) {
    if (!QFileInfo::exists(pdfPath)) Raise(kErrDeviceIO);
    TellWherePdfWent(QStringLiteral("La página"), pdfPath);
  }
}

}  // namespace tavo
