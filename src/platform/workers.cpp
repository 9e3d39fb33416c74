#include "platform/workers.h"

#include <sched.h>

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/dialogs.h"

namespace tavo {

namespace {

constexpr int kMostThreads = 256;

}  // namespace

int ProcessorCount() {
  cpu_set_t procesadores;
  if (sched_getaffinity(0, sizeof procesadores, &procesadores) == 0)
    return std::max(1, CPU_COUNT(&procesadores));
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

namespace {

// Says once on standard error what is done with a value of TAVO_HILOS, until the value changes.
void Tell(const QByteArray& value, const char* what, int threads) {
  static std::mutex mutex;
  static QByteArray told;
  const std::lock_guard<std::mutex> lock(mutex);
  if (told == value) return;
  told = value;
  std::fprintf(stderr, "TAVO_HILOS=%s %s: se usan %d hilos.\n", value.constData(), what, threads);
}

}  // namespace

int ThreadCount() {
  const QByteArray value = qgetenv("TAVO_HILOS");
  if (value.isEmpty()) return ProcessorCount();
  bool ok = false;
  const long long asked = value.toLongLong(&ok, 10);
  if (ok && asked >= 1 && asked <= kMostThreads) return static_cast<int>(asked);
  if (ok && asked > kMostThreads) {
    Tell(value, "supera el máximo de 256", kMostThreads);
    return kMostThreads;
  }
  const int processors = ProcessorCount();
  Tell(value, "no es un número de hilos de 1 a 256", processors);
  return processors;
}

struct SharedWork::Share {
  std::function<void()> work;
  std::mutex mutex;
  std::condition_variable ended;
  int running = 0;      // threads running it
  bool closed = false;  // no thread starts it any more
};

namespace {

ThreadStarter& Starter() {
  static ThreadStarter starter;
  return starter;
}

// The pool: threads started when work first asks for them, each taking the shares of work and the
// single tasks handed to the pool in their order, for as long as the program runs.
class Pool {
 public:
  static Pool& Get() {
    static Pool* const pool = new Pool;  // never deleted: its threads never end
    return *pool;
  }

  // Has the pool hold at least n threads, as far as the system starts them; how many it holds.
  int Ensure(int n) {
    const std::lock_guard<std::mutex> starting(starting_);
    for (int held = threads_.load(); held < n; held = threads_.load()) {
      try {
        const ThreadStarter& starter = Starter();
        std::thread thread = starter ? starter([this] { Serve(); }) : std::thread([this] { Serve(); });
        thread.detach();
        ++threads_;
      } catch (const std::system_error&) {
        // The system starts no more threads now: the work is done by those there are.
        break;
      }
    }
    return threads_.load();
  }

  int Threads() const { return threads_.load(); }

  // Hands `share` to `n` threads; they take it in turn with what was handed before.
  void Hand(const std::shared_ptr<SharedWork::Share>& share, int n) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      for (int i = 0; i < n; ++i) queue_.push_back(share);
    }
    if (n == 1) {
      ready_.notify_one();
    } else if (n > 1) {
      ready_.notify_all();
    }
  }

 private:
  void Serve() {
    // No window shows from these threads: a message stops the work in hand instead.
    MessagesDeferred = true;
    for (;;) {
      std::shared_ptr<SharedWork::Share> share;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return !queue_.empty(); });
        share = std::move(queue_.front());
        queue_.pop_front();
      }
      {
        const std::lock_guard<std::mutex> lock(share->mutex);
        if (share->closed) continue;
        ++share->running;
      }
      share->work();
      const std::lock_guard<std::mutex> lock(share->mutex);
      if (--share->running == 0) share->ended.notify_all();
    }
  }

  std::mutex starting_;  // one start of threads at a time
  std::atomic<int> threads_{0};
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::shared_ptr<SharedWork::Share>> queue_;
};

}  // namespace

SharedWork::SharedWork(int threads, std::function<void()> work) : share_(std::make_shared<Share>()) {
  share_->work = std::move(work);
  if (threads < 1) return;
  threads_ = std::min(threads, Pool::Get().Ensure(threads));
  Pool::Get().Hand(share_, threads_);
}

SharedWork::~SharedWork() {
  std::unique_lock<std::mutex> lock(share_->mutex);
  share_->closed = true;
  share_->ended.wait(lock, [this] { return share_->running == 0; });
}

void SetThreadStarter(ThreadStarter starter) {
  Starter() = std::move(starter);
}

int PoolThreads() {
  return Pool::Get().Threads();
}

void PreparaHilos(int hilos) {
  Pool::Get().Ensure(hilos);
}

void EnParalelo(int n, int hilos, const std::function<void(int)>& f) {
  std::atomic<int> siguiente{1};
  std::mutex mutex;
  std::exception_ptr falla;  // the first error a call raised: raised again here once all are done
  const auto trabaja = [&] {
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
  {
    // The pool keeps a thread more than the others that share the work: the one the report file is
    // written ahead on.
    const int otros = std::min(hilos, n) - 1;
    if (otros > 0) PreparaHilos(hilos);
    const SharedWork compartido(otros, trabaja);
    struct Diferidos {
      bool antes = MessagesDeferred;
      Diferidos() { MessagesDeferred = true; }
      ~Diferidos() { MessagesDeferred = antes; }
    } diferidos;
    trabaja();
  }
  if (falla) std::rethrow_exception(falla);
}

std::future<void> RunOnSpareThread(std::function<void()> work) {
  auto task = std::make_shared<std::packaged_task<void()>>(std::move(work));
  std::future<void> done = task->get_future();
  if (Pool::Get().Ensure(std::max(1, Pool::Get().Threads())) < 1) return {};
  // The share ends itself once its thread has run it: nobody waits for it but through the future.
  auto share = std::make_shared<SharedWork::Share>();
  share->work = [task] { (*task)(); };
  Pool::Get().Hand(share, 1);
  return done;
}

}  // namespace tavo
