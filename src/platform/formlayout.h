// Building a window's controls in code: each control named as the program names it (its objectName
// too, so that it can be found by name) and placed in twips; and the handlers wired to them, each
// run inside the guard of forms.h.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <functional>

#include "platform/forms.h"

namespace tavo {

// A label; an empty name leaves it unnamed (a caption no code reads).
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                  int height);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height = 375);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool set, int left,
                     int top, int width);
QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, bool set, int left,
                         int top, int width);
QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                     int width, int height);

// The name of element `index` of a control array: "optformaPp(2)".
QString ArrayName(const char* name, int index);

// Runs `handler`, guarded, whenever `sender` emits `signal` (its arguments are dropped).
template <class Sender, class Signal>
void OnSignal(Sender* sender, Signal signal, QObject* receiver, std::function<void()> handler) {
  QObject::connect(sender, signal, receiver, [handler](auto&&...) { RunGuarded(handler); });
}

// An option button's Click: it runs when the button becomes selected, by the user or by the program.
void OnSelected(QRadioButton* option, QObject* receiver, std::function<void()> handler);

}  // namespace tavo
