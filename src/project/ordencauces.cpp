// The stream order of the reaches, after the rule of Strahler as the program applies it: repeated
// sweeps over the reaches in their collection order.
#include "project/ordencauces.h"

#include "platform/dialogs.h"
#include "project/estado.h"

namespace tavo {

void CalculaOrdenCauces() {
  // A tributary of reach C is a reach draining into C, or into a lake or dam that drains into C.
  auto order = [](const std::shared_ptr<Cauce>& c) {
    Integer m = 0;
    int n = 0;
    auto meet = [&](const Cauce& t) {
      ++n;
      const Integer o = t.OrdenCauce;
      if (n == 1 && m < o) m = o;
      if (n >= 2 && o == m) m = CheckInteger(o + 1);
      if (n >= 2 && m < o) m = o;
    };
    auto reachesInto = [&](const QString& name, bool skipSelf) {
      for (const auto& t : colCauces) {
        if (!(skipSelf && t == c) && t->Cauce_aa == name) meet(*t);
      }
    };
    reachesInto(c->NombreCauce, true);
    for (const auto& lago : colLagos) {
      if (lago->Cauce_aa == c->NombreCauce) reachesInto(lago->NombreLAGO, false);
    }
    for (const auto& represa : colRepresas) {
      if (represa->Cauce_aa == c->NombreCauce) reachesInto(represa->NombreRepresa, false);
    }
    return n == 0 ? Integer(1) : m;
  };
  try {
    for (const auto& c : colCauces) {
      ElementoActual = c;
      c->OrdenCauce = 0;
    }
    for (int pass = 1; pass <= 10; ++pass) {
      for (const auto& c : colCauces) {
        ElementoActual = c;
        c->OrdenCauce = order(c);
      }
    }
  } catch (const VbError& e) {
    MsgBox(ErrorNroWithoutText(e));
  }
}

}  // namespace tavo
