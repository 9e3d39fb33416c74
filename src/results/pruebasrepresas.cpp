#include "results/pruebasrepresas.h"

#include <algorithm>

#include "engine/informe.h"
#include "engine/resultados.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "reservoirs/funciones.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// The most level steps a listing takes; a smaller step is asked for again.
constexpr Single kMaxPasos = 1000;

// A value rounded to `decimales` and kept in single precision, as number text.
QString Numero(double valor, int decimales) {
  return NumberText(CSng(Round(valor, decimales)));
}

// A function's result read back in single precision.
Single Resultado(const Variant& valor) {
  return valor.toSingle();
}

// True when a step lists at most kMaxPasos steps from `desde` to `hasta`.
bool PasosAdmitidos(Single desde, Single hasta, Single paso) {
  return (hasta - desde) / paso <= kMaxPasos;
}

// The refusal of a step too small: the user is asked again.
void IntervaloMuyPequeno() {
  MsgBox(QStringLiteral("Elija un intervalo mayor"), vbOKOnly | vbExclamation,
         QStringLiteral("El intervalo elegido para H es muy pequeño..."));
}

// The number the user typed into an input box, a comma read as the decimal point.
double ValorRespuesta(const QString& respuesta) {
  return Val(CommaAsPoint(respuesta));
}

// The answer of an input box as a whole number, halves to the even one.
Integer Entero(const QString& respuesta) {
  return CInt(ValorRespuesta(respuesta));
}

// Option 1: level, area and storage from Hmin to Hmax at a step the user gives.
QString TablaNiveles(const QString& nombre, Single hMin, Single hMax) {
  QString texto = kCrLf + QStringLiteral("Tabla de Altura h, Superficie A(h) y Almacenamiento S(h)") + kCrLf +
                  QStringLiteral("Represa: ") + nombre + kCrLf +
                  QStringLiteral(" h[m]      A[has]       S[m3]");
  const QString sugerido = Numero((hMax - hMin) / 20.0f, 2);
  Single paso = 0;
  for (;;) {
    paso = CSng(ValorRespuesta(InputBox(QStringLiteral("Ingrese un valor incremental dH [m]"),
                                        QStringLiteral("Incremento de Altura de Embalse)"), sugerido)));
    // A step of 0 lists the lowest level alone.
    if (paso == 0 || PasosAdmitidos(hMin, hMax, paso)) break;
    IntervaloMuyPequeno();
  }

  const Single fin = hMax;
  Single h = hMin;
  while (paso >= 0 ? h <= fin : h >= fin) {
    const Single s = Resultado(SdeHRepresa(h));
    const Single a = Resultado(AdeHRepresa(h));
    texto += kCrLf + Columna(Numero(h, 2), 10) + Columna(Numero(a, 2), 15) + Columna(Numero(s, 0), 10);
    const Single siguiente = h + paso;
    // A step of 0, or one too small to move the level, lists the one level.
    if (siguiente == h) break;
    h = siguiente;
  }
  return texto;
}

// Option 2: fifty rows from the table's minima by a fiftieth of its ranges, each function beside
// its inverse.
QString Verificacion(const QString& nombre, Single hMin, Single hMax, Single aMin, Single aMax, Single sMin,
                     Single sMax) {
  QString texto =
      kCrLf + QStringLiteral("Verificar todas las funciones S(h), h(S), A(h) y h(A) de la Represa ") +
      nombre + kCrLf +
      QStringLiteral(" h[m]   A[has]   S[m3]          A(has)     h[m]           S(m3)     h(m)    ");
  const Single dH = CSng(Round((hMax - hMin) / 50.0f, 2));
  const Single dA = CSng(Round((aMax - aMin) / 50.0f, 2));
  const Single dS = CSng(Round((sMax - sMin) / 50.0f, 2));
  for (int i = 1; i <= 50; ++i) {
    const Single pasos = static_cast<Single>(i - 1);
    const Single h = std::min(hMin + pasos * dH, hMax);
    const Single s = Resultado(SdeHRepresa(h));
    const Single a = Resultado(AdeHRepresa(h));
    const Single area = std::min(aMin + pasos * dA, aMax);
    const Single hArea = Resultado(HdeARepresa(area));
    const Single volumen = std::min(sMin + pasos * dS, sMax);
    const Single hVolumen = Resultado(HdeSRepresa(volumen));
    texto += kCrLf + Columna(Numero(h, 3), 7) + Columna(Numero(a, 3), 10) + Columna(Numero(s, 0), 13) +
             Columna(Numero(area, 3), 13) + Columna(Numero(hArea, 2), 15) + Columna(Numero(volumen, 0), 10) +
             Columna(Numero(hVolumen, 2), 15);
  }
  return texto;
}

// The formula of outflow range k of the dam, as the outflow function evaluates it.
QString Formula(Represa& r, int k) {
  QString linea = QStringLiteral("Q[m3/s]= ") + NumberText(r.FQa(k));
  if (k <= 4) {
    linea += QStringLiteral(" * (H[m]-HMin[m])^") + NumberText(r.FQb(k));
  } else {
    linea += QStringLiteral(" + ") + NumberText(r.FQb(k)) + QStringLiteral(" * (H[m]-HMin[m]) + ") +
             NumberText(r.FQc(k)) + QStringLiteral(" * (H[m]-HMin[m])^") + QStringLiteral("2");
  }
  return linea + QStringLiteral("     ; para, ") + NumberText(r.FQmin(k)) + QStringLiteral("[m] <=H[m]<= ") +
         NumberText(r.FQMax(k));
}

}  // namespace

void PruebaFuncionesSHVRepresas() {
  try {
    LeeTablaHSVRepresa();
    Integer n =
        Entero(InputBox(QStringLiteral("¿Número de Represa"),
                        QStringLiteral("Verificación de funciones HSV en Represas: Nro. de Represa")));
    selRepresa = n;
    if (n > nRepresas) {
      n = nRepresas;
      selRepresa = nRepresas;
    }
    if (n <= 0) {
      selRepresa = 0;  // no dam selected
      return;
    }
    const auto& elegida = vRepresas[static_cast<size_t>(n)];
    if (!elegida) Raise(kErrObjectNotSet);
    ElementoActual = nullptr;
    for (const auto& represa : colRepresas) {
      if (!ElementoActual && represa->NombreRepresa == elegida->NombreRepresa) ElementoActual = represa;
    }
    if (!ElementoActual) Raise(kErrObjectNotSet);
    const Represa& r = static_cast<const Represa&>(*ElementoActual);
    const QString nombre = r.NombreRepresa;

    const Integer opcion = Entero(
        InputBox(QStringLiteral("Opciones: ") + kCrLf + QStringLiteral("1- Tabla h, A(h), S(h)") + kCrLf +
                     QStringLiteral("2- Verificar todas las funciones S(h), h(S), A(h), h(A)") + kCrLf +
                     QStringLiteral("0- Salir"),
                 QStringLiteral("Lista y verificación de funciones HSV en Represa") + nombre));
    if (opcion != 1 && opcion != 2) return;

    const int m = r.numRepresa;
    const int N = NFilasHSVRepresa(m);
    Single hMin = 0, hMax = 0, aMin = 0, aMax = 0, sMin = 0, sMax = 0;
    if (N > 0) {
      hMin = HTablaHSVRepresa(m, 1);
      hMax = HTablaHSVRepresa(m, N);
      aMin = ATablaHSVRepresa(m, 1);
      aMax = ATablaHSVRepresa(m, N);
      sMin = static_cast<Single>(STablaHSVRepresa(m, 1));
      sMax = static_cast<Single>(STablaHSVRepresa(m, N));
    }
    const QString texto = opcion == 1 ? TablaNiveles(nombre, hMin, hMax)
                                      : Verificacion(nombre, hMin, hMax, aMin, aMax, sMin, sMax);
    ShowReportWindow();
    SetReportText(texto);
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
  }
}

void PruebaFuncionesHQRepresas() {
  if (nRepresas <= 0) return;
  try {
    PizarraActiva = true;
    ShowReportWindow();
    SetReportText(QString());
    QString texto = QStringLiteral("FUNCIONES H-Q EN REPRESAS");
    LeeTablaHSVRepresa();
    LeeTablaHQRepresa();
    for (const auto& represa : colRepresas) {
      ElementoActual = represa;
      Represa& r = *represa;
      const Integer n = r.numRepresa;
      const QString& nombre = r.NombreRepresa;

      Single hMin = 0;
      Single hMax = 0;
      if (r.optTabla) {
        const int N = NFilasHQRepresa(n);
        if (N <= 0) {
          MsgBox(QStringLiteral("La Represa ") + nombre +
                     QStringLiteral(
                         " toma el caudal de salida de su Tabla H-Q, que no tiene datos: sus funciones "
                         "h-Q no se listan. Cargue la Tabla H-Q de la Represa para verificarlas."),
                 vbOKOnly | vbExclamation, QStringLiteral("Tabla H-Q sin datos"));
          continue;
        }
        hMin = HTablaHQRepresa(n, 1);
        hMax = HTablaHQRepresa(n, N);
      } else {
        if (r.chkFQ(1) == 1) {
          hMin = r.FQmin(1);
          hMax = r.FQMax(1);
        }
        for (int k = 2; k <= 8; ++k) {
          if (r.chkFQ(k) != 1) continue;
          if (r.FQmin(k) < hMin) hMin = r.FQmin(k);
          if (r.FQMax(k) > hMax) hMax = r.FQMax(k);
        }
      }

      const QString titulo = QStringLiteral("Represa") + NumberText(n) + QStringLiteral(" ") + nombre +
                             QStringLiteral(": Tabla Altura H -Caudal Salida Q ");
      const Single rango = hMax - hMin;
      const QString pregunta = QStringLiteral("HMáximo = ") + NumberText(hMax) +
                               QStringLiteral("    HMinimo = ") + NumberText(hMin) +
                               QStringLiteral("     Rango = ") + NumberText(rango) + QStringLiteral("\r") +
                               QStringLiteral("  Ingrese un incrementao de altura dH, en la Presa ") + nombre;
      Single dH = 0;
      for (;;) {
        const QString respuesta = InputBox(pregunta, titulo, QStringLiteral("0.1"));
        // Cancel ends the command; the window stays empty.
        if (respuesta.isEmpty()) return;
        dH = CSng(Round(ValorRespuesta(respuesta), 2));
        // A step of 0 or below would never reach the highest level.
        if (dH > 0 && PasosAdmitidos(hMin, hMax, dH)) break;
        IntervaloMuyPequeno();
      }

      texto += kCrLf + QStringLiteral("REPRESA: ") + NumberText(n) + QStringLiteral("  ") + nombre;
      for (int k = 1; k <= 8; ++k) {
        if (r.chkFQ(k) == 1) texto += kCrLf + Formula(r, k);
      }
      texto += kCrLf + QStringLiteral("     i      H[m]    Q[m3/s]");
      Single h = CSng(Round(hMin, 2));
      for (Integer i = 1; h <= hMax; ++i) {
        const Variant q = QdeHRepresa(h);
        texto += kCrLf + Columna(NumberText(i), 6, true) + QStringLiteral("      ") +
                 Columna(Numero(h, 2), 12) + Columna(Numero(q.toDouble(), 3), 12);
        const Single siguiente = CSng(Round(h + dH, 2));
        // A level too high for its hundredths to move ends the listing.
        if (!(siguiente > h)) break;
        h = siguiente;
      }
      texto += kCrLf;
    }
    SetReportText(texto);
  } catch (const VbError& e) {
    ShowCommonError(e);
    CloseAllFiles();
  }
}

}  // namespace tavo
