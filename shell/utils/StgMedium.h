#pragma once

#include "shell/shell95/TStgMedium.h"

// Frees what a medium holds: the release object when there is one, else the
// global block; the medium is left empty. Safe on an empty medium.
void ReleaseStgMedium(TStgMedium* medium);
