// The plug-in of the workbook output (dorvek-run-workbook).

#include "cli/OutputPlugin.h"
#include "cli/XlsxOutput.h"

DORVEK_PLUGIN_EXPORT const dorvek::cli::WorkbookPlugin* DorvekRunWorkbook() {
    static const dorvek::cli::WorkbookPlugin plugin{dorvek::cli::kOutputPluginVersion,
                                                    &dorvek::cli::XlsxOutput};
    return &plugin;
}
