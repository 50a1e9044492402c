#pragma once
// Events of a table. The eight row-object events come from its table columns, with the
// column's index; they serve rows whose object is not a nested table.

#include <functional>
#include <memory>
#include <string>

namespace dorvek {

class TGridTable;
class TRowObject;

struct TGridTableEvents {
    // After every structural change: rows or columns added, inserted, replaced or deleted,
    // columns read from a stream, units changed.
    std::function<void(TGridTable& sender)> OnMajorChange;
    std::function<void(TGridTable& sender, int iCol, int iRow)> OnCellChange;
    std::function<void(TGridTable& sender)> OnResize;
    // The table is about to be freed (a nested table goes with its row); it is still whole.
    std::function<void(TGridTable& sender)> OnDestroy;

    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)> OnButtonClick;
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData,
                       std::string& aCaption)>
        OnGetButtonCaption;
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData, bool& aChanged)>
        OnGetChanged;
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)> OnHide;
    // Supplies the object of a new row when the column has no template for its kind.
    std::function<void(TGridTable& sender, int aCol, int aRow, int aEnumType,
                       std::unique_ptr<TRowObject>& aData)>
        OnInitRow;
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData)> OnResetChanged;
    // The object now stands in row aRow (after creation and after renumbering).
    std::function<void(TGridTable& sender, int aCol, TRowObject* aData, int aRow)> OnSetRow;
    std::function<void(TGridTable& sender, int aCol, int aRow, TRowObject* aData, int aValue)>
        OnSetUnits;
};

} // namespace dorvek
