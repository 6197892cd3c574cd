#pragma once
// CAlarmEditDlg: the modal dialog in which one alarm is created or changed.
// It works on its own copy of the record: the caller applies Result() after
// OK (alarm_list_edits.h), so a tick that reloads the list meanwhile cannot
// leave the dialog holding a freed record.

#include <windows.h>

#include <string>

#include "alarms/alarm_edit_values.h"
#include "alarms/alarm_record.h"
#include "win/dialog_win.h"

class CAlarmEditDlg : public CDialog {
public:
    // `programFolder` ends with a backslash; the sound browser of a new alarm
    // starts at its Sounds\ring.wav.
    CAlarmEditDlg(HWND parent, const AlarmRecord& record, bool existing, std::string programFolder);

    // The confirmed record, valid after DoModal returned IDOK.
    const AlarmRecord& Result() const { return result_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;

private:
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
    void SetTexts();
    void CreateTimeField();
    // Rebuilds the date field or the weekday list for the chosen kind.
    void ApplyKind();
    void DestroyKindControls();
    void CreateDateField();
    void CreateWeekdayList();
    void WriteFields();
    // Reads every control into values_; a refusal of the field checks is shown
    // and false returned.
    bool ReadFields();
    void ShowRefusal(const EditRefusal& refusal);
    void ApplyEnableRules();
    void BrowseSound();
    void BrowseProgram();
    RepeatItem SelectedKind() const;

    AlarmRecord original_;
    bool existing_;
    std::string programFolder_;
    AlarmEditValues values_;
    // What the date field and weekday list start from on every kind change:
    // the record's values, or today and no day for a new alarm.
    clock_time::CivilTime initialDate_;
    uint8_t initialWeekdays_ = 0;
    AlarmRecord result_;
};
