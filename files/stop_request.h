#ifndef QUARNEL_FILES_STOP_REQUEST_H_
#define QUARNEL_FILES_STOP_REQUEST_H_

namespace quarnel {

// Exit status of a batch run stopped by the user (Ctrl-C, Ctrl-Break): 128
// plus the number of SIGINT, as a shell reports a run that Ctrl-C ended on
// Linux.
inline constexpr int kExitInterrupted = 130;

// Asks the batch run to stop before its next file. Safe from any thread (a
// console control handler runs on one of its own). The file being rewritten
// at that moment is finished or left as it was, never torn, and no
// temporary file remains.
void RequestStop();

// True once RequestStop() has been called.
bool StopRequested();

}  // namespace quarnel

#endif  // QUARNEL_FILES_STOP_REQUEST_H_
