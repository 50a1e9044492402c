#pragma once
// Input that was read before (InputData) taken into a run's store, with the report echo
// that reading it from an input data file writes, in the same places: a run from the data
// writes the report and plot file of a run from the file the data was read from.

#include "kernel/FixedFormat.h"
#include "kernel/InputData.h"
#include "kernel/Store.h"

#include <string>

namespace dorvek {

// What makes the data unusable (counts that disagree, items missing that the run cannot do
// without); empty when the run can take it.
std::string InputDataFault(const InputData& input);

// The model part (title to pile line), as ReadModelInput leaves it: values the file does not
// hold for the chosen curve sources are dropped, depths of the strength rows follow the layers.
void TakeModelInput(const InputData& input, Store& s, FixedWriter& report);

// The loading part (tip movements to Q-w factors), as ReadLoadingInput leaves it: the tip
// movement list built, the factors applied.
void TakeLoadingInput(Store& s, FixedWriter& report);

} // namespace dorvek
