// Project files written by hand for the tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/seqfile.h"

namespace tavo::test {

// A settings file of project `name` recording `folder`, titled `title`, with a drawing `extent` at
// 100 % zoom and a background `picture` ("Ninguno": none).
inline QByteArray SettingsFile(const QString& name, const QString& folder, const QString& title,
                               const QString& extent = QStringLiteral("800"),
                               const QString& picture = QStringLiteral("Ninguno")) {
  QStringList v;
  auto text = [&v](const QString& s) { v << "\"" + s + "\""; };
  text(name);
  text(title);
  for (const char* s : {"Ubicación", "Cuenca", "SubCuenca", "Operador", "01/02/2006", "/"})
    text(QString::fromUtf8(s));
  text(folder);
  text("");
  v << "1";
  text(name + "_Conf.pcn");
  v << (picture == QLatin1String("Ninguno") ? "0" : "1");
  text(picture);
  text("0");
  text("");
  v << "#TRUE#"
    << "#FALSE#"
    << "#FALSE#"
    << "0"
    << "0"
    << "#TRUE#"
    << "#FALSE#"
    << "#TRUE#"
    << "#FALSE#"
    << "10";
  text(extent);
  text("0");
  for (int k = 0; k < 31; ++k) v << (k % 3 ? "1" : "0");
  return EncodeWindows1252(v.join("\r\n") + "\r\n");
}

}  // namespace tavo::test
