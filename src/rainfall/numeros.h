// The numbers typed into the boxes and grids of the rainfall windows: a text is a number when the
// whole of it is a decimal number written with "."; its value is the number its leading characters
// form; a whole-number field takes the nearest whole number, a half going to the even neighbour.
#pragma once

#include <QComboBox>
#include <QString>

#include "platform/vb.h"

namespace tavo {

// True when `texto` is a number whose value fits a Double; `valor` gets that value.
bool NumeroDeTexto(const QString& texto, double& valor);
// True when `valor`, rounded to the nearest whole number, fits a 16-bit whole number; `entero` gets it.
bool EnteroDeValor(double valor, Integer& entero);

// Shows a step in a step list. A step the list does not offer (a duration shorter than the steps
// chosen, the interval of a measured storm) becomes an entry of its own, in order.
void MuestraPaso(QComboBox* lista, Integer paso);

}  // namespace tavo
