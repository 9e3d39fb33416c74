// Adding and deleting the components of the network in the editor. A new component is named by the
// user and gets the defaults of its kind; an abandoned one is deleted again. A deletion is refused
// while something drains into the component, renumbers the reaches after a deleted reach with their
// vertices, and saves the network at once.
#include <algorithm>

#include "editor/editor_comun.h"
#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/dialogs.h"
#include "project/estado.h"
#include "project/receptores.h"

namespace tavo {

namespace {

const char* const kLimiteCauces = "No se pueden ingresar más de 70 tramos de cauce";

// What differs between units, dams and lakes when one is added.
template <class R, size_t N>
struct TipoSimbolo {
  std::vector<std::shared_ptr<R>>& coleccion;
  std::array<std::shared_ptr<R>, N>& arreglo;
  Integer& cuenta;
  Integer& sel;
  const char* limite;    // the refusal beyond the kind's last number
  const char* existe;    // the start of the occupied-position message
  const char* prefijo;   // of the kind's names
  const char* pregunta;  // the name box's prompt and title
  const char* titulo;
  QString R::*nombre;
  Single R::*x;  // symbol anchor
  Single R::*y;
};

// Appends a new component of a kind at (XIcono, YIcono) and names it. Returns it, or nothing when the
// kind is full, or when the position is taken or the name box left empty: the new component is then
// taken out of the network in memory again, and nothing else changes.
template <class R, size_t N>
std::shared_ptr<R> AgregaSimbolo(const TipoSimbolo<R, N>& t) {
  if (t.cuenta >= static_cast<int>(N) - 1) {
    MsgBox(QString::fromUtf8(t.limite), vbOKOnly | vbExclamation);
    return nullptr;
  }
  t.cuenta = CheckInteger(t.cuenta + 1);
  const Integer n = t.cuenta;
  auto nuevo = std::make_shared<R>();
  const std::shared_ptr<R> anterior = t.arreglo[n];
  t.arreglo[n] = nuevo;
  t.coleccion.push_back(nuevo);
  auto abandona = [&] {
    t.coleccion.pop_back();
    t.arreglo[n] = anterior;
    t.cuenta = CheckInteger(n - 1);
    t.sel = 0;
    return nullptr;
  };

  for (const auto& otro : t.coleccion) {
    if (otro != nuevo && (*otro).*t.x == XIcono && (*otro).*t.y == YIcono) {
      MsgBox(QString::fromUtf8(t.existe) + (*otro).*t.nombre +
                 QStringLiteral("> en esa posición. Cambie la posición con el mouse"),
             vbOKOnly | vbExclamation);
      return abandona();
    }
  }
  // A name already taken brings the box back, without a message.
  do {
    RepiteNombre = false;
    NombreNuevo.clear();
    t.sel = 0;
    NombreNuevo = Left(QString::fromUtf8(t.prefijo) +
                           InputBox(QString::fromUtf8(t.pregunta), QString::fromUtf8(t.titulo), QString()),
                       15);
    if (NombreNuevo == QLatin1String(t.prefijo)) return abandona();
    for (const auto& otro : t.coleccion) {
      if ((*otro).*t.nombre == NombreNuevo) RepiteNombre = true;
    }
  } while (RepiteNombre);

  (*nuevo).*t.nombre = NombreNuevo;
  (*nuevo).*t.x = XIcono;
  (*nuevo).*t.y = YIcono;
  return nuevo;
}

// A component drains into the one named `nombre`; the empty receiver names none.
bool Drena(const QString& receptor, const QString& nombre) {
  return !receptor.isEmpty() && receptor == nombre;
}

// Removes position `sel` (from 1) of a kind's collection; the count follows.
template <class R>
void QuitaPosicion(std::vector<std::shared_ptr<R>>& coleccion, Integer& cuenta, int sel) {
  if (cuenta <= 0) return;
  if (sel < 1 || sel > static_cast<int>(coleccion.size())) Raise(kErrSubscript);
  coleccion.erase(coleccion.begin() + (sel - 1));
  cuenta = CheckInteger(static_cast<long long>(coleccion.size()));
}

template <class R>
bool AlgunoDrena(const std::vector<std::shared_ptr<R>>& coleccion, const QString& nombre) {
  return std::any_of(coleccion.begin(), coleccion.end(),
                     [&](const auto& r) { return Drena(r->Cauce_aa, nombre); });
}

}  // namespace

bool frmUEHs::ExcedeLimite(int cuenta, int limite, const char* mensaje) {
  if (cuenta < limite) return false;
  MsgBox(QString::fromUtf8(mensaje), vbOKOnly | vbExclamation);
  return true;
}

bool frmUEHs::InView(Single x, Single y) const {
  const double izquierda = picDibujo->scaleLeft();
  const double arriba = picDibujo->scaleTop();
  const double derecha = izquierda + picDibujo->scaleWidth();
  const double abajo = arriba + picDibujo->scaleHeight();
  return std::min(izquierda, derecha) <= x && x <= std::max(izquierda, derecha) &&
         std::min(arriba, abajo) <= y && y <= std::max(arriba, abajo);
}

void frmUEHs::ViewAfterAdding(bool inside) {
  if (inside) {
    ViewHeld = true;
    ZoomTotal = CentrarVista = false;
  } else if (ViewHeld) {
    ViewHeld = false;
    ZoomTotal = CentrarVista = true;
  }
}

void AmpliaVertices(int vertices) {
  MaxVertices = std::max<Integer>(MaxVertices, CheckInteger(vertices));
  if (MaxVertices > XVertice.upper2()) {
    XVertice.redimPreserve(MaxVertices);
    YVertice.redimPreserve(MaxVertices);
  }
}

// ---- adding ----

void frmUEHs::IniciaTrazadoCauce() {
  DibujaRed();
  PunteroCruz(true);
  picDibujo->setDrawWidth(EspesorLinea);
  picDibujo->setDrawStyle(PenStyle::Solid);
  nVerticesTrazado = 0;
}

void frmUEHs::AgregaCauce() {
  if (!DivisionEnCurso) {
    if (nVerticesTrazado < 1) return;
    if (ExcedeLimite(nCauces, kMaxCauces, kLimiteCauces)) {
      nVerticesTrazado = 0;
      return;
    }
    // The reach being drawn joins the network as its last reach.
    const int n = nCauces + 1;
    AmpliaVertices(nVerticesTrazado);
    for (int j = 1; j <= nVerticesTrazado; ++j) {
      XVertice(n, j) = XTrazado(j);
      YVertice(n, j) = YTrazado(j);
    }
    numVerticesCauce(n) = nVerticesTrazado;
    nVerticesTrazado = 0;
    nCauces = static_cast<Integer>(n);
    IndiceInicialCauce(n) =
        n == 1 ? Integer(1)
               : CheckInteger(RegistroN(vCauces, n - 1).IndiceParInicial + numVerticesCauce(n - 1));
  }
  const Integer n = nCauces;
  auto cauce = std::make_shared<Cauce>();
  if (n < 0 || n > kMaxCauces) Raise(kErrSubscript);
  const std::shared_ptr<Cauce> anterior = vCauces[n];
  vCauces[n] = cauce;
  colCauces.push_back(cauce);

  if (!DivisionEnCurso) {
    // A name already taken brings the box back, without a message.
    do {
      RepiteNombre = false;
      NombreNuevo = Left(QStringLiteral("c-") + InputBox(QStringLiteral("Nombre del cauce ?"),
                                                         QStringLiteral("Agrega un nuevo Cauce")),
                         15);
      if (NombreNuevo == QLatin1String("c-")) {
        // The reach is taken out of the network in memory again, the last as it came.
        colCauces.pop_back();
        vCauces[n] = anterior;
        nCauces = CheckInteger(n - 1);
        selCauce = 0;
        DibujaRed();
        return;
      }
      for (const auto& c : colCauces) {
        if (c->NombreCauce == NombreNuevo) RepiteNombre = true;
      }
    } while (RepiteNombre);
  }

  cauce->NombreCauce = NombreNuevo;
  cauce->IndiceParInicial = IndiceInicialCauce(n);
  cauce->numVertices = numVerticesCauce(n);
  cauce->numCauce = n;
  cauce->Cauce_aa = QStringLiteral("0");
  cauce->VelMediaCauce = 0;
  cauce->LongCauce = 0;
  cauce->OrdenCauce = 0;
  cauce->Cauce_k_Musk = 0;
  cauce->Cauce_n_Musk = 0;
  cauce->optDirMusk = true;
  if (!DivisionEnCurso) {
    bool dentro = true;
    for (int j = 1; j <= numVerticesCauce(n); ++j) dentro = dentro && InView(XVertice(n, j), YVertice(n, j));
    ViewAfterAdding(dentro);
  }
  DibujaRed();
}

void frmUEHs::AgregaUEH() {
  const TipoSimbolo<UEH, kMaxUEHs + 1> tipo{colUEHs,
                                            vUEHs,
                                            nUEHs,
                                            selUEH,
                                            "No se pueden ingresar más de 70 UEHs",
                                            "Ya existe la UEH <",
                                            "u-",
                                            "Nombre de la UEH ?",
                                            "Agregar una UEH",
                                            &UEH::NombreUEH,
                                            &UEH::IconoUEHx,
                                            &UEH::IconoUEHy};
  const auto u = AgregaSimbolo(tipo);
  if (!u) return;
  ViewAfterAdding(InView(XIcono, YIcono));
  u->numUEH = nUEHs;
  u->Area = u->LongitudMax = u->VelMedia = 0;
  u->Referencia.clear();
  u->Metodo = Variant(QStringLiteral("Directo"));
  u->XCauce = u->YCauce = 0;
  u->Cauce_aa.clear();
  u->KostiakovA = u->KostiakovB = u->KostiakovI = 0;
  u->Q0Recesion = u->KRecesion = u->RetensionZ = 0;
  XAcople = u->XCauce;
  YAcople = u->YCauce;
}

void frmUEHs::AgregaRepresa() {
  const TipoSimbolo<Represa, kMaxRepresas + 1> tipo{colRepresas,
                                                    vRepresas,
                                                    nRepresas,
                                                    selRepresa,
                                                    "No se pueden ingresar más de 20 represas",
                                                    "Ya existe la Represa <",
                                                    "r-",
                                                    "Nombre de la Represa ?",
                                                    "Agregar una Represa",
                                                    &Represa::NombreRepresa,
                                                    &Represa::IconoRepresaX,
                                                    &Represa::IconoRepresaY};
  const auto r = AgregaSimbolo(tipo);
  if (!r) return;
  ViewAfterAdding(InView(XIcono, YIcono));
  r->numRepresa = nRepresas;
  r->Metodo = Variant(QStringLiteral("Piscina Nivelada"));
  r->XCauce = r->YCauce = 0;
  r->Cauce_aa.clear();
  r->optTabla = true;
  // All eight outflow ranges off and empty; the initial level keeps the record's own value.
  for (int k = 1; k <= 8; ++k) {
    r->chkFQ(k) = 0;
    r->FQa(k) = r->FQb(k) = r->FQmin(k) = r->FQMax(k) = 0;
    if (k >= 5) r->FQc(k) = 0;
  }
  r->Represa_k_Musk = r->Represa_n_Musk = 0;
  XAcople = r->XCauce;
  YAcople = r->YCauce;
}

void frmUEHs::AgregaLago() {
  const TipoSimbolo<Lago, kMaxLagos + 1> tipo{colLagos,
                                              vLagos,
                                              nLagos,
                                              selLago,
                                              "No se pueden ingresar más de 70 lagos",
                                              "Ya existe la Laguna <",
                                              "l-",
                                              "Nombre de la depresión lagunar/lago/mallin ?",
                                              "Agregar una depresión lagunar",
                                              &Lago::NombreLAGO,
                                              &Lago::IconoLAGOx,
                                              &Lago::IconoLAGOy};
  const auto l = AgregaSimbolo(tipo);
  if (!l) return;
  ViewAfterAdding(InView(XIcono, YIcono));
  l->numLAGO = nLagos;
  l->Referencia.clear();
  l->Metodo = Variant(QStringLiteral("Directo"));
  l->XCauce = 0;
  l->YCauce = Variant(Single(0));
  l->Cauce_aa.clear();
  l->Lago_k_Musk = 0;
  l->HInicialEmb = 0;
  XAcople = l->XCauce;
  YAcople = l->YCauce.toSingle();
}

// ---- deleting ----

bool frmUEHs::RefusaTributarios(const QString& nombre, bool todos, const QString& tipo) {
  const bool tributarios = AlgunoDrena(colUEHs, nombre) || AlgunoDrena(colCauces, nombre) ||
                           (todos && (AlgunoDrena(colLagos, nombre) || AlgunoDrena(colRepresas, nombre)));
  if (tributarios) {
    MsgBox(QStringLiteral("Para eliminar el ") + tipo + QStringLiteral(" <") + nombre +
               QStringLiteral("> debe desacoplarse primero todo componente tributario (UEH o Cauce)"),
           vbOKOnly | vbExclamation, QStringLiteral("Desacoplar el ") + tipo + QStringLiteral(" a eliminar"));
  }
  return tributarios;
}

void frmUEHs::GuardaEliminacion() {
  mnu_btn_toolbarGuardaUEHs();
  // Reading the saved network back leaves nothing selected. A save that failed leaves the network in
  // memory as it is, the deletion included, and selects nothing either.
  selCauce = selUEH = selRepresa = selLago = 0;
}

void frmUEHs::EliminaCauce() {
  const int s = selCauce;
  const int n = nCauces;
  if (RefusaTributarios(RegistroN(vCauces, s).NombreCauce, true, QStringLiteral("Cauce"))) return;

  // The vertices of every other reach, in number order, with the position of each one's first vertex
  // under its new number.
  Array1<Single> xs;
  Array1<Single> ys;
  if (s < n) {
    int total = 0;
    for (int k = 1; k <= n; ++k) {
      if (k != s) total += numVerticesCauce(k);
    }
    xs.redim(1, total);
    ys.redim(1, total);
    int posicion = 0;
    int nuevo = 0;
    for (int k = 1; k <= n; ++k) {
      if (k == s) continue;
      ++nuevo;
      IndiceInicialCauce(nuevo) = CheckInteger(posicion + 1);
      for (int j = 1; j <= numVerticesCauce(k); ++j) {
        ++posicion;
        xs(posicion) = XVertice(k, j);
        ys(posicion) = YVertice(k, j);
      }
    }
    // The records stay in place; their contents move down one number.
    for (int i = s; i <= n - 1; ++i) {
      Cauce& a = RegistroN(vCauces, i);
      const Cauce& b = RegistroN(vCauces, i + 1);
      a.numCauce = CheckInteger(b.numCauce - 1);
      a.NombreCauce = b.NombreCauce;
      a.numVertices = b.numVertices;
      a.IndiceParInicial = IndiceInicialCauce(i);
      a.Cauce_aa = b.Cauce_aa;
      a.VelMediaCauce = b.VelMediaCauce;
      a.LongCauce = b.LongCauce;
      a.OrdenCauce = b.OrdenCauce;
      a.Cauce_k_Musk = b.Cauce_k_Musk;
      a.Cauce_n_Musk = b.Cauce_n_Musk;
      a.optDirMusk = b.optDirMusk;
    }
  }
  colCauces.pop_back();
  nCauces = CheckInteger(static_cast<long long>(colCauces.size()));
  for (const auto& c : colCauces) {
    const int i = c->numCauce;
    numVerticesCauce(i) = c->numVertices;
    if (s >= n) continue;
    for (int j = 1; j <= numVerticesCauce(i); ++j) {
      XVertice(i, j) = xs(IndiceInicialCauce(i) + j - 1);
      YVertice(i, j) = ys(IndiceInicialCauce(i) + j - 1);
    }
  }
  selCauce = 0;
  selVertice = 0;
  GuardaEliminacion();
  DibujaRed();
}

void frmUEHs::EliminaUEH() {
  QuitaPosicion(colUEHs, nUEHs, selUEH);
  GuardaEliminacion();
  DibujaRed();
}

void frmUEHs::EliminaRepresa() {
  if (RefusaTributarios(RegistroN(vRepresas, selRepresa).NombreRepresa, false, QStringLiteral("Represa")))
    return;
  QuitaPosicion(colRepresas, nRepresas, selRepresa);
  GuardaEliminacion();
  DibujaRed();
  if (nRepresas > 0) {
    MsgBox(QStringLiteral(
               "Se recomienda verificar los parámestros de carga del formulario Represas y sus Tablas"),
           vbOKOnly | vbExclamation);
    MuestraDlgRepresas();
  }
}

void frmUEHs::EliminaLago() {
  if (RefusaTributarios(RegistroN(vLagos, selLago).NombreLAGO, false, QStringLiteral("Lago"))) return;
  QuitaPosicion(colLagos, nLagos, selLago);
  GuardaEliminacion();
  DibujaRed();
}

// ---- dividing a reach ----

void frmUEHs::mnu_DivideCauce_Click() {
  DivisionEnCurso = false;
  if (selCauce < 1 || selVertice < 1) return;
  const int s = selCauce;
  const int v = selVertice;
  Cauce& cauce = RegistroN(vCauces, s);
  const int nv = cauce.numVertices;
  if (v == nv || v == 1) return;

  // The pieces take the reach's name followed by "-.-b" (downstream) and "-.-a" (upstream): both
  // names must be free, and the upstream piece is one reach more.
  const QString nombre = cauce.NombreCauce;
  const QString aguasAbajo = nombre + QStringLiteral("-.-b");
  const QString aguasArriba = nombre + QStringLiteral("-.-a");
  for (const auto& c : colCauces) {
    if (c->NombreCauce == aguasAbajo || c->NombreCauce == aguasArriba) {
      MsgBox(QStringLiteral("Ya existe el cauce <") + c->NombreCauce +
                 QStringLiteral(">: cambie su nombre antes de dividir el cauce <") + nombre +
                 QStringLiteral(">"),
             vbOKOnly | vbExclamation);
      return;
    }
  }
  if (ExcedeLimite(nCauces, kMaxCauces, kLimiteCauces)) return;

  // The cut vertex is doubled; the upstream piece runs from it to the old head.
  AmpliaVertices(nv + 1);
  for (int j = nv + 1; j >= v + 1; --j) {
    XVertice(s, j) = XVertice(s, j - 1);
    YVertice(s, j) = YVertice(s, j - 1);
  }
  nCauces = CheckInteger(nCauces + 1);
  const int m = nCauces;
  numVerticesCauce(m) = CheckInteger(nv + 1 - v);
  NombreNuevo = aguasArriba;
  for (int j = 1; j <= nv + 1 - v; ++j) {
    XVertice(m, j) = XVertice(s, v + j);
    YVertice(m, j) = YVertice(s, v + j);
  }
  // What drained into the reach drains into the upstream piece, whose head is the old head.
  RenombraReceptor(nombre, aguasArriba, true);

  DivisionEnCurso = true;
  AgregaCauce();
  DivisionEnCurso = false;
  Cauce& arriba = RegistroN(vCauces, m);
  arriba.numVertices = numVerticesCauce(m);
  numVerticesCauce(s) = CheckInteger(v);
  cauce.NombreCauce = aguasAbajo;
  cauce.numVertices = CheckInteger(v);
  arriba.Cauce_aa = aguasAbajo;
  // Each reach's first vertex, counted over all vertices in reach-number order.
  Integer indice = 1;
  for (int k = 1; k <= nCauces; ++k) {
    IndiceInicialCauce(k) = indice;
    RegistroN(vCauces, k).IndiceParInicial = indice;
    indice = CheckInteger(indice + numVerticesCauce(k));
  }

  selCauce = 0;
  selVertice = 0;
  DibujaRed();
}

}  // namespace tavo
