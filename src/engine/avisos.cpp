// Notices of a run that change none of its results: Muskingum routing with a negative coefficient at
// the output step, and outlets still carrying much of their flood when the run's horizon ends.
#include "engine/avisos.h"

#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/dialogs.h"
#include "project/componentes.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"

namespace tavo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLengthenHorizon = QStringLiteral(
    "Para ver la crecida completa, aumente el <Tiempo adicional> en "
    "<Menú\\Opciones\\Opciones de Configuración>, ficha <Ver>.");

// A discharge or a length of time as a message writes it: rounded to two decimals.
QString MessageNumber(double v) {
  return PlainNumberText(static_cast<Single>(Round(v, 2)));
}

// The reason why Muskingum with K [min] and x gives a negative coefficient at the output step, or an
// empty text when every coefficient is positive or zero. The products are those of the routing: K·x
// and K − K·x in Single, the half step in Double, so a step that lies on 2·K·x or 2·K·(1 − x) gives a
// coefficient of exactly 0 and no notice.
QString NegativeReason(Single K, Single x) {
  const Single kx = K * x;
  const Single k1x = K - kx;
  const double half = 0.5 * PasoQ;
  // A denominator of 0 stops the run with the routing's own warning.
  if (static_cast<Single>(k1x + half) == 0) return {};
  QStringList reasons;
  if (kx > half)
    reasons << QStringLiteral("menor que 2·K·x = ") + MessageNumber(2.0 * kx) + QStringLiteral(" min");
  if (k1x < half)
    reasons << QStringLiteral("mayor que 2·K·(1 - x) = ") + MessageNumber(2.0 * k1x) + QStringLiteral(" min");
  if (reasons.isEmpty()) return {};
  return QStringLiteral("el paso es ") + reasons.join(QStringLiteral(" y "));
}

QString MethodText(const Variant& metodo) {
  return metodo.isEmpty() ? QString() : metodo.toString();
}

// "a", "a y b", "a, b y c".
QString JoinNames(const QStringList& names) {
  if (names.size() < 2) return names.value(0);
  return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + names.last();
}

}  // namespace

QString NegativeMuskingumNotice() {
  QStringList lines;
  auto add = [&lines](const QString& kind, const QString& name, Single K, Single x, const QString& xText) {
    const QString reason = NegativeReason(K, x);
    if (reason.isEmpty()) return;
    lines << QStringLiteral("   ") + kind + QLatin1Char(' ') + name + QStringLiteral(" (K = ") +
                 PlainNumberText(K) + QStringLiteral(" min, x = ") + xText + QStringLiteral("): ") + reason +
                 QLatin1Char('.');
  };
  const QString kDamX = QStringLiteral("0 en lagos y represas");
  for (const auto& c : colCauces) {
    if (!c->optDirMusk)
      add(QStringLiteral("Tramo de cauce"), c->NombreCauce, c->Cauce_k_Musk, c->Cauce_n_Musk,
          PlainNumberText(c->Cauce_n_Musk));
  }
  for (const auto& l : colLagos) {
    if (MethodText(l->Metodo) == QLatin1String("Muskingum"))
      add(QStringLiteral("Lago"), l->NombreLAGO, l->Lago_k_Musk, 0, kDamX);
  }
  for (const auto& r : colRepresas) {
    if (MethodText(r->Metodo) == QLatin1String("Muskingum"))
      add(QStringLiteral("Represa"), r->NombreRepresa, r->Represa_k_Musk, 0, kDamX);
  }
  if (lines.isEmpty()) return {};
  return QStringLiteral("Con el paso de cálculo de caudales de ") + PlainNumberText(PasoQ) +
         QStringLiteral(" min, la propagación por Muskingum tiene un coeficiente negativo en:") + kCrLf +
         lines.join(kCrLf) + kCrLf + kCrLf +
         QStringLiteral(
             "Un coeficiente negativo puede dar caudales que oscilan y hasta caudales negativos. Para "
             "evitarlo, el paso debe quedar entre 2·K·x y 2·K·(1 - x): elija otro paso de caudales desde el "
             "Menú Principal: Entradas\\Precipitaciones, o cambie K y x desde el Editor de UEHs. El cálculo "
             "continúa sin cambios.");
}

std::vector<CutOutlet> CutOutlets() {
  std::vector<CutOutlet> cut;
  if (!SimulationCompleted) return cut;
  const Integer NQ = nPasosSalida;
  for (int f = 1; f <= nComponentesFinales; ++f) {
    const QString& name = ComponentesFinales(f);
    for (int p = 1; p <= nComponentes; ++p) {
      if (NombresComponentes(p) != name) continue;
      const Single last = QSaleCompo(p, NQ);
      const Single peak = QpSerie(p, kTormenta);
      if (peak > 0 && last > 0.05 * static_cast<double>(peak)) cut.push_back({name, last, peak});
      break;
    }
  }
  return cut;
}

QString CutHydrographNotice(const std::vector<CutOutlet>& cut) {
  if (cut.empty()) return {};
  const QString end = PlainNumberText(static_cast<Long>(nPasosSalida) * PasoQ);
  QStringList lines;
  for (const CutOutlet& c : cut) {
    QString line = QStringLiteral("   ") + c.name + QStringLiteral(": ") + MessageNumber(c.last) +
                   QStringLiteral(" m3/s en el último paso (") + end + QStringLiteral(" min), ");
    if (c.last >= c.peak) {
      line += QStringLiteral("todavía en aumento.");
    } else {
      line += QStringLiteral("el ") + PlainNumberText(static_cast<Long>(Round(100.0 * c.last / c.peak))) +
              QStringLiteral(" % de su caudal máximo de ") + MessageNumber(c.peak) + QStringLiteral(" m3/s.");
    }
    lines << line;
  }
  return QStringLiteral("La crecida no había terminado al final del cálculo:") + kCrLf + lines.join(kCrLf) +
         kCrLf + kCrLf +
         QStringLiteral("El cálculo termina a la duración de la tormenta más el tiempo adicional (") +
         PlainNumberText(DurTormenta) + QStringLiteral(" + ") + PlainNumberText(TiempoAdicional) +
         QStringLiteral(
             " min), así que el hidrograma está cortado y los volúmenes y coeficientes de escorrentía del "
             "informe no cuentan el agua que aún no había salido. ") +
         kLengthenHorizon;
}

void CutStorms::add(const std::vector<CutOutlet>& cut) {
  ++computed_;
  if (cut.empty()) return;
  ++cut_;
  for (const CutOutlet& c : cut) {
    if (!outlets_.contains(c.name)) outlets_ << c.name;
  }
}

QString CutStorms::notice() const {
  if (cut_ == 0) return {};
  const QString storms = computed_ == 1
                             ? QStringLiteral("la única tormenta calculada")
                             : QString::number(cut_) + QStringLiteral(" de las ") +
                                   QString::number(computed_) + QStringLiteral(" tormentas calculadas");
  return QStringLiteral("La crecida no había terminado al final del cálculo en ") + storms +
         QStringLiteral(" de la serie: el caudal de ") + JoinNames(outlets_) +
         QStringLiteral(" en el último paso seguía por encima del 5 % de su caudal máximo.") + kCrLf + kCrLf +
         QStringLiteral("El cálculo de cada tormenta termina a su duración más el tiempo adicional (") +
         PlainNumberText(TiempoAdicional) +
         QStringLiteral(
             " min), así que los caudales máximos, volúmenes y coeficientes de escorrentía de esas tormentas "
             "son los de hidrogramas cortados. ") +
         kLengthenHorizon;
}

void ShowRunNotice(const QString& texto) {
  if (!texto.isEmpty()) MsgBox(texto, vbExclamation, QStringLiteral("Advertencia !"));
}

}  // namespace tavo
