#include "platform/vb_error.h"

namespace vb {

Error::Error(long number, const QString& description, const QString& source, const QString& detail)
    : std::runtime_error(description.toStdString()),
      Number(number),
      Description(description),
      Source(source),
      Detail(detail) {}

void Raise(long number, const QString& description, const QString& source, const QString& detail) {
  throw Error(number, description, source, detail);
}

}  // namespace vb
