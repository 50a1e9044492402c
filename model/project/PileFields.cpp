#include "model/project/PileFields.h"

namespace dorvek {

std::optional<std::string> TPileField::Fault(long double value) const {
    TDataEditModel field;
    field.SetIntegerOnly(IntegerOnly);
    field.SetMaxVal(MaxVal);
    field.SetMinVal(MinVal);
    return field.Fault(value);
}

} // namespace dorvek
