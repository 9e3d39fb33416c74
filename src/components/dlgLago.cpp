#include "components/dlgLago.h"

namespace tavo {

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}
}  // namespace

dlgLago::dlgLago() {
  setObjectName(QStringLiteral("dlgLago"));
  lblNroLago = MakeLabel(this, "lblNroLago");
  lblNombreLago = MakeLabel(this, "lblNombreLago");
  lblParametros = MakeLabel(this, "lblParametros");
}

}  // namespace tavo
