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
  PlaceTwips(label, left, top, width, height);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                        int height) {
  auto* button = Named(new QPushButton(caption, parent), name);
  PlaceTwips(button, left, top, width, height);
  return button;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool set, int left, int top,
                     int width) {
  auto* check = Named(new QCheckBox(caption, parent), name);
  check->setChecked(set);
  PlaceTwips(check, left, top, width, 285);
  return check;
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, bool set, int left, int top,
                         int width) {
  auto* option = Named(new QRadioButton(caption, parent), name);
  option->setChecked(set);
  PlaceTwips(option, left, top, width, 285);
  return option;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height) {
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
