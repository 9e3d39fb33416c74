// The threads the program keeps for work beside the main thread: one pool for all of it (a series'
// storms, a single storm's units and its table of outlet flows, the lines of the series results file,
// the report file written ahead). Its threads start when work first asks for them and wait for work as
// long as the program runs; a thread the system cannot start leaves the pool smaller, never stops the
// program. Every piece of work on them runs with its messages deferred (MessagesDeferred).
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace tavo {

// The threads a piece of work may take, the calling one included: the environment variable TAVO_HILOS,
// a whole number from 1 to 256 written in decimal, or else the processors the program may run on. A
// larger number is cut to 256, and a value below 1 or that is not a number is ignored, each with one
// line on standard error.
int ThreadCount();
// The processors the program may run on, which may be fewer than the machine has.
int ProcessorCount();

// Calls f(i) for i = 1..n, spread over up to `hilos` threads: the calling one and threads of the pool.
// Returns when every call has returned; the first error a call raised is raised again then, and no
// call starts after it. Every call runs with its messages deferred, the calling thread's too: a message
// or question throws MessageDeferred, and the caller does the work again in order on its own thread,
// where the message shows.
// Inside f a thread_local name means the thread's own copy, which on a pool thread is empty: never the
// caller's. The caller's arrays and values are handed in by reference, found on the calling thread
// before the call (`Array2<Single>& QSaleCompo = tavo::QSaleCompo;`, captured by the lambda). f must
// write nothing another call reads or writes.
void EnParalelo(int n, int hilos, const std::function<void(int)>& f);

// Has the pool hold the threads that EnParalelo spreads work over with `hilos`: a run asks for them
// ahead of the work it spreads.
void PreparaHilos(int hilos);

// Runs `work` on a thread of the pool, with its messages deferred, and gives what tells when it is done;
// an invalid future, with nothing run, when the pool has no thread.
std::future<void> RunOnSpareThread(std::function<void()> work);

// `work` handed to up to `threads` threads of the pool at once, each running it once, while it lives;
// the calling thread goes on meanwhile. Its end stops it: no thread starts it any more, and the end
// waits for those running it.
class SharedWork {
 public:
  SharedWork(int threads, std::function<void()> work);
  ~SharedWork();
  SharedWork(const SharedWork&) = delete;
  SharedWork& operator=(const SharedWork&) = delete;

  // How many threads it was handed to: fewer than asked for when the pool has fewer, none when it has
  // no thread at all.
  int threads() const { return threads_; }

  struct Share;  // what the pool's threads hold of it

 private:
  std::shared_ptr<Share> share_;
  int threads_ = 0;
};

// How the pool starts a thread: the system's std::thread unless set. A test sets one that throws
// std::system_error, as a system out of threads does; an empty one gives back the system's.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;
void SetThreadStarter(ThreadStarter starter);

// The threads the pool holds now.
int PoolThreads();

}  // namespace tavo
