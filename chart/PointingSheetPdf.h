#pragma once

#include "model/MeterData.h"
#include "model/PointingTable.h"

#include <QByteArray>
#include <QDate>
#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

// The pointing sheet as a PDF, landscape so that the table's columns fit across: the file,
// date, site and declination with the sky chart beside them, then one table row per satellite
// in use, continued on further pages under a repeated heading. Text stays text and lines stay
// lines, so the sheet prints sharp and its words can be searched and copied.
class PointingSheetPdf {
public:
    PointingSheetPdf(const PointingTable& table, const SettingsBlock& block,
                     const QString& meterFileName, const QDate& date);

    QByteArray Render() const;

    // Letter where the locale's country prints on it, A4 elsewhere.
    static QPageSize PageSizeFor(const QLocale& locale);

private:
    // The texts of one table row, one list of wrapped lines per column; a satellite below the
    // horizon has one text across the columns of its angles.
    struct Row {
        std::vector<QStringList> cells;
        bool below = false;
        double height = 0.0;
    };

    void LayOutColumns();
    Row MakeRow(const PointingRow& source) const;
    QStringList Wrap(const QStringList& pieces, const QString& separator, double width) const;
    QStringList HeaderLines() const;
    double PaintHeader(QPainter& painter, double width) const;
    double PaintHeadings(QPainter& painter, double top) const;
    void PaintRow(QPainter& painter, const Row& row, double top) const;

    const PointingTable& m_table;
    const SettingsBlock& m_block;
    QString m_meterFileName;
    QDate m_date;
    QFont m_font;
    QFont m_bold;
    std::vector<double> m_columns; // widths in points
    double m_headingHeight = 0.0;
};
