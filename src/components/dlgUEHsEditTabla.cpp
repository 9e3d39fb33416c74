#include "components/dlgUEHsEditTabla.h"

#include <QCloseEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "components/rangos.h"
#include "components/tablasparametros.h"
#include "editor/frmUEHs.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/formlayout.h"
#include "project/estado.h"

namespace tavo {

namespace {

const QString kFormatoUEHs = QStringLiteral(
    "^Componente|^Nro.|^       Nombre      |^     Afluente de     |^    Método    |^  Area   |^ Long.Máx.|"
    "^Vel.Media|^'a' Kost.|^'b' Kost.|^H Ini[min]|^Q inicio|^'K' Rec.|^Z Ret.");
const QString kFormatoCauces = QStringLiteral(
    "^Componente|^Nro.|^       Nombre      |^     Afluente de     |^    Método    |^Vértices|^ Ind.Vért.|"
    "^Vel.Media|^Longitud|^Orden|^K Musk.|^x Musk.");
constexpr int kAnchosUEHs[] = {946, 430, 1290, 1290, 1032, 688, 860, 802, 700, 600, 860, 600, 600};
constexpr int kAnchosCauces[] = {946, 430, 1290, 1290, 1032, 688, 860, 860, 688, 602, 602, 602};

// An editable column: the record's parameter it holds and that parameter's range; a whole-number
// column drops the decimals of what is typed.
template <class Registro>
struct Editable {
  int col;
  Single Registro::*campo;
  const RangoParametro* rango;
  bool entera;
};

const Editable<UEH> kEditablesUEHs[] = {
    {5, &UEH::Area, &kRangoArea, false},
    {6, &UEH::LongitudMax, &kRangoLongitudMax, true},
    {7, &UEH::VelMedia, &kRangoVelMedia, false},
    {8, &UEH::KostiakovA, &kRangoKostiakovA, false},
    {9, &UEH::KostiakovB, &kRangoKostiakovB, false},
    {10, &UEH::KostiakovI, &kRangoKostiakovI, false},
    {11, &UEH::Q0Recesion, &kRangoQ0Recesion, false},
    {12, &UEH::KRecesion, &kRangoKRecesion, false},
    {13, &UEH::RetensionZ, &kRangoRetensionZ, false},
};
const Editable<Cauce> kEditablesCauces[] = {
    {7, &Cauce::VelMediaCauce, &kRangoVelMediaCauce, false},
    {8, &Cauce::LongCauce, &kRangoLongCauce, true},
    {10, &Cauce::Cauce_k_Musk, &kRangoCauce_k_Musk, false},
    {11, &Cauce::Cauce_n_Musk, &kRangoCauce_n_Musk, false},
};

template <class Registro, std::size_t N>
const Editable<Registro>* ColumnaEditable(const Editable<Registro> (&columnas)[N], int col) {
  for (const Editable<Registro>& e : columnas) {
    if (e.col == col) return &e;
  }
  return nullptr;
}

// The check of a cell after each key: a text that is not a number or lies outside the range shows the
// range's message and becomes "0"; a whole-number column keeps the whole part, after a blank.
template <class Registro>
void CompruebaCelda(FlexGrid* grilla, const Editable<Registro>& columna) {
  const QString texto = grilla->Text();
  if (!DentroDeRango(texto, columna.rango->maximo)) {
    MsgBox(columna.rango->mensaje, vbOKOnly | vbExclamation, QStringLiteral("Advertencia !"));
    grilla->setText(QStringLiteral("0"));
  } else if (columna.entera) {
    grilla->setText(NumberText(static_cast<Long>(std::floor(Val(texto)))));
  }
}

// Selects a block of a grid from (fila, col) to (filaSel, colSel).
void Marca(FlexGrid* grilla, int fila, int col, int filaSel, int colSel) {
  grilla->setRow(fila);
  grilla->setCol(col);
  grilla->setRowSel(filaSel);
  grilla->setColSel(colSel);
}

// Empties a grid down to its heading row and gives it its columns, headings and widths, the heading
// row bold, 7 points, up to column `ultimaNegrita`.
template <std::size_t N>
void PreparaGrilla(FlexGrid* grilla, int columnas, const QString& formato, const int (&anchos)[N],
                   int ultimaNegrita) {
  grilla->setCols(columnas);
  grilla->setRows(1);
  grilla->setFormatString(formato);
  Marca(grilla, 0, 0, 0, ultimaNegrita);
  grilla->setCellFontBold(true);
  grilla->setCellFontSize(7);
  for (std::size_t c = 0; c < N; ++c) grilla->setColWidth(static_cast<int>(c), anchos[c]);
}

// The grid's kind names merge in column 0; its read-only columns from `desde` to `hasta` turn grey
// down to row `ultimaFila`.
void Gris(FlexGrid* grilla, int ultimaFila, int desde, int hasta) {
  Marca(grilla, 0, desde, ultimaFila, hasta);
  grilla->setCellBackColor(kGrisClaro);
}

// True when row r of a grid names component r of a collection by its number and name.
template <class Registro>
bool FilasIguales(const FlexGrid* grilla, int filas, const std::vector<std::shared_ptr<Registro>>& coleccion,
                  Integer Registro::*numero, QString Registro::*nombre) {
  if (filas - 1 != static_cast<int>(coleccion.size())) return false;
  for (int r = 1; r < filas; ++r) {
    const Registro& registro = *coleccion[static_cast<std::size_t>(r - 1)];
    if (grilla->TextMatrix(r, 1) != PlainNumberText(registro.*numero) ||
        grilla->TextMatrix(r, 2) != registro.*nombre)
      return false;
  }
  return true;
}

// The values of a grid's editable cells, by row, read as numbers; the records are written only once
// every cell has been read.
template <class Registro, std::size_t N>
std::vector<std::vector<Single>> LeeValores(const FlexGrid* grilla, int filas,
                                            const Editable<Registro> (&columnas)[N]) {
  std::vector<std::vector<Single>> valores;
  for (int r = 1; r < filas; ++r) {
    std::vector<Single> fila;
    for (const Editable<Registro>& e : columnas) fila.push_back(CSng(Val(grilla->TextMatrix(r, e.col))));
    valores.push_back(std::move(fila));
  }
  return valores;
}

// Writes the values of each row into the record whose number the row's "Nro." cell holds.
template <class Registro, std::size_t N>
void EscribeValores(const FlexGrid* grilla, const std::vector<std::vector<Single>>& valores,
                    const std::vector<std::shared_ptr<Registro>>& coleccion, Integer Registro::*numero,
                    const Editable<Registro> (&columnas)[N]) {
  for (std::size_t i = 0; i < valores.size(); ++i) {
    const double nro = Val(grilla->TextMatrix(static_cast<int>(i) + 1, 1));
    for (const auto& registro : coleccion) {
      if ((*registro).*numero != nro) continue;
      for (std::size_t k = 0; k < N; ++k) (*registro).*(columnas[k].campo) = valores[i][k];
    }
  }
}

}  // namespace

dlgUEHsEditTabla::dlgUEHsEditTabla() {
  setObjectName(QStringLiteral("dlgUEHsEditTabla"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Tabla de Edición de datos entrada: Parámetros Físicos UHEs"));
  QPalette fondo = palette();
  fondo.setColor(QPalette::Window, kGrisClaro);
  setPalette(fondo);
  setAutoFillBackground(true);

  for (FlexGrid** grilla : {&MSFlexGridEditUEHs, &MSFlexGridEditCauces}) {
    auto* g = new FlexGrid(this);
    g->setRows(4);
    g->setBackColor(QColor(230, 254, 255));
    g->setBackColorFixed(kGrisClaro);
    g->setBackColorBkg(QColor(128, 128, 128));
    g->setToolTip(QStringLiteral("Las celdas de datos con fondo blanco pueden modificarse desde esta tabla"));
    *grilla = g;
  }
  MSFlexGridEditUEHs->setObjectName(QStringLiteral("MSFlexGridEditUEHs"));
  MSFlexGridEditCauces->setObjectName(QStringLiteral("MSFlexGridEditCauces"));

  lblProyecto = MakeLabel(this, QStringLiteral("lblProyecto"), QString(), 120, 0, 1212, 255);
  lblFileProyecto = MakeLabel(this, QStringLiteral("lblFileProyecto"), QString(), 1680, 0, 3480, 255);
  cmdCancel = MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancelar"), 5400, 0, 1212, 372);
  OKButton = MakeButton(this, QStringLiteral("OKButton"), QStringLiteral("&Aceptar"), 6840, 0, 1215, 375);

  GridTyping::Options unidades;
  unidades.columns = [](int col) { return col >= 5; };
  unidades.isNumber = IsNumeric;
  unidades.lastRow = [this] { return NFilasUEHs - 1; };
  unidades.enterInEveryColumn = true;
  unidades.zeroOnEnter = false;
  GridTyping::Options cauces = unidades;
  cauces.columns = [](int col) { return ColumnaEditable(kEditablesCauces, col) != nullptr; };
  cauces.lastRow = [this] { return NFilasCauces - 1; };
  tecleoUEHs_ = std::make_unique<GridTyping>(MSFlexGridEditUEHs, ReemplazarTexto, UltimaFila, UltimaCol,
                                             std::move(unidades));
  tecleoCauces_ = std::make_unique<GridTyping>(MSFlexGridEditCauces, ReemplazarTexto, UltimaFila, UltimaCol,
                                               std::move(cauces));

  connect(MSFlexGridEditUEHs, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridEditUEHs_KeyDown(key); }); });
  connect(MSFlexGridEditCauces, &FlexGrid::KeyDown, this,
          [this](int key, int) { RunGuarded([&] { MSFlexGridEditCauces_KeyDown(key); }); });
  connect(MSFlexGridEditUEHs, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridEditUEHs_KeyPress(key); }); });
  connect(MSFlexGridEditCauces, &FlexGrid::KeyPress, this,
          [this](int key) { RunGuarded([&] { MSFlexGridEditCauces_KeyPress(key); }); });
  ConnectGuarded(OKButton, &QPushButton::clicked, this, &dlgUEHsEditTabla::OKButton_Click);
  ConnectGuarded(cmdCancel, &QPushButton::clicked, this, &dlgUEHsEditTabla::cmdCancel_Click);
  auto* activacion = new ActivationWatch(this);
  connect(activacion, &ActivationWatch::activated, this, [this] { RunGuarded([this] { Form_Activate(); }); });
}

dlgUEHsEditTabla::~dlgUEHsEditTabla() = default;

void dlgUEHsEditTabla::ResetState() {
  ReemplazarTexto = false;
  UltimaCol = UltimaFila = 0;
}

void dlgUEHsEditTabla::Muestra() {
  if (!isLoaded() && !CierraEditorAbierto()) return;
  ShowModeless(&instance(), false);
}

void dlgUEHsEditTabla::closeEvent(QCloseEvent* event) {
  event->ignore();
  RunGuarded([this] { cmdCancel_Click(); });
}

// ---------------------------------------------------------------------------------------------------
// Opening and filling

void dlgUEHsEditTabla::Form_Load() {
  ShowModeless(this, false);
  DimensionaTablasEdicion();
  Abre();
}

void dlgUEHsEditTabla::Form_Activate() {
  if (!abriendo_ && !RejillasAlDia()) Abre();
}

void dlgUEHsEditTabla::Abre() {
  abriendo_ = true;
  struct Fin {
    bool& abriendo;
    ~Fin() { abriendo = false; }
  } fin{abriendo_};
  if (!CierraEditorAbierto()) return;
  RecargaProyecto();
  LlenaTablasEdicion();
}

bool dlgUEHsEditTabla::RejillasAlDia() const {
  return reinicioLlenado_ == ProjectResets && lblProyecto->text() == NombreProyecto &&
         FilasIguales(MSFlexGridEditCauces, NFilasCauces, colCauces, &Cauce::numCauce, &Cauce::NombreCauce) &&
         FilasIguales(MSFlexGridEditUEHs, NFilasUEHs, colUEHs, &UEH::numUEH, &UEH::NombreUEH);
}

void dlgUEHsEditTabla::DimensionaTablasEdicion() {
  DimensionaVentanaTabla(this);
  const int abajo = static_cast<int>(0.85 * AltoPantalla);
  for (QWidget* control : {static_cast<QWidget*>(cmdCancel), static_cast<QWidget*>(OKButton),
                           static_cast<QWidget*>(lblProyecto), static_cast<QWidget*>(lblFileProyecto)})
    control->move(control->x(), Px(abajo));
  const int ancho = static_cast<int>(0.95 * AnchoPantalla);
  const int alto = static_cast<int>(0.35 * AltoPantalla);
  PlaceTwips(MSFlexGridEditUEHs, 120, 200, ancho, alto);
  PlaceTwips(MSFlexGridEditCauces, 120, alto + 500, ancho, alto);
}

void dlgUEHsEditTabla::LlenaTablasEdicion() {
  DimensionaTablasEdicion();
  lblProyecto->setText(NombreProyecto);
  lblFileProyecto->setText(NombreProyecto + QStringLiteral("_Conf.pcn"));

  FlexGrid* g = MSFlexGridEditCauces;
  PreparaGrilla(g, 12, kFormatoCauces, kAnchosCauces, 11);
  int fila = 0;
  for (const auto& c : colCauces) {
    ++fila;
    g->setRows(fila + 1);
    const QString textos[] = {QStringLiteral("Cauce"),
                              PlainNumberText(c->numCauce),
                              c->NombreCauce,
                              c->Cauce_aa,
                              c->optDirMusk ? QStringLiteral("Directo") : QStringLiteral("Muskingum"),
                              PlainNumberText(c->numVertices),
                              PlainNumberText(c->IndiceParInicial),
                              PlainNumberText(c->VelMediaCauce),
                              PlainNumberText(c->LongCauce),
                              PlainNumberText(c->OrdenCauce),
                              PlainNumberText(c->Cauce_k_Musk),
                              PlainNumberText(c->Cauce_n_Musk)};
    for (int col = 0; col < 12; ++col) g->setTextMatrix(fila, col, textos[col]);
  }
  NFilasCauces = static_cast<Integer>(fila + 1);
  g->setMergeCells(flexMergeFree);
  g->setMergeCol(0, true);
  Gris(g, fila, 0, 6);
  Gris(g, fila, 9, 9);
  AnchoSegunTextos(g);
  if (fila > 0) Marca(g, 1, 1, 1, 1);

  g = MSFlexGridEditUEHs;
  PreparaGrilla(g, 14, kFormatoUEHs, kAnchosUEHs, 12);
  fila = 0;
  for (const auto& u : colUEHs) {
    ++fila;
    g->setRows(fila + 1);
    const QString textos[] = {QStringLiteral("UEH"),
                              PlainNumberText(u->numUEH),
                              u->NombreUEH,
                              u->Cauce_aa,
                              u->Metodo.toString(),
                              PlainNumberText(u->Area),
                              PlainNumberText(u->LongitudMax),
                              PlainNumberText(u->VelMedia),
                              PlainNumberText(u->KostiakovA),
                              PlainNumberText(u->KostiakovB),
                              PlainNumberText(u->KostiakovI),
                              PlainNumberText(u->Q0Recesion),
                              PlainNumberText(u->KRecesion),
                              PlainNumberText(u->RetensionZ)};
    for (int col = 0; col < 14; ++col) g->setTextMatrix(fila, col, textos[col]);
  }
  NFilasUEHs = static_cast<Integer>(fila + 1);
  g->setMergeCells(flexMergeFree);
  g->setMergeCol(0, true);
  Gris(g, fila, 0, 4);
  AnchoSegunTextos(g);
  if (fila > 0) Marca(g, 1, 1, 1, 1);

  reinicioLlenado_ = ProjectResets;
}

// ---------------------------------------------------------------------------------------------------
// Keys

void dlgUEHsEditTabla::MSFlexGridEditUEHs_KeyDown(int KeyCode) {
  tecleoUEHs_->keyDown(KeyCode);
}

void dlgUEHsEditTabla::MSFlexGridEditCauces_KeyDown(int KeyCode) {
  tecleoCauces_->keyDown(KeyCode);
}

void dlgUEHsEditTabla::MSFlexGridEditUEHs_KeyPress(int KeyAscii) {
  FlexGrid* g = MSFlexGridEditUEHs;
  // A key typed into a cell whose text is not a number empties it and goes no further.
  if (KeyAscii != vbKeyReturn && g->Row() >= 1 && g->Col() >= 5 && !g->Text().isEmpty() &&
      !IsNumeric(g->Text())) {
    g->setText(QString());
    return;
  }
  if (!tecleoUEHs_->keyPress(KeyAscii)) return;
  if (const auto* columna = ColumnaEditable(kEditablesUEHs, g->Col())) CompruebaCelda(g, *columna);
}

void dlgUEHsEditTabla::MSFlexGridEditCauces_KeyPress(int KeyAscii) {
  // Besides Enter the reach grid takes the characters from "*" to "9" and from "@" to "z".
  const bool tomada = (KeyAscii >= 42 && KeyAscii <= 57) || (KeyAscii >= 64 && KeyAscii <= 122);
  if (KeyAscii != vbKeyReturn && !tomada) return;
  FlexGrid* g = MSFlexGridEditCauces;
  if (!tecleoCauces_->keyPress(KeyAscii)) return;
  if (const auto* columna = ColumnaEditable(kEditablesCauces, g->Col())) CompruebaCelda(g, *columna);
}

// ---------------------------------------------------------------------------------------------------
// Aceptar and Cancel

void dlgUEHsEditTabla::OKButton_Click() {
  // Grids that no longer show the network in memory are never saved: the tables open again.
  if (!RejillasAlDia()) {
    Abre();
    return;
  }
  const int respuesta =
      MsgBox(QStringLiteral("Confirma los cambios producidos en la tabla de datos de Entradas ?"),
             vbYesNo | vbQuestion, QStringLiteral("Consulta de validación de cambios"));
  if (respuesta == vbYes) {
    const auto cauces = LeeValores(MSFlexGridEditCauces, NFilasCauces, kEditablesCauces);
    const auto unidades = LeeValores(MSFlexGridEditUEHs, NFilasUEHs, kEditablesUEHs);
    EscribeValores(MSFlexGridEditCauces, cauces, colCauces, &Cauce::numCauce, kEditablesCauces);
    EscribeValores(MSFlexGridEditUEHs, unidades, colUEHs, &UEH::numUEH, kEditablesUEHs);
    frmUEHs::object().mnu_btn_toolbarGuardaUEHs();
  }
  unloadLater();
}

void dlgUEHsEditTabla::cmdCancel_Click() {
  unloadLater();
}

}  // namespace tavo
