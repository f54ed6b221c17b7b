#pragma once

#include "model/MeterData.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

// Satellites for pointing sheets seen from Munich: slot n at 30 W + 15 degrees per slot, so
// that from the ninth on they are below the horizon; each with its own settings and
// transponders "10nnk V 2nn00" (nn the slot, k the transponder from 0), so that every row and
// transponder of a sheet can be told apart.
inline MeterImage SheetImage(int satellites, int transponders) {
    MeterImage image = FreshMeterImage();
    SettingsBlock& block = image.settingsBlock;
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    block.satCount = static_cast<std::uint8_t>(satellites);
    for (int slot = 0; slot < satellites; ++slot) {
        SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        record = MakeNewSatellite(("Bird " + std::to_string(slot + 1)).c_str());
        const int tenths = -300 + 150 * slot;
        record.longitude = static_cast<std::uint16_t>(std::abs(tenths));
        record.direction = tenths < 0 ? kWest : kEast;
        record.positionType = static_cast<std::uint8_t>(slot % 3);  // Fixed, USALS, DiSEQC1.2
        record.switchType = static_cast<std::uint8_t>(slot % 3);    // None, DiSEQC1.0, 1.1
        record.switchInput = static_cast<std::uint8_t>(slot % 4);   // LNB1..LNB4
        record.tone22k = static_cast<std::uint8_t>((slot + 1) % 3); // OFF, ON, AUTO
        record.tpCount = static_cast<std::uint8_t>(transponders);
        for (int tp = 0; tp < transponders; ++tp) {
            record.tps[static_cast<std::size_t>(tp)] = {
                static_cast<std::uint16_t>(20000 + 100 * slot),
                static_cast<std::uint16_t>(10000 + 10 * slot + tp), kVertical, 0};
        }
    }
    return image;
}

// The text of a PDF as pdftotext lays it out: one line per table row's first line, pages
// parted by form feeds. Empty when the tool fails.
inline QString PdfText(const QByteArray& pdf) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("sheet.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        return {};
    }
    file.close();
    QProcess tool;
    tool.start(QStringLiteral(ORVEX_PDFTOTEXT),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                file.fileName(), QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}
