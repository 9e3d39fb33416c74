#include "platform/controls.h"

#include "platform/errors.h"

namespace tavo {

Integer CheckValue(const QCheckBox* box) {
  return box->isChecked() ? 1 : 0;
}

void SetCheckValue(QCheckBox* box, Integer value) {
  if (value != 0 && value != 1) Raise(kErrInvalidPropertyValue);
  box->setChecked(value == 1);
}

void SetOptionValue(QRadioButton* option, Boolean value) {
  if (value || !option->isChecked()) {
    option->setChecked(value);
    return;
  }
  // Qt keeps the one selected button of a group selected; the program's data may clear it.
  const bool exclusive = option->autoExclusive();
  option->setAutoExclusive(false);
  option->setChecked(false);
  option->setAutoExclusive(exclusive);
}

}  // namespace tavo
