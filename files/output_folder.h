#ifndef QUARNEL_FILES_OUTPUT_FOLDER_H_
#define QUARNEL_FILES_OUTPUT_FOLDER_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "platform/status.h"

namespace quarnel {

// Where a page goes when a run writes under an output folder instead of in
// place: a page that a walk of the folder `given` found lands at its path
// below `given`, under `output`; a page given by name lands in `output`
// under its own name.
std::string OutputPath(std::string_view given, std::string_view page, bool walked,
                       std::string_view output, char separator);

// The folder that holds `path`; empty when the path names no folder (a
// bare name). A root keeps its separator.
std::string ParentFolder(std::string_view path, char separator);

// Checks, before anything is written, that a run of `paths` may write
// under `output`: it must not be, or lie inside, a folder that is walked
// (through links and other names of the same folder too), it must not be a
// file, no two pages may go to one place, and no page may go where a page of
// the run lies. The error says which rule the run would break, naming the
// paths. Walks the folders given, as the run will.
Status CheckOutputFolder(Env& env, const std::vector<std::string>& paths,
                         const std::string& output);

}  // namespace quarnel

#endif  // QUARNEL_FILES_OUTPUT_FOLDER_H_
