// Hooks: a procedure of a lower layer that must reach a window of a higher one calls a hook, which the
// higher layer installs. A hook not installed does nothing and gives its result's initial value.
#pragma once

#include <functional>
#include <utility>

namespace tavo {

template <class Signature>
class Hook;

template <class R, class... Args>
class Hook<R(Args...)> {
 public:
  void install(std::function<R(Args...)> procedure) { procedure_ = std::move(procedure); }
  bool installed() const { return static_cast<bool>(procedure_); }
  R operator()(Args... args) const {
    if (!procedure_) return R();
    return procedure_(std::forward<Args>(args)...);
  }

 private:
  std::function<R(Args...)> procedure_;
};

}  // namespace tavo
