// How many runs, calls or cycles a reliability test makes: a bounded number in CI, another
// given by scripts/stress through the environment.
#pragma once

#include <cstdlib>

inline int CountFromEnvironment(const char* name, int bounded)
{
    const char* given = std::getenv(name);
    const int count = given ? std::atoi(given) : 0;
    return count > 0 ? count : bounded;
}
