#include "editor/LockFindingText.h"

#include "model/LookAngles.h"

#include <QStringList>

#include <cmath>

namespace {

template <std::size_t N>
QString Label(const std::array<const char*, N>& labels, std::uint8_t code) {
    return code < N ? QString::fromLatin1(labels[code]) : QStringLiteral("code %1").arg(code);
}

QString Position(const SatelliteRecord& record) {
    return QString::fromStdString(OrbitalPositionText(record));
}

QString Site(const LocalPosition& site) {
    return QString::fromStdString(SiteText(site));
}

QString Polarization(const TpEntry& tp) {
    return IsVerticalLetter(tp.polarization) ? QStringLiteral("V") : QStringLiteral("H");
}

// The oscillators the meter can use for this LNB type, as "9750/10600 MHz".
QString Oscillators(const SatelliteRecord& record) {
    QStringList used;
    for (std::uint16_t lo : LnbOscillators(record)) {
        if (lo != 0) {
            used << QString::number(lo);
        }
    }
    return used.isEmpty() ? QStringLiteral("no oscillator")
                          : used.join(QLatin1Char('/')) + QStringLiteral(" MHz");
}

QString SatelliteText(const SettingsBlock& block, const LockFinding& finding) {
    const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(finding.slot)];
    const QString lnbType = Label(kLnbTypeLabels, record.lnbType);
    switch (finding.problem) {
    case LockProblem::NoTransponder:
        return QStringLiteral("The satellite has no transponder, so the meter has nothing to "
                              "lock on. Insert one in the TP list.");
    case LockProblem::LnbPowerOff:
        return QStringLiteral("Lnb Power is OFF: the meter does not feed the LNB. Choose AUTO.");
    case LockProblem::BelowHorizon: {
        const LocalPosition& site = block.localPosition;
        const LookAngles look =
            ComputeLookAngles(SiteLongitudeDegrees(site), SiteLatitudeDegrees(site),
                              SatelliteLongitudeDegrees(record));
        return QStringLiteral("At %1 the satellite is %2\u00b0 below the horizon of the Local "
                              "Position %3. Check its Longitude and the Local Position.")
            .arg(Position(record))
            .arg(std::abs(look.elevation), 0, 'f', 1)
            .arg(Site(site));
    }
    case LockProblem::UsalsWithoutSite:
        return QStringLiteral("Position Type is USALS but the Local Position is %1, so the motor "
                              "turns for the wrong place. Enter the dish's Longitude and "
                              "Latitude in Local Position.")
            .arg(Site(block.localPosition));
    case LockProblem::LnbFrequenciesDiffer: {
        const LnbPreset& preset = kLnbPresets[record.lnbType];
        return QStringLiteral("Lnb Type is %1 (%2 and %3 MHz) but the stored frequencies are %4 "
                              "and %5 MHz. Choose Customized, enter %2 and %3, then choose %1 "
                              "again.")
            .arg(lnbType)
            .arg(preset.low)
            .arg(preset.high)
            .arg(record.lnbLowFreq)
            .arg(record.lnbHighFreq);
    }
    case LockProblem::SharedSwitchInput: {
        const int other = SharedSwitchInputSlot(block, finding.slot);
        const QString input = QStringLiteral("%1 input LNB%2")
                                  .arg(Label(kSwitchTypeLabels, record.switchType))
                                  .arg(record.switchInput + 1);
        const QString them =
            other < 0 ? QStringLiteral("another satellite")
                      : QStringLiteral("%1 at %2")
                            .arg(LockFindingSatellite(block, other),
                                 Position(block.satellites[static_cast<std::size_t>(other)]));
        return QStringLiteral("%1 also switches to %2. Choose another Switch Input for one of "
                              "them.")
            .arg(input, them);
    }
    case LockProblem::UnknownLnbType:
        return QStringLiteral("Lnb Type holds %1, which the meter does not know. Choose a type "
                              "from the list.")
            .arg(lnbType);
    default:
        return {};
    }
}

QString TransponderText(const SettingsBlock& block, const LockFinding& finding) {
    const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(finding.slot)];
    const TpEntry& tp = record.tps[static_cast<std::size_t>(finding.row)];
    const QString lnbType = Label(kLnbTypeLabels, record.lnbType);
    switch (finding.problem) {
    case LockProblem::OutsideLnbRange:
        return QStringLiteral("The %1 LNB (%2) cannot bring %3 MHz into 950-2150 MHz. Correct "
                              "the frequency or choose the Lnb Type of the dish's LNB.")
            .arg(lnbType, Oscillators(record))
            .arg(tp.frequency);
    case LockProblem::ToneBlocksBand: {
        // OFF holds the low oscillator, ON the high one.
        const bool off = record.tone22k == 1;
        return QStringLiteral("22 KHz is %1, which holds the %2 LNB on %3 MHz: %4 MHz needs %5 "
                              "MHz. Choose AUTO.")
            .arg(Label(kTone22kLabels, record.tone22k), lnbType)
            .arg(off ? kLnbPresets[0].low : kLnbPresets[0].high)
            .arg(tp.frequency)
            .arg(off ? kLnbPresets[0].high : kLnbPresets[0].low);
    }
    case LockProblem::PowerBlocksPolarization:
        return record.lnbPower == 0
                   ? QStringLiteral("Lnb Power is 18V: vertical transponders get no power. "
                                    "Choose AUTO or 13V.")
                   : QStringLiteral("Lnb Power is 13V: horizontal transponders get no power. "
                                    "Choose AUTO or 18V.");
    case LockProblem::SymbolRateOutOfRange:
        return QStringLiteral("The symbol rate %1 kS/s is outside 2000-45000 kS/s. Enter the "
                              "transponder's symbol rate in the SR column.")
            .arg(tp.symbolRate);
    case LockProblem::DuplicateTransponder: {
        return QStringLiteral("%1 MHz %2 is already TP %3. Delete this row or enter another "
                              "transponder.")
            .arg(tp.frequency)
            .arg(Polarization(tp))
            .arg(EarlierDuplicateRow(record, finding.row) + 1);
    }
    default:
        return {};
    }
}

} // namespace

QString LockFindingText(const SettingsBlock& block, const LockFinding& finding) {
    if (finding.slot < 0 || finding.slot >= static_cast<int>(kMaxSatellites) ||
        finding.row >= static_cast<int>(kMaxTps)) {
        return {};
    }
    return finding.row < 0 ? SatelliteText(block, finding) : TransponderText(block, finding);
}

QString LockFindingSatellite(const SettingsBlock& block, int slot) {
    if (slot < 0 || slot >= static_cast<int>(kMaxSatellites)) {
        return {};
    }
    // One pass over both, so that a name holding "%2" stays as it is.
    return QStringLiteral("%1 (slot %2)")
        .arg(QString::fromLatin1(NameText(block.satellites[static_cast<std::size_t>(slot)])),
             QString::number(slot + 1));
}

QString FirstFindingText(const SettingsBlock& block, int slot) {
    for (const LockFinding& finding : CheckMeter(block)) {
        if (finding.slot == slot) {
            const QString text = LockFindingText(block, finding);
            return finding.row < 0
                       ? text
                       : QStringLiteral("TP %1: %2").arg(QString::number(finding.row + 1), text);
        }
    }
    return {};
}
