#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The count of recalled key points as the therapist typed it: a whole
// number from 0 to the text's key points, blanks around it allowed. A
// field with nothing but blanks counts 0. Anything else (above the key
// points, negative, a fraction such as "2,5", letters) is no count.
std::optional<int32_t> RecallCount(std::string_view typed, int32_t keyPoints);

bool IsBlank(std::string_view typed);

// The share of the key points that were recalled, in percent.
double RecallPercentage(int32_t recalled, int32_t keyPoints);

// The four feedback texts, named after the share they start above.
enum class Feedback { Wleistung0, Wleistung51, Wleistung71, Wleistung90 };

// The feedback for a share: up to 50 %, above 50 up to 70 %, above 70 and
// below 90 %, 90 % and more. Without the gist, the count does not help.
Feedback FeedbackFor(double percent, bool gistMissed);
