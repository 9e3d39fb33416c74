#include "project/estado.h"

#include <QDir>

#include "platform/app.h"
#include "platform/seqfile.h"
#include "support/fixture.h"

namespace tavo {
namespace {

class EstadoTest : public test::TavoTest {};

TEST_F(EstadoTest, ResetEmptiesTheNetworkAndRereadsTheWorkingDirectory) {
  QDir(programDir()).mkdir(QStringLiteral("obra"));
  test::WriteBytes(path("PelcanDir.pcn"), ("\"" + path("obra") + "\"\r\n\"demo\"\r\n").toLatin1());
  auto reach = std::make_shared<Cauce>();
  colCauces = {reach, std::make_shared<Cauce>()};
  vCauces[1] = reach;
  colUEHs = {std::make_shared<UEH>()};
  nCauces = 2;
  nUEHs = 1;
  nRepresas = 3;
  nLagos = 4;
  selCauce = selUEH = selRepresa = selLago = 1;
  selCauce2 = 2;
  DirTrabajo = QStringLiteral("/otra");
  RutaArchivo = QStringLiteral("/otra/x.pcn");
  numVerticesCauce(1) = 7;

  ReiniciaProyecto();

  EXPECT_TRUE(colCauces.empty());
  EXPECT_TRUE(colUEHs.empty());
  EXPECT_TRUE(colRepresas.empty());
  EXPECT_TRUE(colLagos.empty());
  EXPECT_EQ(nCauces + nUEHs + nRepresas + nLagos, 0);
  EXPECT_EQ(selCauce + selUEH + selRepresa + selLago, 0);
  EXPECT_EQ(selCauce2, 2);
  EXPECT_EQ(DirActual, path("obra"));
  EXPECT_EQ(NombreProyecto, "demo");
  EXPECT_TRUE(DirTrabajo.isEmpty());
  EXPECT_TRUE(RutaArchivo.isEmpty());
  // The arrays keep what they held.
  EXPECT_EQ(vCauces[1], reach);
  EXPECT_EQ(numVerticesCauce(1), 7);
  EXPECT_EQ(CurDir(), path("obra"));
}

TEST_F(EstadoTest, ResetWithoutWorkingDirectoryFileUsesTheDefaults) {
  NombreProyecto = QStringLiteral("viejo");
  ReiniciaProyecto();
  EXPECT_EQ(DirActual, path("Proyectos"));
  EXPECT_TRUE(NombreProyecto.isEmpty());
}

TEST_F(EstadoTest, ScreenSizeInTwips) {
  LeeDimensionesPantalla();
  EXPECT_EQ(AnchoPantalla, ScreenWidthPixels() * 15);
  EXPECT_EQ(AltoPantalla, ScreenHeightPixels() * 15);
  EXPECT_GT(AnchoPantalla, 0);
}

TEST_F(EstadoTest, GeometryArraysCheckTheirBounds) {
  EXPECT_EQ(XVertice.upper1(), 70);
  EXPECT_EQ(XVertice.upper2(), 5);
  XVertice(3, 5) = 1.5f;
  XVertice.redimPreserve(8);
  EXPECT_EQ(XVertice(3, 5), 1.5f);
  EXPECT_EQ(XVertice(3, 8), 0.0f);
  EXPECT_THROW(XVertice(71, 1), VbError);
  EXPECT_THROW(XVertice(1, 9), VbError);
  EXPECT_EQ(numVerticesCauce.upper(), 100);
}

}  // namespace
}  // namespace tavo
