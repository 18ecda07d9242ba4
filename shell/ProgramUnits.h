#pragma once
// The program's units in their initialisation order: the one list from which the entry
// point starts every unit and each test fixture or benchmark the units it needs. A unit
// comes after every unit whose globals it uses; they are finalised in reverse order.

#include "platform/core/Units.h"

#include <initializer_list>
#include <vector>

// Every unit, in order.
std::vector<TUnit> ProgramUnits();
// The named units, in the order of the list; a name that is not in it raises.
std::vector<TUnit> ProgramUnits(std::initializer_list<const char*> names);
