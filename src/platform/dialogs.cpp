#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>

#include "platform/app.h"

namespace tavo {

namespace {

Dialogs*& Installed() {
  static Dialogs* dialogs = nullptr;
  return dialogs;
}

QString WindowTitle(const QString& title) {
  return title.isEmpty() ? QStringLiteral("TAVO") : title;
}

// A chooser wide enough for the size, type and date columns beside the names, each column as wide as
// its texts.
void ShowWholeColumns(QFileDialog& dialog) {
  dialog.resize(760, 460);
  if (auto* files = dialog.findChild<QTreeView*>())
    files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

}  // namespace

Dialogs& CurrentDialogs() {
  static QtDialogs windowed;
  return Installed() ? *Installed() : windowed;
}

void InstallDialogs(Dialogs* dialogs) {
  Installed() = dialogs;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
  ThrowIfMessagesDeferred();
  Q_ASSERT(OnMainThread());
  return CurrentDialogs().msgBox(prompt, style, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  ThrowIfMessagesDeferred();
  Q_ASSERT(OnMainThread());
  return CurrentDialogs().inputBox(prompt, title, defaultText);
}

// ---- windowed ----

namespace {
// The width a title bar needs to show `title` whole: its text as a desktop writes titles (a little
// larger, in bold), beside the window's icon and its buttons.
int TitleBarWidth(const QString& title, QFont font) {
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  constexpr int kIconAndButtons = 160;
  return QFontMetrics(font).horizontalAdvance(title) + kIconAndButtons;
}
}  // namespace

int QtDialogs::msgBox(const QString& prompt, int style, const QString& title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(WindowTitle(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(prompt);
  switch (IconOf(style)) {
    case vbCritical:
      box.setIcon(QMessageBox::Critical);
      break;
    case vbQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case vbExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case vbInformation:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  struct Button {
    const char* text;
    int result;
    QMessageBox::ButtonRole role;
  };
  std::vector<Button> buttons;
  switch (ButtonsOf(style)) {
    case vbOKCancel:
      buttons = {{"Aceptar", vbOK, QMessageBox::AcceptRole}, {"Cancelar", vbCancel, QMessageBox::RejectRole}};
      break;
    case vbAbortRetryIgnore:
      buttons = {{"&Anular", vbAbort, QMessageBox::RejectRole},
                 {"&Reintentar", vbRetry, QMessageBox::AcceptRole},
                 {"&Omitir", vbIgnore, QMessageBox::AcceptRole}};
      break;
    case vbYesNoCancel:
      buttons = {{"&Sí", vbYes, QMessageBox::YesRole},
                 {"&No", vbNo, QMessageBox::NoRole},
                 {"Cancelar", vbCancel, QMessageBox::RejectRole}};
      break;
    case vbYesNo:
      buttons = {{"&Sí", vbYes, QMessageBox::YesRole}, {"&No", vbNo, QMessageBox::NoRole}};
      break;
    case vbRetryCancel:
      buttons = {{"&Reintentar", vbRetry, QMessageBox::AcceptRole},
                 {"Cancelar", vbCancel, QMessageBox::RejectRole}};
      break;
    default:
      buttons = {{"Aceptar", vbOK, QMessageBox::AcceptRole}};
      break;
  }
  std::vector<std::pair<QAbstractButton*, int>> made;
  for (const Button& b : buttons)
    made.emplace_back(box.addButton(QString::fromUtf8(b.text), b.role), b.result);
  const size_t defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
  if (defaultIndex < made.size()) box.setDefaultButton(static_cast<QPushButton*>(made[defaultIndex].first));
  if (made.size() == 1) box.setEscapeButton(made[0].first);
  // The box is as wide as its title, so that the title bar shows it whole beside its buttons (after
  // the icon and buttons, which lay the box out anew).
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int width = std::min(TitleBarWidth(box.windowTitle(), box.font()), ScreenArea().width());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  box.exec();
  for (const auto& [button, result] : made) {
    if (box.clickedButton() == button) return result;
  }
  // Closing the box without a button: Cancel when there is one, else the only or last button.
  for (const auto& [button, result] : made) {
    if (result == vbCancel) return result;
  }
  return made.size() == 1 ? made[0].second : vbNo;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(WindowTitle(title));
  dialog.setLabelText(prompt);
  for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QStringLiteral("Aceptar"));
  dialog.setCancelButtonText(QStringLiteral("Cancelar"));
  // As wide as its title, so that the title bar shows it whole: the box takes the width, and the
  // dialog's layout follows it.
  if (auto* box = dialog.findChild<QLineEdit*>()) {
    const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
    const int width = std::min(TitleBarWidth(dialog.windowTitle(), dialog.font()), ScreenArea().width());
    box->setMinimumWidth(width - margins.left() - margins.right());
  }
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtDialogs::openFile(const FileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), WindowTitle(request.title), request.folder,
                     request.filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Abrir"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
  ShowWholeColumns(dialog);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

QString QtDialogs::chooseFolder(const FileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), WindowTitle(request.title), request.folder);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Elegir"));
  ShowWholeColumns(dialog);
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

namespace {
// Qt's Spanish texts spell the control key of a shortcut "Control"; a Spanish desktop writes "Ctrl",
// as its keyboards do. Installed after Qt's texts, it is asked first.
class ShortcutKeyNames : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    if (qstrcmp(context, "QShortcut") == 0 && qstrcmp(sourceText, "Ctrl") == 0) return QStringLiteral("Ctrl");
    return QString();
  }
};
}  // namespace

bool InstallQtSpanish() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator)) {
    QCoreApplication::installTranslator(new ShortcutKeyNames(QCoreApplication::instance()));
    return true;
  }
  delete translator;
  return false;
}

// ---- scripted ----

ScriptedDialogs& ScriptedDialogs::answer(int msgBoxResult) {
  answers_.push_back({false, msgBoxResult, QString()});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::answerText(const QString& text) {
  answers_.push_back({true, 0, text});
  return *this;
}

void ScriptedDialogs::clear() {
  answers_.clear();
  records_.clear();
  unexpected_.clear();
}

bool ScriptedDialogs::takeAnswer(bool text, Answer& out, const Record& record) {
  records_.push_back(record);
  if (answers_.empty() || answers_.front().isText != text) {
    static const char* kinds[] = {"mensaje", "entrada", "abrir archivo", "carpeta"};
    unexpected_ << QString::fromLatin1(kinds[static_cast<int>(record.kind)]) + QStringLiteral(": ") +
                       record.prompt;
    return false;
  }
  out = answers_.front();
  answers_.pop_front();
  return true;
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title) {
  Answer a;
  if (!takeAnswer(false, a, {Kind::Message, prompt, style, title, {}})) {
    const int buttons = ButtonsOf(style);
    if (buttons == vbYesNo || buttons == vbYesNoCancel) return vbYes;
    if (buttons == vbRetryCancel) return vbRetry;
    if (buttons == vbAbortRetryIgnore) return vbAbort;
    return vbOK;
  }
  return a.result;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  Answer a;
  FileRequest request;
  request.fileName = defaultText;
  return takeAnswer(true, a, {Kind::Input, prompt, 0, title, request}) ? a.text : QString();
}

QString ScriptedDialogs::openFile(const FileRequest& request) {
  Answer a;
  return takeAnswer(true, a, {Kind::OpenFile, request.title, 0, request.title, request}) ? a.text : QString();
}

QString ScriptedDialogs::chooseFolder(const FileRequest& request) {
  Answer a;
  return takeAnswer(true, a, {Kind::Folder, request.title, 0, request.title, request}) ? a.text : QString();
}

}  // namespace tavo
