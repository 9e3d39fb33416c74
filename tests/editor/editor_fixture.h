// Tests of the network editor: project Rio in the working directory Proyectos, which also holds its
// network files, the main window, and drawing surfaces that record what they draw.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointF>
#include <functional>
#include <initializer_list>
#include <vector>

#include "editor/estado_editor.h"
#include "editor/frmUEHs.h"
#include "platform/picturebox.h"
#include "project/estado.h"
#include "project/redfiles.h"
#include "shell/MDIForm1.h"
#include "support/fixture.h"
#include "support/network.h"
#include "support/projectfiles.h"

namespace tavo::test {

class EditorTest : public TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    PictureBox::setRecordingByDefault(true);
    QDir(programDir()).mkdir("Proyectos");
    dir = path("Proyectos");
    DirPrograma = programDir();
    DirActual = dir;
    DirTrabajo = dir;
    NombreProyecto = "Rio";
    writeSettings();
    main().show();
  }
  void TearDown() override {
    PictureBox::setRecordingByDefault(false);
    TavoTest::TearDown();
  }

  MDIForm1& main() { return FormInstance<MDIForm1>::instance(); }
  void writeSettings(const QString& extent = "800", const QString& picture = "Ninguno") {
    WriteBytes(dir + "/Rio_Conf.pcn", SettingsFile("Rio", dir, "Arroyo", extent, picture));
  }
  // Opens the editor from the main window's menu and lets the window system activate it.
  frmUEHs& open() {
    main().mnufrmUEHs->trigger();
    QApplication::processEvents();
    return frmUEHs::object();
  }
  // Writes the network built by `build` to the project's files and empties the memory again.
  void saveNetwork(const std::function<void()>& build) {
    colCauces.clear();
    colUEHs.clear();
    colRepresas.clear();
    colLagos.clear();
    nCauces = nUEHs = nRepresas = nLagos = 0;
    build();
    dialogs.answer(vbOK);
    EscribeRedProyecto();
    frmUEHs::unload();
    dialogs.clear();
  }
  // Clicks the toolbar button with this key.
  static void tool(const char* key) { frmUEHs::object().BotonToolbar(QString::fromLatin1(key))->trigger(); }
  // A button press on the drawing at (x, y), in drawing units.
  static void press(Single x, Single y, int button = 1) {
    emit frmUEHs::object().picDibujo->mouseDown(button, 0, x, y);
  }
  // A pointer move on the drawing, and the release of the button, at (x, y).
  static void move(Single x, Single y) { emit frmUEHs::object().picDibujo->mouseMove(0, 0, x, y); }
  static void release(Single x = 0, Single y = 0) { emit frmUEHs::object().picDibujo->mouseUp(1, 0, x, y); }
  // The messages shown so far, as "prompt | title" lines, then forgotten; each must have had its
  // answer queued, and every answer queued must have been used.
  QStringList shown() {
    EXPECT_TRUE(dialogs.unexpected().isEmpty()) << dialogs.unexpected().join('\n').toStdString();
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
    QStringList lines;
    for (const ScriptedDialogs::Record& r : dialogs.records()) lines << r.prompt + " | " + r.title;
    dialogs.clear();
    return lines;
  }
  // The view from the origin, `width` units wide, at zoom 100 and without fitting or centring.
  static void fixedView(Long width) {
    ZoomTotal = false;
    CentrarVista = false;
    ExtensionDibujoNum = width;
    frmUEHs::object().sldEscala->setValue(100);
    frmUEHs::object().DibujaRed();
  }
  // Redraws with a fresh record of the drawing.
  void redraw() {
    frmUEHs::object().picDibujo->clearLog();
    frmUEHs::object().DibujaRed();
  }
  const std::vector<DrawOp>& log() const { return frmUEHs::object().picDibujo->log(); }
  // The operations of one kind, and of one colour when given.
  std::vector<DrawOp> ops(DrawOp::Kind kind, const QColor& color = QColor()) const {
    std::vector<DrawOp> found;
    for (const DrawOp& op : log()) {
      if (op.kind == kind && (!color.isValid() || op.color == color)) found.push_back(op);
    }
    return found;
  }

  // A reach named `name` draining into `into`, with its vertices from the downstream end up.
  static std::shared_ptr<Cauce> Reach(const QString& name, const QString& into,
                                      std::initializer_list<QPointF> points) {
    auto c = AddCauce(name, into);
    const int n = static_cast<int>(points.size());
    c->numVertices = static_cast<Integer>(n);
    numVerticesCauce(nCauces) = static_cast<Integer>(n);
    if (XVertice.upper2() < n) {
      XVertice.redimPreserve(n);
      YVertice.redimPreserve(n);
    }
    int j = 1;
    for (const QPointF& p : points) {
      XVertice(nCauces, j) = static_cast<Single>(p.x());
      YVertice(nCauces, j) = static_cast<Single>(p.y());
      ++j;
    }
    return c;
  }
  static std::shared_ptr<UEH> Unit(const QString& name, const QString& into, QPointF at, QPointF link = {}) {
    auto u = AddUEH(name, into);
    u->IconoUEHx = static_cast<Single>(at.x());
    u->IconoUEHy = static_cast<Single>(at.y());
    u->XCauce = static_cast<Single>(link.x());
    u->YCauce = static_cast<Single>(link.y());
    return u;
  }
  static std::shared_ptr<Represa> Dam(const QString& name, const QString& into, QPointF at,
                                      QPointF link = {}) {
    auto r = AddRepresa(name, into);
    r->IconoRepresaX = static_cast<Single>(at.x());
    r->IconoRepresaY = static_cast<Single>(at.y());
    r->XCauce = static_cast<Single>(link.x());
    r->YCauce = static_cast<Single>(link.y());
    return r;
  }
  static std::shared_ptr<Lago> Lake(const QString& name, const QString& into, QPointF at, QPointF link = {}) {
    auto l = AddLago(name, into);
    l->IconoLAGOx = static_cast<Single>(at.x());
    l->IconoLAGOy = static_cast<Single>(at.y());
    l->XCauce = static_cast<Single>(link.x());
    l->YCauce = static_cast<Single>(link.y());
    return l;
  }

  QString dir;  // the working directory, which also holds the network files
};

}  // namespace tavo::test
