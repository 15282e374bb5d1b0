#pragma once

#include <utility>

// The one idiom for the places where a test stands in for the system (help, the shell, the clock...):
// the product calls through a seam that holds the system's function, and a test replaces it for one scope
// with a ScopedOverride, which puts the previous function back when it ends.
namespace wincore {

template <class Function> class Seam {
public:
  explicit Seam(Function system) : current_(std::move(system)) {}
  Seam(const Seam&) = delete;
  Seam& operator=(const Seam&) = delete;

  template <class... Args> decltype(auto) operator()(Args&&... args) const {
    return current_(std::forward<Args>(args)...);
  }
  // Puts in a replacement and answers the function it replaces.
  Function exchange(Function replacement) { return std::exchange(current_, std::move(replacement)); }

private:
  Function current_;
};

template <class Function> class ScopedOverride {
public:
  ScopedOverride(Seam<Function>& seam, Function replacement)
      : seam_(seam), previous_(seam.exchange(std::move(replacement))) {}
  ~ScopedOverride() { seam_.exchange(std::move(previous_)); }
  ScopedOverride(const ScopedOverride&) = delete;
  ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
  Seam<Function>& seam_;
  Function previous_;
};

} // namespace wincore
