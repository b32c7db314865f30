#pragma once
// The component lister: one line per component of a known class of a form, with its class name, its name
// and the texts it shows.
#include <string>
#include <vector>

#include "toolkit/ui/Component.h"

// The lines of Form's components, in component order; a component of several listed classes gives one line
// for each of them.
std::vector<std::string> LinhasComponentes(TComponent& Form);
// Builds the lines into a list of its own and lets it go: nothing of the call is kept, shown or saved.
void ExportaComponentes(TComponent& Form);
