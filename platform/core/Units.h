#pragma once
// Unit initialisation and finalisation. Each module with global state offers an
// Initialize and a Finalize function; the main program (and every test fixture that needs
// the globals) runs them in one fixed order through a TUnits list, which finalises them
// in the reverse order. No C++ static initialiser depends on another unit.

#include <vector>

struct TUnit {
    const char* Name;
    void (*Initialize)();
    void (*Finalize)();
};

class TUnits {
public:
    // Runs Initialize of each unit in order; a unit whose Initialize throws is not
    // finalised, the ones before it are, and the exception passes on.
    explicit TUnits(std::vector<TUnit> units);
    ~TUnits();
    TUnits(const TUnits&) = delete;
    TUnits& operator=(const TUnits&) = delete;

private:
    void FinalizeAll() noexcept;
    std::vector<TUnit> started_;
};
