// SPDX-License-Identifier: MIT
#pragma once

#include "editor/BirthdayInfo.h"
#include "model/BirthdayNote.h"
#include "platform/Services.h"

#include <QDialog>
#include <memory>

namespace Ui {
class BirthdayDialog;
}

class AppData;
class QDate;
class QMenu;
class ValidationTip;

// "生日提醒": a friend's birthday, new or changed: name, sex, blood group,
// birth date, whether the birthday follows the lunar calendar, a remark and
// when to be reminded. While the birth date changes it shows the age, the
// zodiac animal (of the lunar year for a lunar birthday) and the star sign
// with its picture, and offers horoscope pages for them on the web. Save
// writes the entry into the birthday list (a new one at the tail); the task
// manager, which watches the list, shows it at once. Nothing is written to a
// file here.
class BirthdayDialog final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NameLimit = 20;
    static constexpr int RemarkLimit = 50;

    // `entry` null: a new birthday. Otherwise the entry of data.Birthdays to
    // change.
    BirthdayDialog(AppData &data, const Services &services, EntryHandle entry = {}, QWidget *parent = nullptr);
    ~BirthdayDialog() override;

    // Runs the dialog modally; true when the birthday was saved. An entry
    // that is no longer in the list opens nothing.
    static bool OpenModal(AppData &data, const Services &services, EntryHandle entry = {}, QWidget *parent = nullptr);

    bool isEditing() const { return !m_entry.IsNull(); }
    // The entry the last successful save wrote; null before.
    EntryHandle savedEntry() const { return m_savedEntry; }
    // What the dialog shows for the birth date in the picker.
    const BirthInfo &birthInfo() const { return m_info; }
    QMenu *webLinkMenu() const { return m_webLinks; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWebLinkMenu();
    void loadEntry();
    void showDateInformation(const QDate &date);
    void openWebLink(BirthdayWebLink link);
    void save();
    BirthdayEntry enteredEntry() const;

    std::unique_ptr<Ui::BirthdayDialog> m_ui;
    AppData &m_data;
    Services m_services;
    EntryHandle m_entry;
    BirthdayEntry m_loaded;
    EntryHandle m_savedEntry;
    BirthInfo m_info;
    Birth m_birth;
    QMenu *m_webLinks = nullptr;
    ValidationTip *m_tip = nullptr;
    bool m_centred = false;
};
