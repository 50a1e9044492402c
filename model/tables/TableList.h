#pragma once
// The list of tables of one family of a table set, and lists of references into it.

#include <vector>

namespace dorvek {

class TGridTable;

// Every table of a family in creation order, with the counter that gives each new table
// its first identifier.
class TTableRegistry {
public:
    // Appends the table; returns its identifier (the counter, then incremented).
    int Add(TGridTable& table);
    void Remove(const TGridTable& table);
    int Count() const { return static_cast<int>(fTables.size()); }
    // Null outside 0..Count()-1.
    TGridTable* At(int index) const;
    int IndexOf(const TGridTable& table) const;
    // Position of the first table with this identifier; -1 when none or when negative.
    int IndexOfIdentifier(int identifier) const;
    const std::vector<TGridTable*>& Tables() const { return fTables; }

private:
    std::vector<TGridTable*> fTables;
    int fCounter = 0;
};

// One reference: a position in the registry, or an identifier.
struct TIntWrapper {
    bool ByIdentifier = false;
    int value = -1;

    bool operator==(const TIntWrapper&) const = default;
};

// References to tables of one family (the templates of a table column).
class TGridTableList {
public:
    explicit TGridTableList(const TTableRegistry& registry) : fRegistry(&registry) {}

    int Count() const { return static_cast<int>(fItems.size()); }
    void Add(int tableIndex);
    void Add(const TGridTable& table);
    void AddByIdent(int identifier);
    void Insert(int index, int tableIndex);
    void InsertByIdent(int index, int identifier);
    void Delete(int index);
    void Clear() { fItems.clear(); }
    // Appends references to no table, or deletes from the end, until Count() is count.
    void Resize(int count);

    // Position in the registry of element i (-1 when it refers to no table).
    int GetTableIndex(int i) const;
    // The table of element i, or null.
    TGridTable* Elements(int i) const;
    // Store a position (clears ByIdentifier).
    void SetElements(int i, const TGridTable* table);
    void SetTableIndex(int i, int tableIndex);

    const TIntWrapper& Item(int i) const;
    const std::vector<TIntWrapper>& Items() const { return fItems; }
    void Assign(const TGridTableList& source) { fItems = source.fItems; }

private:
    void CheckIndex(int i, int limit) const;

    const TTableRegistry* fRegistry;
    std::vector<TIntWrapper> fItems;
};

} // namespace dorvek
