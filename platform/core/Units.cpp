#include "platform/core/Units.h"

TUnits::TUnits(std::vector<TUnit> units)
{
    try {
        for (const TUnit& unit : units) {
            if (unit.Initialize)
                unit.Initialize();
            started_.push_back(unit);
        }
    } catch (...) {
        FinalizeAll();
        throw;
    }
}

TUnits::~TUnits() { FinalizeAll(); }

void TUnits::FinalizeAll() noexcept
{
    while (!started_.empty()) {
        TUnit unit = started_.back();
        started_.pop_back();
        if (unit.Finalize) {
            try {
                unit.Finalize();
            } catch (...) {
                // A unit that fails to finalise must not stop the others.
            }
        }
    }
}
