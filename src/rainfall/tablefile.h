// Writing a table file of the program folder statement by statement, as the rainfall tables are
// saved: every failing statement is reported on its own and the save goes on with the next one.
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
  // Makes the program folder current and creates the file there by its bare name.
  TableFileWriter(const QString& name, OnError onError);
  // Writes one line; with no file open it fails like any write to a closed file.
  void line(std::initializer_list<Variant> values);
  // Closes the file: only now does it replace the old one, so a failed save never leaves half a file.
  void close();

 private:
  template <class Action>
  void step(Action&& action);
  OnError onError_;
  std::unique_ptr<SeqFile> file_;
};

}  // namespace tavo
