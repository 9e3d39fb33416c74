// The decimal comma: wherever the user types a number, in a box or in a grid cell of any window, a
// comma is the decimal point. "0,5" is 0.5 and "12,5" is 12.5, shown with a point and stored as the
// program stores numbers; a whole-number field takes 12.5 as it takes a typed "12.5".

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <functional>
#include <ostream>
#include <tuple>

#include "components/dialog_fixture.h"
#include "components/dlgCauceEditProp.h"
#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "components/dlgUEH2.h"
#include "components/dlgUEHsEditTabla.h"
#include "components/tablas_fixture.h"
#include "formulas/dlgEmpiricas.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/frmConfigura.h"
#include "project/redfiles.h"
#include "rainfall/distribuciones.h"
#include "rainfall/dlgDisPpPer.h"
#include "rainfall/dlgPp.h"
#include "rainfall/dlgPpReal.h"
#include "rainfall/dlgTablaPpUEHs.h"
#include "rainfall/dlgTablasPDRs.h"
#include "rainfall/tablaspdr.h"
#include "rainfall/tormenta.h"
#include "reservoirs/dlgTablaReservorio.h"
#include "reservoirs/tablas.h"
#include "shell/MDIForm1.h"

namespace tavo {
namespace {

// What an input shows once the typed text was taken, and the value the program stored from it.
struct Esperado {
  Esperado(const char* m, double g, QStringList msgs = {})
      : mostrado(QString::fromUtf8(m)), guardado(g), mensajes(std::move(msgs)) {}
  QString mostrado;
  double guardado;
  QStringList mensajes;  // the messages on the way, each answered as the row says
};

class ComaDecimalTest;

struct Caso {
  const char* nombre;
  // Opens the window as the user does, types `texto` into the input, has the window take it (leaving
  // the box or the cell, or its button) and gives what the input shows and the value stored.
  std::function<std::pair<QString, double>(ComaDecimalTest&, const QString&)> entra;
  Esperado con05;        // "0,5" typed
  Esperado con125;       // "12,5" typed
  int respuesta = vbOK;  // the answer to the row's first message; the others are answered OK
};

void PrintTo(const Caso& caso, std::ostream* os) {
  *os << caso.nombre;
}

// Project Cuenca saved and open (units u-Norte and u-Sur, reaches c-Medio and c-Bajo), the main window
// shown, and in memory a dam r-1 and a lake l-1 besides the saved network.
class ComaDecimalTest : public test::TablasTest, public ::testing::WithParamInterface<std::tuple<Caso, int>> {
 protected:
  void SetUp() override {
    TablasTest::SetUp();
    Cuenca();
    CargaRedProyecto();
    test::AddRepresa(QStringLiteral("r-1"), QStringLiteral("c-Bajo"));
    test::AddLago(QStringLiteral("l-1"), QStringLiteral("c-Bajo"));
    selUEH = selCauce = selRepresa = selLago = 1;
  }

 public:
  using TablasTest::main;

  // Shows a window modeless and active, as its opener does.
  template <class Window>
  static Window& Abre() {
    Window& w = FormInstance<Window>::instance();
    ShowModeless(&w, false);
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    return w;
  }
  static void TecleaYSale(QLineEdit* box, const QString& texto) {
    test::Type(box, texto);
    test::Leave(box);
  }
  // Types into an emptied grid cell, as the user does.
  static void TecleaCelda(FlexGrid* grilla, int fila, int col, const QString& texto) {
    test::ClickCell(grilla, fila, col);
    QTest::keyClick(grilla, Qt::Key_Delete);
    QTest::keyClicks(grilla, texto);
  }
  static void Pulsa(QWidget* boton) { QTest::mouseClick(boton, Qt::LeftButton); }

  // A box of the settings form, on its tab, and the settings value it sets.
  static Caso Configuracion(const char* nombre, ValidatedBox* frmConfigura::*caja, int tab,
                            std::function<double()> valor, Esperado con05, Esperado con125) {
    return {nombre,
            [caja, tab, valor](ComaDecimalTest&, const QString& texto) {
              frmConfigura& f = Abre<frmConfigura>();
              f.SSTab1->setCurrentIndex(tab);
              TecleaYSale(f.*caja, texto);
              return std::pair{(f.*caja)->text(), valor()};
            },
            std::move(con05), std::move(con125)};
  }

  // A component dialog's box, left and committed with "Aceptar"; `antes` prepares the dialog.
  template <class Dialog>
  static Caso Componente(const char* nombre, ValidatedBox* Dialog::*caja, std::function<double()> valor,
                         Esperado con05, Esperado con125, std::function<void(Dialog&)> antes = {}) {
    return {nombre,
            [caja, valor, antes](ComaDecimalTest&, const QString& texto) {
              Dialog& d = Abre<Dialog>();
              if (antes) antes(d);
              TecleaYSale(d.*caja, texto);
              const QString mostrado = (d.*caja)->text();
              Pulsa(d.OKButton);
              return std::pair{mostrado, valor()};
            },
            std::move(con05), std::move(con125)};
  }

  // The dam's height-area-storage table window, opened from the dam dialog.
  static dlgTablaSHV& TablaRepresa() {
    dlgRepresas& d = Abre<dlgRepresas>();
    Pulsa(d.cmdHSV);
    dlgTablaSHV& t = dlgTablaSHV::object();
    QApplication::setActiveWindow(&t);
    QApplication::processEvents();
    return t;
  }

  // The measured storm "Tres_pt.pcn" (three intervals), in its editor opened from the storm dialog.
  dlgPpReal& TormentaReal() {
    test::WriteBytes(
        archivo("Tres_pt.pcn"),
        "\"tres\"\r\n3,10\r\n\"12/12/2004\",\"20:30\"\r\n\"12/12/2004\",\"21:00\"\r\n2.5\r\n4\r\n0\r\n");
    FormaPp = 4;
    dlgPp::MiFilePpReal = QStringLiteral("Tres_pt.pcn");
    Pulsa(Abre<dlgPp>().cmdPpReal);
    dlgPpReal& r = dlgPpReal::instance();
    QApplication::setActiveWindow(&r);
    QApplication::processEvents();
    return r;
  }

  // The four storm tables, table 1 with four storms, in the program folder; the window on table 1.
  dlgTablasPDRs& TablasPDR() {
    test::WriteBytes(path("TablasPDRs_pdr.pcn"),
                     "1,4,0,0\r\n\"Regional\"\r\n15,10,2\r\n\"Mis tormentas\"\r\n10,30,2\r\n20,60,2\r\n"
                     "25,120,2\r\n30,60,5\r\n\"\"\r\n\"\"\r\n");
    NroTablaPDR = 1;
    return Abre<dlgTablasPDRs>();
  }

  // User distribution 1 with four periods, in the program folder; the editor on it.
  dlgDisPpPer& Distribucion() {
    test::WriteBytes(
        path("distriPp_dpt.pcn"),
        "4,0,0\r\n\"Lluvia frontal\"\r\n30,360\r\n10\r\n40\r\n30\r\n20\r\n\"\"\r\n0,0\r\n\"\"\r\n0,0\r\n");
    dlgDisPpPer::NroTablaDisPer = 1;
    return Abre<dlgDisPpPer>();
  }

  // The editable parameter table, from the main window's menu.
  static dlgUEHsEditTabla& TablaParametros() {
    main().mnuEditfrmUEHsTabla->trigger();
    QApplication::processEvents();
    dlgUEHsEditTabla& t = dlgUEHsEditTabla::instance();
    QApplication::setActiveWindow(&t);
    QApplication::processEvents();
    return t;
  }

  // The value of line `linea` (from 0) of the project's settings file.
  double ValorConfiguracion(int linea) const {
    const QString valor = DecodeWindows1252(test::ReadBytes(archivo("Cuenca_Conf.pcn"))).split("\r\n")[linea];
    return Val(QString(valor).remove(QLatin1Char('"')));
  }
};

const QString kAdicional = QStringLiteral("Ingrese un valor numérico entre 10 y 30000");
const QString kGuardadoConf =
    QStringLiteral("Los datos de configuración del proyecto se han guardado correctamente en el archivo ");
const QString kGuardadoRed = QStringLiteral(
    "Los datos de componentes de Unidades Hidrológicas del proyecto se han guardado correctamente en el "
    "archivo ");
const QString kPregunta =
    QStringLiteral("Confirma los cambios producidos en la tabla de datos de Entradas ?");

std::vector<Caso> Casos() {
  using T = ComaDecimalTest;
  return {
      // ---- the settings form ----
      T::Configuracion("TiempoAdicional", &frmConfigura::txtN0Dur, frmConfigura::kTabVer,
                       [] { return TiempoAdicional; }, {"0.5", 0.5, {kAdicional}}, {"12.5", 12.5}),
      T::Configuracion("EscalaDibujo", &frmConfigura::txtEscalaImagen, frmConfigura::kTabVer,
                       [] { return Val(EscalaDibujo); }, {"0.5", 0.5}, {"12.5", 12.5}),
      T::Configuracion("EscalaImagen", &frmConfigura::TexIMGEscala, frmConfigura::kTabImagenFondo,
                       [] { return EscalaImagenFondo; }, {"0.5", 0.5}, {"12.5", 12.5}),
      T::Configuracion("PosicionX", &frmConfigura::TexIMGX0, frmConfigura::kTabImagenFondo,
                       [] { return PosXImagenFondo; }, {"0.5", 0.5}, {"12.5", 12.5}),
      T::Configuracion("PosicionY", &frmConfigura::TexIMGY0, frmConfigura::kTabImagenFondo,
                       [] { return PosYImagenFondo; }, {"0.5", 0.5}, {"12.5", 12.5}),
      {"AnchoDibujo",
       [](T& t, const QString& texto) {
         frmConfigura& f = T::Abre<frmConfigura>();
         f.SSTab1->setCurrentIndex(frmConfigura::kTabVer);
         T::TecleaYSale(f.txtMaxUEHsPixel, texto);
         T::Pulsa(f.cmdAplicar);
         return std::pair{f.txtMaxUEHsPixel->text(), t.ValorConfiguracion(26)};
       },
       {"0.5", 0.5, {kGuardadoConf}},
       {"12.5", 12.5, {kGuardadoConf}}},

      // ---- the reservoir tables ----
      {"CeldaTablaRepresa",
       [](T&, const QString& texto) {
         dlgTablaSHV& t = T::TablaRepresa();
         T::TecleaYSale(t.txtNroFilas, QStringLiteral("1"));
         t.MSFlexGridFQ->setTextMatrix(1, 2, QStringLiteral("1"));
         t.MSFlexGridFQ->setTextMatrix(1, 3, QStringLiteral("0"));
         T::TecleaCelda(t.MSFlexGridFQ, 1, 1, texto);
         T::Pulsa(t.cmdAplicar);
         return std::pair{t.MSFlexGridFQ->TextMatrix(1, 1), double(HTablaHSVRepresa(1, 1))};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},
      {"FilasTablaRepresa",
       [](T&, const QString& texto) {
         dlgTablaSHV& t = T::TablaRepresa();
         T::TecleaYSale(t.txtNroFilas, texto);
         return std::pair{t.txtNroFilas->text(), double(dlgTablaSHV::Estado.NroFilas)};
       },
       {"0", 0},
       {"12", 12}},

      // ---- the storm dialog ----
      {"Pp",
       [](T&, const QString& texto) {
         dlgPp& d = T::Abre<dlgPp>();
         T::TecleaYSale(d.txtPp, texto);
         return std::pair{d.txtPp->text(), double(PpTormenta)};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},
      {"Duracion",
       [](T&, const QString& texto) {
         dlgPp& d = T::Abre<dlgPp>();
         T::TecleaYSale(d.txtDur, texto);
         return std::pair{d.txtDur->text(), double(DurTormenta)};
       },
       {"0", 0},
       {"12", 12}},
      {"Recurrencia",
       [](T&, const QString& texto) {
         dlgPp& d = T::Abre<dlgPp>();
         d.txtPp->setText(QStringLiteral("40"));
         d.txtDur->setText(QStringLiteral("60"));
         d.cmbRec->setFocus();
         QApplication::processEvents();
         d.cmbRec->lineEdit()->selectAll();
         QTest::keyClicks(d.cmbRec, texto);
         test::Leave(d.cmbRec);
         const QString mostrado = d.cmbRec->currentText();
         T::Pulsa(d.cmdAplicar);
         return std::pair{mostrado, double(RecTormenta)};
       },
       {"0.5", 0},
       {"12.5", 12}},

      // ---- the per-unit depth table ----
      {"DuracionPorUnidad",
       [](T&, const QString& texto) {
         dlgTablaPpUEHs& d = T::Abre<dlgTablaPpUEHs>();
         T::TecleaYSale(d.txtDPpUEHs, texto);
         return std::pair{d.txtDPpUEHs->text(), double(dlgTablaPpUEHs::DPpUEHs)};
       },
       {"0", 0},
       {"12", 12}},
      {"RecurrenciaPorUnidad",
       [](T&, const QString& texto) {
         dlgTablaPpUEHs& d = T::Abre<dlgTablaPpUEHs>();
         T::TecleaYSale(d.txtRPpUEHs, texto);
         return std::pair{d.txtRPpUEHs->text(), double(dlgTablaPpUEHs::RPpUEHs)};
       },
       {"0", 0},
       {"12", 12}},
      {"CeldaPorUnidad",
       [](T&, const QString& texto) {
         dlgTablaPpUEHs::DPpUEHs = 60;
         dlgTablaPpUEHs::RPpUEHs = 25;
         dlgTablaPpUEHs& d = T::Abre<dlgTablaPpUEHs>();
         T::TecleaCelda(d.MSFlexGridPpUEHs, 1, 2, texto);
         T::Pulsa(d.cmdAplicar);
         return std::pair{d.MSFlexGridPpUEHs->TextMatrix(1, 2), double(PpUEH(1))};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},

      // ---- the storm tables ----
      {"TormentasPDR",
       [](T& t, const QString& texto) {
         dlgTablasPDRs& d = t.TablasPDR();
         T::TecleaYSale(d.txtNroPDRs, texto);
         return std::pair{d.txtNroPDRs->text(), double(NroFilasTablaPDR[1])};
       },
       {"0", 0},
       {"12", 12}},
      {"CeldaPDR",
       [](T& t, const QString& texto) {
         dlgTablasPDRs& d = t.TablasPDR();
         T::TecleaCelda(d.MSFlexGridTablaPDRs, 1, 1, texto);
         T::Pulsa(d.cmdAplicar);
         return std::pair{d.MSFlexGridTablaPDRs->TextMatrix(1, 1), double(PpTablaPDR(1, 1))};
       },
       {"0.5", 0},
       {"12.5", 12}},

      // ---- the user distributions ----
      {"PeriodosDistribucion",
       [](T& t, const QString& texto) {
         dlgDisPpPer& d = t.Distribucion();
         T::TecleaYSale(d.txtNroPer, texto);
         return std::pair{d.txtNroPer->text(), double(NroFilasTablaPp[1])};
       },
       {"0", 0},
       {"12", 12}},
      {"CeldaDistribucion",
       [](T& t, const QString& texto) {
         dlgDisPpPer& d = t.Distribucion();
         T::TecleaCelda(d.MSFlexGridDisPerso, 1, 2, texto);
         test::ClickCell(d.MSFlexGridDisPerso, 2, 2);
         return std::pair{d.MSFlexGridDisPerso->TextMatrix(1, 2), double(DisPer(1, 1))};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},

      // ---- the measured storms ----
      {"IntervalosTormentaReal",
       [](T& t, const QString& texto) {
         dlgPpReal& d = t.TormentaReal();
         T::TecleaYSale(d.txtNroPpReal, texto);
         return std::pair{d.txtNroPpReal->text(), double(NumPer)};
       },
       {"0", 0},
       {"12", 12}},
      {"CeldaTormentaReal",
       [](T& t, const QString& texto) {
         dlgPpReal& d = t.TormentaReal();
         T::TecleaCelda(d.MSFlexGridTablaPpReal, 1, 3, texto);
         test::ClickCell(d.MSFlexGridTablaPpReal, 2, 3);
         return std::pair{d.MSFlexGridTablaPpReal->TextMatrix(1, 3), double(PpPeriodo(1))};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},

      // ---- the component dialogs ----
      T::Componente<dlgUEH2>("AreaUnidad", &dlgUEH2::txtArea, [] { return vUEHs[1]->Area; }, {"0.5", 0.5},
                             {"12.5", 12.5}),
      T::Componente<dlgCauceEditProp>("LongitudTramo", &dlgCauceEditProp::txtLongCauce,
                                      [] { return vCauces[1]->LongCauce; }, {"0.5", 0.5}, {"12.5", 12.5}),
      T::Componente<dlgLago>(
          "KLago", &dlgLago::txtLago_k, [] { return vLagos[1]->Lago_k_Musk; }, {"0.5", 0.5}, {"12.5", 12.5},
          [](dlgLago& d) { test::ClickListEntry(d.lstMetodo, kMuskingum); }),
      {"FuncionRepresa",
       [](T&, const QString& texto) {
         vRepresas[1]->optTabla = false;
         vRepresas[1]->chkFQ1 = 1;
         dlgRepresas& d = T::Abre<dlgRepresas>();
         T::TecleaYSale(d.txtFQa[1], texto);
         const QString mostrado = d.txtFQa[1]->text();
         T::Pulsa(d.OKButton);
         return std::pair{mostrado, double(vRepresas[1]->FQa1)};
       },
       {"0.5", 0.5},
       {"12.5", 12.5}},

      // ---- the editable parameter table ----
      {"CeldaParametroUnidad",
       [](T&, const QString& texto) {
         dlgUEHsEditTabla& d = T::TablaParametros();
         T::TecleaCelda(d.MSFlexGridEditUEHs, 1, 5, texto);
         const QString mostrado = d.MSFlexGridEditUEHs->TextMatrix(1, 5);
         T::Pulsa(d.OKButton);
         return std::pair{mostrado, double(vUEHs[1]->Area)};
       },
       {"0.5", 0.5, {kPregunta, kGuardadoRed}},
       {"12.5", 12.5, {kPregunta, kGuardadoRed}},
       vbYes},
      {"CeldaParametroTramo",
       [](T&, const QString& texto) {
         dlgUEHsEditTabla& d = T::TablaParametros();
         T::TecleaCelda(d.MSFlexGridEditCauces, 1, 7, texto);
         const QString mostrado = d.MSFlexGridEditCauces->TextMatrix(1, 7);
         T::Pulsa(d.OKButton);
         return std::pair{mostrado, double(vCauces[1]->VelMediaCauce)};
       },
       {"0.5", 0.5, {kPregunta, kGuardadoRed}},
       {"12.5", 12.5, {kPregunta, kGuardadoRed}},
       vbYes},

      // ---- the formulas calculator: the value read is Valentini's Qp = 27 S^0.5 ----
      {"SuperficieFormulas",
       [](T&, const QString& texto) {
         T::main().mnuEmpiricos->trigger();
         dlgEmpiricas& d = dlgEmpiricas::instance();
         QApplication::setActiveWindow(&d);
         QApplication::processEvents();
         T::TecleaYSale(d.txtSup, texto);
         return std::pair{d.txtSup->text(), Val(d.txtQpValentini->text())};
       },
       {"0.5", 19.09},
       {"12.5", 95.46}},
  };
}

TEST_P(ComaDecimalTest, IsTheDecimalPoint) {
  const auto& [caso, cual] = GetParam();
  const Esperado& esperado = cual == 0 ? caso.con05 : caso.con125;
  const QString texto = cual == 0 ? QStringLiteral("0,5") : QStringLiteral("12,5");
  for (qsizetype i = 0; i < esperado.mensajes.size(); ++i) dialogs.answer(i == 0 ? caso.respuesta : vbOK);
  const auto [mostrado, guardado] = caso.entra(*this, texto);
  EXPECT_EQ(mostrado, esperado.mostrado);
  EXPECT_DOUBLE_EQ(guardado, esperado.guardado);
  QStringList mensajes;
  for (const QString& p : test::Prompts(dialogs)) {
    // A message that names a file is known by its words before the name.
    const auto conocido = std::find_if(esperado.mensajes.begin(), esperado.mensajes.end(),
                                       [&p](const QString& m) { return p.startsWith(m); });
    mensajes << (conocido != esperado.mensajes.end() ? *conocido : p);
  }
  EXPECT_EQ(mensajes, esperado.mensajes) << test::DescribeDialogs(dialogs).toStdString();
}

INSTANTIATE_TEST_SUITE_P(EnCadaCampo, ComaDecimalTest,
                         ::testing::Combine(::testing::ValuesIn(Casos()), ::testing::Values(0, 1)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nombre) +
                                  (std::get<1>(info.param) == 0 ? "_0coma5" : "_12coma5");
                         });

}  // namespace
}  // namespace tavo
