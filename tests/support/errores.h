#pragma once
// The number of the program error a statement raises (0 when it raises none).
#include <functional>

#include "platform/vb_error.h"

inline long NumeroDeError(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.Number;
  }
  return 0;
}
