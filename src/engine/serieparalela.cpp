#include "engine/serieparalela.h"

#include <algorithm>

namespace tavo {

TormentasAdelantadas::TormentasAdelantadas(std::vector<Integer> tormentas, int hilos,
                                           std::function<bool(Integer)> calcula, std::function<void()> suelta)
    : tormentas_(std::move(tormentas)), calcula_(std::move(calcula)), suelta_(std::move(suelta)) {
  Integer mayor = 0;
  for (Integer k : tormentas_) mayor = std::max(mayor, k);
  estados_.assign(static_cast<size_t>(mayor) + 1, Estado::Pendiente);
  const int n = std::min(hilos, static_cast<int>(tormentas_.size()));
  trabajo_ = std::make_unique<SharedWork>(n, [this] { Trabaja(); });
  // No thread to compute them ahead: each is computed in its turn.
  if (trabajo_->threads() == 0) {
    for (Integer k : tormentas_) estados_[static_cast<size_t>(k)] = Estado::Apartada;
  }
}

TormentasAdelantadas::~TormentasAdelantadas() {
  detenidas_ = true;
  trabajo_.reset();
}

void TormentasAdelantadas::Trabaja() {
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
  if (suelta_) suelta_();
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
