// The accepted values of the numeric parameters of units and reaches, one table for every window that
// takes them: the property dialogs check a box against it when the box is left, the editable parameter
// table checks a cell against it after every key. A value is accepted from 0 to the maximum, both
// included, whatever the message says.
#pragma once

#include <QString>

#include "platform/dialogs.h"

namespace tavo {

struct RangoParametro {
  double maximo;
  QString mensaje;  // shown when a text is refused
  int icono;        // the property dialog's icon with the message (0: none)
};

// ---- units ----
inline const RangoParametro kRangoArea{
    99999, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 99999"), vbExclamation};
inline const RangoParametro kRangoLongitudMax{
    50000, QStringLiteral("Ingrese un valor numérico menor de 50000"), vbExclamation};
inline const RangoParametro kRangoVelMedia{
    15, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 15"), vbExclamation};
inline const RangoParametro kRangoRetensionZ{
    40, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 40"), vbExclamation};
inline const RangoParametro kRangoKostiakovA{
    30, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 30"), vbExclamation};
inline const RangoParametro kRangoKostiakovB{
    1, QStringLiteral("Ingrese un valor numérico decimal entre 0 y 1"), vbExclamation};
inline const RangoParametro kRangoKostiakovI{
    1000, QStringLiteral("Ingrese un valor numérico decimal entre 0 y 1000"), vbExclamation};
inline const RangoParametro kRangoKRecesion{
    9999, QStringLiteral("Ingrese un valor numérico decimal entre 0 y 9999"), vbExclamation};
inline const RangoParametro kRangoQ0Recesion{
    1000, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 1000"), vbExclamation};

// ---- reaches ----
inline const RangoParametro kRangoLongCauce{50000, QStringLiteral("Ingrese un valor numérico menor de 50000"),
                                            0};
inline const RangoParametro kRangoVelMediaCauce{
    15, QStringLiteral("Ingrese un valor numérico entero o decimal menor de 15"), 0};
inline const RangoParametro kRangoCauce_k_Musk{
    9999, QStringLiteral("Ingrese un valor numérico, entero o decimal, entre 0 y 9999"), vbExclamation};
inline const RangoParametro kRangoCauce_n_Musk{
    0.5, QStringLiteral("Ingrese un valor numérico decimal, entre 0 y 0.5"), vbExclamation};

// True when the text is a number and its value lies between 0 and `maximo`. A number too large for
// any value is refused.
bool DentroDeRango(const QString& texto, double maximo);

}  // namespace tavo
