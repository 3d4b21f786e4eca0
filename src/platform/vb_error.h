#pragma once
// Run-time errors of the program: one exception type carrying the error
// number, its description and the source that raised it.
#include <QString>
#include <stdexcept>

namespace vb {

// Error numbers the program raises itself or relies on.
enum ErrorNumber : long {
  ErrInvalidCall = 5,        // invalid procedure call or argument
  ErrOverflow = 6,
  ErrSubscript = 9,          // subscript out of range
  ErrTypeMismatch = 13,
  ErrFileNotFound = 53,
  ErrBadFileMode = 54,
  ErrPathNotFound = 76,
  ErrObjectRequired = 424,
  ErrObjectClosed = 3704,    // operation not allowed when the object is closed
  ErrNoCurrentRecord = 3021, // BOF or EOF is true
  ErrItemNotFound = 3265,    // item not found in the collection (field name)
  ErrProvider = -2147467259, // failure reported by the database provider
};

class Error : public std::runtime_error {
 public:
  Error(long number, const QString& description, const QString& source = QString(),
        const QString& detail = QString());
  long Number;
  QString Description;
  QString Source;
  // What the person may open under the description (the failing statement of
  // a database error); empty when there is nothing more to show.
  QString Detail;
};

[[noreturn]] void Raise(long number, const QString& description, const QString& source = QString(),
                        const QString& detail = QString());

}  // namespace vb
