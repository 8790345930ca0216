#pragma once

#include <cstdint>

// The share of the key points that were recalled, in percent. Worked out in
// double: the product count × 100 leaves the Int32 range for counts far
// below zero, which the points field lets the therapist type. Within that
// range the result is the same as that of the Int32 product, which double
// holds exactly.
double RecallPercentage(int32_t recalled, int32_t keyPoints);
