#include "reservoirs/dlgTablaReservorio.h"

#include <QShortcut>
#include <algorithm>
#include <vector>

#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"
#include "reservoirs/hooks.h"
#include "reservoirs/tablas.h"

namespace tavo {

namespace {

// How a column's values must follow one another down the table.
enum class Orden { Libre, NoMenor, Mayor };

// One column of a table: where its values live (Single values, or storages kept as whole numbers),
// whether its cells must be numbers, and the order its values keep, with the message that says so.
struct ColumnaTabla {
  Array2<Single>* simple;
  Array2<Long>* entera;
  bool probada;
  Orden orden;
  const char* mensaje;
  const char* titulo;  // how the messages name the column
};

const char* const kAlturaCreciente = "Error, la altura H debe ser creciente, Verifique la fila ";
const char* const kSuperficieCreciente = "Error, la Superficie S debe ser creciente, Verifique la fila ";
const char* const kVolumenCreciente = "Error, el Volumen V debe ser creciente, Verifique la fila ";

QWidget* LagoAbierto() {
  return LakeTablesOwnerHook();
}
QWidget* RepresasAbierto() {
  return DamTablesOwnerHook();
}
int CuentaLagos() {
  return static_cast<int>(colLagos.size());
}
int CuentaRepresas() {
  return static_cast<int>(colRepresas.size());
}

}  // namespace

// A table window: its element kind and owner dialog, its table family and its texts.
struct TablaReservorio {
  const char* nombre;
  const char* titulo;
  const char* frame1;
  const char* label1;
  const char* label2;
  const char* lblNro;  // the number and name labels, named as the owner's
  const char* lblNombre;
  const char* lblNroDueno;  // the owner's labels they copy
  const char* lblNombreDueno;
  const char* frame2;
  const char* grilla;
  const char* formato;
  int columnas;            // of the grid, the row numbers included
  int iconoFilas;          // of the row-count message
  QWidget* (*dueno)();     // the owner dialog when it is open
  int (*cuenta)();         // elements of the kind
  Integer* nElementos;     // the kind's count
  Integer* seleccion;      // the element shown
  Array1<Integer>* filas;  // rows of each element's table
  std::vector<ColumnaTabla> datos;
  void (*lee)();
  bool (*guarda)();
  void (*redimFilas)(int);
};

namespace {

const QString kTooltipFrame2 =
    QStringLiteral("Ingresar los datos tabulados para la función de descarga en la forma H[m]-Q[m3/s]");

const TablaReservorio kTablaSHVQ{
    "dlgTablaSHVQ",
    "Tabla Altura H[m]- Area A[has]-Almacenamiento S[m3]- Caudal Q[m3/s] en Lago / Laguna / Mallin",
    "Identificación de la depresión lagunar/mallin",
    "Nro. laguna/mallin:",
    "Nombre laguna/mallin:",
    "lblNroLago",
    "lblNombreLago",
    "lblNroLAGO",
    "lblNombreLAGO",
    "Altura H[m] - Area [has] - Almacenamiento S[m3] - Caudal Q[m3/s]",
    "MSFlexGridHSVQ",
    "^Indice|>H [m]          |> Area A[has]          |> Almacenamiento S[m3] |> Q[m3/s]          ",
    5,
    vbExclamation,
    LagoAbierto,
    CuentaLagos,
    &nLagos,
    &selLago,
    &NFilasHSVQLago,
    {{&HTablaHSVQLago, nullptr, true, Orden::Mayor, kAlturaCreciente, "H [m]"},
     {&ATablaHSVQLago, nullptr, true, Orden::NoMenor, kSuperficieCreciente, "A[has]"},
     {nullptr, &STablaHSVQLago, true, Orden::Mayor, kVolumenCreciente, "S[m3]"},
     {&QTablaHSVQLago, nullptr, false, Orden::Libre, nullptr, "Q[m3/s]"}},
    LeeTablaHSVQLago,
    GuardaTablaHSVQLago,
    RedimFilasHSVQLago,
};

const TablaReservorio kTablaSHV{
    "dlgTablaSHV",
    "Tabla Altura H[m]- Area A[has] - Almacenamiento S[m3], en Represa",
    "Identificación de la Represa",
    "Nro. Represa:",
    "Nombre Represa:",
    "lblNroRepresa",
    "lblNombreRepresa",
    "lblNroRepresa",
    "lblNombreRepresa",
    "Altura H[m] - Area [has] - Almacenamiento [m3]",
    "MSFlexGridFQ",
    "^Indice|>H [m]          |> Area A[has]          |> Almacenamiento S[m3]",
    4,
    0,
    RepresasAbierto,
    CuentaRepresas,
    &nRepresas,
    &selRepresa,
    &NFilasHSVRepresa,
    {{&HTablaHSVRepresa, nullptr, true, Orden::Mayor, kAlturaCreciente, "H [m]"},
     {&ATablaHSVRepresa, nullptr, true, Orden::NoMenor, kSuperficieCreciente, "A[has]"},
     {nullptr, &STablaHSVRepresa, true, Orden::Mayor, kVolumenCreciente, "S[m3]"}},
    LeeTablaHSVRepresa,
    GuardaTablaHSVRepresa,
    RedimFilasHSVRepresa,
};

const TablaReservorio kTablaFQ{
    "dlgTablaFQ",
    "Tabla H-Q en Represa",
    "Identificación de la Represa",
    "Nro. Represa:",
    "Nombre Represa:",
    "lblNroRepresa",
    "lblNombreRepresa",
    "lblNroRepresa",
    "lblNombreRepresa",
    "Descarga: Tabla de Altura H[m] - Caudal Q[m3/s]",
    "MSFlexGridFQ",
    "^Indice|>H [m]          |> Q[m3/s]          ",
    3,
    0,
    RepresasAbierto,
    CuentaRepresas,
    &nRepresas,
    &selRepresa,
    &NFilasHQRepresa,
    {{&HTablaHQRepresa, nullptr, true, Orden::Mayor, kAlturaCreciente, "H [m]"},
     {&QTablaHQRepresa, nullptr, true, Orden::Libre, nullptr, "Q[m3/s]"}},
    LeeTablaHQRepresa,
    GuardaTablaHQRepresa,
    RedimFilasHQRepresa,
};

constexpr int kFilasDiseno = 10;  // rows of the grid as built, before any table is shown
constexpr int kMaxFilas = 999;    // rows of a table

QString U(const char* text) {
  return QString::fromUtf8(text);
}

QLabel* Dato(QWidget* parent, const char* name, int left, int top, int width) {
  QLabel* label = MakeLabel(parent, QString::fromLatin1(name), QString(), left, top, width, 300);
  label->setTextFormat(Qt::PlainText);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setIndent(3);
  return label;
}

// The value a cell's text begins with, as its column keeps it; false when it does not fit there.
bool ValorCelda(const QString& texto, const ColumnaTabla& columna, Single& simple, Long& entera) {
  try {
    const double valor = Val(texto);
    if (columna.entera) {
      entera = CLng(valor);
      simple = static_cast<Single>(valor);
    } else {
      simple = CSng(valor);
    }
    return true;
  } catch (const VbError&) {
    return false;
  }
}

}  // namespace

dlgTablaReservorio::dlgTablaReservorio(const TablaReservorio& tabla, EstadoTablaReservorio& estado)
    : QDialog(nullptr), tabla_(tabla), estado_(estado) {
  setObjectName(QString::fromLatin1(tabla.nombre));
  setWindowTitle(U(tabla.titulo));
  setFixedSize(Px(8520), Px(6840));

  Frame1 = MakeFrame(this, QStringLiteral("Frame1"), U(tabla.frame1), 120, 60, 5400, 1140);
  Label1 = MakeLabel(Frame1, QStringLiteral("Label1"), U(tabla.label1), 240, 345, 2160, 255);
  lblNro = Dato(Frame1, tabla.lblNro, 2400, 300, 1080);
  Label2 = MakeLabel(Frame1, QStringLiteral("Label2"), U(tabla.label2), 240, 735, 2160, 255);
  lblNombre = Dato(Frame1, tabla.lblNombre, 2400, 690, 2760);
  Label3 = MakeLabel(this, QStringLiteral("Label3"), U("Ingrese el Número de Filas:"), 5760, 360, 2520, 255);
  txtNroFilas = new ValidatedBox(this);
  txtNroFilas->setObjectName(QStringLiteral("txtNroFilas"));
  PlaceTwips(txtNroFilas, 5760, 690, 1200, 315);
  TakesNumbers(txtNroFilas);

  Frame2 = MakeFrame(this, QStringLiteral("Frame2"), U(tabla.frame2), 120, 1320, 8280, 4740);
  Frame2->setToolTip(kTooltipFrame2);
  grilla = new FlexGrid(Frame2);
  grilla->setObjectName(QString::fromLatin1(tabla.grilla));
  PlaceTwips(grilla, 120, 300, 8040, 4320);
  grilla->setRows(kFilasDiseno);
  grilla->setCols(tabla.columnas);

  cmdAplicar = MakeButton(this, QStringLiteral("cmdAplicar"), QStringLiteral("&Aplicar"), 120, 6240, 1920);
  cmdBorraTablaHQ =
      MakeButton(this, QStringLiteral("cmdBorraTablaHQ"), QStringLiteral("Borrar Tabla"), 2280, 6240, 1920);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("Ce&rrar"), 4320, 6240, 1920);
  CancelButton =
      MakeButton(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancelar"), 6480, 6240, 1920);
  for (QPushButton* button : {cmdAplicar, cmdBorraTablaHQ, OKButton, CancelButton})
    button->setAutoDefault(false);

  GridTyping::Options tecleo;
  tecleo.isNumber = IsNumeric;
  tecleo.lastRow = [this] { return static_cast<int>(estado_.NroFilas); };
  tecleo_ = std::make_unique<GridTyping>(grilla, estado_.HayTecleo, estado_.FilaTecleo, estado_.ColTecleo,
                                         std::move(tecleo));

  txtNroFilas->setValidation([this] { return txtNroFilas_Validate(); });
  connect(grilla, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { Grilla_KeyDown(key); }); });
  connect(grilla, &FlexGrid::KeyPress, this, [this](int key) { RunGuarded([&] { Grilla_KeyPress(key); }); });
  // Apply and Close first check the box being edited, as leaving it would.
  OnSignal(cmdAplicar, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) cmdAplicar_Click();
  });
  OnSignal(OKButton, &QPushButton::clicked, this, [this] {
    if (ValidateFocusedBox(this)) OKButton_Click();
  });
  ConnectGuarded(cmdBorraTablaHQ, &QPushButton::clicked, this, &dlgTablaReservorio::cmdBorraTablaHQ_Click);
  ConnectGuarded(CancelButton, &QPushButton::clicked, this, &dlgTablaReservorio::CancelButton_Click);
  // Escape presses Cancel wherever the focus is, the grid included.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, CancelButton, &QPushButton::click);
}

dlgTablaReservorio::~dlgTablaReservorio() = default;

dlgTablaSHVQ::dlgTablaSHVQ() : dlgTablaReservorio(kTablaSHVQ, Estado) {}
dlgTablaSHV::dlgTablaSHV() : dlgTablaReservorio(kTablaSHV, Estado) {}
dlgTablaFQ::dlgTablaFQ() : dlgTablaReservorio(kTablaFQ, Estado) {}

void ResetTablaReservorioState() {
  dlgTablaSHVQ::Estado = {};
  dlgTablaSHV::Estado = {};
  dlgTablaFQ::Estado = {};
}

void dlgTablaReservorio::reject() {
  RunGuarded([this] { CancelButton_Click(); });
}

// ---------------------------------------------------------------------------------------------------
// Opening

void dlgTablaReservorio::Form_Load() {
  const TablaReservorio& t = tabla_;
  *t.nElementos = CheckInteger(t.cuenta());
  if (*t.nElementos == 0) return;
  Integer& sel = *t.seleccion;
  // A selection outside the network shows the first element, as none does.
  if (sel <= 0 || sel > *t.nElementos) sel = 1;
  if (QWidget* dueno = t.dueno()) {
    dueno->setEnabled(false);
    for (const auto& [mio, suyo] :
         {std::pair(lblNro, t.lblNroDueno), std::pair(lblNombre, t.lblNombreDueno)}) {
      if (const auto* label = dueno->findChild<QLabel*>(QString::fromLatin1(suyo)))
        mio->setText(label->text());
    }
  }
  t.lee();
  const Array1<Integer>& filas = *t.filas;
  estado_.NroFilas = sel >= filas.lower() && sel <= filas.upper() ? filas(sel) : Integer(0);
  txtNroFilas->setText(PlainNumberText(estado_.NroFilas));
  grilla->setCols(t.columnas);
  grilla->setRows(estado_.NroFilas + 1);
  NumeraFilas();
  grilla->setFormatString(QString::fromUtf8(t.formato));
  for (int r = 1; r <= estado_.NroFilas; ++r) {
    int c = 0;
    for (const ColumnaTabla& columna : t.datos) {
      ++c;
      grilla->setTextMatrix(r, c,
                            columna.simple ? PlainNumberText((*columna.simple)(sel, r))
                                           : PlainNumberText((*columna.entera)(sel, r)));
    }
  }
}

void dlgTablaReservorio::NumeraFilas() {
  for (int r = 1; r <= estado_.NroFilas; ++r)
    grilla->setTextMatrix(r, 0, PlainNumberText(static_cast<Integer>(r)));
}

// ---------------------------------------------------------------------------------------------------
// The row count and the grid's keys

bool dlgTablaReservorio::txtNroFilas_Validate() {
  // The count is checked on its value, before it is taken as a row number.
  double valor = 0;
  bool cabe = true;
  try {
    valor = RoundHalfEven(Val(txtNroFilas->text())) + 0.0;
  } catch (const VbError&) {
    cabe = false;
  }
  if (cabe) txtNroFilas->setText(PlainNumberText(valor));
  if (!cabe || valor < 0 || valor > kMaxFilas) {
    MsgBox(QStringLiteral("Ingrese un valor numérico entero entre 0 y 999 "), vbOKOnly | tabla_.iconoFilas);
    return false;
  }
  estado_.NroFilas = static_cast<Integer>(valor);
  grilla->setRows(estado_.NroFilas + 1);
  NumeraFilas();
  return true;
}

void dlgTablaReservorio::Grilla_KeyDown(int KeyCode) {
  tecleo_->keyDown(KeyCode);
}

void dlgTablaReservorio::Grilla_KeyPress(int KeyAscii) {
  tecleo_->keyPress(KeyAscii);
}

// ---------------------------------------------------------------------------------------------------
// Clear, Apply, Close and Cancel

void dlgTablaReservorio::cmdBorraTablaHQ_Click() {
  grilla->setRows(estado_.NroFilas + 1);
  for (int r = 1; r <= estado_.NroFilas; ++r) {
    for (int c = 1; c < grilla->Cols(); ++c) grilla->setTextMatrix(r, c, QString());
  }
}

bool dlgTablaReservorio::AplicaTabla() {
  const TablaReservorio& t = tabla_;
  estado_.FilaError = 1;
  estado_.ColError = 1;
  *t.nElementos = CheckInteger(t.cuenta());
  const int sel = *t.seleccion;
  Array1<Integer>& filas = *t.filas;
  // Without an element, or with one the tables were not read for, there is nothing to store.
  if (*t.nElementos == 0 || sel < 1 || sel > filas.upper()) return true;
  const int n = estado_.NroFilas;
  int m = n;
  for (int e = filas.lower(); e <= filas.upper(); ++e) m = std::max(m, static_cast<int>(filas(e)));
  t.redimFilas(m + 1);

  estado_.HayError = false;
  auto falla = [this](int r, int c) {
    estado_.HayError = true;
    estado_.FilaError = static_cast<Integer>(r);
    estado_.ColError = static_cast<Integer>(c);
  };
  // The values the cells begin with. A cell of a tested column must be a number, which fails
  // silently; a number too large for its column is told, with its row and column.
  const int columnas = static_cast<int>(t.datos.size());
  std::vector<std::vector<Single>> simples(columnas, std::vector<Single>(n + 1, 0));
  std::vector<std::vector<Long>> enteras(columnas, std::vector<Long>(n + 1, 0));
  std::vector<std::vector<bool>> validos(columnas, std::vector<bool>(n + 1, true));
  for (int c = 1; c <= columnas; ++c) {
    const ColumnaTabla& columna = t.datos[c - 1];
    for (int r = 1; r <= n; ++r) {
      const QString texto = grilla->TextMatrix(r, c);
      validos[c - 1][r] = ValorCelda(texto, columna, simples[c - 1][r], enteras[c - 1][r]);
      const bool numero = IsNumeric(texto);
      if (!validos[c - 1][r] && (numero || !columna.probada)) {
        MsgBox(QStringLiteral("Error, el valor de la columna %1 es demasiado grande, Verifique la fila %2")
                   .arg(QString::fromUtf8(columna.titulo))
                   .arg(r),
               vbOKOnly | vbExclamation);
      }
      if (!validos[c - 1][r] || (columna.probada && !numero)) falla(r, c);
    }
  }
  // Each column in its order, every offending row with its own message.
  for (int c = 1; c <= columnas; ++c) {
    const ColumnaTabla& columna = t.datos[c - 1];
    if (columna.orden == Orden::Libre) continue;
    const std::vector<Single>& v = simples[c - 1];
    for (int r = 2; r <= n; ++r) {
      if (!validos[c - 1][r] || !validos[c - 1][r - 1]) continue;
      const bool sigue = columna.orden == Orden::Mayor ? v[r] > v[r - 1] : !(v[r] < v[r - 1]);
      if (sigue) continue;
      MsgBox(QString::fromUtf8(columna.mensaje) + QString::number(r), vbOKOnly | vbExclamation);
      falla(r, c);
    }
  }
  if (estado_.HayError) {
    grilla->setFocus();
    if (n >= 1) {
      grilla->setRow(estado_.FilaError);
      grilla->setCol(estado_.ColError);
    }
    return false;
  }

  // The table as it was, for a file that cannot take the new one.
  const Integer filasAntes = filas(sel);
  std::vector<std::vector<Single>> simplesAntes(columnas, std::vector<Single>(m + 2, 0));
  std::vector<std::vector<Long>> enterasAntes(columnas, std::vector<Long>(m + 2, 0));
  for (int c = 0; c < columnas; ++c) {
    const ColumnaTabla& columna = t.datos[c];
    for (int r = 1; r <= m + 1; ++r) {
      if (columna.simple) simplesAntes[c][r] = (*columna.simple)(sel, r);
      if (columna.entera) enterasAntes[c][r] = (*columna.entera)(sel, r);
      // Rows past the table hold 0.
      if (columna.simple) (*columna.simple)(sel, r) = r <= n ? simples[c][r] : Single(0);
      if (columna.entera) (*columna.entera)(sel, r) = r <= n ? enteras[c][r] : Long(0);
    }
  }
  filas(sel) = static_cast<Integer>(n);
  if (!t.guarda()) {
    // The writer told why; the table in memory stays the one its file holds, and the edits stay in
    // the grid.
    filas(sel) = filasAntes;
    for (int c = 0; c < columnas; ++c) {
      const ColumnaTabla& columna = t.datos[c];
      for (int r = 1; r <= m + 1; ++r) {
        if (columna.simple) (*columna.simple)(sel, r) = simplesAntes[c][r];
        if (columna.entera) (*columna.entera)(sel, r) = enterasAntes[c][r];
      }
    }
    return false;
  }
  if (n >= 1) {
    grilla->setRow(estado_.FilaError);
    grilla->setCol(estado_.ColError);
  }
  emit tableApplied();
  return true;
}

void dlgTablaReservorio::cmdAplicar_Click() {
  AplicaTabla();
}

void dlgTablaReservorio::OKButton_Click() {
  // A table refused by the checks, or one its file could not take, stays in the window, to be put
  // right, applied again or cancelled.
  if (!AplicaTabla()) return;
  Descarga();
  DevuelveDueno();
  MsgBox(
      QStringLiteral("Asegurar los cambios producidos pulsando <Guardar> desde el formulario gráfico de de "
                     "UEHs. De lo contrario se perderá la información cargada."),
      vbOKOnly | vbExclamation);
}

void dlgTablaReservorio::CancelButton_Click() {
  Descarga();
  DevuelveDueno();
}

void dlgTablaReservorio::DevuelveDueno() {
  QWidget* dueno = tabla_.dueno();
  if (!dueno) return;
  dueno->setEnabled(true);
  if (dueno->isVisible()) {
    dueno->activateWindow();
    dueno->setFocus();
  }
}

}  // namespace tavo
