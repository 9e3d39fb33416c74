// Printing a window: its image, scaled to the page, on the default printer. With no printer
// installed the image goes to a new PDF file instead and the user is told which.
#pragma once

#include <QString>
#include <QTextDocument>
#include <QWidget>

namespace tavo {

// Prints the image of `window`. With no printer it goes to the file `pdfPath` or, when a file has that
// name, to the first free one of "<name> (2).pdf", "<name> (3).pdf" …
void PrintWindowImage(QWidget* window, const QString& pdfPath);

// Prints a document (a page of text laid out for the paper), on the default printer or, with no
// printer, into a new PDF file named as PrintWindowImage names it, saying which.
void PrintDocument(const QTextDocument& document, const QString& pdfPath);

}  // namespace tavo
