// Each hook does what the lower layer's procedure would do with the window it cannot include.
#include "shell/hooks.h"

#include "components/dlgLago.h"
#include "components/dlgRepresas.h"
#include "editor/frmUEHs.h"
#include "editor/hooks.h"
#include "engine/frmPp.h"
#include "engine/frmPp2.h"
#include "engine/hooks.h"
#include "engine/informe.h"
#include "project/directorio.h"
#include "project/frmConfigura.h"
#include "project/hooks.h"
#include "reservoirs/hooks.h"
#include "reservoirs/tablas.h"
#include "results/dlgTablaSalePDR.h"
#include "shell/MDIForm1.h"

namespace tavo {

void InstallWindowHooks() {
  // ---- the main window ----
  // Without a main window (a run with no windows) only the working-directory file is written.
  ShowProjectHook.install([] {
    if (MDIForm1::isLoaded()) {
      MDIForm1::instance().carga_lbl_proyecto();
    } else {
      GuardaArchivoDirectorio();
    }
  });
  ShowProjectIfMainWindowHook.install([] {
    if (!MDIForm1::exists()) return false;
    MDIForm1::object().carga_lbl_proyecto();
    return true;
  });
  EnableSaveAsHook.install(
      [] { FormInstance<MDIForm1>::instance().mnuGuardarProyectoComo->setEnabled(true); });
  RefillProjectPanelHook.install([] {
    if (MDIForm1::exists()) MDIForm1::object().FillProjectPanel();
  });
  EnableDamTestsHook.install([] {
    if (!MDIForm1::isLoaded()) return;
    MDIForm1& principal = MDIForm1::instance();
    principal.mnu_prueba_funcionesSHVrepresas->setEnabled(true);
    principal.mnu_prueba_funcionesHQrepresas->setEnabled(true);
  });
  EnableMainWindowHook.install([](bool enabled) {
    if (MDIForm1::exists()) MDIForm1::object().HabilitaPrincipal(enabled);
  });
  ReportSettingHook.install([] {
    if (MDIForm1::exists()) MDIForm1::object().mnuPizarra1->setChecked(PizarraMarcada);
  });

  // ---- the settings form ----
  SettingsFormLoadedHook.install([] { return frmConfigura::isLoaded(); });
  ReadSettingsWithFormHook.install([] { FormInstance<frmConfigura>::instance().leoConf(); });
  InitialiseSettingsFormHook.install([] { FormInstance<frmConfigura>::instance().InicializaConfigura(); });
  ShowSettingsFileNameHook.install([](const QString& archivo) {
    if (FormInstance<frmConfigura>::exists())
      FormInstance<frmConfigura>::object().lblMiArchivoConf->setText(archivo);
  });
  WriteSettingsFileHook.install([](const QString& archivo, QStringList* confirmaciones) {
    frmConfigura& configura = FormInstance<frmConfigura>::instance();
    configura.lblMiArchivoConf->setText(archivo);
    return WriteSettingsFile(configura, confirmaciones);
  });

  // ---- the network editor and the reservoir tables ----
  RedrawNetworkHook.install([] { DibujaRed(); });
  RenamedTableFilesHook.install([] { return TablasRenombradas(); });

  // ---- the component dialogs ----
  LakeTableCaptionHook.install([](const QString& caption) {
    if (dlgLago::isLoaded()) dlgLago::object().lblParametros->setText(caption);
  });
  LakeTablesOwnerHook.install(
      []() -> QWidget* { return dlgLago::isLoaded() ? &dlgLago::object() : nullptr; });
  DamTablesOwnerHook.install(
      []() -> QWidget* { return dlgRepresas::isLoaded() ? &dlgRepresas::object() : nullptr; });

  // ---- the report and progress windows ----
  InstallReportWindowHooks();
  InstallProgressWindowHooks();

  // ---- the results windows ----
  ShowSeriesResultsHook.install([] { MuestraTablaSalePDR(); });
}

}  // namespace tavo
