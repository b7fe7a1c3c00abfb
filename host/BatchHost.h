// One batch run of cadhost, in this order: the drawing (new, or read from
// --open), the modules (--load), the job (--job), then --save and --render.
// A run that fails stops there, reports on standard error and saves
// nothing, so an output file never holds a half-done drawing.
#pragma once

#include "host/CommandLineOptions.h"
#include "host/HostError.h"

namespace uv::host {

class BatchHost {
 public:
  static ExitCode run(const CommandLineOptions& options);
};

}  // namespace uv::host
