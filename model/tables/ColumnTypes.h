#pragma once
// Column kinds and the registry that maps each kind to its stream code (0 to 4).

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dorvek {

class TColumn;
class TGridTable;

// Describes one column kind: its name and how to create an empty column of it.
struct TColumnClass {
    const char* Name;
    std::unique_ptr<TColumn> (*Create)(TGridTable& owner);
};
using ColumnClass = const TColumnClass*;

// One registry entry.
struct TColumnTypeStorage {
    const TColumnClass* ColumnClass;
    int index;
};

// Maps kinds to codes in both directions. Must be empty when destroyed: otherwise the
// failure handler runs with "Column Type list not empty" (by default: the message goes to
// the error output and the program stops).
class TColumnTypeRegistry {
public:
    using FailureHandler = std::function<void(const std::string& message)>;

    TColumnTypeRegistry();
    ~TColumnTypeRegistry();
    TColumnTypeRegistry(const TColumnTypeRegistry&) = delete;
    TColumnTypeRegistry& operator=(const TColumnTypeRegistry&) = delete;

    // The kind gets the next code (0, 1, ...).
    void Register(ColumnClass cls);
    void Unregister(ColumnClass cls);
    int Count() const { return static_cast<int>(fEntries.size()); }
    // Null for an unregistered code.
    ColumnClass GetClass(int index) const;
    // -1 for an unregistered kind.
    int GetIndex(ColumnClass cls) const;

    void SetFailureHandler(FailureHandler handler) { fOnFailure = std::move(handler); }

private:
    std::vector<TColumnTypeStorage> fEntries;
    FailureHandler fOnFailure;
};

// The registry of a table family: filled with the five kinds in code order at creation and
// emptied when it goes, after which the registry checks that nothing is left.
class TRegisteredColumnTypes : public TColumnTypeRegistry {
public:
    TRegisteredColumnTypes();
    ~TRegisteredColumnTypes();
};

} // namespace dorvek
