#pragma once
// A row of a table query, as row filters and table rows take it; each query's rows derive from
// it (the local bill of materials' DLxLocalBOMRow).
class DUxTableDataQueryResultRow {
public:
    virtual ~DUxTableDataQueryResultRow() = default;
};
