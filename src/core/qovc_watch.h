#pragma once
// `qovc watch` and `qovc wait`: the matching windows followed as the desktop
// changes, through the context's change feed.

#include "core/cli_arguments.h"
#include "core/qovc_program.h"

namespace qov::cli {

int RunWatch(const Request& request, QovcContext& context);
int RunWait(const Request& request, QovcContext& context);

}  // namespace qov::cli
