#pragma once
// Runs the statements of a procedure that handles its own errors. Each
// statement is one step; when a step fails, the error is reported under the
// procedure's label and the answer decides: 4 runs the step again, 5 goes on
// with the next step, anything else leaves the procedure.
#include <QString>
#include <functional>

#include "platform/vb_error.h"

namespace vb {

constexpr int kRespuestaAbortar = 3;
constexpr int kRespuestaReintentar = 4;
constexpr int kRespuestaSeguir = 5;

class ErrorSteps {
 public:
  // Reports through gUtil.ReportaError with the label.
  explicit ErrorSteps(QString label);
  // Answers through the given policy instead of a report (procedures that
  // decide by the error number without showing anything).
  ErrorSteps(QString label, std::function<int(const Error&)> policy);

  // Runs one step. True: go on with the next step. False: leave the procedure.
  bool step(const std::function<void()>& statement);

  // Whether a step failed with an answer that leaves the procedure: every
  // later step then returns False without running.
  bool left() const { return left_; }

 private:
  int answer(const Error& e);
  QString label_;
  std::function<int(const Error&)> policy_;
  bool left_ = false;
};

// Runs one statement of a procedure that passes its failures over: a
// failure is dropped and the procedure goes on with its next statement.
template <typename F>
void PasaPorAlto(F&& statement) {
  try {
    statement();
  } catch (const std::exception&) {
  }
}

// Converts any exception from a statement into the program's error type, so
// steps see one kind of failure.
Error ToError(const std::exception& e);

}  // namespace vb
