#pragma once

#include <QString>

class QTableView;

// What an in-place editor reports when its edit ends: the cell and the text that ends the edit
// (the cell's old text when the edit was cancelled).
struct CellEditRecord {
    int row;
    int column;
    QString text;
};

// The list an in-place editor works in: the view it is placed into and the receiver of the end
// of each edit. The editors know their list only through this, so the list can own them.
class CellEditHost {
public:
    virtual QTableView* EditView() = 0;
    // Writes the text into the cell, then tells whoever listens to the list.
    virtual void OnEndLabelEdit(const CellEditRecord& record) = 0;

protected:
    CellEditHost() = default;
    ~CellEditHost() = default;
    CellEditHost(const CellEditHost&) = default;
    CellEditHost& operator=(const CellEditHost&) = default;
};
