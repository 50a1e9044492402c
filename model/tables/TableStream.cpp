// Reading and writing the column definition stream of a TGridTable.
#include "model/tables/Table.h"

#include "model/tables/FloatColumn.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <exception>

namespace dorvek {

void TGridTable::WriteColumns(TColWriter& writer) const {
    writer.WriteInteger(ColCount());
    for (const auto& column : fColumns) {
        writer.WriteInteger(fFamily->Kinds.GetIndex(column->ClassType()));
        column->WriteToStream(writer);
    }
    WriteSettings(writer);
}

void TGridTable::ReadColumns(TColReader& reader) {
    int rows = fRowCount;
    ClearColumns();
    fRowCount = rows;
    std::exception_ptr failure;
    try {
        ReadColumnList(reader);
        ReadSettings(reader);
    } catch (...) {
        failure = std::current_exception();
    }
    // Rows are created once every column is there, so that a depth pair finds its partner;
    // a column that cannot take rows is dropped.
    // A depth pair's top without its bottom column is dropped even while there are no rows:
    // the table could never take a row.
    for (size_t i = 0; i < fColumns.size();) {
        try {
            if (auto* depth = dynamic_cast<const TFloatColumn*>(fColumns[i].get()))
                depth->CheckDepthPair();
            Attach(*fColumns[i]);
            ++i;
        } catch (const StreamError&) {
            if (!failure) failure = std::current_exception();
            fColumns.erase(fColumns.begin() + static_cast<std::ptrdiff_t>(i));
        } catch (const std::exception& error) {
            // Callers of the stream expect its one error kind.
            if (!failure) failure = std::make_exception_ptr(StreamError(error.what()));
            fColumns.erase(fColumns.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    ResizeTemplateLists();
    MajorChange();
    if (failure) std::rethrow_exception(failure);
}

void TGridTable::ReadColumnList(TColReader& reader) {
    int count = -1;
    try {
        count = reader.ReadInteger();
    } catch (const StreamError&) {
    }
    if (count < 0) throw StreamError("Error reading column count");
    for (int k = 0; k < count; ++k) {
        ColumnClass cls = fFamily->Kinds.GetClass(reader.ReadInteger());
        if (!cls) throw StreamError("Error Column Class not defined");
        std::unique_ptr<TColumn> column;
        try {
            column = TColumn::CreateFromStream(cls, *this, reader);
        } catch (const std::exception& error) {
            throw StreamError(
                FormatText("Error occured when creating column %d: %s", k, error.what()));
        }
        fColumns.push_back(std::move(column));
        ResizeTemplateLists();
    }
}

TByteStream TGridTable::ColumnStream() const {
    TColWriter writer;
    WriteColumns(writer);
    return writer.Bytes();
}

void TGridTable::ReadColumnStream(std::span<const std::uint8_t> bytes) {
    TColReader reader(bytes);
    ReadColumns(reader);
}

} // namespace dorvek
