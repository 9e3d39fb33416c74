#include "rainfall/tablefile.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "project/estado.h"

namespace tavo {

template <class Action>
void TableFileWriter::step(Action&& action) {
  if (failed_) return;
  try {
    action();
  } catch (const VbError& e) {
    if (onError_ == OnError::CloseAllFilesQuiet && e.number == kErrFileNotFound) return;
    MsgBox(ErrorNroText(e));
    failed_ = true;
    file_.reset();
    if (onError_ == OnError::CloseAllFilesQuiet) CloseAllFiles();
  }
}

TableFileWriter::TableFileWriter(const QString& name, OnError onError, const QString& folder)
    : onError_(onError) {
  step([&] { ChDir(folder.isEmpty() ? DirPrograma : folder); });
  step([&] { file_ = std::make_unique<SeqFile>(name, OpenMode::Output); });
}

void TableFileWriter::line(std::initializer_list<Variant> values) {
  step([&] {
    if (!file_) Raise(kErrBadFileName);
    file_->write(values);
  });
}

void TableFileWriter::close() {
  step([&] {
    if (file_) file_->close();
  });
}

}  // namespace tavo
