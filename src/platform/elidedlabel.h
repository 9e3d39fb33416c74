// A label for a free text that may be longer than the room the window gives it, such as a file name
// the user chose: the whole text when it fits; otherwise its beginning and end with "…" between them,
// and the whole text as the label's tooltip. A label that wraps its text shows all of it.
#pragma once

#include <QLabel>
#include <QString>

namespace tavo {

class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The whole text: what the label stands for, whatever it shows.
  QString fullText() const { return full_; }
  void setFullText(const QString& text);
  // Wraps the whole text over as many lines as it takes, or shows one line.
  void setWrapped(bool wrapped);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Shows the whole text, or its shortened form when the label is too narrow for it.
  void fit();

  QString full_;
};

// An elided label named and placed in twips, as the window's other labels.
ElidedLabel* MakeElidedLabel(QWidget* parent, const QString& name, int left, int top, int width, int height);

}  // namespace tavo
