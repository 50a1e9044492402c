// The "Col" column-definition stream read into an empty table of either family, with the
// program's input tables present so that nested-table columns can name their templates: any
// stream is taken or refused with a stream error, and a taken stream written out reads back
// to the same bytes. The first byte picks the family; the rest is the stream. The tables read
// leave nothing registered in the set when they go.

#include "fuzz/FuzzSupport.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <cstdint>
#include <memory>
#include <span>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

int RegisteredTables(TTableFamilies& families) {
    return families.Grid().Tables.Count() + families.Chart().Tables.Count();
}

std::unique_ptr<TGridTable> EmptyTable(TTableFamilies& families, bool chart) {
    if (chart) return std::make_unique<TGridTableChart>(families);
    return std::make_unique<TGridTable>(families);
}

void ReadStream(TTableFamilies& families, bool chart, std::span<const std::uint8_t> bytes) {
    auto table = EmptyTable(families, chart);
    try {
        table->ReadColumnStream(bytes);
    } catch (const StreamError&) {
        return;
    }
    // A table with the columns read must hold rows of default values.
    table->SetRowCount(table->MinRows() + 2);
    const TByteStream written = table->ColumnStream();
    auto again = EmptyTable(families, chart);
    try {
        again->ReadColumnStream(written);
    } catch (const StreamError& e) {
        Fail(std::string("a written stream is refused: ") + e.what());
    }
    Check(again->ColumnStream() == written, "a written stream reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    TInputTables templates;
    const int before = RegisteredTables(templates.Families());
    ReadStream(templates.Families(), (data[0] & 1) != 0,
               std::span<const std::uint8_t>(data + 1, size - 1));
    Check(RegisteredTables(templates.Families()) == before, "tables left registered");
    return 0;
}
