#include "platform/formlayout.h"

namespace tavo {

namespace {
template <class Control>
Control* Named(Control* control, const QString& name) {
  if (!name.isEmpty()) control->setObjectName(name);
  return control;
}
}  // namespace

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                  int height) {
  auto* label = Named(new QLabel(text, parent), name);
  // A label shows its text as it is, never as markup: a text from the data may hold "<b>".
  label->setTextFormat(Qt::PlainText);
  PlaceTwips(label, left, top, width, height);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height) {
  auto* button = Named(new QPushButton(caption, parent), name);
  PlaceTwips(button, left, top, width, height);
  return button;
}

namespace {
// A check box or an option button, set or clear.
template <class Button>
Button* MakeToggle(QWidget* parent, const QString& name, const QString& caption, bool set, int left, int top,
                   int width) {
  auto* button = Named(new Button(caption, parent), name);
  button->setChecked(set);
  PlaceTwips(button, left, top, width, 285);
  return button;
}
}  // namespace

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool set, int left,
                     int top, int width) {
  return MakeToggle<QCheckBox>(parent, name, caption, set, left, top, width);
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, bool set, int left,
                         int top, int width) {
  return MakeToggle<QRadioButton>(parent, name, caption, set, left, top, width);
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                     int width, int height) {
  auto* frame = Named(new QGroupBox(caption, parent), name);
  PlaceTwips(frame, left, top, width, height);
  return frame;
}

QString ArrayName(const char* name, int index) {
  return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void OnSelected(QRadioButton* option, QObject* receiver, std::function<void()> handler) {
  QObject::connect(option, &QRadioButton::toggled, receiver, [handler](bool on) {
    if (on) RunGuarded(handler);
  });
}

}  // namespace tavo
