// The About box: the program's title and version, and the system information button.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/forms.h"
#include "platform/vb.h"

namespace tavo {

class frmAbout : public QWidget, public FormInstance<frmAbout> {
  Q_OBJECT
 public:
  frmAbout();
  void Form_Load();
  void Form_Unload() {}

  void cmdOK_Click();
  void cmdSysInfo_Click();
  // Finds and starts the system information program, or says that it is not available.
  void StartSysInfo();
  // Reads a value of the system's registry. There is no registry here: nothing is ever found.
  Boolean GetKeyValue(Long keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyValue);

  QLabel* picIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QLabel* Label4;
  QPushButton* cmdOK;
  QPushButton* cmdSysInfo;
};

}  // namespace tavo
