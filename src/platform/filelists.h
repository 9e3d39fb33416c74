// The drive, folder and file lists with which a window lets the user walk the disk: a drive list, a
// folder list showing the open folder with its parents and subfolders, and a list of the files of a
// folder that match a pattern.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace tavo {

// The drives of the machine (on Linux the one root "/"). A drive text of another machine
// ("c: [Disco C]", read from an old data file) is accepted and ignored.
class DriveList : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveList(QWidget* parent = nullptr);

  // The selected drive as the list names it.
  QString drive() const { return currentText(); }
  // Selects a drive by its text: error 68 when the text names no drive of this machine and is no
  // drive letter of another one.
  void setDrive(const QString& text);
  // Selects the drive that holds a folder.
  void showDriveOf(const QString& folder);
  // The check setDrive makes, with no list: error 68 when the text names no drive of this machine
  // and is no drive letter of another one.
  static void requireDrive(const QString& text);

 signals:
  // The selected drive changed (by the user or by the program).
  void changed();
};

// A folder list: the open folder with its parents above it and its subfolders below. A double
// click (or Enter) on an entry opens it; a folder that cannot be read shows "Error Nro. ..." and the
// list stays where it was.
class DirList : public QListWidget {
  Q_OBJECT
 public:
  explicit DirList(QWidget* parent = nullptr);

  // The open folder, as an absolute, cleaned path.
  QString path() const { return path_; }
  // Opens a folder (relative names resolve against the program's current directory): error 76 when
  // it does not exist, 70 when it cannot be read. The list then fires `changed`.
  void setPath(const QString& folder);
  // The check setPath makes, with no list: error 76 when the folder does not exist, 70 when it
  // cannot be read.
  static void requireFolder(const QString& folder);

 signals:
  // A folder was opened.
  void changed();

 private:
  void openEntry(QListWidgetItem* item);
  void fill();
  QString path_;
};

// The files of one folder whose names match a pattern ("*Conf.pcn", or several separated by ";"),
// in any letter case, sorted by name.
class FileList : public QListWidget {
  Q_OBJECT
 public:
  explicit FileList(QWidget* parent = nullptr);

  QString path() const { return path_; }
  // Lists a folder (error 76 when it does not exist). In another folder no file is chosen.
  void setPath(const QString& folder);
  QString pattern() const { return pattern_; }
  void setPattern(const QString& pattern);
  // The chosen file name, without its folder; empty when none is chosen.
  QString fileName() const;
  // Chooses a file. A name with a folder makes that folder the list's folder first.
  void setFileName(const QString& name);
  // Lists the folder again; the chosen file stays chosen while it is listed.
  void refresh();

 signals:
  // The user chose an entry with the mouse or the keyboard.
  void clicked();
  // A mouse button went down on the list (after the entry under it was chosen).
  void mousePressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString path_;
  QString pattern_ = QStringLiteral("*.*");
};

}  // namespace tavo
