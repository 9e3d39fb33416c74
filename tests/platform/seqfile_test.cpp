#include "platform/seqfile.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <string>

#include "platform/errors.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class SeqFileTest : public test::TavoTest {};

using test::ErrorOf;

TEST_F(SeqFileTest, WriteProducesWindowsBytes) {
  SeqFile f(QStringLiteral("datos.pcn"), OpenMode::Output);
  f.write({QStringLiteral("Río Ñuble"), Integer(3), Single(0.5f), Single(0.00001f), Double(12345678.0)});
  f.write({true, false, Variant(), Long(-7)});
  f.write({Single(-0.75f)});
  f.print(QStringLiteral("Caudal Máximo = "), false);
  f.print(QStringLiteral(" .12 m3/s"));
  f.close();
  const QByteArray expected =
      "\"R\xEDo \xD1uble\",3,.5,1E-05,12345678\r\n"
      "#TRUE#,#FALSE#,,-7\r\n"
      "-.75\r\n"
      "Caudal M\xE1ximo =  .12 m3/s\r\n";
  EXPECT_EQ(ReadBytes(path("datos.pcn")), expected);
}

TEST_F(SeqFileTest, InputReadsValuesAcrossCommasAndLineEnds) {
  // Line ends may be CR LF or LF alone; blanks around unquoted values are dropped.
  WriteBytes(path("in.pcn"), "\"a, \xE1\" ,  12 ,.5\n#TRUE#,#FALSE#\r\n 1E-05 , -3\r\n\"sin cierre");
  SeqFile f(QStringLiteral("in.pcn"), OpenMode::Input);
  EXPECT_EQ(f.inputString(), QStringLiteral("a, á"));
  EXPECT_EQ(f.inputInteger(), 12);
  EXPECT_EQ(f.inputSingle(), 0.5f);
  EXPECT_TRUE(f.inputBoolean());
  EXPECT_FALSE(f.inputBoolean());
  EXPECT_EQ(f.inputDouble(), 1e-05);
  EXPECT_EQ(f.inputLong(), -3);
  EXPECT_FALSE(f.eof());
  EXPECT_EQ(f.inputString(), QStringLiteral("sin cierre"));
  EXPECT_TRUE(f.eof());
  EXPECT_EQ(ErrorOf([&] { f.inputString(); }), kErrInputPastEnd);
}

TEST_F(SeqFileTest, RoundTripKeepsValuesOfSevenDigits) {
  {
    SeqFile f(QStringLiteral("rt.pcn"), OpenMode::Output);
    f.write(
        {QStringLiteral(""), Single(3.4e38f), Single(-1.234567e-30f), Integer(-32768), Single(16777216.0f)});
    f.close();
  }
  EXPECT_EQ(ReadBytes(path("rt.pcn")), "\"\",3.4E+38,-1.234567E-30,-32768,1.677722E+07\r\n");
  SeqFile f(QStringLiteral("rt.pcn"), OpenMode::Input);
  EXPECT_EQ(f.inputString(), QString());
  EXPECT_EQ(f.inputSingle(), 3.4e38f);
  EXPECT_EQ(f.inputSingle(), -1.234567e-30f);
  EXPECT_EQ(f.inputInteger(), -32768);
  // A Single keeps 7 digits in the file.
  EXPECT_EQ(f.inputSingle(), 16777220.0f);
  EXPECT_TRUE(f.eof());
}

TEST_F(SeqFileTest, ANumberReadIntoASingleIsRoundedToIt) {
  WriteBytes(path("s.pcn"), "16777217\r\n");
  SeqFile f(QStringLiteral("s.pcn"), OpenMode::Input);
  EXPECT_EQ(f.inputSingle(), 16777216.0f);
}

TEST_F(SeqFileTest, TypedInputRaisesTheRuntimeErrors) {
  WriteBytes(path("bad.pcn"), "abc,40000,1e39,\"x\"\r\n");
  SeqFile f(QStringLiteral("bad.pcn"), OpenMode::Input);
  EXPECT_EQ(ErrorOf([&] { f.inputSingle(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([&] { f.inputInteger(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { f.inputSingle(); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([&] { f.inputBoolean(); }), kErrTypeMismatch);
}

TEST_F(SeqFileTest, LineInputAndEof) {
  WriteBytes(path("l.txt"), "uno, \"dos\"\r\n\r\ntres\n");
  SeqFile f(QStringLiteral("l.txt"), OpenMode::Input);
  EXPECT_EQ(f.lineInput(), "uno, \"dos\"");
  EXPECT_EQ(f.lineInput(), "");
  EXPECT_EQ(f.lineInput(), "tres");
  EXPECT_TRUE(f.eof());
  EXPECT_EQ(ErrorOf([&] { f.lineInput(); }), kErrInputPastEnd);
}

TEST_F(SeqFileTest, OpenErrors) {
  QDir(programDir()).mkdir(QStringLiteral("sub"));
  EXPECT_EQ(ErrorOf([] { SeqFile f(QStringLiteral("nada.pcn"), OpenMode::Input); }), kErrFileNotFound);
  EXPECT_EQ(ErrorOf([] { SeqFile f(QStringLiteral("no/existe.pcn"), OpenMode::Input); }), kErrPathNotFound);
  EXPECT_EQ(ErrorOf([] { SeqFile f(QStringLiteral("no/existe.pcn"), OpenMode::Output); }), kErrPathNotFound);
  EXPECT_EQ(ErrorOf([] { SeqFile f(QStringLiteral("sub"), OpenMode::Output); }), kErrPathFileAccess);
  SeqFile open(QStringLiteral("a.pcn"), OpenMode::Output);
  EXPECT_EQ(ErrorOf([] { SeqFile f(QStringLiteral("a.pcn"), OpenMode::Input); }), kErrFileAlreadyOpen);
}

TEST_F(SeqFileTest, UnclosedOutputLeavesTheOldFile) {
  WriteBytes(path("d.pcn"), "viejo\r\n");
  {
    SeqFile f(QStringLiteral("d.pcn"), OpenMode::Output);
    f.write({QStringLiteral("nuevo")});
    // An error here would leave the procedure without closing the file.
  }
  EXPECT_EQ(ReadBytes(path("d.pcn")), "viejo\r\n");
  {
    SeqFile f(QStringLiteral("d.pcn"), OpenMode::Output);
    f.write({QStringLiteral("nuevo")});
    CloseAllFiles();
  }
  EXPECT_EQ(ReadBytes(path("d.pcn")), "\"nuevo\"\r\n");
  QStringList leftovers = QDir(programDir()).entryList(QDir::Files);
  EXPECT_EQ(leftovers, QStringList{QStringLiteral("d.pcn")});
}

TEST_F(SeqFileTest, AppendAddsToTheEnd) {
  WriteBytes(path("ap.txt"), "1\r\n");
  SeqFile f(QStringLiteral("ap.txt"), OpenMode::Append);
  f.write({Integer(2)});
  f.close();
  EXPECT_EQ(ReadBytes(path("ap.txt")), "1\r\n2\r\n");
}

TEST_F(SeqFileTest, FoldersAndFileOperations) {
  EXPECT_EQ(CurDir(), programDir());
  MkDir(QStringLiteral("Proyectos"));
  EXPECT_EQ(ErrorOf([] { MkDir(QStringLiteral("Proyectos")); }), kErrPathFileAccess);
  EXPECT_EQ(ErrorOf([] { MkDir(QStringLiteral("x/y")); }), kErrPathNotFound);
  ChDir(QStringLiteral("Proyectos"));
  EXPECT_EQ(CurDir(), path("Proyectos"));
  EXPECT_EQ(ErrorOf([] { ChDir(QStringLiteral("C:\\TAVO\\Proyectos")); }), kErrPathNotFound);
  EXPECT_EQ(CurDir(), path("Proyectos"));

  WriteBytes(path("Proyectos/a.pcn"), "uno");
  WriteBytes(path("b.pcn"), "otro contenido");
  FileCopy(QStringLiteral("a.pcn"), path("b.pcn"));  // overwrites
  EXPECT_EQ(ReadBytes(path("b.pcn")), "uno");
  // A copy that a full disk cuts short is no copy: the target stays as it was.
  WriteBytes(path("largo.pcn"), "un texto largo");
  test::WithFullDisk(
      5, [&] { EXPECT_EQ(ErrorOf([&] { FileCopy(path("largo.pcn"), path("b.pcn")); }), kErrDiskFull); });
  EXPECT_EQ(ReadBytes(path("b.pcn")), "uno");
  EXPECT_EQ(ErrorOf([] { FileCopy(QStringLiteral("nada"), QStringLiteral("b")); }), kErrFileNotFound);
  Kill(QStringLiteral("a.pcn"));
  EXPECT_FALSE(FileExists(QStringLiteral("a.pcn")));
  EXPECT_EQ(ErrorOf([] { Kill(QStringLiteral("a.pcn")); }), kErrFileNotFound);
}

TEST_F(SeqFileTest, TextTheCodePageLacksMakesTheFileUtf8) {
  {
    SeqFile f(QStringLiteral("u.pcn"), OpenMode::Output);
    f.write({QString::fromUtf8("/datos/Łódź"), QString::fromUtf8("Río €")});
    f.close();
  }
  EXPECT_EQ(ReadBytes(path("u.pcn")),
            "\xEF\xBB\xBF" + QString::fromUtf8("\"/datos/Łódź\",\"Río €\"\r\n").toUtf8());
  SeqFile f(QStringLiteral("u.pcn"), OpenMode::Input);
  EXPECT_EQ(f.inputString(), QString::fromUtf8("/datos/Łódź"));
  EXPECT_EQ(f.inputString(), QString::fromUtf8("Río €"));
  f.close();

  // Appending such a text to a Windows-1252 file writes the whole file again in UTF-8, and appending to
  // a UTF-8 file keeps it so.
  WriteBytes(path("ap.txt"), "R\xEDo\r\n");
  SeqFile ap(QStringLiteral("ap.txt"), OpenMode::Append);
  ap.print(QString::fromUtf8("Москва"));
  ap.close();
  EXPECT_EQ(ReadBytes(path("ap.txt")), "\xEF\xBB\xBF" + QString::fromUtf8("Río\r\nМосква\r\n").toUtf8());
  SeqFile more(QStringLiteral("ap.txt"), OpenMode::Append);
  more.print(QStringLiteral("fin"));
  more.close();
  EXPECT_EQ(ReadBytes(path("ap.txt")),
            "\xEF\xBB\xBF" + QString::fromUtf8("Río\r\nМосква\r\nfin\r\n").toUtf8());
}

// A text printed from its file bytes goes to the file as the same text printed from a string would,
// in the code page or, when a piece of the file lacks it, with the whole file in UTF-8.
TEST_F(SeqFileTest, ATextPrintedFromItsBytesGivesTheFileTheStringGives) {
  const char* cases[][2] = {
      {"\"Río\",1,.5\r\n\"b\",2,3\r\n", "fin"}, {"\"Łódź\",1\r\n", "Río"}, {"\"a\",1\r\n", "Łódź"}};
  for (const auto& [bytes, after] : cases) {
    const QString piece = QString::fromUtf8(bytes);
    SCOPED_TRACE(bytes);
    for (const char* name : {"bytes.txt", "string.txt"}) {
      SeqFile f(QString::fromLatin1(name), OpenMode::Output);
      f.write({QStringLiteral("TAVO")});
      if (name == std::string("bytes.txt")) {
        f.print(TextBuffer(piece));
        f.print(TextBuffer(piece));
      } else {
        f.print(piece + piece, false);
      }
      f.print(QString::fromUtf8(after));
      f.close();
    }
    EXPECT_EQ(ReadBytes(path("bytes.txt")), ReadBytes(path("string.txt")));
  }
}

TEST(FileText, OnlyAFileThatStartsWithTheByteOrderMarkIsReadAsUtf8) {
  struct Case {
    QByteArray bytes;
    QString text;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"R\xEDo \xD1uble", QString::fromUtf8("Río Ñuble")},
      // Windows-1252 whose bytes happen to form UTF-8 stays Windows-1252.
      {"PER\xDA\x96"
       "BOLIVIA",
       QString::fromUtf8("PERÚ–BOLIVIA")},
      {"\xC3\xB1", QString::fromUtf8("Ã±")},
      {"\xEF\xBB\xBF\"\xC5\x81\"", QString::fromUtf8("\"Ł\"")},  // the byte-order mark is dropped
      {"\xEF\xBB\xBF", QString()},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeFileText(c.bytes), c.text) << c.bytes.toStdString();
  EXPECT_EQ(EncodeFileText(QString::fromUtf8("Río €")), QByteArray("R\xEDo \x80"));
  EXPECT_EQ(EncodeFileText(QString::fromUtf8("Łódź")), QByteArray("\xEF\xBB\xBF\xC5\x81\xC3\xB3"
                                                                  "d\xC5\xBA"));
}

TEST_F(SeqFileTest, AFileNotReadWholeIsCopiedBeforeTheFirstWriteThatReplacesIt) {
  auto write = [](const char* text) {
    SeqFile f(QStringLiteral("t.pcn"), OpenMode::Output);
    f.print(QString::fromLatin1(text));
    f.close();
  };
  WriteBytes(path("t.pcn"), "dañado");
  WriteBytes(path("t.pcn.dañado"), "copia anterior");  // a name taken is never overwritten
  NoteFileRead(QStringLiteral("t.pcn"), false);

  // A copy that cannot be made fails the write and keeps the file; the next write tries again.
  test::WithFullDisk(6, [&] { EXPECT_EQ(ErrorOf([&] { write("uno"); }), kErrDiskFull); });
  EXPECT_EQ(ReadBytes(path("t.pcn")), "dañado");
  EXPECT_TRUE(dialogs.records().empty());

  dialogs.answer(vbOK);
  write("dos");
  EXPECT_EQ(ReadBytes(path("t.pcn")), "dos\r\n");
  EXPECT_EQ(ReadBytes(path("t.pcn.dañado2")), "dañado");
  EXPECT_EQ(ReadBytes(path("t.pcn.dañado")), "copia anterior");
  ASSERT_EQ(test::Prompts(dialogs), QStringList{test::DamagedCopyMessage("t.pcn", "t.pcn.dañado2")});
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  EXPECT_EQ(dialogs.records()[0].title, "");

  // Said once: the file written is the program's own.
  write("tres");
  EXPECT_FALSE(QFile::exists(path("t.pcn.dañado3")));

  // A file read whole since, a missing file and a file appended to need no copy.
  for (const char* name : {"leido.pcn", "falta.pcn"}) {
    if (QString(name) == "leido.pcn") WriteBytes(path(name), "x");
    NoteFileRead(QString::fromLatin1(name), false);
    NoteFileRead(QString::fromLatin1(name), QString(name) == "leido.pcn");
    SeqFile f(QString::fromLatin1(name), OpenMode::Output);
    f.close();
  }
  NoteFileRead(QStringLiteral("t.pcn"), false);
  SeqFile ap(QStringLiteral("t.pcn"), OpenMode::Append);
  ap.print(QStringLiteral("cuatro"));
  ap.close();
  EXPECT_EQ(ReadBytes(path("t.pcn")), "tres\r\ncuatro\r\n");
  EXPECT_EQ(QDir(programDir()).entryList(QDir::Files).filter("dañado").size(), 2);
  EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(SeqFileTest, DoubleQuoteInsideATextIsWrittenAsASingleQuote) {
  {
    SeqFile f(QStringLiteral("q.pcn"), OpenMode::Output);
    f.write({QStringLiteral("Crecida \"A\", 2024"), Integer(7)});
    f.close();
  }
  EXPECT_EQ(ReadBytes(path("q.pcn")), "\"Crecida 'A', 2024\",7\r\n");
  SeqFile f(QStringLiteral("q.pcn"), OpenMode::Input);
  EXPECT_EQ(f.inputString(), "Crecida 'A', 2024");
  EXPECT_EQ(f.inputInteger(), 7);
}

// A text value written ahead while it grows gives the file the text gives when written at the close:
// its double quotes become single ones; a text that did not grow from the one handed over, a text the
// code page cannot hold and a value followed by more are written whole at the close instead. Neither
// the temporary nor the second name the old file keeps while the stream runs stays behind.
TEST_F(SeqFileTest, ATextWrittenAheadGivesTheFileTheWholeTextGives) {
  const QString largo(100000, QLatin1Char('x'));  // longer than the first blocks
  struct Case {
    const char* name;
    std::function<void(TextBuffer&, TextValueStream&)> grow;
    bool more = false;
  };
  const Case cases[] = {
      {"grows",
       [&](TextBuffer& t, TextValueStream& s) {
         t += QStringLiteral("uno \"dos\"\r\n");
         s.feed(t);
         t += largo;
         s.feed(t);
         t += QStringLiteral("\"fin");
       }},
      {"emptied and written again",
       [](TextBuffer& t, TextValueStream& s) {
         t += QStringLiteral("primero");
         s.feed(t);
         t.clear();
         t += QStringLiteral("segundo");
       }},
      {"outside the code page",
       [](TextBuffer& t, TextValueStream& s) {
         t += QStringLiteral("Ciudad de ");
         s.feed(t);
         t += QString::fromUtf8("Łódź");
         s.feed(t);
       }},
      {"followed by more",
       [&](TextBuffer& t, TextValueStream& s) {
         t += largo;
         s.feed(t);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextBuffer text;
    {
      TextValueStream stream(QStringLiteral("adelantado.txt"));
      c.grow(text, stream);
      SeqFile f(QStringLiteral("adelantado.txt"), OpenMode::Output);
      f.write(text, stream);
      if (c.more) f.print(QStringLiteral("más"));
      f.close();
    }
    SeqFile f(QStringLiteral("entero.txt"), OpenMode::Output);
    f.write(text);
    if (c.more) f.print(QStringLiteral("más"));
    f.close();
    EXPECT_EQ(ReadBytes(path("adelantado.txt")), ReadBytes(path("entero.txt")));
    EXPECT_FALSE(QFile::exists(TemporaryPath(path("adelantado.txt"))));
  }
  {
    TextBuffer text(QStringLiteral("sin archivo"));
    TextValueStream stream(QStringLiteral("nunca.txt"));
    stream.feed(text);
  }
  EXPECT_FALSE(QFile::exists(TemporaryPath(path("nunca.txt"))));
  // A stream starts once the last one's old file is gone.
  { TextValueStream after(QStringLiteral("otro.txt")); }
  EXPECT_EQ(QDir(programDir()).entryList(QDir::Files), QStringList({"adelantado.txt", "entero.txt"}));
}

TEST(Windows1252, EveryByteRoundTrips) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
  EXPECT_EQ(DecodeWindows1252("\x80\x93\x94"), QString::fromUtf8("€“”"));
  EXPECT_EQ(EncodeWindows1252(QString::fromUtf8("ñ€✓")), QByteArray("\xF1\x80?"));
}

}  // namespace
}  // namespace tavo
