#include "platform/vb_error.h"

namespace vb {

Error::Error(long number, const QString& description, const QString& source)
    : std::runtime_error(description.toStdString()), Number(number), Description(description), Source(source) {}

void Raise(long number, const QString& description, const QString& source) {
  throw Error(number, description, source);
}

}  // namespace vb
