#pragma once
// The program's units with global state, in the one order in which they are initialised
// (and, in reverse, finalised: the stores are freed, which saves their data).

#include "platform/core/Units.h"

#include <vector>

std::vector<TUnit> ProgramUnits();
