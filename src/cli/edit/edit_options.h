// The options of `quarzel-cli edit`, read into the words of a plan.
#pragma once

#include "edits/edit_plan.h"

namespace CLI {
class App;
}

namespace quarzel::cli {

// The options of `edit`, read into `words`.
void addEditOptions(CLI::App& command, EditWords& words);

}  // namespace quarzel::cli
