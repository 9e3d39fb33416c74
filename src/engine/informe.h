// The run report: the lines the simulation writes into TextoProceso for the units, the basin and the
// reaches, in the report's fixed columns.
#pragma once

#include <QString>

#include "platform/vb.h"

namespace tavo {

// A number text right-aligned in `width` characters (never cut).
QString Derecha(const QString& text, int width);
// Writes the number text of v right-aligned in `width` characters at p (never cut); returns the end.
char* EscribeDerecha(char* p, Single v, int width);
char* EscribeDerecha(char* p, Integer v, int width);
// x rounded to `decimales` (halves to even) and kept in Single, as the report writes it.
Single Redondea(Single x, int decimales);
// The whole part of 100·x divided by 100, in Single: x cut down to hundredths.
Single Centesimos(Single x);

// The unit section heading.
void EncabezadoUEHs();
// The line of unit `nombre` in rain step k: rain, retention, infiltration and discharge.
void LineaPasoUEH(Integer k, const QString& nombre, Single p, Single Z, Single I, Single q);
// The five summary lines of unit i.
void ResumenUEH(Integer i);
// The basin totals.
void TotalesCuenca();
// The heading of the component section; the window then shows the units' part of the report.
void EncabezadoComponentes();
// The reach table's heading, one row, and the closing lines of a reach, lake or dam at position j.
void EncabezadoCauce(Integer j);
void FilaCauce(Integer j, Integer k);
void CierreComponente(Integer j);

}  // namespace tavo
