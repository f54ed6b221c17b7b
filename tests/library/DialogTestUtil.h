#pragma once

#include "controls/ControlIds.h"
#include "model/MeterData.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QWidget>
#include <cstring>
#include <vector>

// The control of a dialog that carries the given layout id, or nullptr.
template <typename T> T* ControlById(const QWidget* dialog, int id) {
    return FindControl<T>(dialog, id);
}

inline SatelliteRecord NamedRecord(const char* name) {
    return MakeNewSatellite(name);
}

// Writes records end to end, byte for byte, as a satellite list file holds them.
inline bool WriteRecordsFile(const QString& path, const std::vector<SatelliteRecord>& records) {
    QByteArray bytes(static_cast<qsizetype>(records.size() * sizeof(SatelliteRecord)), '\0');
    if (!records.empty()) {
        std::memcpy(bytes.data(), records.data(), records.size() * sizeof(SatelliteRecord));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
