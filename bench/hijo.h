// The measuring side of the benchmarks that time a whole program: this program started again as a
// child with other arguments, what it printed, its wall and processor time and its peak memory.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace tavo::bench {

struct Figura {
  std::vector<double> tiempos;  // what the child printed: the first number of each line
  std::vector<double> memoria;  // the second, when the line has one
  double pared = 0;             // the whole process, seconds
  double procesador = 0;        // user and system time of the process, seconds
  double picoMB = 0;            // peak resident memory
};

// Runs this program again with `args` and waits for it; `antes`, when given, runs in the child first (to
// set its environment).
inline Figura Hijo(const std::vector<std::string>& args, const std::function<void()>& antes = {}) {
  int tubo[2];
  if (pipe(tubo) != 0) std::abort();
  QElapsedTimer reloj;
  reloj.start();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(tubo[1], STDOUT_FILENO);
    close(tubo[0]);
    close(tubo[1]);
    if (antes) antes();
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    std::_Exit(127);
  }
  close(tubo[1]);
  std::string salida;
  char buf[256];
  for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;) salida.append(buf, static_cast<size_t>(n));
  close(tubo[0]);
  int estado = 0;
  rusage uso{};
  wait4(pid, &estado, 0, &uso);
  Figura f;
  f.pared = static_cast<double>(reloj.nsecsElapsed()) * 1e-9;
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    std::fprintf(stderr, "the measured program failed\n");
    std::exit(1);
  }
  f.procesador = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
                 static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) * 1e-6;
  f.picoMB = static_cast<double>(uso.ru_maxrss) / 1024;
  for (size_t at = 0; at < salida.size();) {
    const size_t fin = salida.find('\n', at);
    double tiempo = 0;
    double memoria = 0;
    const int leidos = std::sscanf(salida.substr(at, fin - at).c_str(), "%lf %lf", &tiempo, &memoria);
    if (leidos >= 1) f.tiempos.push_back(tiempo);
    if (leidos == 2) f.memoria.push_back(memoria);
    at = fin == std::string::npos ? salida.size() : fin + 1;
  }
  return f;
}

}  // namespace tavo::bench
