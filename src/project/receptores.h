// The links of the network: each component names in Cauce_aa the component it drains into. Renaming
// a receiver carries over to its tributaries, and no link may close a loop of receivers, for which
// no upstream-to-downstream order of the components would exist.
#pragma once

#include <QString>

namespace tavo {

// Every component of the network (units only when asked) whose receiver is `anterior` drains into
// `nuevo` instead.
void RenombraReceptor(const QString& anterior, const QString& nuevo, bool unidades);

// Where a reach made to drain into `receptor` drains once the editor redraws the network: a lake that
// drains into `receptor` takes over its other inflows, and failing a lake a dam does; `receptor` itself
// when neither does.
QString RerouteTarget(const QString& receptor);

// True when making `componente` drain into `receptor` would close a loop: the receiver is the
// component itself, or the component lies downstream of it.
bool ClosesLoop(const QString& componente, const QString& receptor);

// Refuses a link that would close a loop, with the message that says so; false when the link is
// sound.
bool RefusesLoop(const QString& componente, const QString& receptor);

}  // namespace tavo
