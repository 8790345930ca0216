#include "recall/recall_score.h"

#include "framework/text/text.h"

double RecallPercentage(int32_t recalled, int32_t keyPoints) {
  return fw::Int32ToDouble(recalled) * 100.0 / fw::Int32ToDouble(keyPoints);
}
