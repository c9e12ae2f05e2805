#ifndef QUARNEL_APP_INTERACTIVE_H_
#define QUARNEL_APP_INTERACTIVE_H_

namespace quarnel {

// The interactive run: the program was started without arguments, so its
// main window shows and takes dropped files until it is closed. Returns the
// exit status. Defined by the windowing layer; a build without windows
// defines it to say that there are none. The core never includes the
// windowing layer: this declaration is the only meeting point.
int RunInteractive(int argc, char** argv);

}  // namespace quarnel

#endif  // QUARNEL_APP_INTERACTIVE_H_
