#ifndef QUARNEL_FILES_RUN_OBSERVER_H_
#define QUARNEL_FILES_RUN_OBSERVER_H_

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace quarnel {

struct PageOutcome;

// Something a run tells that is not a failure.
struct RunNote {
  enum class Kind {
    // A folder that was not walked because it is not a plain folder (it is
    // read-only, hidden, a link...); `attributes` are its own.
    kFolderNotWalked,
    // A temporary file that a killed run left behind was removed.
    kTempFileRemoved,
  };
  Kind kind;
  std::string path;
  std::uint32_t attributes = 0;
};

// Hears of a run as it advances, every event on the thread that runs it:
// the command line prints it, the window counts its files. Each event a
// listener has no use for does nothing.
class RunObserver {
 public:
  virtual ~RunObserver() = default;

  // A page's turn to be told has come: every page before it has been.
  virtual void PageStarted() {}
  // A page's outcome, in walk order, once the pages before it are told. A
  // page that failed is then told as a Failure too.
  virtual void PageDone(const std::string& /*path*/, const PageOutcome& /*outcome*/) {}
  // The walk listed an entry of a folder.
  virtual void EntryListed() {}
  // A few times a second while the run waits for its file jobs.
  virtual void Waiting() {}
  // A path could not be read, expanded or written; `failure` names it and
  // says why.
  virtual void Failure(const Status& /*failure*/) {}
  virtual void Note(const RunNote& /*note*/) {}
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_RUN_OBSERVER_H_
