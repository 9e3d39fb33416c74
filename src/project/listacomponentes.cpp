// The component list and the network check. A component is an outlet when its receiver names no
// reach, lake or dam; a reach, lake or dam has inflow when some component names it as its receiver.
#include "project/listacomponentes.h"

#include <vector>

#include "platform/dialogs.h"
#include "project/estado.h"

namespace tavo {

namespace {

const QString kVolverAlEditor =
    QStringLiteral("         ¿Desea volver a la ventana de edición  (SI) o continuar (No) ?");
const QString kTituloAviso = QStringLiteral("Advertencia !!!");
const QString kTituloError = QStringLiteral("Error, Verifique Componente final del sistema");

// A reach, lake or dam: its name and the name of its receiver.
struct Link {
  QString name;
  QString receiver;
};

// The reaches, then the lakes, then the dams, in container order.
std::vector<Link> NonUnitLinks() {
  std::vector<Link> links;
  for (const auto& c : colCauces) links.push_back({c->NombreCauce, c->Cauce_aa});
  for (const auto& l : colLagos) links.push_back({l->NombreLAGO, l->Cauce_aa});
  for (const auto& r : colRepresas) links.push_back({r->NombreRepresa, r->Cauce_aa});
  return links;
}

// True when some component of any kind, itself included, names `name` as its receiver.
bool HasInflow(const QString& name) {
  for (const auto& u : colUEHs) {
    if (u->Cauce_aa == name) return true;
  }
  for (const auto& link : NonUnitLinks()) {
    if (link.receiver == name) return true;
  }
  return false;
}

// The names without inflow, each after four blanks.
template <class Container, class NameOf>
QString WithoutInflow(const Container& container, NameOf nameOf) {
  QString list;
  for (const auto& element : container) {
    if (!HasInflow(nameOf(*element))) list += QStringLiteral("    ") + nameOf(*element);
  }
  return list;
}

// Asks whether to go back to the editor; No means going on. As the editor closes, nothing more is
// asked once the user has chosen to go back.
void Ask(const QString& text, const QString& title) {
  if (ClosingCheck && BackToEditing) return;
  if (MsgBox(text, vbYesNo | vbExclamation, title) == vbNo) {
    ContinuarConAvisos = true;
  } else {
    BackToEditing = true;
  }
}

// Components that receive nothing forbid the run; the user is asked about them.
void AskAboutUnfed(const QString& list, const QString& text) {
  if (list.isEmpty()) return;
  RedConErrores = true;
  Ask(text + list + kVolverAlEditor, kTituloAviso);
}

}  // namespace

QStringList BuildComponentList() {
  nComponentes = CheckInteger(
      static_cast<long long>(colUEHs.size() + colCauces.size() + colLagos.size() + colRepresas.size()));
  NombresComponentes.redim(0, nComponentes);
  int p = 0;
  for (const auto& u : colUEHs) NombresComponentes(++p) = u->NombreUEH;
  const std::vector<Link> links = NonUnitLinks();
  for (const Link& link : links) NombresComponentes(++p) = link.name;

  // Every component in container order: the units, then the reaches, lakes and dams.
  std::vector<Link> all;
  for (const auto& u : colUEHs) all.push_back({u->NombreUEH, u->Cauce_aa});
  all.insert(all.end(), links.begin(), links.end());
  nComponentesFinales = 0;
  QStringList extraOutlets;
  for (const Link& component : all) {
    bool drains = false;
    for (const Link& receiver : links) {
      if (component.receiver == receiver.name) drains = true;
    }
    if (drains) continue;
    if (nComponentesFinales < kMaxComponentesFinales) {
      ComponentesFinales(++nComponentesFinales) = component.name;
    } else {
      extraOutlets << component.name;
    }
  }
  return extraOutlets;
}

void ComponenteFinal() {
  const QStringList extraOutlets = BuildComponentList();
  InformeComponenteFinal(nComponentesFinales, nComponentes, ComponentesFinales, NombresComponentes,
                         extraOutlets);
}

void InformeComponenteFinal(Integer nFinales, Integer nComp, Array1<QString>& finales, Array1<QString>&,
                            const QStringList& extraOutlets) {
  RedConErrores = false;
  ContinuarConAvisos = false;
  BackToEditing = false;
  // A network whose flow goes round a loop has no outlet either: the loop's message says why.
  const QStringList loop = ComponentsInLoops();
  if (nFinales == 0 && nComp >= 1) {
    if (loop.isEmpty()) {
      Ask(QStringLiteral(
              "Error, ningun componente ingresado es una sección final de control o de salida del "
              "sistema. Al menos un componente debe tener el campo <Drena a< = <0> o <cadena nula>. ¿Desea "
              "volver a la ventana de edición  (SI) o continuar (No) ?"),
          kTituloError);
    }
    RedConErrores = true;
  }
  AskAboutUnfed(
      WithoutInflow(colCauces, [](const Cauce& c) { return c.NombreCauce; }),
      QStringLiteral("Hay tramos de Cauces sin aportes de UEHs. Verifique los tramos siguientes y asigne sus "
                     "UEH o componentes de aportes: "));
  AskAboutUnfed(
      WithoutInflow(colRepresas, [](const Represa& r) { return r.NombreRepresa; }),
      QStringLiteral("Hay represas sin aportes de UEHs. Verifique las represas siguientes y asigne sus UEH o "
                     "componentes de aportes: "));
  AskAboutUnfed(
      WithoutInflow(colLagos, [](const Lago& l) { return l.NombreLAGO; }),
      QStringLiteral("Hay Lagos/Mallines sin aportes de UEHs. Verifique los Lagos/Mallines siguientes y "
                     "asigne sus UEH o componentes de aportes: "));
  if (!loop.isEmpty()) {
    RedConErrores = true;
    Ask(QStringLiteral(
            "Hay componentes que drenan en circuito cerrado: cada uno recibe de nuevo, a través de los "
            "otros, su propia descarga, y no puede establecerse el orden de cálculo. Verifique los campos "
            "<Drena a> de los componentes siguientes: ") +
            QStringLiteral("    ") + loop.join(QStringLiteral("    ")) + kVolverAlEditor,
        kTituloAviso);
  }
  SalidaUnica = false;
  if (nFinales == 1) {
    SalidaUnica = !ContinuarConAvisos;
    return;
  }
  QString outlets;
  for (int i = 1; i <= nFinales; ++i) outlets += QStringLiteral("    ") + finales(i);
  if (!extraOutlets.isEmpty()) {
    // The outlet list holds ten names: a network with more cannot be computed.
    RedConErrores = true;
    Ask(QStringLiteral(
            "Error, hay más de 10 componentes de descarga para el sistema (sección final de control). El "
            "sistema admite un máximo de 10 componentes de descarga; verifique los campos <Drena a> de los "
            "siguientes componentes:") +
            outlets + QStringLiteral("    ") + extraOutlets.join(QStringLiteral("    ")) + kVolverAlEditor,
        kTituloError);
  } else if (nFinales >= 2 && !OmiteAvisoSalidas) {
    Ask(QStringLiteral(
            "Hay más de un componente de descarga para el sistema (sección final de control). El sistema "
            "admite esta posibilidad para el cálculo para un máximo de 10 componentes, pero si el sistema "
            "es de salida final única debe verificar los campos <Drena a> de los siguientes componentes:") +
            outlets + kVolverAlEditor,
        kTituloAviso);
  }
}

QStringList ComponentsInLoops() {
  const std::vector<Link> links = NonUnitLinks();
  const int n = static_cast<int>(links.size());
  // Each reach, lake or dam drains into at most one other: its receiver, found by name.
  std::vector<int> receiver(n, -1);
  for (int i = 0; i < n; ++i) {
    for (int r = 0; r < n && receiver[i] < 0; ++r) {
      if (links[i].receiver == links[r].name) receiver[i] = r;
    }
  }
  // Following the receivers from every component; a walk that comes back to a component of its own
  // path has found a loop. A component draining into itself alone is no loop.
  enum { kUnseen, kOnPath, kDone };
  std::vector<int> state(n, kUnseen);
  std::vector<bool> inLoop(n, false);
  for (int start = 0; start < n; ++start) {
    std::vector<int> path;
    int c = start;
    while (c >= 0 && state[c] == kUnseen) {
      state[c] = kOnPath;
      path.push_back(c);
      c = receiver[c];
    }
    if (c >= 0 && state[c] == kOnPath && receiver[c] != c) {
      for (auto it = path.rbegin(); it != path.rend(); ++it) {
        inLoop[*it] = true;
        if (*it == c) break;
      }
    }
    for (int member : path) state[member] = kDone;
  }
  QStringList names;
  for (int i = 0; i < n; ++i) {
    if (inLoop[i]) names << links[i].name;
  }
  return names;
}

void ResetListaComponentesState() {
  nComponentes = 0;
  NombresComponentes.redim(0, 0);
  nComponentesFinales = 0;
  ComponentesFinales.redim(0, kMaxComponentesFinales);
  CompoSel = 0;
  RedConErrores = false;
  OmiteAvisoSalidas = false;
  ContinuarConAvisos = false;
  SalidaUnica = false;
  BackToEditing = false;
  ClosingCheck = false;
}

}  // namespace tavo
