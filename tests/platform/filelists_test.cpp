#include "platform/filelists.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "platform/errors.h"
#include "platform/seqfile.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ErrorOf;
using test::WriteBytes;

class FileListsTest : public test::TavoTest {};

QStringList Texts(const QListWidget& list) {
  QStringList out;
  for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
  return out;
}

void DoubleClick(QListWidget& list, const QString& text) {
  const auto items = list.findItems(text, Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << text.toStdString();
  // A double click as the window system delivers it: a click, then the double click.
  const QPoint at = list.visualItemRect(items[0]).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

TEST_F(FileListsTest, FolderListShowsParentsAndSubfoldersAndOpensThem) {
  QDir(programDir()).mkpath("obras/b");
  QDir(programDir()).mkpath("obras/A");
  DirList folders;
  folders.show();
  QSignalSpy changed(&folders, &DirList::changed);
  folders.setPath(path("obras"));
  EXPECT_EQ(folders.path(), path("obras"));
  EXPECT_EQ(changed.count(), 1);
  const QStringList texts = Texts(folders);
  ASSERT_GE(texts.size(), 4);
  EXPECT_EQ(texts.first(), "/");
  EXPECT_EQ(texts.mid(texts.size() - 3), (QStringList{"obras", "A", "b"}));

  DoubleClick(folders, "b");
  EXPECT_EQ(folders.path(), path("obras/b"));
  EXPECT_EQ(changed.count(), 2);

  // A relative name opens from the program's current directory; a missing folder is refused.
  folders.setPath("obras");
  EXPECT_EQ(folders.path(), path("obras"));
  EXPECT_EQ(ErrorOf([&] { folders.setPath(path("nada")); }), kErrPathNotFound);
  EXPECT_EQ(folders.path(), path("obras"));
}

TEST_F(FileListsTest, FolderThatCannotBeOpenedIsReportedAndTheListStays) {
  QDir(programDir()).mkpath("obras/borrada");
  DirList folders;
  folders.show();
  folders.setPath(path("obras"));
  QDir(path("obras/borrada")).removeRecursively();
  dialogs.answer(vbOK);
  DoubleClick(folders, "borrada");
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 76 ,No se ha encontrado la ruta de accesoVerifique.");
  EXPECT_EQ(folders.path(), path("obras"));
}

TEST_F(FileListsTest, FileListMatchesItsPatternInAnyCaseAndKeepsTheChosenFile) {
  QDir(programDir()).mkdir("otra");
  for (const char* name : {"b.JPG", "a.gif", "c.txt", "Rio_Conf.pcn"}) WriteBytes(path(name), "x");
  WriteBytes(path("otra/a.gif"), "x");
  FileList files;
  files.setPath(programDir());
  files.setPattern("*.jpg;*.gif");
  EXPECT_EQ(Texts(files), (QStringList{"a.gif", "b.JPG"}));
  EXPECT_TRUE(files.fileName().isEmpty());

  files.setFileName("b.JPG");
  EXPECT_EQ(files.fileName(), "b.JPG");
  files.setPath(programDir());  // the same folder listed again
  EXPECT_EQ(files.fileName(), "b.JPG");
  files.setPath(path("otra"));
  EXPECT_TRUE(files.fileName().isEmpty());

  // A name with its folder moves the list there.
  files.setPattern("*Conf.pcn");
  files.setFileName(programDir() + "/Rio_Conf.pcn");
  EXPECT_EQ(files.path(), programDir());
  EXPECT_EQ(files.fileName(), "Rio_Conf.pcn");
  EXPECT_EQ(ErrorOf([&] { files.setPath(path("nada")); }), kErrPathNotFound);
}

TEST_F(FileListsTest, DriveListAcceptsAndIgnoresDrivesOfAnotherMachine) {
  DriveList drives;
  ASSERT_EQ(drives.count(), 1);
  EXPECT_EQ(drives.drive(), "/");
  drives.setDrive("c: [Disco C]");
  EXPECT_EQ(drives.drive(), "/");
  EXPECT_EQ(ErrorOf([&] { drives.setDrive("disco"); }), kErrDeviceUnavailable);
}

}  // namespace
}  // namespace tavo
