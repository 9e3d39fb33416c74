// Printing a window: its image, scaled to the page, on the default printer. With no printer
// installed the image goes to a PDF file instead and the user is told where.
#pragma once

#include <QString>
#include <QTextDocument>
#include <QWidget>

namespace tavo {

// Prints the image of `window`. `pdfPath` is the file written when there is no printer.
void PrintWindowImage(QWidget* window, const QString& pdfPath);

// Prints a document (a page of text laid out for the paper), on the default printer or, with no
// printer, into the PDF file `pdfPath`, saying where.
void PrintDocument(const QTextDocument& document, const QString& pdfPath);

}  // namespace tavo
