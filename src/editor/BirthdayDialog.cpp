// SPDX-License-Identifier: MIT
#include "editor/BirthdayDialog.h"

#include "calendar/CalendarInfo.h"
#include "calendar/LunarCalendar.h"
#include "editor/BirthdaySites.h"
#include "editor/EditorPage.h"
#include "editor/ValidationTip.h"
#include "model/AlarmFile.h"
#include "model/AppData.h"
#include "model/CategoryTable.h"
#include "platform/Clock.h"
#include "platform/ShellService.h"
#include "ui_BirthdayDialog.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WindowLook.h"

#include <QIcon>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <new>

using namespace Qt::StringLiterals;

namespace {

QString signPicturePath(int signIndex)
{
    return u":/signs/sign-%1.svg"_s.arg(signIndex, 2, 10, QLatin1Char('0'));
}

} // namespace

BirthdayDialog::BirthdayDialog(AppData &data, const Services &services, EntryHandle entry, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::BirthdayDialog>())
    , m_data(data)
    , m_services(services)
    , m_entry(entry)
{
    m_ui->setupUi(this);
    setWindowIcon(ProgramIcon());
    m_ui->birthdayIcon->setPixmap(SvgPixmap(CategoryTable::birthdayIconPath(), 32, devicePixelRatioF()));
    buildWebLinkMenu();
    m_tip = new ValidationTip(this);

    // Anyone alive can be entered: from 1900 on, up to today. The picker
    // shows the date the Chinese way whatever the system language.
    const DateTime now = m_services.clock->Now();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QDateEdit *picker = m_ui->birthDateEdit;
    picker->setLocale(chinese);
    picker->setDisplayFormat(chinese.dateFormat(QLocale::ShortFormat));
    picker->setDateRange(QDate(EarliestBirthYear, 1, 1), ToQDate(now));
    picker->setDate(ToQDate(now));
    if (QLineEdit *text = picker->findChild<QLineEdit *>())
        text->installEventFilter(this);
    connect(picker, &QDateEdit::dateChanged, this, &BirthdayDialog::showDateInformation);
    connect(m_ui->lunarCheck, &QCheckBox::toggled, this, [this] { showDateInformation(m_ui->birthDateEdit->date()); });
    connect(m_ui->saveButton, &QPushButton::clicked, this, &BirthdayDialog::save);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    showDateInformation(picker->date());
    if (isEditing())
        loadEntry();
    m_ui->nameEdit->setFocus();
}

BirthdayDialog::~BirthdayDialog() = default;

bool BirthdayDialog::OpenModal(AppData &data, const Services &services, EntryHandle entry, QWidget *parent)
{
    if (!entry.IsNull() && !data.Birthdays.Contains(entry))
        return false;
    BirthdayDialog dialog(data, services, entry, parent);
    return dialog.exec() == QDialog::Accepted;
}

void BirthdayDialog::buildWebLinkMenu()
{
    m_webLinks = new QMenu(this);
    m_webLinks->setObjectName(u"webLinkMenu"_s);
    const auto add = [this](QMenu *menu, const QString &text, BirthdayWebLink link) {
        QAction *action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, link] { openWebLink(link); });
    };
    QMenu *fortunes = m_webLinks->addMenu(tr("当前星座运势"));
    add(fortunes, tr("本日运势"), BirthdayWebLink::TodayFortune);
    add(fortunes, tr("本周运势"), BirthdayWebLink::WeekFortune);
    add(fortunes, tr("本月运程 "), BirthdayWebLink::MonthFortune);
    add(fortunes, tr("本年运势"), BirthdayWebLink::YearFortune);
    add(m_webLinks, tr("当前生肖运势"), BirthdayWebLink::AnimalFortune);
    add(m_webLinks, tr("当前生肖档案"), BirthdayWebLink::AnimalProfile);
    add(m_webLinks, tr("血型手册"), BirthdayWebLink::BloodGroups);

    QToolButton *button = m_ui->webLinkButton;
    button->setIcon(QIcon(u":/editor/web-links.svg"_s));
    button->setMenu(m_webLinks);
    button->setPopupMode(QToolButton::InstantPopup);
}

void BirthdayDialog::loadEntry()
{
    const BirthdayEntry *stored = m_data.Birthdays.Find(m_entry);
    if (!stored)
        return;
    m_loaded = *stored;
    SetTextKeepingLimit(m_ui->nameEdit, stored->FriendName, NameLimit);
    SetTextKeepingLimit(m_ui->remarkEdit, stored->Note, RemarkLimit);
    m_ui->sexCombo->setCurrentIndex(std::clamp(stored->Sex, 0, m_ui->sexCombo->count() - 1));
    m_ui->bloodCombo->setCurrentIndex(std::clamp(stored->Blood, 0, m_ui->bloodCombo->count() - 1));
    m_ui->twoWeeksCheck->setChecked(stored->TwoWeeks != 0);
    m_ui->oneWeekCheck->setChecked(stored->OneWeeks != 0);
    m_ui->oneDayCheck->setChecked(stored->OneDay != 0);
    m_ui->lunarCheck->setChecked(stored->Lunar != 0);
    // A date from before 1900 that a file brought along stays as it is.
    const DateTime born = BirthDateOf(stored->BornDate);
    if (born.IsValid()) {
        QDateEdit *picker = m_ui->birthDateEdit;
        picker->setMinimumDate(std::min(picker->minimumDate(), ToQDate(born)));
        picker->setDate(ToQDate(born));
    }
    showDateInformation(m_ui->birthDateEdit->date());
}

// The age, animal and sign of the picker's date, with the sign's picture.
// A date the dialog does not take puts the picker back to today.
void BirthdayDialog::showDateInformation(const QDate &date)
{
    const DateTime now = m_services.clock->Now();
    const DateTime picked = FromQDate(date);
    if (!picked.IsValid() || picked.Day0() > now.Day0()) {
        m_ui->birthDateEdit->setDate(ToQDate(now));
        return;
    }
    // Only a date the lunar calendar covers has a lunar birthday; the box
    // keeps its tick for when the date comes back into it.
    const bool hasLunarDate = LunarCalendar::FromGregorian(picked).has_value();
    m_ui->lunarCheck->setEnabled(hasLunarDate);
    m_birth = Birth(picked, m_ui->lunarCheck->isChecked());
    m_ui->lunarDateLabel->setText(m_birth.lunar ? LunarCalendar::Text(picked) : QString());
    m_info = DescribeBirth(m_birth, now);
    m_ui->ageLabel->setText(tr("年龄: %1").arg(m_info.age));
    m_ui->animalLabel->setText(tr("生肖: %1").arg(AnimalNames().value(m_info.animalIndex)));
    m_ui->signLabel->setText(tr("星座: %1").arg(SignNames().value(m_info.signIndex)));
    const QSize size = m_ui->signPicture->maximumSize();
    m_ui->signPicture->setPixmap(SvgPixmap(signPicturePath(m_info.signIndex), size.width(), devicePixelRatioF()));
}

void BirthdayDialog::openWebLink(BirthdayWebLink link)
{
    const BirthdayWebHosts hosts {QString::fromUtf8(BirthdaySites::HoroscopeHost),
                                  QString::fromUtf8(BirthdaySites::ZodiacHost)};
    const QString address =
        BirthdayWebAddress(link, hosts, m_info.signIndex, m_info.animalIndex, m_services.clock->Now().Year());
    if (m_services.shell)
        m_services.shell->Open(address);
}

BirthdayEntry BirthdayDialog::enteredEntry() const
{
    BirthdayEntry entry;
    entry.FriendName = m_ui->nameEdit->text().trimmed();
    entry.BornDate = BornDateOf(m_birth.date);
    entry.Note = m_ui->remarkEdit->text();
    entry.Age = m_info.age;
    entry.Sex = m_ui->sexCombo->currentIndex();
    entry.Blood = m_ui->bloodCombo->currentIndex();
    entry.Year = AnimalNames().value(m_info.animalIndex);
    entry.Sign = SignNames().value(m_info.signIndex);
    entry.TwoWeeks = m_ui->twoWeeksCheck->isChecked() ? 1 : 0;
    entry.OneWeeks = m_ui->oneWeekCheck->isChecked() ? 1 : 0;
    entry.OneDay = m_ui->oneDayCheck->isChecked() ? 1 : 0;
    entry.Lunar = m_birth.lunar ? 1 : 0;
    return entry;
}

void BirthdayDialog::save()
{
    BirthdayEntry entry = enteredEntry();
    if (entry.FriendName.isEmpty()) {
        m_tip->showUnder(m_ui->nameEdit, tr("请输入你朋友的姓名！"));
        return;
    }
    BirthdayList &birthdays = m_data.Birthdays;
    if (const BirthdayEntry *stored = isEditing() ? birthdays.Find(m_entry) : nullptr) {
        // A notice that showed while the dialog was open cleared its flag in
        // the list; a box the user left alone keeps it cleared, so that the
        // same notice does not come again.
        for (qint32 BirthdayEntry::*flag :
             {&BirthdayEntry::TwoWeeks, &BirthdayEntry::OneWeeks, &BirthdayEntry::OneDay}) {
            if (entry.*flag == m_loaded.*flag)
                entry.*flag = stored->*flag;
        }
        birthdays.SetAt(m_entry, entry);
        m_savedEntry = m_entry;
    } else {
        // New, or edited while it went from the list: it is kept as a new
        // entry rather than lost.
        try {
            m_savedEntry = birthdays.AddTail(entry);
        } catch (const std::bad_alloc &) {
            MessageBoxes::Warning(this, AddTaskFailedText);
            return;
        }
    }
    accept();
}

// A click in the date picker selects the year, month or day clicked, so that
// digits typed next replace it: a birth year is typed rather than stepped
// through decades.
bool BirthdayDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        QDateEdit *picker = m_ui->birthDateEdit;
        QTimer::singleShot(0, picker, [picker] { picker->setSelectedSection(picker->currentSection()); });
    }
    return QDialog::eventFilter(watched, event);
}

void BirthdayDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_centred, true))
        CentreOnPrimaryScreen(*this);
}
