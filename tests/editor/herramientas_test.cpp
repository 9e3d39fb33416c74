// The editor's toolbar and view controls: tools that release each other, clearing and saving the
// network, the line width, the background picture, the stream-order labels, zoom and centring.
#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>
#include <random>

#include "editor_fixture.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "shell/frmImagenFondo.h"

namespace tavo {
namespace {

const QColor kCeleste(140, 255, 255);
const QString kSinImagen = QStringLiteral(
    "Para desplegar una imágen de fondo de trabajo debe cargar previamente el archivo imagen (tipo .jpg .gif "
    ".bmp y "
    ".wmf) desde el menú Opciones de Configuración");

// A Windows metafile written record by record: a placeable header for a drawing `width` by `height`
// logical units, `inch` of them an inch, then the records.
class Metafile {
 public:
  Metafile(qint16 width, qint16 height, quint16 inch) {
    for (quint16 word : {quint16(0xCDD7), quint16(0x9AC6), quint16(0), quint16(0), quint16(0), quint16(width),
                         quint16(height), inch, quint16(0), quint16(0)})
      put(word);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= qFromLittleEndian<quint16>(bytes_.constData() + 2 * i);
    put(checksum);
    for (quint16 word : {1, 9, 0x0300, 0, 0, 0, 0, 0, 0}) put(word);  // sizes filled in by bytes()
  }
  Metafile& record(quint16 function, const std::vector<qint16>& params) {
    const quint32 size = 3 + static_cast<quint32>(params.size());
    maxRecord_ = std::max(maxRecord_, size);
    put(static_cast<quint16>(size & 0xFFFF));
    put(static_cast<quint16>(size >> 16));
    put(function);
    for (qint16 p : params) put(static_cast<quint16>(p));
    if (function == 0x02FC || function == 0x02FA) ++objects_;
    return *this;
  }
  // A solid brush and a pen of this colour, both made and selected; then the rectangle.
  Metafile& rectangle(QColor color, qint16 left, qint16 top, qint16 right, qint16 bottom) {
    const auto low = static_cast<qint16>(color.red() | color.green() << 8);
    const auto high = static_cast<qint16>(color.blue());
    record(0x02FC, {0, low, high, 0});     // brush: solid
    record(0x02FA, {0, 1, 0, low, high});  // pen: solid, 1 unit
    record(0x012D, {static_cast<qint16>(objects_ - 2)});
    record(0x012D, {static_cast<qint16>(objects_ - 1)});
    return record(0x041B, {bottom, right, top, left});
  }
  // A device-independent bitmap stretched over a rectangle.
  Metafile& bitmap(const QByteArray& dib, qint16 left, qint16 top, qint16 width, qint16 height) {
    const qint32 w = qFromLittleEndian<qint32>(dib.constData() + 4);
    const qint32 h = qFromLittleEndian<qint32>(dib.constData() + 8);
    std::vector<qint16> params = {0x0020, 0x00CC, 0, qint16(h), qint16(w), 0, 0, height, width, top, left};
    for (int i = 0; i + 1 < dib.size(); i += 2)
      params.push_back(qFromLittleEndian<qint16>(dib.constData() + i));
    return record(0x0F43, params);  // stretched, copied as it is
  }
  QByteArray bytes() const {
    QByteArray all = bytes_ + QByteArray("\x03\x00\x00\x00\x00\x00", 6);  // the end record
    const auto words = static_cast<quint32>((all.size() - 22) / 2);
    qToLittleEndian<quint32>(words, all.data() + 22 + 6);
    qToLittleEndian<quint16>(objects_, all.data() + 22 + 10);
    qToLittleEndian<quint32>(maxRecord_, all.data() + 22 + 12);
    return all;
  }

 private:
  void put(quint16 word) {
    char b[2];
    qToLittleEndian<quint16>(word, b);
    bytes_.append(b, 2);
  }
  QByteArray bytes_;
  quint16 objects_ = 0;
  quint32 maxRecord_ = 3;
};

// A bitmap 2 by 2 pixels of 24 bits, all green, with these values for its width, height and bits a
// pixel.
QByteArray GreenBitmap(qint32 width = 2, qint32 height = 2, quint16 bits = 24) {
  QByteArray dib(40, 0);
  qToLittleEndian<quint32>(40, dib.data());
  qToLittleEndian<qint32>(width, dib.data() + 4);
  qToLittleEndian<qint32>(height, dib.data() + 8);
  qToLittleEndian<quint16>(1, dib.data() + 12);
  qToLittleEndian<quint16>(bits, dib.data() + 14);
  qToLittleEndian<quint32>(16, dib.data() + 20);
  for (int row = 0; row < 2; ++row) dib.append(QByteArray("\x00\xff\x00\x00\xff\x00\x00\x00", 8));
  return dib;
}

// Red on the left half, blue on the right, of a drawing 96 by 48 pixels; green over the right
// half's lower right quarter, as a bitmap.
QByteArray TwoColourMetafile(const QByteArray& bitmap = GreenBitmap()) {
  Metafile wmf(960, 480, 960);
  wmf.record(0x0103, {8}).record(0x020B, {0, 0}).record(0x020C, {480, 960});  // anisotropic, origin, extent
  wmf.rectangle(QColor(255, 0, 0), 0, 0, 480, 480);
  wmf.rectangle(QColor(0, 0, 255), 480, 0, 960, 480);
  wmf.bitmap(bitmap, 720, 240, 240, 240);
  return wmf.bytes();
}

class HerramientasTest : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    open();
    fixedView(800);
  }
  frmUEHs& editor() { return frmUEHs::object(); }
  bool pressed(const char* key) { return editor().BotonToolbar(QString::fromLatin1(key))->isChecked(); }
  bool networkFilesExist() const {
    return QFile::exists(dir + "/Rio_UEHs.pcn") || QFile::exists(dir + "/Rio_VerCau.pcn");
  }
};

TEST_F(HerramientasTest, ToolsReleaseEachOtherAndClearTheSelections) {
  EXPECT_FALSE(pressed("btn_toolbarUEH") || pressed("btn_toolbarSelecciona"));  // none at opening
  tool("btn_toolbarCauce");
  EXPECT_TRUE(pressed("btn_toolbarCauce"));
  EXPECT_EQ(editor().cursor().shape(), Qt::CrossCursor);
  selCauce = selUEH = 1;
  tool("btn_toolbarSelecciona");
  EXPECT_TRUE(pressed("btn_toolbarSelecciona"));
  EXPECT_FALSE(pressed("btn_toolbarCauce"));
  EXPECT_EQ(editor().cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(selCauce + selUEH, 0);
  tool("btn_toolbarCauce");
  EXPECT_FALSE(pressed("btn_toolbarSelecciona"));
  tool("btn_toolbarCauce");  // a tool stays pressed when clicked again
  EXPECT_TRUE(pressed("btn_toolbarCauce"));
  tool("btn_toolbarLAGO");
  EXPECT_FALSE(pressed("btn_toolbarCauce"));
  EXPECT_TRUE(pressed("btn_toolbarLAGO"));

  // The measuring tool starts a new polyline.
  nPuntosMedida = 3;
  tool("btn_toolbarLongArea");
  EXPECT_EQ(nPuntosMedida, 0);
  tool("btn_toolbarSelecciona");
  tool("btn_toolbarSelecciona");  // the select button toggles
  EXPECT_FALSE(pressed("btn_toolbarSelecciona"));
}

TEST_F(HerramientasTest, ClearingEmptiesTheNetworkInMemoryAndTheNextSaveDeletesItsFiles) {
  saveNetwork([] {
    Reach("c-1", "0", {{10, 10}, {20, 20}});
    Dam("r-1", "c-1", {30, 30}, {20, 20});
  });
  // The dams' table file in the working folder, and one of its name in the current folder.
  const QString tables[] = {dir + "/Rio_RHQ.pcn", programDir() + "/Rio_RHQ.pcn"};
  for (const QString& file : tables) test::WriteBytes(file, "tabla");
  frmUEHs::unload();
  open();
  ChDir(programDir());

  dialogs.answer(vbNo);
  tool("btn_toolbarBorraTodo");
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt, "¿Desea borrar todos los componentes de UEHs ?:");
  EXPECT_EQ(dialogs.records()[0].title, "ADVERTENCIA ! ");
  EXPECT_EQ(dialogs.records()[0].style, vbYesNo | vbQuestion);
  EXPECT_FALSE(pressed("btn_toolbarBorraTodo"));
  EXPECT_EQ(nCauces + nRepresas, 2);

  dialogs.answer(vbYes);
  tool("btn_toolbarBorraTodo");
  EXPECT_FALSE(pressed("btn_toolbarBorraTodo"));
  EXPECT_EQ(nCauces + nRepresas, 0);
  EXPECT_TRUE(colCauces.empty() && colRepresas.empty());
  redraw();
  EXPECT_TRUE(ops(DrawOp::Kind::Text).empty());
  // Nothing is deleted on disk until the save.
  EXPECT_TRUE(networkFilesExist());
  for (const QString& file : tables) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
  tool("btn_toolbarGuardaUEHs");
  EXPECT_FALSE(networkFilesExist());
  for (const QString& file : tables) EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
  EXPECT_FALSE(pressed("btn_toolbarGuardaUEHs"));
  EXPECT_EQ(dialogs.records().size(), 2u);
}

TEST_F(HerramientasTest, LineWidthCyclesWithTheSymbolSize) {
  Reach("c-1", "0", {{10, 10}, {100, 100}});
  const struct {
    int width;
    float size;
  } steps[] = {{6, 13}, {9, 17.5f}, {14, 25}, {2, 7}, {3, 8.5f}, {4, 10}};
  for (const auto& step : steps) {
    editor().picDibujo->clearLog();
    QTest::mouseClick(editor().cmdAnchoLineaDib, Qt::LeftButton);
    EXPECT_EQ(EspesorLinea, step.width);
    EXPECT_FLOAT_EQ(TamIcono, step.size);
    const auto under = ops(DrawOp::Kind::Line, kCeleste);  // redrawn at the new width
    ASSERT_EQ(under.size(), 1u);
    EXPECT_EQ(under[0].width, step.width);
  }
}

TEST_F(HerramientasTest, ViewControlsSetTheViewFlagsAndSomeSelections) {
  Reach("c-1", "0", {{100, 100}, {300, 300}});
  Lake("l-1", "", {500, 500});
  const QColor kRojo(255, 0, 0);
  auto lakeHighlighted = [&] {
    for (const DrawOp& op : ops(DrawOp::Kind::Circle)) {
      if (op.arc && op.color == kRojo) return true;
    }
    return false;
  };

  selCauce = selLago = 1;
  editor().picDibujo->clearLog();
  editor().mnu_DibujoSec->findChild<QAction*>("mnu_ZoomAll")->trigger();
  EXPECT_TRUE(CentrarVista && ZoomTotal);
  EXPECT_EQ(selCauce, 0);
  EXPECT_EQ(selLago, 1);
  EXPECT_TRUE(lakeHighlighted());
  EXPECT_EQ(editor().sldEscala->value(), 28);  // 200 units across fill 1 / 1.1 of the view

  // A scroll bar turns both flags off: the zoom stays where the slider is.
  editor().ScrEscalaVer->setValue(editor().ScrEscalaVer->value() + 20);
  EXPECT_FALSE(CentrarVista || ZoomTotal);
  redraw();
  EXPECT_EQ(editor().sldEscala->value(), 28);

  editor().picDibujo->clearLog();
  editor().mnu_DibujoSec->findChild<QAction*>("mnu_CentrarDibujo")->trigger();
  EXPECT_TRUE(CentrarVista);
  EXPECT_FALSE(ZoomTotal);
  EXPECT_EQ(selLago, 0);
  EXPECT_FALSE(lakeHighlighted());

  // Moving the slider centres at the chosen zoom.
  ZoomTotal = true;
  QTest::keyClick(editor().sldEscala, Qt::Key_PageDown);
  QCoreApplication::processEvents();
  EXPECT_TRUE(CentrarVista);
  EXPECT_FALSE(ZoomTotal);
  EXPECT_NE(editor().sldEscala->value(), 28);
  EXPECT_FLOAT_EQ(editor().picDibujo->scaleWidth(), editor().sldEscala->value() * 8.0);
}

TEST_F(HerramientasTest, BackgroundPictureShowsAndHidesWithoutLosingEdits) {
  // The setting "Ninguno", then a file that is missing: the message, and nothing shown.
  for (const QString& setting : {QStringLiteral("Ninguno"), QStringLiteral("falta.jpg")}) {
    ArchivoImagenFondo = setting;
    dialogs.answer(vbOK);
    QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt, kSinImagen);
    EXPECT_FALSE(ImagenVisible);
    EXPECT_EQ(editor().cmdImagenUEHs->text(), "Imágen");
    dialogs.clear();
  }

  QImage picture(96, 48, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(dir + "/plano.bmp"));
  ArchivoImagenFondo = dir + "/plano.bmp";
  Unit("u-sin-guardar", "", {40, 40});  // an edit not saved

  QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
  EXPECT_TRUE(ImagenVisible);
  EXPECT_EQ(editor().cmdImagenUEHs->text(), "Quitar Imágen");
  EXPECT_EQ(AnchoImagen, 169);  // 2540 HiMetric / 15 twips a pixel
  EXPECT_EQ(AltoImagen, 85);
  EXPECT_EQ(ops(DrawOp::Kind::Picture).size(), 1u);
  ASSERT_EQ(nUEHs, 1);

  editor().picDibujo->clearLog();
  QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
  EXPECT_FALSE(ImagenVisible);
  EXPECT_EQ(editor().cmdImagenUEHs->text(), "Mostrar Imágen");
  EXPECT_TRUE(ops(DrawOp::Kind::Picture).empty());
  ASSERT_EQ(nUEHs, 1);
  EXPECT_EQ(vUEHs[1]->NombreUEH, "u-sin-guardar");
}

TEST_F(HerramientasTest, AMetafileBackgroundIsDrawnAtItsOwnSize) {
  test::WriteBytes(dir + "/plano.wmf", TwoColourMetafile());
  ArchivoImagenFondo = dir + "/plano.wmf";
  QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
  ASSERT_TRUE(ImagenVisible) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(AnchoImagen, 169);  // 1 inch: 2540 HiMetric / 15 twips a pixel
  EXPECT_EQ(AltoImagen, 85);

  const auto pictures = ops(DrawOp::Kind::Picture);
  ASSERT_EQ(pictures.size(), 1u);
  const QImage drawing = editor().picDibujo->grab().toImage();
  auto colourAt = [&](double fx, double fy) {
    const QPointF p = pictures[0].p1 + QPointF(fx * (pictures[0].p2.x() - pictures[0].p1.x()),
                                               fy * (pictures[0].p2.y() - pictures[0].p1.y()));
    return drawing.pixelColor(editor().picDibujo->toPixels(p).toPoint());
  };
  EXPECT_EQ(colourAt(0.25, 0.5), QColor(255, 0, 0));
  EXPECT_EQ(colourAt(0.75, 0.25), QColor(0, 0, 255));
  EXPECT_EQ(colourAt(0.1, 0.1), QColor(255, 0, 0));
  EXPECT_EQ(colourAt(0.6, 0.9), QColor(0, 0, 255));
  EXPECT_EQ(colourAt(0.9, 0.9), QColor(0, 255, 0));
}

// A metafile damaged in any way is a file that holds no picture: the background message, no picture
// and no crash, with every file under the sanitizers.
TEST_F(HerramientasTest, ADamagedMetafileGivesTheBackgroundMessage) {
  const QByteArray whole = TwoColourMetafile();
  const int firstRecord = 22 + 18;
  auto withWord = [&](int at, quint16 value) {
    QByteArray b = whole;
    qToLittleEndian<quint16>(value, b.data() + at);
    return b;
  };
  auto withLong = [&](int at, quint32 value) {
    QByteArray b = whole;
    qToLittleEndian<quint32>(value, b.data() + at);
    return b;
  };
  // Each damaged file, and whether it is refused; a random change, or a bitmap the drawing does
  // without, may leave a metafile that plays.
  struct Damaged {
    std::string what;
    QByteArray bytes;
    bool refused = true;
  };
  std::vector<Damaged> damaged = {
      {"cut in the placeable header", whole.left(12)},
      {"cut in the metafile header", whole.left(30)},
      {"cut in a record", whole.left(firstRecord + 11)},
      {"cut before the end record", whole.left(whole.size() - 6)},
      {"record size 0", withLong(firstRecord, 0)},
      {"record size below its header", withLong(firstRecord, 2)},
      {"record size past the end", withLong(firstRecord, 0x7FFFFFFF)},
      {"record size 0xFFFFFFFF", withLong(firstRecord, 0xFFFFFFFF)},
      {"header size wrong", withWord(22 + 2, 3)},
      {"no inch", withWord(14, 0)},
      {"bitmap cut", whole.left(whole.size() - 6 - 10)},
      {"file size wrong", withLong(22 + 6, 0xFFFFFFFF), false},  // the records are whole
      {"bitmap far larger than its bytes", TwoColourMetafile(GreenBitmap(30000, 30000)), false},
      {"bitmap of 7 bits a pixel", TwoColourMetafile(GreenBitmap(2, 2, 7)), false},
      {"bitmap of no width", TwoColourMetafile(GreenBitmap(0, 2)), false},
      {"no width", withWord(10, 0), false},  // the records tell the size
      {"polygon of more points than its record",
       Metafile(960, 480, 960).record(0x0324, {30000, 1, 1, 5, 5}).bytes()},
      {"polypolygon of more polygons than its record",
       Metafile(960, 480, 960).record(0x0538, {-1, 2, 1, 1}).bytes()},
  };
  std::mt19937 random(46);
  for (int k = 0; k < 24; ++k) {
    QByteArray b = whole.left(firstRecord);
    for (int i = 0; i < 200; ++i) b.append(static_cast<char>(random() & 0xFF));
    damaged.push_back({"random records " + std::to_string(k), b, false});
    QByteArray changed = whole;
    for (int i = 0; i < 4; ++i)
      changed[firstRecord + int(random() % (whole.size() - firstRecord))] = char(random());
    damaged.push_back({"random bytes changed " + std::to_string(k), changed, false});
  }
  for (const Damaged& d : damaged) {
    SCOPED_TRACE(d.what);
    test::WriteBytes(dir + "/plano.wmf", d.bytes);
    ArchivoImagenFondo = dir + "/plano.wmf";
    ImagenVisible = false;
    dialogs.clear();
    if (d.refused) dialogs.answer(vbOK);
    QTest::mouseClick(editor().cmdImagenUEHs, Qt::LeftButton);
    if (!d.refused && ImagenVisible) {
      EXPECT_TRUE(dialogs.records().empty());
      continue;
    }
    EXPECT_FALSE(ImagenVisible);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].prompt, kSinImagen);
    dialogs.clear();
  }
}

TEST_F(HerramientasTest, StreamOrdersAreLabelledAtTheSecondVertexUntilTheNextRedraw) {
  Reach("c-1", "0", {{100, 100}, {200, 200}, {300, 300}});
  Reach("c-2", "c-1", {{300, 300}, {400, 500}});
  Reach("c-3", "c-1", {{300, 300}, {500, 400}});
  Reach("c-4", "0", {{600, 600}});  // one vertex: no label
  editor().picDibujo->clearLog();
  QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);
  EXPECT_TRUE(MuestraOrden);
  EXPECT_EQ(vCauces[1]->OrdenCauce, 2);
  std::vector<DrawOp> labels;
  for (const DrawOp& op : ops(DrawOp::Kind::Text)) {
    if (!op.text.startsWith("c-")) labels.push_back(op);
  }
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, " 2 ");
  EXPECT_EQ(labels[0].p1, QPointF(200 - 1.5 * 16, 200));
  EXPECT_TRUE(labels[0].bold);
  EXPECT_EQ(labels[1].text, " 1 ");
  EXPECT_FALSE(editor().picDibujo->fontBold());
  EXPECT_EQ(editor().cursor().shape(), Qt::ArrowCursor);

  // The widened reaches stay, the labels go with the next redraw; a second click turns orders off.
  redraw();
  EXPECT_EQ(ops(DrawOp::Kind::Text).size(), 3u);
  EXPECT_EQ(ops(DrawOp::Kind::Line, kCeleste)[2].width, 2);  // c-2, of order 1
  QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);
  EXPECT_FALSE(MuestraOrden);
}

TEST_F(HerramientasTest, ReachAndMeasureToolsDrawOnFromTheirLastPoint) {
  Reach("c-1", "0", {{500, 500}, {600, 600}});
  const QColor kAzul(0, 0, 255);
  const QColor kMagenta(200, 0, 200);
  for (const auto& [key, colour] :
       {std::pair{"btn_toolbarCauce", kAzul}, std::pair{"btn_toolbarLongArea", kMagenta}}) {
    SCOPED_TRACE(key);
    tool(key);
    press(10, 10);
    QTest::mouseClick(editor().cmdOrdenCauce, Qt::LeftButton);  // redraws and prints a label elsewhere
    editor().picDibujo->clearLog();
    press(50, 50);
    const auto lines = ops(DrawOp::Kind::Line, colour);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].p1, QPointF(10, 10));
    EXPECT_EQ(lines[0].p2, QPointF(50, 50));
  }
  EXPECT_EQ(nPuntosMedida, 2);
  EXPECT_EQ(XMedida(2), 50);
}

}  // namespace
}  // namespace tavo
