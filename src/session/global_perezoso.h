#pragma once
// A global object created on first use and kept until Libera drops it (the
// next use then starts afresh).
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
  void Libera() { p_.reset(); }

 private:
  std::unique_ptr<T> p_;
};
