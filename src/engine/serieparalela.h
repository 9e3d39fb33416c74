// The storms of a series computed side by side on threads of the program's pool (platform/workers.h),
// ahead of their turn. A storm that would show a message, or whose distribution refuses it, is set aside: the
// series computes it again in its turn on the main thread, where its messages show in storm order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/vb.h"
#include "platform/workers.h"

namespace tavo {

class TormentasAdelantadas {
 public:
  // Hands `tormentas`, taken in their order, to up to `hilos` threads of the pool. Each storm k is
  // computed by `calcula(k)` on its thread with the messages deferred; true when it was computed. A
  // thread that has no storm left calls `suelta`, which gives back what it held of the storms' state.
  // With no thread in the pool every storm is set aside.
  TormentasAdelantadas(std::vector<Integer> tormentas, int hilos, std::function<bool(Integer)> calcula,
                       std::function<void()> suelta);
  // No storm is started any more, and the workers end.
  ~TormentasAdelantadas();
  TormentasAdelantadas(const TormentasAdelantadas&) = delete;
  TormentasAdelantadas& operator=(const TormentasAdelantadas&) = delete;

  // Waits until storm k is computed or set aside; true when computed.
  bool Espera(Integer k);
  // Waits until every storm is computed or set aside.
  void Termina();

 private:
  enum class Estado { Pendiente, Calculada, Apartada };
  void Trabaja();

  std::vector<Integer> tormentas_;
  std::function<bool(Integer)> calcula_;
  std::function<void()> suelta_;
  std::atomic<size_t> siguiente_{0};    // the place in tormentas_ of the next storm a worker takes
  std::atomic<bool> detenidas_{false};  // no worker starts another storm
  std::mutex mutex_;
  std::condition_variable avance_;
  std::vector<Estado> estados_;  // by storm number
  std::unique_ptr<SharedWork> trabajo_;
};

}  // namespace tavo
