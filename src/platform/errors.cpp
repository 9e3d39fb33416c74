#include "platform/errors.h"

#include <cerrno>
#include <map>

namespace tavo {

QString ErrorDescription(int number) {
  static const std::map<int, const char*> table = {
      {3, "Return sin GoSub"},
      {5, "Llamada a procedimiento o argumento no válidos"},
      {6, "Desbordamiento"},
      {7, "Memoria insuficiente"},
      {9, "El subíndice está fuera del intervalo"},
      {10, "La matriz es fija o está bloqueada temporalmente"},
      {11, "División por cero"},
      {13, "No coinciden los tipos"},
      {28, "No hay espacio suficiente en la pila"},
      {52, "Nombre o número de archivo incorrecto"},
      {53, "No se ha encontrado el archivo"},
      {54, "Modo de archivo incorrecto"},
      {55, "El archivo ya está abierto"},
      {57, "Error de E/S en el dispositivo"},
      {58, "El archivo ya existe"},
      {61, "Disco lleno"},
      {62, "La entrada ha sobrepasado el final del archivo"},
      {67, "Demasiados archivos"},
      {68, "Dispositivo no disponible"},
      {70, "Permiso denegado"},
      {71, "El disco no está listo"},
      {75, "Error de acceso a la ruta o el archivo"},
      {76, "No se ha encontrado la ruta de acceso"},
      {91, "Variable de tipo Object o la variable de bloque With no está establecida"},
      {94, "Uso no válido de Null"},
      {380, "Valor de propiedad no válido"},
      {381, "Índice de matriz de propiedades no válido"},
      {438, "El objeto no acepta esta propiedad o método"},
      {481, "Imagen no válida"},
      {30009, "Valor de Row no válido"},
      {30010, "Valor de Col no válido"},
  };
  auto it = table.find(number);
  return QString::fromUtf8(it != table.end() ? it->second : "Error definido por la aplicación o el objeto");
}

namespace {

QString NameTooLongText() {
  return QStringLiteral("Nombre de archivo o de carpeta demasiado largo");
}

}  // namespace

VbError FileSystemError(int systemError, int otherwise) {
  switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // a file larger than the system lets a program write
      return VbError(kErrDiskFull);
    case ENAMETOOLONG:
      return VbError(kErrPathFileAccess, NameTooLongText());
    default:
      return VbError(otherwise);
  }
}

void RaiseFileSystemError(int systemError, int otherwise) {
  throw FileSystemError(systemError, otherwise);
}

bool IsNameTooLong(const VbError& e) {
  return e.number == kErrPathFileAccess && e.description == NameTooLongText();
}

namespace {
QString ErrorNro(const VbError& e) {
  return QStringLiteral("Error Nro. ") + QString::number(e.number);
}
}  // namespace

QString ErrorNroText(const VbError& e) {
  return ErrorNro(e) + e.description + QStringLiteral(" ,Verifique");
}

QString ErrorNroWithoutText(const VbError& e) {
  return ErrorNro(e) + QStringLiteral(" ,Verifique");
}

QString ErrorNroTextAfterComma(const VbError& e, const QString& ending) {
  return ErrorNro(e) + QStringLiteral(" ,") + e.description + ending;
}

QString ErrorNroSpacedText(const VbError& e) {
  return ErrorNro(e) + e.description + QStringLiteral(" , Verifique");
}

}  // namespace tavo
