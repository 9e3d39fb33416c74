#include "engine/serieparalela.h"

#include <sched.h>

#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <exception>
#include <memory>

#include "platform/dialogs.h"

namespace tavo {

int HilosSerie() {
  bool ok = false;
  const int hilos = qEnvironmentVariableIntValue("TAVO_HILOS", &ok);
  if (ok && hilos >= 1) return hilos;
  // The processors the program may run on, which may be fewer than the machine has.
  cpu_set_t procesadores;
  if (sched_getaffinity(0, sizeof procesadores, &procesadores) == 0)
    return std::max(1, CPU_COUNT(&procesadores));
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

namespace {

// Threads kept for the work of a run, started once and waiting for work as long as the program runs: a
// thread started for each piece of work costs its start every time, a few tenths of a millisecond
// here, as much as the piece itself. They start one after another on a thread of their own, so that
// whoever asks for them does not wait for their start; work handed out before they are all there is
// done by those that are, and by the one that handed it out.
class HilosGuardados {
 public:
  static HilosGuardados& Todos() {
    static HilosGuardados* const hilos = new HilosGuardados;  // never deleted: its threads never end
    return *hilos;
  }

  // Has at least n threads start, if that many have not been asked for yet.
  void Asegura(int n) {
    int faltan = 0;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      faltan = n - pedidos_;
      if (faltan <= 0) return;
      pedidos_ = n;
    }
    std::thread([this, faltan] {
      for (int i = 0; i < faltan; ++i) std::thread([this] { Espera(); }).detach();
    }).detach();
  }

  // Runs `trabajo` here and on up to `otros` of the kept threads at once, and returns when every run of
  // it has ended. A thread that comes to it after the run here has ended leaves it alone.
  void Reparte(int otros, const std::function<void()>& trabajo) {
    auto encargo = std::make_shared<Encargo>();
    encargo->trabajo = &trabajo;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      for (int i = 0; i < otros; ++i) cola_.push_back(encargo);
    }
    if (otros == 1) {
      hay_.notify_one();
    } else if (otros > 1) {
      hay_.notify_all();
    }
    trabajo();
    std::unique_lock<std::mutex> lock(encargo->mutex);
    encargo->cerrado = true;
    encargo->fin.wait(lock, [&] { return encargo->activos == 0; });
  }

 private:
  struct Encargo {
    const std::function<void()>* trabajo = nullptr;
    std::mutex mutex;
    std::condition_variable fin;
    int activos = 0;       // threads running it
    bool cerrado = false;  // no thread starts it any more
  };

  void Espera() {
    // No window shows from these threads: a message stops the work in hand instead, whose caller
    // sees it raised and does the work again on its own thread, where the message shows.
    MessagesDeferred = true;
    for (;;) {
      std::shared_ptr<Encargo> encargo;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        hay_.wait(lock, [this] { return !cola_.empty(); });
        encargo = std::move(cola_.front());
        cola_.pop_front();
      }
      {
        const std::lock_guard<std::mutex> lock(encargo->mutex);
        if (encargo->cerrado) continue;
        ++encargo->activos;
      }
      (*encargo->trabajo)();
      const std::lock_guard<std::mutex> lock(encargo->mutex);
      if (--encargo->activos == 0) encargo->fin.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable hay_;
  std::deque<std::shared_ptr<Encargo>> cola_;
  int pedidos_ = 0;  // threads asked for
};

}  // namespace

void PreparaHilos(int hilos) {
  HilosGuardados::Todos().Asegura(hilos - 1);
}

void EnParalelo(int n, int hilos, const std::function<void(int)>& f) {
  std::atomic<int> siguiente{1};
  std::mutex mutex;
  std::exception_ptr falla;  // the first error a call raised: raised again here once all are done
  const std::function<void()> trabaja = [&] {
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
  const int otros = std::min(hilos, n) - 1;
  if (otros > 0) {
    PreparaHilos(hilos);
    HilosGuardados::Todos().Reparte(otros, trabaja);
  } else {
    trabaja();
  }
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
