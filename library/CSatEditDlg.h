#pragma once

#include "model/MeterData.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class CComboBoxBase;
class QLineEdit;
class QPushButton;
class UserPrompts;

// The modal dialog "Edit Satellite": a view over a working copy of one satellite record. Each
// box writes its field when it is left, each list when it is left or its pop-up closes.
class CSatEditDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSatEditDlg)

public:
    CSatEditDlg(const SatelliteRecord& record, UserPrompts& prompts, QWidget* parent = nullptr);

    // The working record; the caller takes it after "OK".
    const SatelliteRecord& GetRecord() const { return m_record; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The boxes in the order they are read and checked.
    enum Box { NameBox, LowBox, HighBox, LongitudeBox, TpFreqBox, SymbolRateBox, kBoxCount };

    void CreateControls();
    void OnInitDialog();

    // Reads every box in order and checks its range. Stops at the first bad value, reports it
    // and answers its box; -1 when all are good.
    int ReadBoxes();
    void ShowBoxes();
    void ShowTp(int tp);
    void FillSwitchInputs(int count);
    void FillTpNumbers(int count);

    void LeaveControl(QObject* control);
    void OnLeaveBox(Box box);
    void OnLeaveTpNumber();
    void OnCloseUpLnbType();
    void OnCloseUpSwitchType();
    void OnCloseUpTpNo();
    void OnCloseUpPolarity();
    void OnOK();

    UserPrompts& m_prompts;
    SatelliteRecord m_record;

    // Box values: the name text and the five numbers, as last read or shown.
    QString m_nameText;
    std::array<std::uint32_t, kBoxCount> m_values{};
    int m_curTp = 0;
    int m_shownPolarity = -1; // the polarization entry last shown or stored
    bool m_closing = false;

    std::array<QLineEdit*, kBoxCount> m_boxes{};
    CComboBoxBase* m_tpNumber = nullptr;
    CComboBoxBase* m_location = nullptr;
    CComboBoxBase* m_lnbType = nullptr;
    CComboBoxBase* m_lnbPower = nullptr;
    CComboBoxBase* m_switchType = nullptr;
    CComboBoxBase* m_switchInput = nullptr;
    CComboBoxBase* m_tone = nullptr;
    CComboBoxBase* m_positionType = nullptr;
    CComboBoxBase* m_tpNo = nullptr;
    CComboBoxBase* m_polarity = nullptr;
    QPushButton* m_okButton = nullptr;
};
