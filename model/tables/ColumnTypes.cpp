#include "model/tables/ColumnTypes.h"

#include "model/tables/EnumColumn.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/IntColumn.h"
#include "model/tables/StringColumn.h"
#include "model/tables/TableColumn.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace dorvek {

namespace {

// The kinds in the order of their codes.
const ColumnClass kKinds[] = {&TEnumColumn::Class, &TIntColumn::Class, &TFloatColumn::Class,
                              &TTableColumn::Class, &TStringColumn::Class};

} // namespace

TColumnTypeRegistry::TColumnTypeRegistry()
    : fOnFailure([](const std::string& message) {
          std::fprintf(stderr, "%s\n", message.c_str());
          std::abort();
      }) {}

TColumnTypeRegistry::~TColumnTypeRegistry() {
    if (!fEntries.empty() && fOnFailure) fOnFailure("Column Type list not empty");
}

void TColumnTypeRegistry::Register(ColumnClass cls) {
    if (GetIndex(cls) >= 0) return;
    int next = 0;
    for (const auto& entry : fEntries) next = std::max(next, entry.index + 1);
    fEntries.push_back({cls, next});
}

void TColumnTypeRegistry::Unregister(ColumnClass cls) {
    std::erase_if(fEntries, [cls](const TColumnTypeStorage& e) { return e.ColumnClass == cls; });
}

ColumnClass TColumnTypeRegistry::GetClass(int index) const {
    for (const auto& entry : fEntries)
        if (entry.index == index) return entry.ColumnClass;
    return nullptr;
}

int TColumnTypeRegistry::GetIndex(ColumnClass cls) const {
    for (const auto& entry : fEntries)
        if (entry.ColumnClass == cls) return entry.index;
    return -1;
}

TRegisteredColumnTypes::TRegisteredColumnTypes() {
    for (ColumnClass cls : kKinds) Register(cls);
}

TRegisteredColumnTypes::~TRegisteredColumnTypes() {
    for (ColumnClass cls : kKinds) Unregister(cls);
}

} // namespace dorvek
