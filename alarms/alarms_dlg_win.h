#pragma once
// CAlarmsDlg: the modal list of all alarms, with a check box per row that
// switches an alarm on and off, and New, Edit, Delete and Test. While it is
// open the tick may reload the list; it refills the rows then.

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "alarms/alarms_dialog_host.h"
#include "win/dialog_win.h"

class CAlarmsDlg : public CDialog, public AlarmsListView {
public:
    CAlarmsDlg(HWND parent, AlarmsDialogHost& host);
    ~CAlarmsDlg() override;

    void Refill() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDestroy() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void AddColumns();
    void PlaceWindow();
    void StorePosition();
    void OnItemChanged(const NMLISTVIEW& change);
    // The first selected row, or -1.
    int SelectedRow() const;
    // The list position of the alarm a row shows, or the list's size when it
    // has none. Rows are matched by identity: a reload the dialog was not told
    // of (a time change) must not make a row act on another alarm.
    size_t RecordOfRow(int row) const;
    void NewAlarm();
    void EditAlarm();
    void DeleteAlarm();
    void TestAlarm();
    // Applies `change` with the pending check boxes to the stored list; a
    // failed save is reported, and the boxes stay pending.
    bool Change(const std::function<void(AlarmList&)>& change);

    AlarmsDialogHost& host_;
    HWND list_ = nullptr;
    // The identity of the alarm in each row, as of the last refill.
    std::vector<uint64_t> rowIds_;
    // Check boxes changed since the last store: identity to ticked.
    std::map<uint64_t, bool> pendingEnabled_;
    bool filling_ = false;
    bool changed_ = false;
};
