#include "project/estado.h"

#include "platform/app.h"
#include "project/directorio.h"

namespace tavo {

void ReiniciaProyecto() {
  ++ProjectResets;
  colUEHs.clear();
  colCauces.clear();
  colRepresas.clear();
  colLagos.clear();
  selUEH = 0;
  selRepresa = 0;
  selLago = 0;
  selCauce = 0;
  nCauces = 0;
  nUEHs = 0;
  nRepresas = 0;
  nLagos = 0;
  RutaArchivo.clear();
  DirActual.clear();
  DirTrabajo.clear();
  NombreProyecto.clear();
  LeeArchivoDirectorio();
}

void LeeDimensionesPantalla() {
  AnchoPantalla = CLng(ScreenWidthTwips());
  AltoPantalla = CLng(ScreenHeightTwips());
}

void ResetEstadoProyecto() {
  TituloPrograma.clear();
  DirPrograma.clear();
  DirActual.clear();
  DirTrabajo.clear();
  NombreProyecto.clear();
  RutaArchivo.clear();
  ProyectoNuevo = false;
  HayUltimoProyecto = false;
  colCauces.clear();
  colUEHs.clear();
  colLagos.clear();
  colRepresas.clear();
  vCauces.fill(nullptr);
  vUEHs.fill(nullptr);
  vLagos.fill(nullptr);
  vRepresas.fill(nullptr);
  nCauces = nUEHs = nLagos = nRepresas = 0;
  ProjectResets = 0;
  SavedNetworkText.clear();
  selCauce = selCauce2 = selUEH = selRepresa = selLago = 0;
  numVerticesCauce.redim(0, 100);
  XVertice.redim(kMaxCauces, 5);
  YVertice.redim(kMaxCauces, 5);
  iCauce = iUEH = iRepresa = iLago = jVertice = 0;
  ElementoActual.reset();
  iGlobal = 0;
  LecturaTexto.clear();
  LecturaSimple = 0;
  LecturaLogica = false;
  AnchoPantalla = AltoPantalla = 0;
}

}  // namespace tavo
