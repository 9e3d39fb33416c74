#include "reservoirs/tablas.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/errors.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "reservoirs/funciones.h"
#include "reservoirs/hooks.h"

namespace tavo {

namespace {

constexpr int kFilasIniciales = 10;  // row bound of a freshly read family

// One column of a family: Single values, or storages kept as whole numbers.
struct Columna {
  Array2<Single>* simple = nullptr;
  Array2<Long>* entera = nullptr;
  int filasIniciales = kFilasIniciales;

  void crea(int m) const {
    if (simple) simple->redim(m, filasIniciales);
    if (entera) entera->redim(m, filasIniciales);
  }
  void redimPreserve(int upper) const {
    if (simple) simple->redimPreserve(upper);
    if (entera) entera->redimPreserve(upper);
  }
  void guarda(int n, int fila, Single valor) const {
    if (simple) (*simple)(n, fila) = valor;
    if (entera) (*entera)(n, fila) = CLng(valor);
  }
  Variant valor(int n, int fila) const {
    return simple ? Variant((*simple)(n, fila)) : Variant((*entera)(n, fila));
  }
};

// A table family: its file, its row counts and its columns in file order. A record of the file holds
// as many values as the family has columns; a header holds the name, the row count and fillers "*".
struct Familia {
  const char* sufijo;
  Array1<Integer>& filas;
  std::vector<Columna> columnas;

  int ancho() const { return static_cast<int>(columnas.size()); }
  QString archivo() const { return NombreProyecto + QLatin1String(sufijo); }
  void redimFilas(int upper) const {
    for (const Columna& c : columnas) c.redimPreserve(upper);
  }
};

// An element of a collection as the table files see it: its record, its number, the name of its
// header in the files and its own name.
struct Elemento {
  ObjectRef registro;
  Integer numero;
  QString clave;
  QString nombre;
  QString* archivado;  // the record's tablesName
};

Familia FamiliaHSVRepresa() {
  return {"_RHAS.pcn",
          NFilasHSVRepresa,
          {{&HTablaHSVRepresa}, {&ATablaHSVRepresa}, {nullptr, &STablaHSVRepresa}}};
}
Familia FamiliaHQRepresa() {
  return {"_RHQ.pcn", NFilasHQRepresa, {{&HTablaHQRepresa}, {&QTablaHQRepresa}}};
}
Familia FamiliaHSVQLago() {
  return {"_LHASQ.pcn",
          NFilasHSVQLago,
          {{&HTablaHSVQLago}, {&ATablaHSVQLago}, {nullptr, &STablaHSVQLago}, {&QTablaHSVQLago, nullptr, 11}}};
}

// The elements of a collection in collection order. Each goes by the name its tables are filed under,
// so that a rename reaches the files only with the network save. One not filed yet goes by its own
// name, or, when another element is filed under that name (the name it had before a rename), by that
// name with "~" added until no other element goes by it.
template <class R>
std::vector<Elemento> ElementosDe(const std::vector<std::shared_ptr<R>>& coleccion, Integer R::*numero,
                                  QString R::*nombre) {
  QSet<QString> tomadas;
  for (const auto& r : coleccion) {
    if (!r->tablesName.isEmpty()) tomadas.insert(r->tablesName);
  }
  std::vector<Elemento> lista;
  for (const auto& r : coleccion) {
    QString clave = r->tablesName;
    if (clave.isEmpty()) {
      clave = (*r).*nombre;
      while (tomadas.contains(clave)) clave += QLatin1Char('~');
      tomadas.insert(clave);
    }
    lista.push_back({r, (*r).*numero, clave, (*r).*nombre, &r->tablesName});
  }
  return lista;
}

std::vector<Elemento> ElementosRepresas() {
  return ElementosDe(colRepresas, &Represa::numRepresa, &Represa::NombreRepresa);
}
std::vector<Elemento> ElementosLagos() {
  return ElementosDe(colLagos, &Lago::numLAGO, &Lago::NombreLAGO);
}

// The dams or lakes in collection order; also sets the kind's count.
std::vector<Elemento> Represas() {
  nRepresas = CheckInteger(static_cast<long long>(colRepresas.size()));
  return ElementosRepresas();
}
std::vector<Elemento> Lagos() {
  nLagos = CheckInteger(static_cast<long long>(colLagos.size()));
  return ElementosLagos();
}

// Makes DirActual the current directory. A failure is reported and false returned: the table file
// cannot be reached either, and the caller stops rather than report the same failure again.
bool CambiaADirActual() {
  try {
    ChDir(DirActual);
    return true;
  } catch (const VbError& e) {
    ShowCommonError(e);
    return false;
  }
}

// Where each table of the file starts, by its element's name in the file's form: the place after the
// first header under that name. The file is read a record's worth of values at a time from its start,
// as a reader looking for one element's header reads it, up to its end.
QHash<QString, qsizetype> Encabezados(SeqFile& file, const Familia& familia) {
  QHash<QString, qsizetype> encabezados;
  try {
    for (;;) {
      const QString primero = file.inputString();
      if (primero.startsWith(QLatin1Char('*')) && !encabezados.contains(primero.mid(1)))
        encabezados.insert(primero.mid(1), file.position());
      for (int k = 1; k < familia.ancho(); ++k) file.inputString();
    }
  } catch (const VbError&) {
    // The end of the file (the only failure of a text read).
  }
  return encabezados;
}

// Reads the table of one element into the family from the open file; `entero` turns false when the
// file holds the element's table and it could not be read.
void LeeElemento(const Familia& familia, const Elemento& e, SeqFile& file,
                 const QHash<QString, qsizetype>& encabezados, int& filasMax, bool& entero) {
  const auto encabezado = encabezados.constFind(QuotedTextForFile(e.clave));
  // An element the file holds no header of is an element the file does not hold yet.
  if (encabezado == encabezados.cend()) {
    familia.filas(e.numero) = 0;
    return;
  }
  try {
    file.seek(*encabezado);
    const Integer n = file.inputInteger();
    // A row count below nothing is no table: the file is damaged there.
    if (n < 0) Raise(kErrInputPastEnd);
    for (int k = 2; k < familia.ancho(); ++k) file.inputString();
    familia.filas(e.numero) = n;
    filasMax = std::max(filasMax, static_cast<int>(n));
    familia.redimFilas(filasMax + 1);
    for (int fila = 1; fila <= n; ++fila) {
      for (const Columna& c : familia.columnas) c.guarda(e.numero, fila, file.inputSingle());
    }
  } catch (const VbError& err) {
    // A header whose rows end early or do not read leaves the element without a table.
    familia.filas(e.numero) = 0;
    if (err.number != kErrInputPastEnd) ShowCommonError(err);
    entero = false;
  }
}

// Recreates the family for the elements and reads the table of each one from the file, noting
// whether the file was read whole. Returns false when the file could not be opened.
bool LeeFamilia(const Familia& familia, const std::vector<Elemento>& elementos) {
  int m = 0;
  for (const Elemento& e : elementos) m = std::max(m, static_cast<int>(e.numero));
  familia.filas.redim(0, m);
  for (const Columna& c : familia.columnas) c.crea(m);
  RutaArchivo = familia.archivo();
  if (!CambiaADirActual()) return false;
  if (elementos.empty()) return true;
  // The file is read once; each element's table is found by its header, the first under its name.
  std::unique_ptr<SeqFile> file;
  try {
    file = std::make_unique<SeqFile>(DirActual + QLatin1Char('/') + familia.archivo(), OpenMode::Input);
  } catch (const VbError& err) {
    ElementoActual = elementos.front().registro;
    if (err.number != kErrFileNotFound) ShowCommonError(err);
    NoteFileRead(DirActual + QLatin1Char('/') + familia.archivo(), false);
    return false;
  }
  const QHash<QString, qsizetype> encabezados = Encabezados(*file, familia);
  int filasMax = kFilasIniciales;
  bool entero = true;
  for (const Elemento& e : elementos) {
    ElementoActual = e.registro;
    LeeElemento(familia, e, *file, encabezados, filasMax, entero);
  }
  file->close();
  NoteFileRead(DirActual + QLatin1Char('/') + familia.archivo(), entero);
  return true;
}

// Writes the header and rows of every element from memory into a new file that replaces the old one
// only when it is complete. An element not filed yet is filed under the name it was written under.
// False when the file could not be written.
bool GuardaFamilia(const Familia& familia, const std::vector<Elemento>& elementos) {
  RutaArchivo = familia.archivo();
  if (!CambiaADirActual()) return false;
  try {
    SeqFile file(DirActual + QLatin1Char('/') + familia.archivo(), OpenMode::Output);
    for (const Elemento& e : elementos) {
      ElementoActual = e.registro;
      const Integer n = familia.filas(e.numero);
      QStringList encabezado{WriteValueText(QStringLiteral("*") + e.clave), WriteValueText(n)};
      for (int k = 2; k < familia.ancho(); ++k) encabezado << WriteValueText(QStringLiteral("*"));
      file.print(encabezado.join(QLatin1Char(',')));
      for (int fila = 1; fila <= n; ++fila) {
        QStringList valores;
        for (const Columna& c : familia.columnas) valores << WriteValueText(c.valor(e.numero, fila));
        file.print(valores.join(QLatin1Char(',')));
      }
    }
    file.close();
  } catch (const VbError& e) {
    if (e.number != kErrFileNotFound) ShowCommonError(e);
    return false;
  }
  for (const Elemento& e : elementos) {
    if (e.archivado->isEmpty()) *e.archivado = e.clave;
  }
  return true;
}

// The family's file with the headers of the renamed elements under their names now, as an output
// file not yet closed; null when no element of the family was renamed or the file does not exist.
// The first record under an element's old name is its table and takes the new name; any other
// record under a name an element takes now would hide that table from the reader, and is dropped.
// Every other value is written back as the file holds it.
std::unique_ptr<SeqFile> RenombraFamilia(const Familia& familia, const std::vector<Elemento>& elementos) {
  std::map<QString, QString> nuevos;  // a header name in the file, the name it takes
  QSet<QString> tomados;              // the names the renamed elements take
  for (const Elemento& e : elementos) {
    const QString antes = QuotedTextForFile(e.clave);
    const QString ahora = QuotedTextForFile(e.nombre);
    if (antes == ahora) continue;
    nuevos[antes] = ahora;
    tomados.insert(ahora);
  }
  if (nuevos.empty()) return nullptr;

  const QString ruta = DirActual + QLatin1Char('/') + familia.archivo();
  std::vector<QStringList> grupos;  // the file's values, a record's worth at a time
  try {
    SeqFile file(ruta, OpenMode::Input);
    while (!file.eof()) {
      QStringList grupo;
      for (int k = 0; k < familia.ancho() && !file.eof(); ++k) grupo << file.inputValueText();
      grupos.push_back(grupo);
    }
    file.close();
  } catch (const VbError& e) {
    if (e.number == kErrFileNotFound) return nullptr;
    throw;
  }

  QSet<QString> renombrados;
  bool conserva = true;  // the record being passed over stays in the file
  bool cambia = false;
  QStringList lineas;
  for (QStringList& grupo : grupos) {
    QString primero = grupo.front();
    if (primero.startsWith(QLatin1Char('"'))) primero = primero.mid(1, primero.size() - 2);
    if (primero.startsWith(QLatin1Char('*'))) {
      const QString nombre = primero.mid(1);
      const auto nuevo = nuevos.find(nombre);
      if (nuevo != nuevos.end() && !renombrados.contains(nombre)) {
        renombrados.insert(nombre);
        grupo.front() = WriteValueText(QStringLiteral("*") + nuevo->second);
        conserva = true;
        cambia = true;
      } else {
        conserva = !tomados.contains(nombre);
        if (!conserva) cambia = true;
      }
    }
    if (conserva) lineas << grupo.join(QLatin1Char(','));
  }
  if (!cambia) return nullptr;
  auto file = std::make_unique<SeqFile>(ruta, OpenMode::Output);
  for (const QString& linea : lineas) file->print(linea);
  return file;
}

}  // namespace

void LeeTablaHSVRepresa() {
  LeeFamilia(FamiliaHSVRepresa(), Represas());
}

void LeeTablaHQRepresa() {
  LeeFamilia(FamiliaHQRepresa(), Represas());
}

void LeeTablaHSVQLago() {
  if (!LeeFamilia(FamiliaHSVQLago(), Lagos())) return;
  if (selLago < 1) return;
  for (const auto& lago : colLagos) {
    if (lago->numLAGO != selLago) continue;
    const bool conTabla = NFilasHSVQLago(selLago) >= 1;
    LakeTableCaptionHook(conTabla ? QStringLiteral("Datos HSVQ en Tabla") : QStringLiteral("---"));
  }
}

bool GuardaTablaHSVRepresa() {
  return GuardaFamilia(FamiliaHSVRepresa(), Represas());
}
bool GuardaTablaHQRepresa() {
  return GuardaFamilia(FamiliaHQRepresa(), Represas());
}
bool GuardaTablaHSVQLago() {
  return GuardaFamilia(FamiliaHSVQLago(), Lagos());
}

std::vector<std::unique_ptr<SeqFile>> TablasRenombradas() {
  std::vector<std::unique_ptr<SeqFile>> archivos;
  const std::vector<Elemento> represas = ElementosRepresas();
  for (const Familia& familia : {FamiliaHSVRepresa(), FamiliaHQRepresa()}) {
    if (auto file = RenombraFamilia(familia, represas)) archivos.push_back(std::move(file));
  }
  if (auto file = RenombraFamilia(FamiliaHSVQLago(), ElementosLagos())) archivos.push_back(std::move(file));
  return archivos;
}

void RedimFilasHSVRepresa(int upper) {
  FamiliaHSVRepresa().redimFilas(upper);
}
void RedimFilasHQRepresa(int upper) {
  FamiliaHQRepresa().redimFilas(upper);
}
void RedimFilasHSVQLago(int upper) {
  FamiliaHSVQLago().redimFilas(upper);
}

void ResetReservoirState() {
  NFilasHSVRepresa = {};
  HTablaHSVRepresa = {};
  ATablaHSVRepresa = {};
  STablaHSVRepresa = {};
  NFilasHQRepresa = {};
  HTablaHQRepresa = {};
  QTablaHQRepresa = {};
  NFilasHSVQLago = {};
  HTablaHSVQLago = {};
  ATablaHSVQLago = {};
  STablaHSVQLago = {};
  QTablaHSVQLago = {};
  ChkFQRepresa = {};
  CoefFQRepresa = {};
  RunsComputing = 0;
  ElementsGoingOnPastTable.clear();
}

}  // namespace tavo
