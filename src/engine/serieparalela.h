// The storms of a series computed side by side, each on a worker thread of its own, ahead of their
// turn. A storm that would show a message, or whose distribution refuses it, is set aside: the series
// computes it again in its turn on the main thread, where its messages show in storm order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/vb.h"

namespace tavo {

// The worker count of a series: the environment variable TAVO_HILOS when it holds a whole number of
// at least 1, otherwise the processors the program may run on.
int HilosSerie();

// Calls f(i) for i = 1..n, spread over up to `hilos` threads (the calling one among them, the others
// kept by the program for such work), and returns when every call has returned; an error a call raised
// is raised again then. f must touch nothing another call writes.
void EnParalelo(int n, int hilos, const std::function<void(int)>& f);
// Has the threads that EnParalelo spreads work over with `hilos` start, without waiting for them: a run
// asks for them ahead of the work it spreads.
void PreparaHilos(int hilos);

class TormentasAdelantadas {
 public:
  // Starts `hilos` workers over `tormentas`, taken in their order. Each storm k is computed by
  // `calcula(k)`, on its worker with the messages deferred; true when it was computed.
  TormentasAdelantadas(std::vector<Integer> tormentas, int hilos, std::function<bool(Integer)> calcula);
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
  std::atomic<size_t> siguiente_{0};    // the place in tormentas_ of the next storm a worker takes
  std::atomic<bool> detenidas_{false};  // no worker starts another storm
  std::mutex mutex_;
  std::condition_variable avance_;
  std::vector<Estado> estados_;  // by storm number
  std::vector<std::thread> hilos_;
};

}  // namespace tavo
