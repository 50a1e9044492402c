#include "gui/tables/TableWindows.h"

#include "gui/tables/TableChartForm.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableFamily.h"

#include <QLocale>

namespace dorvek {

void InstallTableEditors(const TTableWindowHost& host) {
    GridFamily().EditorFactory = [host](TGridTable& table,
                                        bool modal) -> std::unique_ptr<TTableEditor> {
        return std::make_unique<TTableForm>(table, modal, host);
    };
    ChartFamily().EditorFactory = [host](TGridTable& table,
                                         bool modal) -> std::unique_ptr<TTableEditor> {
        if (auto* chart = dynamic_cast<TGridTableChart*>(&table))
            return std::make_unique<TTableChartForm>(*chart, modal, host);
        return std::make_unique<TTableForm>(table, modal, host);
    };
}

void RemoveTableEditors() {
    GridFamily().EditorFactory = nullptr;
    ChartFamily().EditorFactory = nullptr;
}

char UserDecimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

} // namespace dorvek
