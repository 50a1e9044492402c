#include "gui/tables/TableWindows.h"

#include "gui/tables/TableChartForm.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableFamily.h"

#include <QLocale>

namespace dorvek {

void InstallTableEditors(TTableFamilies& families, const TTableWindowHost& host) {
    families.Grid().EditorFactory = [host](TGridTable& table,
                                           bool modal) -> std::unique_ptr<TEditorHandle> {
        return std::make_unique<TTableFormHandle>(*new TTableForm(table, modal, host));
    };
    families.Chart().EditorFactory = [host](TGridTable& table,
                                            bool modal) -> std::unique_ptr<TEditorHandle> {
        if (auto* chart = dynamic_cast<TGridTableChart*>(&table))
            return std::make_unique<TTableFormHandle>(*new TTableChartForm(*chart, modal, host));
        return std::make_unique<TTableFormHandle>(*new TTableForm(table, modal, host));
    };
}

void RemoveTableEditors(TTableFamilies& families) {
    families.Grid().EditorFactory = nullptr;
    families.Chart().EditorFactory = nullptr;
}

char UserDecimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

} // namespace dorvek
