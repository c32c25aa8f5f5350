#pragma once

#include "cli/ExitStatus.h"

// --clear-cache: the summary cache of --trend and the window's lots
// removed, with whatever was set aside beside it.
namespace ClearCacheJob {

// Names each file removed on standard output. Failure, with a message,
// where one could not be removed.
ExitStatus Run();

} // namespace ClearCacheJob
