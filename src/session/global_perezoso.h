#pragma once
// A global object created on first use and kept for the life of the program
// (tests may drop it so the next use starts afresh).
#include <memory>

template <typename T>
class GlobalPerezoso {
 public:
  T* operator->() { return &Objeto(); }
  T& operator*() { return Objeto(); }
  T& Objeto() {
    if (!p_) p_ = std::make_unique<T>();
    return *p_;
  }
  bool Creado() const { return p_ != nullptr; }
  void Libera() { p_.reset(); }

 private:
  std::unique_ptr<T> p_;
};
