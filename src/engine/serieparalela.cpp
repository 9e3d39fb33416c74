#include "engine/serieparalela.h"

#include <QtGlobal>
#include <algorithm>
#include <exception>

#include "platform/dialogs.h"

namespace tavo {

int HilosSerie() {
  bool ok = false;
  const int hilos = qEnvironmentVariableIntValue("TAVO_HILOS", &ok);
  if (ok && hilos >= 1) return hilos;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void EnParalelo(int n, int hilos, const std::function<void(int)>& f) {
  std::atomic<int> siguiente{1};
  std::mutex mutex;
  std::exception_ptr falla;  // the first error a call raised: raised again here once all are done
  auto trabaja = [&] {
    for (int i = siguiente++; i <= n; i = siguiente++) {
      try {
        f(i);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!falla) falla = std::current_exception();
        siguiente = n + 1;
      }
    }
  };
  std::vector<std::thread> otros;
  for (int h = 1; h < std::min(hilos, n); ++h) otros.emplace_back(trabaja);
  trabaja();
  for (std::thread& hilo : otros) hilo.join();
  if (falla) std::rethrow_exception(falla);
}

TormentasAdelantadas::TormentasAdelantadas(std::vector<Integer> tormentas, int hilos,
                                           std::function<bool(Integer)> calcula)
    : tormentas_(std::move(tormentas)), calcula_(std::move(calcula)) {
  Integer mayor = 0;
  for (Integer k : tormentas_) mayor = std::max(mayor, k);
  estados_.assign(static_cast<size_t>(mayor) + 1, Estado::Pendiente);
  const int n = std::min(hilos, static_cast<int>(tormentas_.size()));
  for (int i = 0; i < n; ++i) hilos_.emplace_back([this] { Trabaja(); });
}

TormentasAdelantadas::~TormentasAdelantadas() {
  detenidas_ = true;
  for (std::thread& hilo : hilos_) hilo.join();
}

void TormentasAdelantadas::Trabaja() {
  MessagesDeferred = true;
  while (!detenidas_) {
    const size_t i = siguiente_++;
    if (i >= tormentas_.size()) break;
    const Integer k = tormentas_[i];
    bool calculada = false;
    try {
      calculada = calcula_(k);
    } catch (...) {
      // Whatever stopped it, the storm is computed again in its turn, where the failure shows.
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      estados_[static_cast<size_t>(k)] = calculada ? Estado::Calculada : Estado::Apartada;
    }
    avance_.notify_all();
  }
}

bool TormentasAdelantadas::Espera(Integer k) {
  std::unique_lock<std::mutex> lock(mutex_);
  avance_.wait(lock, [&] { return estados_[static_cast<size_t>(k)] != Estado::Pendiente; });
  return estados_[static_cast<size_t>(k)] == Estado::Calculada;
}

void TormentasAdelantadas::Termina() {
  for (Integer k : tormentas_) Espera(k);
}

}  // namespace tavo
