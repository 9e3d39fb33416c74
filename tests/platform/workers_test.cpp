// The pool of threads the program keeps: how many threads work takes, how EnParalelo spreads it, and
// that a message on any of its threads, the calling one's share included, is deferred.
#include "platform/workers.h"

#include <sched.h>

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/dialogs.h"
#include "support/fixture.h"

namespace tavo {
namespace {

TEST(ThreadCount, TheEnvironmentSetsItInDecimalFromOneTo256) {
  cpu_set_t todos;
  ASSERT_EQ(sched_getaffinity(0, sizeof todos, &todos), 0);
  const int procesadores = CPU_COUNT(&todos);
  const struct {
    const char* valor;
    int hilos;
    bool dicho;  // a line on standard error says what was done with it
  } casos[] = {{"1", 1, false},
               {"3", 3, false},
               {"16", 16, false},
               {"010", 10, false},
               {"256", 256, false},
               {"257", 256, true},
               {"3000", 256, true},
               {"99999999999999999999", procesadores, true},
               {"0", procesadores, true},
               {"-2", procesadores, true},
               {"0x10", procesadores, true},
               {"dos", procesadores, true},
               {"", procesadores, false}};
  for (const auto& caso : casos) {
    const test::ThreadCountSetting entorno(caso.valor);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ThreadCount(), caso.hilos) << caso.valor;
    EXPECT_EQ(ThreadCount(), caso.hilos) << caso.valor;
    const std::string dicho = testing::internal::GetCapturedStderr();
    if (caso.dicho) {
      // Once, however often the count is asked for.
      EXPECT_EQ(dicho, "TAVO_HILOS=" + std::string(caso.valor) +
                           (caso.hilos == 256 ? " supera el máximo de 256"
                                              : " no es un número de hilos de 1 a 256") +
                           ": se usan " + std::to_string(caso.hilos) + " hilos.\n");
    } else {
      EXPECT_EQ(dicho, "") << caso.valor;
    }
  }
  qunsetenv("TAVO_HILOS");
  EXPECT_EQ(ThreadCount(), procesadores);
  // A program kept to one processor works on one.
  cpu_set_t uno;
  CPU_ZERO(&uno);
  for (int c = 0; c < CPU_SETSIZE; ++c) {
    if (CPU_ISSET(c, &todos)) {
      CPU_SET(c, &uno);
      break;
    }
  }
  ASSERT_EQ(sched_setaffinity(0, sizeof uno, &uno), 0);
  EXPECT_EQ(ThreadCount(), 1);
  ASSERT_EQ(sched_setaffinity(0, sizeof todos, &todos), 0);
}

class EnParaleloTest : public test::TavoTest {};

// Every call made once, on as many threads as asked for at most; an error stops the calls not started
// and is raised again once the others have returned.
TEST_F(EnParaleloTest, EveryCallOnceAndTheFirstErrorRaisedAgain) {
  for (const int hilos : {1, 2, 8}) {
    SCOPED_TRACE(hilos);
    std::vector<std::atomic<int>> veces(1001);
    EnParalelo(1000, hilos, [&](int i) { ++veces[static_cast<size_t>(i)]; });
    for (int i = 1; i <= 1000; ++i) ASSERT_EQ(veces[static_cast<size_t>(i)], 1) << i;
    EXPECT_EQ(veces[0], 0);
    if (hilos > 1) {
      EXPECT_GE(PoolThreads(), hilos);
    }

    std::atomic<int> hechas{0};
    EXPECT_THROW(EnParalelo(1000, hilos,
                            [&](int i) {
                              if (i == 10) throw std::runtime_error("falla");
                              // Each call takes a moment, so that the error stops the calls not
                              // started however fast the threads run through the rest.
                              std::this_thread::sleep_for(std::chrono::milliseconds(1));
                              ++hechas;
                            }),
                 std::runtime_error);
    EXPECT_LT(hechas, 999);
  }
}

// A message in any call, the calling thread's among them, throws MessageDeferred instead of showing:
// the caller does the work again in order, where it shows. The calling thread's messages show again
// afterwards.
TEST_F(EnParaleloTest, MessagesAreDeferredOnEveryThreadTheCallersToo) {
  for (const int hilos : {1, 4}) {
    SCOPED_TRACE(hilos);
    std::atomic<int> diferidos{0};
    EnParalelo(40, hilos, [&](int) {
      if (MessagesDeferred) ++diferidos;
    });
    EXPECT_EQ(diferidos, 40);
    EXPECT_THROW(EnParalelo(40, hilos, [](int i) { MsgBox(QStringLiteral("Mensaje %1").arg(i)); }),
                 MessageDeferred);
    EXPECT_FALSE(MessagesDeferred);
    EXPECT_TRUE(dialogs.records().empty());
  }
  dialogs.answer(vbOK);
  EXPECT_EQ(MsgBox(QStringLiteral("Después")), vbOK);
}

// Work handed to the pool's threads runs there with its messages deferred; a spare-thread task tells
// when it is done.
TEST_F(EnParaleloTest, ASpareThreadRunsWorkWithItsMessagesDeferred) {
  bool diferidos = false;
  std::future<void> hecho = RunOnSpareThread([&] { diferidos = MessagesDeferred; });
  ASSERT_TRUE(hecho.valid());
  hecho.get();
  EXPECT_TRUE(diferidos);
}

}  // namespace
}  // namespace tavo
