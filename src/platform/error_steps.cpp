#include "platform/error_steps.h"

#include "platform/cls_util.h"

namespace vb {

ErrorSteps::ErrorSteps(QString label) : label_(std::move(label)) {}

ErrorSteps::ErrorSteps(QString label, std::function<int(const Error&)> policy)
    : label_(std::move(label)), policy_(std::move(policy)) {}

int ErrorSteps::answer(const Error& e) {
  if (policy_) return policy_(e);
  return gUtil.ReportaError(e, label_);
}

bool ErrorSteps::step(const std::function<void()>& statement) {
  if (left_) return false;
  for (;;) {
    int a;
    try {
      statement();
      return true;
    } catch (const Error& e) {
      a = answer(e);
    } catch (const std::out_of_range& e) {
      a = answer(Error(ErrSubscript, QString::fromUtf8(e.what()), label_));
    } catch (const std::logic_error& e) {
      a = answer(Error(ErrInvalidCall, QString::fromUtf8(e.what()), label_));
    }
    if (a == kRespuestaReintentar) continue;
    if (a == kRespuestaSeguir) return true;
    left_ = true;
    return false;
  }
}

Error ToError(const std::exception& e) {
  if (auto* v = dynamic_cast<const Error*>(&e)) return *v;
  if (dynamic_cast<const std::out_of_range*>(&e)) return Error(ErrSubscript, QString::fromUtf8(e.what()));
  return Error(ErrInvalidCall, QString::fromUtf8(e.what()));
}

}  // namespace vb
