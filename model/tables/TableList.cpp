#include "model/tables/TableList.h"

#include "model/tables/Table.h"
#include "model/tables/TableErrors.h"

#include <algorithm>

namespace dorvek {

int TTableRegistry::Add(TGridTable& table) {
    fTables.push_back(&table);
    return fCounter++;
}

void TTableRegistry::Remove(const TGridTable& table) {
    auto it = std::find(fTables.begin(), fTables.end(), &table);
    if (it != fTables.end()) fTables.erase(it);
}

TGridTable* TTableRegistry::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return fTables[static_cast<size_t>(index)];
}

int TTableRegistry::IndexOf(const TGridTable& table) const {
    auto it = std::find(fTables.begin(), fTables.end(), &table);
    return it == fTables.end() ? -1 : static_cast<int>(it - fTables.begin());
}

int TTableRegistry::IndexOfIdentifier(int identifier) const {
    if (identifier < 0) return -1;
    for (int i = 0; i < Count(); ++i)
        if (fTables[static_cast<size_t>(i)]->Identifier() == identifier) return i;
    return -1;
}

void TGridTableList::CheckIndex(int i, int limit) const {
    if (i < 0 || i > limit) RaiseIndexError(i);
}

void TGridTableList::Add(int tableIndex) {
    fItems.push_back({false, tableIndex});
}

void TGridTableList::Add(const TGridTable& table) {
    Add(fRegistry->IndexOf(table));
}

void TGridTableList::AddByIdent(int identifier) {
    fItems.push_back({true, identifier});
}

void TGridTableList::Insert(int index, int tableIndex) {
    CheckIndex(index, Count());
    fItems.insert(fItems.begin() + index, {false, tableIndex});
}

void TGridTableList::InsertByIdent(int index, int identifier) {
    CheckIndex(index, Count());
    fItems.insert(fItems.begin() + index, {true, identifier});
}

void TGridTableList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    fItems.erase(fItems.begin() + index);
}

void TGridTableList::Resize(int count) {
    fItems.resize(static_cast<size_t>(std::max(count, 0)), TIntWrapper{});
}

int TGridTableList::GetTableIndex(int i) const {
    const TIntWrapper& item = Item(i);
    return item.ByIdentifier ? fRegistry->IndexOfIdentifier(item.value) : item.value;
}

TGridTable* TGridTableList::Elements(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return fRegistry->At(GetTableIndex(i));
}

void TGridTableList::SetElements(int i, const TGridTable* table) {
    SetTableIndex(i, table ? fRegistry->IndexOf(*table) : -1);
}

void TGridTableList::SetTableIndex(int i, int tableIndex) {
    CheckIndex(i, Count() - 1);
    fItems[static_cast<size_t>(i)] = {false, tableIndex};
}

const TIntWrapper& TGridTableList::Item(int i) const {
    CheckIndex(i, Count() - 1);
    return fItems[static_cast<size_t>(i)];
}

} // namespace dorvek
