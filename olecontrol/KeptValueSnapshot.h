// The values that a reset leaves alone (the extent) must not keep what a failed load half read:
// this snapshot records them before a load and puts them back after the reset.
#pragma once

#include "PersistentObject.h"

#include <vector>

class CKeptValueSnapshot final
{
public:
    // Records the object's kept-on-reset values in exchange order.
    explicit CKeptValueSnapshot(CPersistentObject& object);
    // Writes the recorded values back; every other item is left as it is.
    void Restore(CPersistentObject& object) const;

private:
    std::vector<LONG> values;
};
