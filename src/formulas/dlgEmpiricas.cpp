#include "formulas/dlgEmpiricas.h"

#include <QCloseEvent>
#include <iterator>

#include "formulas/formulas.h"
#include "platform/app.h"

namespace tavo {

namespace {

// A peak-flow row: its name label, its result label and their tooltips (the name label's own where
// it has one).
struct FilaQp {
  const char* nombre;
  const char* resultado;
  QLabel* dlgEmpiricas::*etiqueta;
  const char* ayuda;
  const char* ayudaNombre;
};

constexpr FilaQp kFilasQp[] = {
    {"Creager", "txtQCreager", &dlgEmpiricas::txtQCreager,
     "Qp = 0,55 * C * S^(S^-0,05)  ; S= Superficie [Km2]  ; Coeficiente C= 30",
     "Qp = 0,55 * C * S^(S^-0,05)  ; S= Superficie [Km2]   ;   C=30 "},
    {"Santi R=100años", "txtQpSanti100", &dlgEmpiricas::txtQpSanti100,
     "Qp =33 S^(0,5)  ; S= Superficie [Km2] ", nullptr},
    {"Santi R=500años", "txtQpSanti500", &dlgEmpiricas::txtQpSanti500,
     "Qp =50 S^(0,5)  ; S= Superficie [Km2] ", nullptr},
    {"Santi R=1000años", "txtQpSanti1000", &dlgEmpiricas::txtQpSanti1000,
     "Qp =66 S^(0,5)  ; S= Superficie [Km2] ", nullptr},
    {"Myer, C=30", "txtQpMyerC30", &dlgEmpiricas::txtQpMyerC30,
     "Qp=1,75 * 30 * S^0.5    ; S= Superficie [Km2] ", nullptr},
    {"            C=100", "txtQpMyerC100", &dlgEmpiricas::txtQpMyerC100,
     "Qp=1,75 * 100 * S^0.5    ; S= Superficie [Km2] ", nullptr},
    {"Scimeni (S<1000Km2)", "txtQpScimeni", &dlgEmpiricas::txtQpScimeni,
     "Qp = S * (600/(S+10 )+1)     ; S= Superficie [Km2] ", nullptr},
    {"Pagliaro", "txtQpPagliaro", &dlgEmpiricas::txtQpPagliaro,
     "Qp = S * ( 2900 / ( 90+S )  )   ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Gauguillet", "txtQpGauguillet", &dlgEmpiricas::txtQpGauguillet,
     "Qp = 25 * S / ( S^0,5 + 5 )  ; S= Superficie [Km2] ", nullptr},
    {"Fanning", "txtQpFanning", &dlgEmpiricas::txtQpFanning, "Qp = 2,5 * S^(5/6)  ; S= Superficie [Km2] ",
     nullptr},
    {"Dickens", "txtQpDickens", &dlgEmpiricas::txtQpDickens,
     "Qp = 6,9 * S^(3/4)  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Quijano", "txtQpQuijano", &dlgEmpiricas::txtQpQuijano,
     "Qp = 17 * S^(2/3)  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Zapata", "txtQpZapata", &dlgEmpiricas::txtQpZapata,
     "Qp = 21 * S^0,6  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Kuickling, Ordinarias", "txtQpKuicklingO", &dlgEmpiricas::txtQpKuicklingO,
     "Qp =  S * ( ( 1246 / (S+440 ) ) + 0,22  )   ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Kuickling, Extra-Ordinarias", "txtQpKuicklingE", &dlgEmpiricas::txtQpKuicklingE,
     "Qp = S * ( ( 3596 / (S+958 ) ) + 0,08  )  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Rives", "txtQpRyves", &dlgEmpiricas::txtQpRyves,
     "Qp = 8,5 * S^(2/3)  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Valentini", "txtQpValentini", &dlgEmpiricas::txtQpValentini,
     "Qp = 27 * S^0.5  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
    {"Gutmann", "txtQpGutmann", &dlgEmpiricas::txtQpGutmann,
     "Qp = S * ( 2832 / ( S+96 ) )  ; S= Superficie [Km2]  ; Coeficiente C= 30", nullptr},
};
static_assert(std::size(kFilasQp) == kPeakFlowRows, "one row per peak-flow formula");

struct FilaTc {
  const char* nombre;
  const char* resultado;
  QLabel* dlgEmpiricas::*etiqueta;
  const char* ayuda;
};

constexpr FilaTc kFilasTc[] = {
    {"California Culverts", "lblTcCalifornia", &dlgEmpiricas::lblTcCalifornia,
     "Tc = 60 * [ (0,87 * L^3  /  H )^0,385] ; L= Longitud del cauce principal [Km]; "
     "H= Desnivel máximo en la cuenca [m]"},
    {"Ventura", "lblTcVentura", &dlgEmpiricas::lblTcVentura,
     "Tc = 60 * 0,1272 * (100 * S)^0,5 / i^0,5  ; S= Superficie [Km2]  ; i= pendiente cauce más largo [%]"},
    {"SCS-US", "lblTcSCSUS", &dlgEmpiricas::lblTcSCSUS,
     "Tc = 60 * 0,1947 * (3.3 * L / i )^0,77  ; L= Longitud del cauce más largo [Km]  ; "
     "i= pendiente cauce más largo [%]"},
};
static_assert(std::size(kFilasTc) == kConcentrationTimeRows, "one row per concentration-time formula");

QGroupBox* Marco(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                 int height) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  PlaceTwips(frame, left, top, width, height);
  return frame;
}

QLabel* Etiqueta(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                 int height) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  PlaceTwips(label, left, top, width, height);
  return label;
}

ValidatedBox* Caja(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* box = new ValidatedBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setText(QString::fromLatin1(text));
  PlaceTwips(box, left, top, 1080, 300);
  return box;
}

// The positions of the rows inside their groups, in twips.
constexpr int kFilaQpArriba = 600;
constexpr int kPasoFilaQp = 300;
constexpr int kFilaTcArriba = 330;
constexpr int kPasoFilaTc = 330;
constexpr int kAltoFila = 255;

}  // namespace

dlgEmpiricas::dlgEmpiricas() : QWidget(nullptr, Qt::Dialog) {
  setObjectName(QStringLiteral("dlgEmpiricas"));
  setWindowTitle(QStringLiteral("Fórmulas Empiricas de Caudal Máximo y Tiempo de Concentración"));
  setFixedSize(Px(9600), Px(7110));
  // It opens in the middle of the screen, over the main window.
  QRect marco = rect();
  marco.moveCenter(ScreenArea().center());
  move(marco.topLeft());
  setAutoFillBackground(true);
  QPalette gris = palette();
  gris.setColor(QPalette::Window, QColor(227, 227, 227));
  gris.setColor(QPalette::Button, QColor(227, 227, 227));
  setPalette(gris);
  QFont letra(QStringLiteral("Arial"));
  letra.setPointSize(8);
  setFont(letra);

  Frame1 = Marco(this, "Frame1", "Datos para cálculo rápido de Qp, Caudal Pico [m3/s]", 120, 120, 4440, 720);
  Label1 = Etiqueta(Frame1, "Label1", "Superficie S[Km2]:", 120, 345, 1800, kAltoFila);
  txtSup = Caja(Frame1, "txtSup", "1", 1980, 300);

  Frame2 = Marco(this, "Frame2", "Estimaciones empíricas de Qp, Caudal Pico, [m3/s]", 120, 960, 4440, 6030);
  Label2 =
      Etiqueta(Frame2, "Label2", "En función de la superficie de la cuenca...", 120, 300, 4200, kAltoFila);
  for (int k = 0; k < kPeakFlowRows; ++k) {
    const FilaQp& fila = kFilasQp[k];
    const int arriba = kFilaQpArriba + k * kPasoFilaQp;
    const QByteArray nombre = "Label" + QByteArray::number(7 + k);
    lblQp[k] = Etiqueta(Frame2, nombre.constData(), fila.nombre, 120, arriba, 2520, kAltoFila);
    QLabel* resultado = Etiqueta(Frame2, fila.resultado, "", 2700, arriba, 1620, kAltoFila);
    this->*fila.etiqueta = resultado;
    resultado->setToolTip(QString::fromUtf8(fila.ayuda));
    lblQp[k]->setToolTip(QString::fromUtf8(fila.ayudaNombre ? fila.ayudaNombre : fila.ayuda));
  }

  Frame3 = Marco(this, "Frame3", "Datos para estimar Tc, Tiempo de Concentración", 4680, 120, 4800, 1800);
  Label3 = Etiqueta(Frame3, "Label3", "Longitud Cauce Principal  L[Km]:", 120, 345, 3240, kAltoFila);
  txtLcauceP = Caja(Frame3, "txtLcauceP", "1", 3480, 300);
  Label4 = Etiqueta(Frame3, "Label4", "Desnivel Máximo H[m]:", 120, 675, 3240, kAltoFila);
  txtcauceH = Caja(Frame3, "txtcauceH", "100", 3480, 630);
  Label5 = Etiqueta(Frame3, "Label5", "Pendiente media cauce mñas largo [%]:", 120, 1005, 3240, kAltoFila);
  txtPendiCP = Caja(Frame3, "txtPendiCP", "1", 3480, 960);
  Label6 = Etiqueta(Frame3, "Label6", "Superficie [Km2]", 120, 1335, 3240, kAltoFila);
  lblSup = Etiqueta(Frame3, "lblSup", "1", 3480, 1335, 1080, kAltoFila);

  Frame4 = Marco(this, "Frame4", "Estimaciones empíricas de Tc, Tiempo de Concentración [min]", 4680, 2040,
                 4800, 1440);
  for (int k = 0; k < kConcentrationTimeRows; ++k) {
    const FilaTc& fila = kFilasTc[k];
    const int arriba = kFilaTcArriba + k * kPasoFilaTc;
    const QByteArray nombre = "Label" + QByteArray::number(25 + k);
    lblTc[k] = Etiqueta(Frame4, nombre.constData(), fila.nombre, 120, arriba, 2520, kAltoFila);
    this->*fila.etiqueta = Etiqueta(Frame4, fila.resultado, "", 2700, arriba, 1620, kAltoFila);
    for (QLabel* label : {lblTc[k], this->*fila.etiqueta}) label->setToolTip(QString::fromUtf8(fila.ayuda));
  }

  btnCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
  btnCerrar->setObjectName(QStringLiteral("btnCerrar"));
  PlaceTwips(btnCerrar, 8040, 6540, 1320, 420);

  setTabOrder(btnCerrar, txtSup);
  setTabOrder(txtSup, txtLcauceP);
  setTabOrder(txtLcauceP, txtcauceH);
  setTabOrder(txtcauceH, txtPendiCP);
  btnCerrar->setFocus();

  // A box's value is checked, and the results follow it, when the box is left or Enter is pressed in
  // it; what is typed meanwhile changes nothing.
  const std::pair<ValidatedBox*, void (dlgEmpiricas::*)()> alSalir[] = {
      {txtSup, &dlgEmpiricas::txtSup_LostFocus},
      {txtLcauceP, &dlgEmpiricas::txtLcauceP_LostFocus},
      {txtcauceH, &dlgEmpiricas::txtcauceH_LostFocus},
      {txtPendiCP, &dlgEmpiricas::txtPendiCP_LostFocus},
  };
  for (const auto& [box, handler] : alSalir) {
    TakesNumbers(box);
    // The check corrects the text and refuses nothing.
    box->setValidation([this, h = handler] {
      (this->*h)();
      return true;
    });
    connect(box, &QLineEdit::returnPressed, box, [b = box] { b->validate(); });
  }
  ConnectGuarded(btnCerrar, &QPushButton::clicked, this, &dlgEmpiricas::btnCerrar_Click);
}

std::array<QLabel*, kPeakFlowRows> dlgEmpiricas::ResultadosQp() const {
  std::array<QLabel*, kPeakFlowRows> resultados{};
  for (int k = 0; k < kPeakFlowRows; ++k) resultados[k] = this->*kFilasQp[k].etiqueta;
  return resultados;
}

void dlgEmpiricas::Form_Load() {
  CalculaCaudalesPico();
}

void dlgEmpiricas::CalculaCaudalesPico() {
  lblSup->setText(txtSup->text());
  const Double S = BoxValue(txtSup->text());
  if (S > 0) {
    const auto resultados = ResultadosQp();
    for (int fila = 1; fila <= kPeakFlowRows; ++fila) {
      const bool aplica = PeakFlowApplies(fila, S);
      resultados[fila - 1]->setText(aplica ? ResultText(PeakFlow(fila, S)) : QString());
    }
  }
  CalculaTiemposConcentracion();
}

void dlgEmpiricas::CalculaTiemposConcentracion() {
  lblSup->setText(txtSup->text());
  const Double S = BoxValue(txtSup->text());
  const Double L = BoxValue(txtLcauceP->text());
  const Double H = BoxValue(txtcauceH->text());
  // A time of exactly 0 (a failed evaluation included) leaves its row blank.
  auto muestra = [](QLabel* label, Single tc) { label->setText(tc == 0 ? QString() : ResultText(tc)); };
  muestra(lblTcCalifornia, TcCalifornia(L, H));
  // Ventura and SCS-US both divide by the slope: without one, both rows stay blank.
  const Double i = BoxValue(txtPendiCP->text());
  if (i > 0) {
    muestra(lblTcVentura, TcVentura(S, i));
    muestra(lblTcSCSUS, TcSCSUS(L, i));
  } else {
    txtPendiCP->setText(QStringLiteral("0"));
    lblTcVentura->setText(QString());
    lblTcSCSUS->setText(QString());
  }
}

void dlgEmpiricas::txtSup_LostFocus() {
  if (BoxValue(txtSup->text()) > 10000) txtSup->setText(QStringLiteral("10000"));
  if (BoxValue(txtSup->text()) == 0) txtSup->setText(QStringLiteral("1"));
  lblSup->setText(txtSup->text());
  CalculaCaudalesPico();
}

void dlgEmpiricas::txtLcauceP_LostFocus() {
  CalculaTiemposConcentracion();
}
void dlgEmpiricas::txtcauceH_LostFocus() {
  CalculaTiemposConcentracion();
}

void dlgEmpiricas::txtPendiCP_LostFocus() {
  if (BoxValue(txtPendiCP->text()) < 0) txtPendiCP->setText(QStringLiteral("0"));
  if (BoxValue(txtPendiCP->text()) > 100) txtPendiCP->setText(QStringLiteral("100"));
  CalculaTiemposConcentracion();
}

void dlgEmpiricas::btnCerrar_Click() {
  unloadLater();
}

void dlgEmpiricas::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded([] { unloadLater(); });
}

}  // namespace tavo
