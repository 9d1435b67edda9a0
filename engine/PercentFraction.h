// Percent to fraction, the same way everywhere in the engine: an integer percent times the
// single-precision constant 0.01, so 46 % is 0.45999998f and 50 % exactly 0.5f.
#pragma once

constexpr float kPercentToFraction = 0.01f;

template <class Integer> inline float PercentToFraction(Integer percent)
{
    // The product is rounded to single precision here, not later, whatever the FPU keeps.
    volatile float fraction = static_cast<float>(percent) * kPercentToFraction;
    return fraction;
}
