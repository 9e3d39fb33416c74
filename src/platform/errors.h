// Run-time errors: the numbers the program's error traps test and the Spanish texts it shows.
#pragma once

#include <QString>

namespace tavo {

// Error numbers raised by the program's runtime layer.
enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrBadFileMode = 54,
  kErrFileAlreadyOpen = 55,
  kErrDeviceIO = 57,
  kErrFileExists = 58,
  kErrDiskFull = 61,
  kErrInputPastEnd = 62,
  kErrDeviceUnavailable = 68,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectNotSet = 91,
  kErrInvalidPropertyValue = 380,
  kErrInvalidPropertyIndex = 381,
  kErrInvalidRow = 30009,  // a grid's current row set outside its rows
  kErrInvalidCol = 30010,  // a grid's current column set outside its columns
  kErrInvalidPicture = 481,
  kErrNoSuchMember = 438,
};

// The Spanish description of an error number; "Error definido por la aplicación o el objeto" for
// numbers the table does not hold.
QString ErrorDescription(int number);

// A run-time error, thrown by the runtime layer and caught by the program's error traps.
struct VbError {
  int number;
  QString description;

  explicit VbError(int n) : number(n), description(ErrorDescription(n)) {}
  VbError(int n, QString text) : number(n), description(std::move(text)) {}
};

[[noreturn]] inline void Raise(int number) {
  throw VbError(number);
}

// The run-time error of a file operation the system refused, by the system's error code: a full disk
// is 61 ("Disco lleno"), a name longer than the file system takes is 75 with a description that says
// so; any other cause is `otherwise`, with its own description.
VbError FileSystemError(int systemError, int otherwise);
[[noreturn]] void RaiseFileSystemError(int systemError, int otherwise);
// Whether the error is that of a name longer than the file system takes.
bool IsNameTooLong(const VbError& e);

// The "Error Nro. " messages of the program's error traps, one function per layout, so that each
// layout is spelled in one place:
// "Error Nro. 53No se ha encontrado el archivo ,Verifique" (the common one);
QString ErrorNroText(const VbError& e);
// "Error Nro. 53 ,Verifique" (the number alone);
QString ErrorNroWithoutText(const VbError& e);
// "Error Nro. 53 ,No se ha encontrado el archivo" followed by `ending` ("Verifique.", or a sentence of
// the procedure's own);
QString ErrorNroTextAfterComma(const VbError& e, const QString& ending = QString());
// "Error Nro. 53No se ha encontrado el archivo , Verifique" (a blank before "Verifique").
QString ErrorNroSpacedText(const VbError& e);

}  // namespace tavo
