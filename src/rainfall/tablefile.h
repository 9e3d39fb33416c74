// Writing a rainfall table file statement by statement, as the rainfall tables are saved: the first
// failing statement is reported and the save stops there, keeping the old file.
#pragma once

#include <QString>
#include <initializer_list>
#include <memory>

#include "platform/seqfile.h"
#include "platform/vb.h"

namespace tavo {

class TableFileWriter {
 public:
  enum class OnError {
    DropFile,            // show the error and drop the file
    CloseAllFilesQuiet,  // as DropFile and close every open file; a missing file is passed over
  };
  // Makes `folder` current (the program folder when empty) and creates the file there by its bare name.
  TableFileWriter(const QString& name, OnError onError, const QString& folder = QString());
  // Writes one line; after a failure it does nothing.
  void line(std::initializer_list<Variant> values);
  // Closes the file: only now does it replace the old one, so a failed save never leaves half a file.
  void close();

 private:
  template <class Action>
  void step(Action&& action);
  OnError onError_;
  bool failed_ = false;  // a statement failed and was reported: the save is abandoned
  std::unique_ptr<SeqFile> file_;
};

}  // namespace tavo
